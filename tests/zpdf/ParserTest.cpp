#include "tests/zpdf/ZpdfTestUtil.h"
#include "zpdf/Exceptions.h"
#include "zpdf/Objects.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <tuple>

using namespace zpdf;

namespace {

using Lookup = Parser::LengthLookup;

// The message of the PdfException reading the text throws: one object, or
// an indirect object when a lookup is given.
std::string pdfMessage(const std::string& text, const Lookup* lookup = nullptr)
{
    TextParser p(text);
    return messageOf<PdfException>([&] { lookup ? p->readIndirect(*lookup) : p->readObject(); });
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
        return inner(parser->readIndirect());
    }
    static IPtr<Object> inner(const IPtr<Object>& indirect) { return static_cast<Indirect*>(indirect.get())->object(); }
};

// The data of the stream an indirect object holds, as text.
std::string streamText(const IPtr<Object>& indirect)
{
    return toString(static_cast<Stream*>(OffsetLoader::inner(indirect).get())->data()->bytes());
}

} // namespace

TEST(ParserTokens, CommentsBetweenAnyTokens)
{
    TextParser p("%head\n1%a\n0%b\nobj%c\n<<%d\n/Type%e\n/Page%f\n/Kids%g\n[%h\n4%i\n0%j\nR%k\n(s)%l\n]"
                 "%m\n/Length%n\n3%o\n>>%p\nstream\r\nabc%q\r\n%r\nendstream");
    const IPtr<Object> indirect = p->readIndirect();
    EXPECT_EQ(serialise(*OffsetLoader::inner(indirect)->toDict()),
              "<<\r\n/Kids [4 0 R (s) ]\r\n/Length 3\r\n/Type /Page\r\n>>");
    EXPECT_EQ(streamText(indirect), "abc");
    EXPECT_EQ(p.reader().peekByte(), -1);
}

TEST(ParserTokens, NamesStringsAndReferences)
{
    // Names end at delimiters only.
    EXPECT_EQ(serialise(*parseObject("<</Kids[1 2]/Type/Page/T(x)/D<</F 1>>/H<41>/N%c\n/E/Z/Y>>")),
              "<<\r\n/D <<\r\n/F 1\r\n>>\r\n/H <41>\r\n/Kids [1 2 ]\r\n/N /E\r\n/T (x)\r\n/Type /Page\r\n/Z /Y\r\n>>");
    const std::pair<const char*, const char*> cases[] = {
        {"[/A]", "[/A ]"}, {"/A{", "/A"}, {"/A\x01" "B ", "/A\x01" "B"},
        {"(unbalanced (", "(unbalanced ("}, {"<41", "<41"}, // the end of the data ends a string
    };
    for (const auto& [text, bytes] : cases)
        EXPECT_EQ(serialise(*parseObject(text)), bytes) << text;

    TextParser p("(a (b (c)) \\) d\\\\)/N <0A1 f>[(x)]");
    for (const char* bytes : {"(a (b (c)) \\) d\\\\)", "/N", "<0A1 f>", "[(x) ]"})
        EXPECT_EQ(serialise(*p->readObject()), bytes);

    const IPtr<Array> array = parseObject("[1 0 R 2 0 3 4 5 R 6 7 12%c\n0%c\nR 1.0 0]")->toArray();
    std::string kinds;
    for (const IPtr<Object>& element : *array)
        kinds += element->type() == ObjectType::Reference ? 'R' : 'N';
    EXPECT_EQ(kinds, "RNNNRNNRNN");
    EXPECT_EQ(serialise(*array), "[1 0 R 2 0 3 4 5 R 6 7 12 0 R 1 0 ]");
    OffsetLoader owner;
    const IPtr<Object> ref = TextParser("9 0 R", &owner)->readObject();
    EXPECT_EQ(static_cast<Reference*>(ref.get())->owner(), &owner) << "references get the parser's owner";
}

