#include "tests/zpdf/ZpdfTestUtil.h"
#include "zpdf/Objects.h"
#include "zpdf/Writer.h"

#include <gtest/gtest.h>

#include <map>

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
    IPtr<Dict> pages(new Dict());
    pages->set(kType, kPages);
    pages->set(kCount, num(3));
    IPtr<Array> kids(new Array());
    kids->append(IPtr<Object>(new Reference(4, 0)));
    pages->set(kKids, kids);
    EXPECT_EQ(serialise(*pages), "<<\r\n/Count 3\r\n/Kids [4 0 R ]\r\n/Type /Pages\r\n>>");

    // Replacing keeps one entry; null keys and values change nothing.
    pages->set(name("Count"), num(4));
    pages->set(kParent, nullptr);
    pages->set(nullptr, num(1));
    EXPECT_EQ(pages->size(), 3);
    EXPECT_EQ(serialise(*pages->get(kCount)), "4");
    EXPECT_FALSE(pages->get(kParent));
    EXPECT_FALSE(pages->has(kParent));
    pages->remove(kKids);
    EXPECT_EQ(serialise(*pages), "<<\r\n/Count 4\r\n/Type /Pages\r\n>>");

    IPtr<Dict> mixed(new Dict());
    for (const char* key : {"b", "\xE4", "A", "AB", "B", "a"})
        mixed->set(name(key), Null::instance());
    EXPECT_EQ(serialise(*mixed), "<<\r\n/A null\r\n/AB null\r\n/B null\r\n/a null\r\n/b null\r\n/\xE4 null\r\n>>");

    EXPECT_EQ(serialise(*parseObject("<<>>")), "<<\r\n>>");
    EXPECT_EQ(serialise(Trailer(*pages)), "trailer\r\n<<\r\n/Count 4\r\n/Type /Pages\r\n>>");
}

TEST(NumberSerialisation, ByKind)
{
    EXPECT_EQ(serialise(*parseObject("3")), "3");
    EXPECT_EQ(serialise(*parseObject("2.5")), "2.500000");
    EXPECT_EQ(serialise(*parseObject("-0.75")), "-0.750000");
    EXPECT_EQ(serialise(*parseObject("-.5")), "-0.500000");
    EXPECT_EQ(serialise(*parseObject("+17.")), "17");
    EXPECT_EQ(serialise(*parseObject("0.0000001")), "0.000000");

    EXPECT_EQ(serialise(*num(2.9, NumberKind::Integer)), "2");
    EXPECT_EQ(serialise(*num(-2.9, NumberKind::Integer)), "-2");
    EXPECT_EQ(serialise(*num(0.5, NumberKind::Real)), "0.500000");
    EXPECT_EQ(serialise(*num(3, NumberKind::Real)), "3.000000");
    Number formatted(1.0 / 3, NumberKind::Real);
    formatted.setFormat("%.2f");
    EXPECT_EQ(serialise(formatted), "0.33");
    Number padded(7, NumberKind::Integer);
    padded.setFormat("%03d");
    EXPECT_EQ(serialise(padded), "007");
    EXPECT_EQ(serialise(*padded.clone()), "007") << "the clone keeps the format";

    // Whole numbers beyond the int range keep their digits.
    EXPECT_EQ(serialise(*parseObject("4294967296")), "4294967296");
    EXPECT_EQ(serialise(*num(-1e10, NumberKind::Integer)), "-10000000000");
    EXPECT_EQ(Number(1e10).intValue(), 2147483647);

    BufferWriter writer;
    writer.writeInt(-12);
    writer.writeChar(' ');
    writer.writeDouble(0.5);
    EXPECT_EQ(toString(writer.buffer()), "-12 0.500000");
    EXPECT_EQ(writer.position(), 12);
}

TEST(ObjectSerialisation, EveryKind)
{
    EXPECT_EQ(serialise(*parseObject("[]")), "[]");
    EXPECT_EQ(serialise(*parseObject("[1 2]")), "[1 2 ]");
    EXPECT_EQ(serialise(*parseObject("[[/A] <<>>]")), "[[/A ] <<\r\n>> ]");
    EXPECT_EQ(serialise(*parseObject("true")), "true");
    EXPECT_EQ(serialise(*parseObject("false")), "false");
    EXPECT_EQ(serialise(*parseObject("null")), "null");
    EXPECT_EQ(serialise(*parseObject("/Na#20me")), "/Na#20me") << "name escapes stay as they are";
    EXPECT_EQ(serialise(*parseObject("12 3 R")), "12 3 R");
    EXPECT_EQ(serialise(StartXRef(1234)), "startxref\r\n1234");
    EXPECT_EQ(serialise(Marker()), "");

    const std::string literal = "(a\\(b\\) \\n\\101 (nested \\\\) \\\r\n end)";
    EXPECT_EQ(serialise(*parseObject(literal)), literal);
    EXPECT_EQ(serialise(*parseObject("<FEFF0041 42>")), "<FEFF0041 42>");

    TextParser p("7 0 obj\r\n<< /Length 3 >>\r\nstream\r\nabc\r\nendstream\r\nendobj");
    const IPtr<Object> indirect = p->readIndirect();
    EXPECT_EQ(serialise(*indirect), "7 0 obj\r\n<<\r\n/Length 3\r\n>>\r\nstream\r\nabc\r\nendstream\r\nendobj");
}

