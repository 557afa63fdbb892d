#include "tests/zpdf/ZpdfTestUtil.h"
#include "zpdf/Objects.h"

#include <gtest/gtest.h>

#include <map>
#include <utility>
#include <vector>

using namespace zpdf;

namespace {

IPtr<Object> num(double v, NumberKind kind = NumberKind::Automatic) { return IPtr<Object>(new Number(v, kind)); }
IPtr<Name> name(const char* text) { return IPtr<Name>(new Name(text)); }

// Resolves references from a table, as a document does.
class TableOwner : public ObjectOwner {
public:
    std::map<int, IPtr<Object>> objects;
    IPtr<Object> resolveObject(int32_t number, int32_t generation) override
    {
        const auto it = objects.find(number);
        return it != objects.end() && generation == 0 ? it->second : nullptr;
    }
};

} // namespace

TEST(DictSerialisation, KeysInByteOrderEachLineEndingInCrLf)
{
    const IPtr<Dict> pages = parseObject("<< /Type /Pages /Kids [4 0 R] /Count 3 >>")->toDict();
    EXPECT_EQ(serialise(*pages), "<<\r\n/Count 3\r\n/Kids [4 0 R ]\r\n/Type /Pages\r\n>>");
    // Replacing keeps one entry; null keys and values change nothing.
    pages->set(name("Count"), num(4));
    pages->set(kParent, nullptr);
    pages->set(nullptr, num(1));
    pages->remove(kKids);
    EXPECT_EQ(serialise(*pages), "<<\r\n/Count 4\r\n/Type /Pages\r\n>>");
    EXPECT_FALSE(pages->has(kParent));
    EXPECT_EQ(serialise(Trailer(*pages)), "trailer\r\n<<\r\n/Count 4\r\n/Type /Pages\r\n>>");

    EXPECT_EQ(serialise(*parseObject("<</b 1/\xE4 1/A 1/AB 1/B 1/a 1>>")),
              "<<\r\n/A 1\r\n/AB 1\r\n/B 1\r\n/a 1\r\n/b 1\r\n/\xE4 1\r\n>>");
}

TEST(ObjectSerialisation, EveryKindAsWritten)
{
    const std::string literal = "(a\\(b\\) \\n\\101 (nested \\\\) \\\r\n end)";
    const std::pair<std::string, std::string> cases[] = {
        {"3", "3"}, {"2.5", "2.500000"}, {"-0.75", "-0.750000"}, {"-.5", "-0.500000"}, {"+17.", "17"},
        {"0.0000001", "0.000000"}, {"4294967296", "4294967296"}, {"[]", "[]"}, {"[1 2]", "[1 2 ]"},
        {"[[/A] <<>>]", "[[/A ] <<\r\n>> ]"}, {"<<>>", "<<\r\n>>"}, {"true", "true"}, {"false", "false"},
        {"null", "null"}, {"/Na#20me", "/Na#20me"}, {"12 3 R", "12 3 R"}, {literal, literal},
        {"<FEFF0041 42>", "<FEFF0041 42>"},
    };
    for (const auto& [text, bytes] : cases)
        EXPECT_EQ(serialise(*parseObject(text)), bytes) << text;

    const std::pair<IPtr<Object>, std::string> numbers[] = {
        {num(2.9, NumberKind::Integer), "2"},          {num(-2.9, NumberKind::Integer), "-2"},
        {num(0.5, NumberKind::Real), "0.500000"},      {num(3, NumberKind::Real), "3.000000"},
        {num(-1e10, NumberKind::Integer), "-10000000000"},
    };
    for (const auto& [number, bytes] : numbers)
        EXPECT_EQ(serialise(*number), bytes);
    EXPECT_EQ(Number(1e10).intValue(), 2147483647);
    Number padded(7, NumberKind::Integer);
    padded.setFormat("%03d");
    EXPECT_EQ(serialise(*padded.clone()), "007") << "the clone keeps the format";

    EXPECT_EQ(serialise(StartXRef(1234)), "startxref\r\n1234");
    EXPECT_EQ(serialise(Marker()), "");
    EXPECT_EQ(serialise(Rectangle(0, 0, 612, 792.5)), "[0 0 612 792.500000 ]");
    TextParser p("7 0 obj\r\n<< /Length 3 >>\r\nstream\r\nabc\r\nendstream\r\nendobj");
    EXPECT_EQ(serialise(*p->readIndirect()), "7 0 obj\r\n<<\r\n/Length 3\r\n>>\r\nstream\r\nabc\r\nendstream\r\nendobj");
}

TEST(ObjectCopies, CloneIsDeepAndEqualsComparesContent)
{
    const IPtr<Object> original = parseObject("<< /Kids [1 0 R 2.5 (s) <41>] /Sub << /N null /B true >> >>");
    const IPtr<Object> copy = original->clone();
    EXPECT_TRUE(copy->equals(original));
    EXPECT_EQ(serialise(*copy), serialise(*original));
    // Keys are shared, values are not.
    const auto& [key, kids] = *static_cast<Dict*>(copy.get())->begin();
    const auto& [originalKey, originalKids] = *static_cast<Dict*>(original.get())->begin();
    EXPECT_EQ(key.get(), originalKey.get());
    kids->toArray()->append(num(9));
    EXPECT_FALSE(copy->equals(original));
    EXPECT_EQ(originalKids->toArray()->size(), 4);
    EXPECT_EQ(Null::instance()->clone().get(), Null::instance().get());

    struct Case {
        const char* a;
        const char* b;
        bool equal;
    };
    const Case cases[] = {{"null", "null", true},       {"1", "true", false},         {"1 0 R", "1 0 R", true},
                          {"1 0 R", "1 1 R", false},    {"(a)", "<61>", false},       {"[1 [2]]", "[1 [2]]", true},
                          {"[1 [2]]", "[1 [3]]", false}};
    for (const Case& c : cases)
        EXPECT_EQ(parseObject(c.a)->equals(parseObject(c.b)), c.equal) << c.a << " / " << c.b;
    EXPECT_TRUE(num(1, NumberKind::Integer)->equals(num(1.0, NumberKind::Real)));
    EXPECT_FALSE(parseObject("[1]")->equals(IPtr<Object>()));
    EXPECT_TRUE(StartXRef(1).equals(IPtr<Object>(new StartXRef(2))));
    EXPECT_FALSE(Marker().equals(IPtr<Object>(new Marker())));

    IPtr<Array> holes[2] = {IPtr<Array>(new Array()), IPtr<Array>(new Array())};
    for (const IPtr<Array>& array : holes)
        array->append(nullptr);
    EXPECT_TRUE(holes[0]->equals(holes[1]));
    EXPECT_EQ(serialise(*holes[0]), "[null ]");
}