TEST(ParserTokens, KeywordsTrailerAndNothing)
{
    TextParser p("true false null");
    EXPECT_EQ(serialise(*p->readObject()), "true");
    EXPECT_EQ(serialise(*p->readObject()), "false");
    EXPECT_EQ(p->readObject().get(), Null::instance().get());
    EXPECT_FALSE(p->readObject()) << "end of data";
    for (const char* text : {"", "  %only a comment", "]", ">>", ")", "endobj", "R", "-"})
        EXPECT_FALSE(parseObject(text)) << text;

    TextParser trailer("trailer %c\r\n<< /Size 3 /Root 1 0 R >>\r\nstartxref\r\n%c\r\n 1234\r\n%%EOF");
    EXPECT_EQ(serialise(*trailer->readTrailer()), "trailer\r\n<<\r\n/Root 1 0 R\r\n/Size 3\r\n>>");
    trailer.reader().skipWsAndComments();
    EXPECT_EQ(trailer->readStartXRef()->offset(), 1234);
    EXPECT_FALSE(TextParser("trailer 12")->readTrailer());
}

TEST(ParserErrors, MessagesWordForWord)
{
    const std::pair<const char*, const char*> objects[] = {
        {"<< /Type >>", "readDictionary: Es konnte kein Object gelesen werden"},
        {"<</Type>>", "readDictionary: Es konnte kein Object gelesen werden"},
        {"<< 1 2 >>", "readDictionary: Name konnte nicht gelesen werden"},
        {"<< /A 1", "readDictionary: Name konnte nicht gelesen werden"},
        {"[1 2", "readArray: Fehler beim Lesen von Array Elementen"},
        {"[1 )]", "readArray: Fehler beim Lesen von Array Elementen"},
        {"/ x", "readName: Konnte Name nicht lesen"},
    };
    for (const auto& [text, message] : objects)
        EXPECT_EQ(pdfMessage(text), message) << text;
    EXPECT_EQ(messageOf<PdfException>([] { TextParser("x")->readString(); }),
              "readString: String beginnt nicht mit '(' oder '<'");

    // Indirect objects, with the Length loaded through the owner and without.
    const char* missing = "readIndirect: Length nicht vorhanden";
    const char* notSet = "readIndirect: Length nicht gesetzt oder Length keine Nummer";
    const std::tuple<std::string, const char*, const char*> indirect[] = {
        {"1 0 obj ] endobj", "readIndirect: Konnte kein Object lesen", "readIndirect: Konnte Object nicht lesen"},
        {"1 0 obj << >> stream\r\n\r\nendstream", missing, notSet},
        {"1 0 obj << /Length 9 0 R >> stream\r\n\r\nendstream", missing, notSet}, // a reference that loads nothing
        {"1 0 obj << /Length (3) >> stream\r\nabc\r\nendstream", notSet, notSet},
    };
    const Lookup owner = Lookup::ThroughOwner, direct = Lookup::DirectOnly;
    for (const auto& [text, throughOwner, directOnly] : indirect) {
        EXPECT_EQ(pdfMessage(text, &owner), throughOwner) << text;
        EXPECT_EQ(pdfMessage(text, &direct), directOnly) << text;
    }
    EXPECT_EQ(messageOf<NumberFormatException>([] { TextParser("x 0 obj 1")->readIndirect(); }),
              "Could not read integer");
}

