#include "tests/zpdf/PdfBuilder.h"
#include "tests/zpdf/ZpdfTestUtil.h"
#include "zpdf/Exceptions.h"
#include "zpdf/Objects.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <tuple>

using namespace zpdf;

namespace {

std::string openError(const std::string& bytes)
{
    return messageOf<PdfException>([&] { openBytes(bytes); });
}

const XRefEntry& entryOf(const Document& doc, int number) { return *doc.loader()->xref().get(number); }

// Catalog, page tree and page in a classic table.
std::string onePageFile(const std::string& header = "%PDF-1.4\n")
{
    PdfBuilder b(header);
    b.onePage();
    b.finish({1, 2, 3}, "/Size 4 /Root 1 0 R");
    return b.bytes();
}

} // namespace

TEST(DocumentLoading, ClassicTableOpensLazily)
{
    const auto doc = openBytes(onePageFile("%PDF-1.7\n%\xe2\xe3\xcf\xd3\n"));
    EXPECT_EQ(toString(doc->version()), "1.7");
    EXPECT_EQ(doc->store().size(), 0) << "opening reads no object";
    EXPECT_EQ(doc->getPageCount(), 1);
    EXPECT_EQ(doc->store().size(), 2) << "the catalog and the page tree";
    EXPECT_EQ(doc->resolveObject(9, 0), nullptr);
    EXPECT_EQ(textOf(*doc, 3), "<<\r\n/MediaBox [0 0 612 792 ]\r\n/Parent 2 0 R\r\n/Type /Page\r\n>>");
    for (const char* header : {"%PDF-1,7\n", "%PDF1.7\n", " %PDF-1.7\n", "%PDF-x.y\n"})
        EXPECT_EQ(toString(openBytes(onePageFile(header))->version()), "1.4") << header;
}

TEST(DocumentLoading, FreeFormTables)
{
    // One section of two subsections, fields apart by any white space and
    // comments, entry lines not 20 bytes long.
    PdfBuilder b;
    b.onePage();
    const int xref = b.size();
    b.raw("xref\n0 1\n0 65535 f\n1 2 % the catalog and the tree\n" + std::to_string(b.offset(1)) + " 0 n\r" +
          std::to_string(b.offset(2)) + "\t0\nn 3 1\n\n" + std::to_string(b.offset(3)) + "   00000   n\r\n" +
          "trailer\n<< /Size 4 /Root 1 0 R >>\n");
    b.end(xref);
    const auto doc = openBytes(b.bytes());
    EXPECT_EQ(doc->loader()->xref().size(), 4);
    EXPECT_EQ(entryOf(*doc, 0).inUse, 0);
    EXPECT_EQ(entryOf(*doc, 0).generation, 65535);
    EXPECT_EQ(entryOf(*doc, 3).offset, b.offset(3));
    EXPECT_EQ(doc->getPageCount(), 1);
}

TEST(DocumentLoading, BrokenSectionsAndTheirMessages)
{
    // After three objects: a section, and startxref pointing at it
    // (intoObject2 < 0) or at object 2 moved by that many bytes. With a
    // catalog among the objects the scan opens the file; without one the
    // table's message stands.
    struct Case {
        const char* section;
        int intoObject2;
        const char* message;
    };
    const Case cases[] = {
        {"xref\n0 2\n0000000000 65535 f \n0000000009 00000 x \ntrailer\n<< /Size 2 >>\n", -1,
         "readXRef: state weder n noch f"},
        {"xref\n0 1\n0000000000 65535 f \n<< /Size 1 >>\n", -1, "trailer not found"},
        {"xref\n0 1\n0000000000 65535 f \ntrailer\n[/Size 1]\n", -1, "Could not read trailer"},
        {"", 3, "xref not found"},
        {"", 0, "No valid stream object"},
        {"xref\n0 1\n000000000x 65535 f \ntrailer\n<< /Size 1 >>\n", -1, "Could not read integer"},
    };
    for (const bool withCatalog : {false, true}) {
        for (const Case& c : cases) {
            PdfBuilder b;
            if (withCatalog) {
                b.onePage();
            } else {
                b.object(1, "<< /Pages 2 0 R >>");
                b.object(2, "<< /Type /Pages /Kids [3 0 R] /Count 1 >>");
                b.object(3, "<< /Type /Page /Parent 2 0 R >>");
            }
            const int section = b.size();
            b.raw(c.section);
            b.end(c.intoObject2 < 0 ? section : b.offset(2) + c.intoObject2);
            const std::string message = messageOf<std::exception>([&] { openBytes(b.bytes()); });
            if (withCatalog)
                EXPECT_EQ(openBytes(b.bytes())->getPageCount(), 1) << c.message;
            else
                EXPECT_EQ(message, c.message);
        }
    }
}