TEST(ObjectOwnership, CountsStartAtZeroAndTheLastOwnerDeletes)
{
    struct Probe : Marker {
        bool* deleted;
        explicit Probe(bool* flag) : deleted(flag) {}
        ~Probe() override { *deleted = true; }
    };
    bool deleted = false;
    Probe* raw = new Probe(&deleted);
    EXPECT_EQ(raw->refCount(), 0);
    IPtr<Object> a(raw);
    IPtr<Object> b = IPtr<Object>(a);
    EXPECT_EQ(raw->refCount(), 2);
    a = nullptr;
    EXPECT_FALSE(deleted);
    b = nullptr;
    EXPECT_TRUE(deleted);
    EXPECT_GE(kType->refCount(), 1) << "the shared names live for the whole run";
}

TEST(ObjectConversions, FollowReferencesAndCheckTheKind)
{
    TableOwner owner;
    owner.objects[5] = parseObject("<< /Type /Page >>");
    owner.objects[6] = parseObject("[1 2 3 4]");
    TextParser p("<< /P 5 0 R /A 6 0 R /N 42 /Missing 9 0 R >>", &owner);
    const IPtr<Dict> dict = p->readDictionary();
    EXPECT_EQ(dict->getDict(name("P"))->get(kType)->toName()->bytes().cString(), std::string("Page"));
    EXPECT_EQ(dict->getArray(name("A"))->size(), 4);
    EXPECT_EQ(dict->getNumber(name("N"))->value(), 42);
    EXPECT_FALSE(dict->getDict(name("A"))) << "an array is not a dictionary";
    EXPECT_FALSE(dict->getNumber(name("Missing")));
    EXPECT_FALSE(parseObject("(x)")->toName());
    EXPECT_FALSE(Reference(5, 0).resolve()) << "a reference without owner resolves to nothing";

    IPtr<Dict> streamDict(new Dict());
    IPtr<Object> stream(new Stream(streamDict, IPtr<StreamData>(new StreamData())));
    EXPECT_EQ(stream->toDict().get(), streamDict.get()) << "toDict of a stream gives its dictionary";
    EXPECT_EQ(stream->toStream().get(), stream.get());

    const IPtr<Object> ref = IPtr<Object>(new Indirect(5, 0, owner.objects[5], &owner))->asReference();
    EXPECT_EQ(serialise(*ref), "5 0 R");
    EXPECT_EQ(ref->resolve().get(), owner.objects[5].get());
    EXPECT_EQ(num(1)->asReference()->type(), ObjectType::Number);

    const Rectangle box(*parseObject("[1 /x 595.5]")->toArray());
    EXPECT_EQ(std::vector<double>({box.left(), box.bottom(), box.right(), box.top()}),
              std::vector<double>({1, 0, 595.5, 0}))
        << "a name or a missing element counts as 0";
}

TEST(StringText, EveryRule)
{
    const std::pair<std::string, ZString> cases[] = {
        {"(a\\)b)", L"a)b"}, {"(\\101)", L"A"}, {"(\\n\\r\\t\\b\\f\\\\\\(\\q)", L"\n\r\t\b\f\\(q"},
        {"(\\1x)", ZString(L"\x01x")},      // one digit, then the letter is kept
        {"(\\0101)", L"\x08" L"1"},         // at most three digits
        {"(a\\\nb)", L"ab"},                // an escaped line feed disappears
        {"(a\\\r\nb)", L"a\nb"},            // only the byte after the backslash is dropped
        {"(a\\)", L"a\\"},                  // a backslash right before the end stands for itself
        {"(caf\xE9)", L"caf\xE9"},          // one character per byte
        {"(open", L"open"},                 // cut off by the end of the file
        {std::string("(\xFE\xFF\x00" "A\x00" "B)", 8), L"AB"},
        {std::string("(\xFE\xFF\x04\x10\x20)", 7), ZString(L"\x0410\x2000")}, // a lone last byte is a high byte
        {std::string("(\xFE\xFF\\\x00)", 6), ZString(L"\x5C00")},             // no escapes in UTF-16
        {"<FEFF00410042>", L"AB"}, {"<4142>", L"AB"},
        {"<61a2B>", L"a\xA2"},              // an incomplete pair is ignored
        {"<FEFF004100>", L"A"},             // an incomplete group is ignored
        {"<4 41>", ZString(L"\x04" L"A")}, // a pair is read up to its first non-digit
        {"", L""}, {"(", L""}, {"()", L""}, {"<>", L""}, {"abc", L""},
    };
    for (const auto& [raw, text] : cases)
        EXPECT_EQ(String(bufferOf(raw)).getText(), text) << raw;
}