TEST(ParserStreams, WrongLengthIsCorrectedFromEndstream)
{
    // Too long, too short, and beyond the end of the data: the data ends
    // before the first "endstream", and Length says so.
    const std::tuple<const char*, const char*> cases[] = {
        {"1 0 obj << /Length 10 >> stream\nabc\nendstream\nendobj", "abc"},
        {"1 0 obj << /Length 2 >> stream\r\nabc def\r\nendstream\nendobj", "abc def"},
        {"1 0 obj << /Length 900 >> stream\nx\rendstream", "x"},
    };
    for (const auto& [text, data] : cases) {
        TextParser p(text);
        const IPtr<Object> read = p->readIndirect();
        EXPECT_EQ(streamText(read), data) << text;
        const auto* stream = static_cast<const Stream*>(static_cast<Indirect*>(read.get())->object().get());
        EXPECT_EQ(stream->dict()->getNumber(kLength)->intValue(), static_cast<int>(std::strlen(data))) << text;
        EXPECT_TRUE(p.reader().peekMatches("\nendobj") || p.reader().peekByte() < 0) << text;
    }

    // No "endstream" at all.
    TextParser p("1 0 obj << /Length 3 >> stream\nabc\nendobj 2 0 obj");
    testing::internal::CaptureStdout();
    const std::string message = messageOf<PdfException>([&] { p->readIndirect(); });
    const std::string shown = testing::internal::GetCapturedStdout();
    EXPECT_EQ(message, "readStreamData: endstream not found");
    const std::string stars(37, '*');
    EXPECT_EQ(shown, "\r\n" + stars + "\r\nendobj 2 0 obj\r\n" + stars + "\r\n");
    EXPECT_EQ(p.reader().tell(), 35) << "the reader stays where endstream was missing";
}

TEST(ParserStreams, OneLineEndAfterTheKeyword)
{
    for (const char* eol : {"\r\n", "\n", "\r"}) {
        TextParser p(std::string("5 0 obj <</Length 4>> stream") + eol + "\r\nab\nendstream endobj");
        EXPECT_EQ(streamText(p->readIndirect()), "\r\nab") << "only one line end is skipped";
    }
    for (const char* length : {"0", "-4"}) {
        TextParser empty(std::string("5 0 obj <</Length ") + length + ">>\nstream\r\nendstream");
        EXPECT_EQ(streamText(empty->readIndirect()), "") << length;
    }
}

TEST(ParserStreams, LengthByReferenceLoadedThroughTheOwner)
{
    const std::string text = "1 0 obj\r\n<< /Length 2 0 R >>\r\nstream\r\nhello\r\nendstream\r\nendobj\r\n"
                             "2 0 obj\r\n5\r\nendobj\r\n";
    OffsetLoader loader;
    TextParser p(text, &loader);
    loader.parser = &p.parser();
    loader.offsets[2] = static_cast<int>(text.find("2 0 obj"));
    EXPECT_EQ(streamText(p->readIndirect()), "hello");
    EXPECT_EQ(loader.loads, 1);
    EXPECT_EQ(p.reader().tell(), static_cast<int>(text.find("\r\nendobj")))
        << "the reader resumed after the dictionary it was reading";

    // Lengths that refer to each other end in an exception, not in a stack overflow.
    const std::string cycle = "1 0 obj << /Length 2 0 R >> stream\r\nx\r\nendstream endobj "
                              "2 0 obj << /Length 1 0 R >> stream\r\nx\r\nendstream endobj";
    OffsetLoader cyclic;
    TextParser c(cycle, &cyclic);
    cyclic.parser = &c.parser();
    cyclic.offsets = {{1, 0}, {2, static_cast<int>(cycle.find("2 0 obj"))}};
    EXPECT_EQ(messageOf<PdfException>([&] { c->readIndirect(); }), "readObject: Objekte zu tief verschachtelt");
}

TEST(ParserLimits, NestingIsBounded)
{
    const std::string nested = std::string(Parser::kMaxDepth, '[') + std::string(Parser::kMaxDepth, ']');
    EXPECT_EQ(parseObject(nested)->type(), ObjectType::Array);
    std::string dicts;
    for (int i = 0; i < 5000; ++i)
        dicts += "<</A ";
    for (const std::string& deep : {"[" + nested, std::string(200000, '['), dicts})
        EXPECT_EQ(pdfMessage(deep), "readObject: Objekte zu tief verschachtelt");

    // A failed parse leaves the parser usable at full depth.
    TextParser p(std::string(1000, '[') + " " + nested);
    EXPECT_ANY_THROW(p->readObject());
    p.reader().seek(1001);
    EXPECT_EQ(p->readObject()->type(), ObjectType::Array);
}