TEST(DocumentLoading, StartxrefOnlyInTheLastKilobyte)
{
    EXPECT_EQ(openBytes(onePageFile() + std::string(1000, ' '))->loader()->xref().size(), 4);
    EXPECT_EQ(openBytes(onePageFile() + std::string(1030, ' '))->loader()->xref().size(), 3)
        << "beyond it, the scan finds the objects";
    EXPECT_EQ(openError("%PDF-1.4\n1 0 obj\n(no document)\nendobj\n" + std::string(1030, ' ')),
              "startxref not found");
    EXPECT_EQ(openError(""), "startxref not found");
    EXPECT_EQ(messageOf<PdfException>([] { Document(ZString(L"/no/such/file.pdf")); }), "startxref not found");
}

TEST(DocumentLoading, IncrementalUpdateTakesTheNewerRevision)
{
    PdfBuilder b;
    b.onePage();
    const int first = b.table({1, 2, 3}, "/Size 4 /Root 1 0 R");
    b.end(first);
    b.object(3, "<< /Type /Page /Parent 2 0 R /Rotate 90 >>");
    b.object(4, "(added)");
    b.end(b.table({3, 4}, "/Size 5 /Root 1 0 R /Prev " + std::to_string(first), false));
    const auto doc = openBytes(b.bytes());
    EXPECT_EQ(entryOf(*doc, 3).offset, b.offset(3));
    EXPECT_EQ(doc->getPage(0)->dict()->getNumber(kRotate)->intValue(), 90);
    EXPECT_EQ(textOf(*doc, 4), "(added)");
    EXPECT_EQ(textOf(*doc, 1), "<<\r\n/Pages 2 0 R\r\n/Type /Catalog\r\n>>") << "older objects still load";
    EXPECT_EQ(doc->trailer()->getNumber(kSize)->intValue(), 5) << "the trailer at startxref is the document's";
}

TEST(DocumentLoading, HybridFileMergesTableThenPrevThenStream)
{
    PdfBuilder b;
    b.onePage();
    const int older7 = b.object(7, "(7 from Prev)");
    const int older8 = b.object(8, "(8 from Prev)");
    const int prev = b.tableOf({{0, -1}, {7, older7}, {8, older8}}, "/Size 9");
    const int stream7 = b.object(7, "(7 from the stream)");
    const int stream9 = b.object(9, "(9 from the stream)");
    const int newest8 = b.object(8, "(8 from the table)");
    const int xrefStm = b.xrefStream(10, {{1, stream7, 0}, {1, 0, 0}, {1, stream9, 0}}, {1, 4, 1}, "/Size 11 /Index [7 3]");
    b.end(b.tableOf({{0, -1}, {1, b.offset(1)}, {2, b.offset(2)}, {3, b.offset(3)}, {8, newest8}},
                    "/Size 11 /Root 1 0 R /Prev " + std::to_string(prev) + " /XRefStm " + std::to_string(xrefStm)));
    const auto doc = openBytes(b.bytes());
    EXPECT_EQ(textOf(*doc, 8), "(8 from the table)");
    EXPECT_EQ(textOf(*doc, 7), "(7 from Prev)") << "the Prev section comes before the XRefStm stream";
    EXPECT_EQ(textOf(*doc, 9), "(9 from the stream)");
    EXPECT_EQ(doc->getPageCount(), 1);
    EXPECT_TRUE(doc->trailer()->has(kXRefStm)) << "the table's trailer is the document's";
}

