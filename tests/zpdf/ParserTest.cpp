#include "tests/support/TestSupport.h"
#include "tests/zpdf/ZpdfTestUtil.h"
#include "zpdf/Exceptions.h"
#include "zpdf/FileReader.h"
#include "zpdf/Objects.h"

#include <gtest/gtest.h>

#include <map>
#include <random>

using namespace zpdf;

namespace {

std::string pdfMessage(const std::string& text, bool indirect = false,
                       Parser::LengthLookup lookup = Parser::LengthLookup::ThroughOwner)
{
    TextParser p(text);
    return messageOf<PdfException>([&] {
        if (indirect)
            p->readIndirect(lookup);
        else
            p->readObject();
    });
}

// Loads objects by number from offsets, through the parser that found the
// reference, the way a document's loader does.
class OffsetLoader : public ObjectOwner {
public:
    Parser* parser = nullptr;
    std::map<int, int> offsets;
    int loads = 0;

    IPtr<Object> resolveObject(int32_t number, int32_t) override
    {
        const auto it = offsets.find(number);
        if (it == offsets.end())
            return nullptr;
        ++loads;
        parser->reader().seek(it->second);
        const IPtr<Object> indirect = parser->readIndirect();
        return static_cast<Indirect*>(indirect.get())->object();
    }
};

const StreamData& streamData(const IPtr<Object>& indirect)
{
    const IPtr<Object>& object = static_cast<Indirect*>(indirect.get())->object();
    return *static_cast<Stream*>(object.get())->data();
}

} // namespace

TEST(ParserTokens, CommentsBetweenAnyTokens)
{
    TextParser p("%head\n1%a\n0%b\nobj%c\n<<%d\n/Type%e\n/Page%f\n/Kids%g\n[%h\n4%i\n0%j\nR%k\n(s)%l\n]"
                 "%m\n/Length%n\n3%o\n>>%p\nstream\r\nabc%q\r\n%r\nendstream");
    const IPtr<Object> indirect = p->readIndirect();
    const IPtr<Object>& object = static_cast<Indirect*>(indirect.get())->object();
    ASSERT_EQ(object->type(), ObjectType::Stream);
    const IPtr<Dict> dict = object->toDict();
    EXPECT_EQ(serialise(*dict), "<<\r\n/Kids [4 0 R (s) ]\r\n/Length 3\r\n/Type /Page\r\n>>");
    EXPECT_EQ(toString(streamData(indirect).bytes()), "abc");
    EXPECT_EQ(p.reader().peekByte(), -1);
}

TEST(ParserTokens, NamesEndAtDelimiters)
{
    const IPtr<Object> dict = parseObject("<</Kids[1 2]/Type/Page/T(x)/D<</F 1>>/H<41>/N%c\n/E/Z/Y>>");
    EXPECT_EQ(serialise(*dict), "<<\r\n/D <<\r\n/F 1\r\n>>\r\n/H <41>\r\n/Kids [1 2 ]\r\n/N /E\r\n/T (x)\r\n"
                                "/Type /Page\r\n/Z /Y\r\n>>");
    EXPECT_EQ(serialise(*parseObject("[/A]")), "[/A ]");
    EXPECT_EQ(serialise(*parseObject("/A{")), "/A");
    EXPECT_EQ(serialise(*parseObject("/A\x01" "B ")), "/A\x01" "B") << "only the delimiters end a name";
}

TEST(ParserTokens, StringsWithNestedAndEscapedParentheses)
{
    TextParser p("(a (b (c)) \\) d\\\\)/N <0A1 f>[(x)]");
    EXPECT_EQ(serialise(*p->readObject()), "(a (b (c)) \\) d\\\\)");
    EXPECT_EQ(serialise(*p->readObject()), "/N");
    EXPECT_EQ(serialise(*p->readObject()), "<0A1 f>");
    EXPECT_EQ(serialise(*p->readObject()), "[(x) ]");
    EXPECT_EQ(serialise(*parseObject("(unbalanced (")), "(unbalanced (") << "the end of the data ends a string";
    EXPECT_EQ(serialise(*parseObject("<41")), "<41");
}