TEST(ObjectCopies, CloneIsDeepAndEqualsComparesContent)
{
    const IPtr<Object> original = parseObject("<< /Kids [1 0 R 2.5 (s) <41>] /Sub << /N null /B true >> >>");
    const IPtr<Object> copy = original->clone();
    EXPECT_NE(copy.get(), original.get());
    EXPECT_TRUE(copy->equals(original));
    EXPECT_EQ(serialise(*copy), serialise(*original));

    // Keys are shared, values are not.
    const auto& [key, kids] = *static_cast<Dict*>(copy.get())->begin();
    const auto& [originalKey, originalKids] = *static_cast<Dict*>(original.get())->begin();
    EXPECT_EQ(key.get(), originalKey.get());
    EXPECT_NE(kids.get(), originalKids.get());
    kids->toArray()->append(num(9));
    EXPECT_FALSE(copy->equals(original));
    EXPECT_EQ(originalKids->toArray()->size(), 4);

    EXPECT_EQ(Null::instance()->clone().get(), Null::instance().get());
    EXPECT_TRUE(parseObject("null")->equals(Null::instance()));
    EXPECT_TRUE(num(1, NumberKind::Integer)->equals(num(1.0, NumberKind::Real)));
    EXPECT_FALSE(num(1)->equals(parseObject("true")));
    EXPECT_TRUE(parseObject("1 0 R")->equals(parseObject("1 0 R")));
    EXPECT_FALSE(parseObject("1 0 R")->equals(parseObject("1 1 R")));
    EXPECT_FALSE(parseObject("(a)")->equals(parseObject("<61>"))) << "strings compare their raw bytes";
    EXPECT_TRUE(StartXRef(1).equals(IPtr<Object>(new StartXRef(2))));
    EXPECT_FALSE(parseObject("[1]")->equals(IPtr<Object>()));

    IPtr<Array> withHoles(new Array());
    withHoles->append(nullptr);
    IPtr<Array> otherHoles(new Array());
    otherHoles->append(nullptr);
    EXPECT_TRUE(withHoles->equals(otherHoles));
    EXPECT_EQ(serialise(*withHoles), "[null ]");

    Marker marker;
    EXPECT_FALSE(marker.equals(IPtr<Object>(new Marker())));
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
    {
        IPtr<Object> a(raw);
        EXPECT_EQ(raw->refCount(), 1);
        IPtr<Object> b = a;
        EXPECT_EQ(raw->refCount(), 2);
        IPtr<Object> c = std::move(b);
        EXPECT_EQ(raw->refCount(), 2);
        a = nullptr;
        EXPECT_FALSE(deleted);
    }
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

    EXPECT_EQ(dict->get(name("P"))->type(), ObjectType::Reference);
    EXPECT_EQ(dict->getDict(name("P"))->get(kType)->toName()->bytes().cString(), std::string("Page"));
    EXPECT_EQ(dict->getArray(name("A"))->size(), 4);
    EXPECT_EQ(dict->getNumber(name("N"))->value(), 42);
    EXPECT_FALSE(dict->getDict(name("A"))) << "an array is not a dictionary";
    EXPECT_FALSE(dict->getNumber(name("Missing")));
    EXPECT_FALSE(dict->getNumber(name("Absent")));
    EXPECT_FALSE(parseObject("(x)")->toName());
    EXPECT_FALSE(Reference(5, 0).resolve()) << "a reference without owner resolves to nothing";

    IPtr<Dict> streamDict(new Dict());
    streamDict->set(kLength, num(0));
    IPtr<Object> stream(new Stream(streamDict, IPtr<StreamData>(new StreamData())));
    EXPECT_EQ(stream->toDict().get(), streamDict.get()) << "toDict of a stream gives its dictionary";
    EXPECT_EQ(stream->toStream().get(), stream.get());

    IPtr<Object> indirect(new Indirect(5, 0, owner.objects[5], &owner));
    const IPtr<Object> ref = indirect->asReference();
    EXPECT_EQ(serialise(*ref), "5 0 R");
    EXPECT_EQ(ref->resolve().get(), owner.objects[5].get());
    EXPECT_EQ(num(1)->asReference()->type(), ObjectType::Number);

    const Rectangle box(*parseObject("[0 0 595.5 842]")->toArray());
    EXPECT_DOUBLE_EQ(box.right() - box.left(), 595.5);
    EXPECT_DOUBLE_EQ(box.top(), 842);
    const Rectangle odd(*parseObject("[0 /x]")->toArray());
    EXPECT_EQ(odd.bottom(), 0) << "a name where a number belongs";
    EXPECT_EQ(odd.top(), 0) << "a missing element";
    EXPECT_EQ(serialise(Rectangle(0, 0, 612, 792.5)), "[0 0 612 792.500000 ]");
}

TEST(XRefTable, AddMergeAndCopy)
{
    XRef xref;
    EXPECT_EQ(xref.maxObjectNumber(), -1);
    xref.add(3, 0, 100, true, false);
    xref.add(1, 0, 50, true, false);
    xref.add(3, 1, 200, true, false);
    EXPECT_EQ(xref.size(), 2);
    EXPECT_EQ(xref.get(3)->offset, 200);
    EXPECT_EQ(xref.maxObjectNumber(), 3);
    EXPECT_EQ(xref.get(2), nullptr);

    XRef older;
    older.add(3, 0, 999, true, false);
    older.add(7, 12, 4, true, true);
    xref.merge(older, false);
    EXPECT_EQ(xref.get(3)->offset, 200) << "merging keeps what is there";
    EXPECT_EQ(xref.get(7)->compressed, 1);
    const IPtr<Object> copy = xref.clone();
    xref.merge(older, true);
    EXPECT_EQ(xref.get(3)->offset, 999);
    EXPECT_EQ(static_cast<XRef*>(copy.get())->get(3)->offset, 200) << "a copy shares no entries";
}