TEST(DocumentLoading, LoopingPrevChainIsReadOnce)
{
    PdfBuilder b;
    b.onePage();
    const int first = b.size();
    // Each section names the other as its predecessor, the last one itself.
    const int second = first + static_cast<int>(std::string("xref\n0 1\n0000000000 65535 f \n").size()) +
                       static_cast<int>(std::string("trailer\n<< /Size 4 /Root 1 0 R /Prev 000000 >>\n").size());
    char prevOfFirst[8];
    std::snprintf(prevOfFirst, sizeof prevOfFirst, "%06d", second);
    b.tableOf({{0, -1}}, std::string("/Size 4 /Root 1 0 R /Prev ") + prevOfFirst);
    ASSERT_EQ(b.size(), second);
    b.tableOf({{1, b.offset(1)}, {2, b.offset(2)}, {3, b.offset(3)}},
              "/Size 4 /Root 1 0 R /Prev " + std::to_string(first) + " /XRefStm " + std::to_string(second));
    b.end(first);
    const auto doc = openBytes(b.bytes());
    EXPECT_EQ(doc->loader()->xref().size(), 4);
    EXPECT_EQ(doc->getPageCount(), 1);
}

TEST(DocumentLoading, CrossReferenceStreams)
{
    // Without Index the rows cover 0 to Size - 1; W [1 2 0] gives every
    // in-use entry generation 0.
    PdfBuilder b("%PDF-1.5\n");
    b.onePage();
    const int at = b.size();
    b.xrefStream(4, {{0, 0, 0}, b.at(1), b.at(2), b.at(3), {1, at, 0}}, {1, 2, 0}, "/Size 5 /Root 1 0 R", false);
    b.end(at);
    const auto doc = openBytes(b.bytes());
    EXPECT_EQ(doc->loader()->xref().size(), 5);
    EXPECT_EQ(entryOf(*doc, 0).inUse, 0);
    for (int n = 1; n <= 3; ++n) {
        const XRefEntry& entry = entryOf(*doc, n);
        EXPECT_EQ(std::make_tuple(entry.offset, entry.generation, entry.inUse), std::make_tuple(b.offset(n), 0, 1));
    }
    EXPECT_EQ(serialise(*doc->trailer()->get(kIndex)), "[0 5 ]") << "Index [0 Size] was added";
    EXPECT_EQ(doc->getPageCount(), 1);

    // Up-predicted rows, several Index runs, a type-2 entry and W with a
    // missing first field (type 1 for every row).
    PdfBuilder p("%PDF-1.5\n");
    p.onePage();
    std::string rows;
    int above = 0;
    for (const int number : {1, 2, 3}) {
        // Up: each byte is stored as the difference to the byte above it.
        const int offset = p.offset(number);
        rows += std::string("\x02\x00\x00", 3) + static_cast<char>((offset >> 8) - (above >> 8)) +
                static_cast<char>((offset & 0xFF) - (above & 0xFF));
        above = offset;
    }
    p.end(p.stream(4, deflated(rows), " /Type /XRef /W [0 4 0] /Size 5 /Root 1 0 R /Index [1 1 2 2]"
                                      " /Filter /FlateDecode /DecodeParms << /Predictor 12 /Columns 4 >>"));
    const auto pdoc = openBytes(p.bytes());
    EXPECT_EQ(pdoc->loader()->xref().size(), 3);
    EXPECT_EQ(entryOf(*pdoc, 3).offset, p.offset(3));
    EXPECT_EQ(pdoc->getPageCount(), 1);

    const auto streamError = [](const std::string& dict, const std::vector<PdfBuilder::Row>& rows) {
        PdfBuilder e("%PDF-1.5\n");
        e.object(1, "<< /Type /Pages /Kids [] /Count 0 >>"); // no catalog: the scan finds no document
        const int x = e.size();
        e.xrefStream(4, rows, {1, 2, 1}, dict, false);
        e.end(x);
        return messageOf<std::exception>([&] { openBytes(e.bytes()); });
    };
    EXPECT_EQ(streamError("/Size 2 /Index [0 2 5]", {{0, 0, 0}, {1, 9, 0}}),
              "XRef::fromXRefStream: index size not a multiple of 2");
    EXPECT_EQ(streamError("/Size 2 /W [1 2]", {{0, 0, 0}, {1, 9, 0}}),
              "XRef::fromXRefStream: W nicht gesetzt oder W.length != 3");
    EXPECT_EQ(streamError("/Size 2", {{0, 0, 0}, {3, 9, 0}}), "XRef::fromXRefStream: Invalid type");
    EXPECT_EQ(streamError("/Size 3", {{0, 0, 0}, {1, 9, 0}}),
              "DataBuffer::readBytesAsInt() int kann nicht gelesen werden.")
        << "more rows promised than there are";
    EXPECT_EQ(streamError("/Size 1 /W [5 0 0]", {{0, 0, 0}, {0, 0, 0}}),
              "DataBuffer::readBytesAsInt() anzahl nicht g\xFCltig.");
}