TEST(ParserTokens, ReferencesVersusThreeNumbers)
{
    const IPtr<Array> array = parseObject("[1 0 R 2 0 3 4 5 R 6 7 12%c\n0%c\nR 1.0 0]")->toArray();
    std::string kinds;
    for (const IPtr<Object>& element : *array)
        kinds += element->type() == ObjectType::Reference ? 'R' : 'N';
    EXPECT_EQ(kinds, "RNNNRNNRNN");
    EXPECT_EQ(serialise(*array), "[1 0 R 2 0 3 4 5 R 6 7 12 0 R 1 0 ]");

    OffsetLoader owner;
    TextParser p("9 0 R", &owner);
    const IPtr<Object> ref = p->readObject();
    EXPECT_EQ(static_cast<Reference*>(ref.get())->owner(), &owner) << "references get the parser's owner";
}

TEST(ParserTokens, KeywordsAndNothing)
{
    TextParser p("true false null");
    EXPECT_TRUE(static_cast<Bool*>(p->readObject().get())->value());
    EXPECT_FALSE(static_cast<Bool*>(p->readObject().get())->value());
    EXPECT_EQ(p->readObject().get(), Null::instance().get());
    EXPECT_FALSE(p->readObject()) << "end of data";
    for (const char* text : {"", "  %only a comment", "]", ">>", ")", "endobj", "R", "-"})
        EXPECT_FALSE(parseObject(text)) << text;

    TextParser trailer("trailer %c\r\n<< /Size 3 /Root 1 0 R >>\r\nstartxref\r\n%c\r\n 1234\r\n%%EOF");
    const IPtr<Trailer> t = trailer->readTrailer();
    EXPECT_EQ(t->type(), ObjectType::Trailer);
    EXPECT_EQ(serialise(*t), "trailer\r\n<<\r\n/Root 1 0 R\r\n/Size 3\r\n>>");
    trailer.reader().skipWsAndComments();
    EXPECT_EQ(trailer->readStartXRef()->offset(), 1234);
    EXPECT_FALSE(TextParser("trailer 12")->readTrailer());
}

TEST(ParserErrors, MessagesWordForWord)
{
    EXPECT_EQ(pdfMessage("<< /Type >>"), "readDictionary: Es konnte kein Object gelesen werden");
    EXPECT_EQ(pdfMessage("<</Type>>"), "readDictionary: Es konnte kein Object gelesen werden");
    EXPECT_EQ(pdfMessage("<< 1 2 >>"), "readDictionary: Name konnte nicht gelesen werden");
    EXPECT_EQ(pdfMessage("<< /A 1"), "readDictionary: Name konnte nicht gelesen werden");
    EXPECT_EQ(pdfMessage("[1 2"), "readArray: Fehler beim Lesen von Array Elementen");
    EXPECT_EQ(pdfMessage("[1 )]"), "readArray: Fehler beim Lesen von Array Elementen");
    EXPECT_EQ(pdfMessage("/ x"), "readName: Konnte Name nicht lesen");
    EXPECT_EQ(messageOf<PdfException>([] { TextParser("x")->readString(); }),
              "readString: String beginnt nicht mit '(' oder '<'");

    using Lookup = Parser::LengthLookup;
    EXPECT_EQ(pdfMessage("1 0 obj ] endobj", true), "readIndirect: Konnte kein Object lesen");
    EXPECT_EQ(pdfMessage("1 0 obj ] endobj", true, Lookup::DirectOnly), "readIndirect: Konnte Object nicht lesen");
    const std::string noLength = "1 0 obj << >> stream\r\n\r\nendstream";
    EXPECT_EQ(pdfMessage(noLength, true), "readIndirect: Length nicht vorhanden");
    EXPECT_EQ(pdfMessage(noLength, true, Lookup::DirectOnly),
              "readIndirect: Length nicht gesetzt oder Length keine Nummer");
    const std::string refLength = "1 0 obj << /Length 9 0 R >> stream\r\n\r\nendstream";
    EXPECT_EQ(pdfMessage(refLength, true), "readIndirect: Length nicht vorhanden") << "a reference that loads nothing";
    EXPECT_EQ(pdfMessage(refLength, true, Lookup::DirectOnly),
              "readIndirect: Length nicht gesetzt oder Length keine Nummer");
    EXPECT_EQ(pdfMessage("1 0 obj << /Length (3) >> stream\r\nabc\r\nendstream", true),
              "readIndirect: Length nicht gesetzt oder Length keine Nummer");
    EXPECT_EQ(messageOf<NumberFormatException>([] { TextParser("x 0 obj 1")->readIndirect(); }),
              "Could not read integer");
}