TEST(DocumentLoading, StreamLengthByReference)
{
    PdfBuilder b;
    b.onePage(" /Contents 4 0 R");
    b.object(4, "<< /Length 5 0 R >>\nstream\nq 1 0 0 1 0 0 cm Q\nendstream");
    b.object(5, "18");
    b.object(6, "<< /Length 6 0 R >>\nstream\nown length\nendstream");
    b.finish({1, 2, 3, 4, 5, 6}, "/Size 7 /Root 1 0 R");
    const auto doc = openBytes(b.bytes());
    const IPtr<Object> contents = doc->resolveObject(4, 0);
    ASSERT_EQ(contents->type(), ObjectType::Stream);
    EXPECT_EQ(toString(static_cast<Stream*>(contents.get())->data()->bytes()), "q 1 0 0 1 0 0 cm Q");
    EXPECT_EQ(textOf(*doc, 5), "18");
    EXPECT_EQ(textOf(*doc, 3), "<<\r\n/Contents 4 0 R\r\n/MediaBox [0 0 612 792 ]\r\n/Parent 2 0 R\r\n/Type /Page\r\n>>")
        << "the reader went back to where it was";
    EXPECT_EQ(messageOf<PdfException>([&] { doc->resolveObject(6, 0); }), "readIndirect: Length nicht vorhanden")
        << "a stream whose Length is itself";
}

TEST(DocumentLoading, EntryPointingAtAnotherObject)
{
    // The page's entry leads to the page tree: the page is where the file
    // has it. Object 4 is nowhere.
    PdfBuilder b;
    b.onePage();
    b.end(b.tableOf({{0, -1}, {1, b.offset(1)}, {2, b.offset(2)}, {3, b.offset(2)}, {4, b.offset(2)}},
                    "/Size 5 /Root 1 0 R"));
    const auto doc = openBytes(b.bytes());
    EXPECT_EQ(doc->getPageCount(), 1);
    EXPECT_EQ(doc->getPage(0)->objectNumber(), 3);
    EXPECT_EQ(entryOf(*doc, 3).offset, b.offset(2)) << "the table stays as it is";
    EXPECT_EQ(messageOf<PdfException>([&] { doc->resolveObject(4, 0); }), "Invalid PDF format: loadObject, objNr mismatch");
}