TEST(ParserStreams, DataShorterThanLengthFailsAfterTheDiagnostic)
{
    TextParser p("1 0 obj << /Length 10 >> stream\nabc\nendstream\nendobj");
    testing::internal::CaptureStdout();
    const std::string message = messageOf<PdfException>([&] { p->readIndirect(); });
    const std::string shown = testing::internal::GetCapturedStdout();
    EXPECT_EQ(message, "readStreamData: endstream not found");
    const std::string stars(37, '*');
    EXPECT_EQ(shown, "\r\n" + stars + "\r\neam\r\nendobj\r\n" + stars + "\r\n");
    EXPECT_EQ(p.reader().tell(), 42) << "the reader stays where endstream was missing";
}

TEST(ParserStreams, LineEndAfterTheKeywordAndEmptyData)
{
    for (const char* eol : {"\r\n", "\n", "\r"}) {
        TextParser p(std::string("5 0 obj <</Length 4>> stream") + eol + "\r\nab\nendstream endobj");
        EXPECT_EQ(toString(streamData(p->readIndirect()).bytes()), "\r\nab") << "only one line end is skipped";
    }
    TextParser empty("5 0 obj <</Length 0>>\nstream\r\nendstream");
    EXPECT_EQ(streamData(empty->readIndirect()).bytes().length(), 0);
    TextParser negative("5 0 obj <</Length -4>>\nstream\r\nendstream");
    EXPECT_EQ(streamData(negative->readIndirect()).bytes().length(), 0);
}

TEST(ParserStreams, LengthByReferenceLoadedThroughTheOwner)
{
    const std::string text = "1 0 obj\r\n<< /Length 2 0 R >>\r\nstream\r\nhello\r\nendstream\r\nendobj\r\n"
                             "2 0 obj\r\n5\r\nendobj\r\n";
    OffsetLoader loader;
    TextParser p(text, &loader);
    loader.parser = &p.parser();
    loader.offsets[2] = static_cast<int>(text.find("2 0 obj"));
    const IPtr<Object> indirect = p->readIndirect();
    EXPECT_EQ(loader.loads, 1);
    EXPECT_EQ(toString(streamData(indirect).bytes()), "hello");
    EXPECT_EQ(p.reader().tell(), static_cast<int>(text.find("\r\nendobj")))
        << "the reader resumed after the dictionary it was reading";

    // Lengths that refer to each other end in an exception, not in a stack overflow.
    const std::string cycle = "1 0 obj << /Length 2 0 R >> stream\r\nx\r\nendstream endobj "
                              "2 0 obj << /Length 1 0 R >> stream\r\nx\r\nendstream endobj";
    OffsetLoader cyclic;
    TextParser c(cycle, &cyclic);
    cyclic.parser = &c.parser();
    cyclic.offsets[1] = 0;
    cyclic.offsets[2] = static_cast<int>(cycle.find("2 0 obj"));
    EXPECT_EQ(messageOf<PdfException>([&] { c->readIndirect(); }), "readObject: Objekte zu tief verschachtelt");
}

TEST(ParserStreams, EveryObjectOfARealFile)
{
    const ZString path = sourcePath(L"samples/sample.pdf");
    const std::string bytes = readFileBytes(path);
    ASSERT_FALSE(bytes.empty());
    OffsetLoader loader;
    Parser parser(std::make_shared<FileReader>(path), &loader);
    loader.parser = &parser;
    Reader& r = parser.reader();

    // startxref, then the classic table it points at.
    r.seek(static_cast<int>(bytes.rfind("startxref")));
    const int xref = parser.readStartXRef()->offset();
    ASSERT_EQ(xref, static_cast<int>(bytes.rfind("xref\n", bytes.rfind("startxref") - 1)));
    r.seek(xref + 4);
    r.skipWsAndComments();
    const int first = r.readInt();
    r.skipWsAndComments();
    const int count = r.readInt();
    for (int i = 0; i < count; ++i) {
        r.skipWsAndComments();
        const int offset = r.readInt();
        r.skipWsAndComments();
        r.readInt();
        r.skipWsAndComments();
        if (r.readByte() == 'n')
            loader.offsets[first + i] = offset;
    }
    r.skipWsAndComments();
    ASSERT_TRUE(r.peekMatches("trailer"));
    const IPtr<Trailer> trailer = parser.readTrailer();
    EXPECT_EQ(trailer->getNumber(kSize)->intValue(), count);

    // Every object reads whole; written back and read again it is equal.
    ASSERT_EQ(loader.offsets.size(), 18u);
    int streams = 0;
    int loadsWhileParsing = 0;
    for (const auto& [number, offset] : loader.offsets) {
        r.seek(offset);
        ASSERT_TRUE(parser.isObjectHeader()) << number;
        const int loads = loader.loads;
        const IPtr<Object> indirect = parser.readIndirect();
        loadsWhileParsing += loader.loads - loads;
        EXPECT_EQ(static_cast<Indirect*>(indirect.get())->number(), number);
        const IPtr<Object>& object = static_cast<Indirect*>(indirect.get())->object();
        if (object->type() == ObjectType::Stream) {
            ++streams;
            const IPtr<Number> length = object->toDict()->getNumber(kLength);
            EXPECT_EQ(streamData(indirect).bytes().length(), length->intValue());
        }
        const IPtr<Object> plain = object->type() == ObjectType::Stream ? IPtr<Object>(object->toDict()) : object;
        EXPECT_TRUE(parseObject(serialise(*plain))->equals(plain)) << number;
    }
    EXPECT_EQ(streams, 4);
    EXPECT_EQ(loadsWhileParsing, 3) << "three Lengths are indirect objects, loaded on the way";
}

TEST(ParserLimits, NestingIsBounded)
{
    std::string nested = std::string(Parser::kMaxDepth, '[') + std::string(Parser::kMaxDepth, ']');
    EXPECT_EQ(parseObject(nested)->type(), ObjectType::Array);
    EXPECT_EQ(pdfMessage("[" + nested), "readObject: Objekte zu tief verschachtelt");
    EXPECT_EQ(pdfMessage(std::string(200000, '[')), "readObject: Objekte zu tief verschachtelt");
    std::string dicts;
    for (int i = 0; i < 5000; ++i)
        dicts += "<</A ";
    EXPECT_EQ(pdfMessage(dicts), "readObject: Objekte zu tief verschachtelt");

    // A failed parse leaves the parser usable at full depth.
    TextParser p(std::string(1000, '[') + " " + nested);
    EXPECT_ANY_THROW(p->readObject());
    p.reader().seek(1001);
    EXPECT_EQ(p->readObject()->type(), ObjectType::Array);
}

TEST(ParserLimits, MalformedInputGivesLibraryErrorsOnly)
{
    const std::string sample = readFileBytes(sourcePath(L"samples/sample.pdf"));
    ASSERT_FALSE(sample.empty());
    std::mt19937 random(20261205);
    const char* tokens[] = {"(", ")", "<", ">", "<<", ">>", "[", "]", "/", "%", "\\", " R", " obj", "stream\r\n",
                            "endstream", "-", ".", "+", "99999999999999", "1e308", "\xFE\xFF"};
    int parsed = 0;
    int failures = 0;
    for (int round = 0; round < 300; ++round) {
        std::string bytes = sample;
        const int edits = 1 + static_cast<int>(random() % 8);
        for (int e = 0; e < edits && !bytes.empty(); ++e) {
            const size_t at = random() % bytes.size();
            switch (random() % 4) {
            case 0: bytes[at] = static_cast<char>(random() & 0xFF); break;
            case 1: bytes.erase(at, 1 + random() % 16); break;
            case 2: bytes.insert(at, tokens[random() % (sizeof tokens / sizeof *tokens)]); break;
            default: bytes.resize(at); break;
            }
        }
        OffsetLoader loader;
        TextParser p(bytes, &loader);
        loader.parser = &p.parser();
        for (size_t at = bytes.find(" 0 obj"); at != std::string::npos; at = bytes.find(" 0 obj", at + 1)) {
            size_t start = at;
            while (start > 0 && at - start < 9 && bytes[start - 1] >= '0' && bytes[start - 1] <= '9')
                --start;
            if (start < at)
                loader.offsets[std::stoi(bytes.substr(start, at - start))] = static_cast<int>(start);
        }
        // Walk the bytes as tokens, and read an indirect object wherever a header starts.
        Reader& r = p.reader();
        int position = 0;
        while (position < r.length()) {
            r.seek(position);
            try {
                if (p->isObjectHeader())
                    p->readIndirect(round % 2 == 0 ? Parser::LengthLookup::ThroughOwner
                                                   : Parser::LengthLookup::DirectOnly);
                else
                    p->readObject();
                ++parsed;
            } catch (const PdfException&) {
                ++failures;
            } catch (const NumberFormatException&) {
                ++failures;
            }
            position = std::max(position + 1, r.tell());
        }
    }
    EXPECT_GT(parsed, 1000);
    EXPECT_GT(failures, 10);
}