TEST(DocumentLoading, GenerationOfTheHeaderDiffersFromTheReference)
{
    PdfBuilder b;
    b.object(1, "<< /Type /Catalog /Pages 2 0 R >>");
    b.object(2, "<< /Type /Pages /Kids [3 0 R 2 0 R] /Count 1 /Parent 2 0 R >>", 4);
    b.object(3, "<< /Type /Page /Parent 2 0 R >>", 1);
    b.finish({1, 2, 3}, "/Size 4 /Root 1 0 R");
    const auto doc = openBytes(b.bytes());
    EXPECT_EQ(doc->resolveObject(3, 0), doc->resolveObject(3, 0)) << "loaded once, found again";
    doc->getPage(0)->rotate(90, false);
    EXPECT_EQ(doc->getPage(1), nullptr) << "the tree's loop ends";
    EXPECT_EQ(doc->getPage(0)->getMediaBox(), nullptr) << "the Parent loop ends";
    EXPECT_NE(written(*doc).find("3 0 obj\r\n<<\r\n/Parent 2 0 R\r\n/Rotate 90\r\n"), std::string::npos)
        << "written as its references name it, with the change";
}

TEST(DocumentLoading, ObjectStreams)
{
    PdfBuilder b("%PDF-1.5\n");
    const std::string objects = "<< /Type /Catalog /Pages 2 0 R >> << /Type /Pages /Kids [3 0 R] /Count 1 >> "
                                "<< /Type /Page /Parent 2 0 R >> 42";
    const std::string pairs = "1 0 2 34 3 76 9 108 ";
    b.stream(4, deflated(pairs + objects), " /Type /ObjStm /N 4 /First " + std::to_string(pairs.size()) +
                                               " /Filter /FlateDecode");
    b.stream(5, "1 0 ", " /Type /ObjStm /N 1");
    const int at = b.size();
    b.xrefStream(6,
                 {{0, 0, 65535}, {2, 4, 0}, {2, 4, 1}, {2, 4, 2}, b.at(4), b.at(5), {1, at, 0}, {2, 6, 0}, {2, 5, 0},
                  {2, 4, 3}, {2, 4, 7}},
                 {1, 4, 2}, "/Size 11 /Root 1 0 R");
    b.end(at);
    const auto doc = openBytes(b.bytes());
    EXPECT_EQ(doc->getPageCount(), 1);
    EXPECT_EQ(doc->getPage(0)->objectNumber(), 3);
    EXPECT_EQ(textOf(*doc, 9), "42");
    EXPECT_EQ(textOf(*doc, 10), "null") << "an index beyond N";
    EXPECT_EQ(messageOf<PdfException>([&] { doc->resolveObject(11, 0); }), "") << "no table entry";
    EXPECT_EQ(textOf(*doc, 8), "null") << "an object stream without First";
    EXPECT_EQ(textOf(*doc, 7), "null") << "an object said to lie in a stream that is not one";
    const IPtr<Object> objstm = doc->resolveObject(4, 0);
    EXPECT_TRUE(static_cast<Stream*>(objstm.get())->dict()->has(kFilter)) << "the stored stream stays encoded";

    const auto all = openBytes(b.bytes());
    all->loader()->loadAll();
    for (const int n : {1, 2, 3, 4, 5, 6, 9})
        EXPECT_TRUE(all->store().has(n, 0)) << n;
    EXPECT_FALSE(all->store().has(10, 0));

    // A place in an object stream that holds no object.
    PdfBuilder broken("%PDF-1.5\n");
    broken.onePage();
    broken.stream(4, "7 0 ]", " /Type /ObjStm /N 1 /First 4");
    const int x = broken.size();
    broken.xrefStream(5, {{0, 0, 0}, broken.at(1), broken.at(2), broken.at(3), broken.at(4), {1, x, 0}, {0, 0, 0},
                          {2, 4, 0}},
                      {1, 4, 1}, "/Size 8 /Root 1 0 R");
    broken.end(x);
    const auto bad = openBytes(broken.bytes());
    EXPECT_EQ(textOf(*bad, 7), "null");
    EXPECT_EQ(messageOf<PdfException>([&] { bad->loader()->loadAll(); }), "object stream error");
}
