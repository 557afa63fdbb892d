#include "tests/zpdf/PdfBuilder.h"
#include "tests/zpdf/ZpdfTestUtil.h"
#include "zpdf/Exceptions.h"
#include "zpdf/Objects.h"

#include <gtest/gtest.h>

using namespace zpdf;

namespace {

// Two pages (the second rotated), an information dictionary and a content
// stream whose Length is given by reference; a classic table whose entries
// are moved by shift bytes.
PdfBuilder twoPages(int shift, std::string& table)
{
    PdfBuilder b;
    b.object(1, "<< /Type /Catalog /Pages 2 0 R >>");
    b.object(2, "<< /Type /Pages /Kids [3 0 R 4 0 R] /Count 2 >>");
    b.object(3, "<< /Type /Page /Parent 2 0 R /Contents 5 0 R >>");
    b.object(4, "<< /Type /Page /Parent 2 0 R /Rotate 90 >>");
    b.object(5, "<< /Length 6 0 R >>\nstream\nq Q endobj 9 0 obj\nendstream");
    b.object(6, "18");
    b.object(7, "<< /Title (Repaired) >>");
    std::vector<std::pair<int, int>> entries{{0, -1}};
    for (int n = 1; n <= 7; ++n)
        entries.emplace_back(n, b.offset(n) + shift);
    const int at = b.size();
    b.tableOf(entries, "/Size 8 /Root 1 0 R /Info 7 0 R");
    table = b.bytes().substr(static_cast<size_t>(at));
    b.end(at);
    return b;
}

std::string titleOf(Document& doc)
{
    DocumentInfo info;
    doc.readInfo(info);
    EXPECT_EQ(info.error, L"");
    return info.title.toUtf8();
}

void expectTwoPages(Document& doc, const std::string& title, const char* what)
{
    EXPECT_EQ(doc.getPageCount(), 2) << what;
    EXPECT_EQ(doc.getPage(1)->dict()->getNumber(kRotate)->intValue(), 90) << what;
    EXPECT_EQ(textOf(doc, 5).substr(0, 21), "<<\r\n/Length 6 0 R\r\n>>") << what;
    EXPECT_EQ(titleOf(doc), title) << what;
    EXPECT_EQ(textOf(doc, 9), "null") << what << ": a header inside stream data is none";
    // Rewritten, the file loads by its table again.
    const auto rewritten = openBytes(written(doc));
    EXPECT_EQ(rewritten->getPageCount(), 2) << what;
    EXPECT_EQ(titleOf(*rewritten), title) << what;
}

std::string replaced(std::string bytes, const std::string& from, const std::string& to)
{
    const size_t at = bytes.rfind(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? bytes : bytes.replace(at, from.size(), to);
}

} // namespace

TEST(DocumentRepair, BrokenTablesOpenFromTheObjectsInTheFile)
{
    std::string table;
    const std::string good = twoPages(0, table).bytes();
    const std::string cut = good.substr(0, good.rfind("startxref"));
    expectTwoPages(*openBytes(cut), "Repaired", "startxref cut off");
    expectTwoPages(*openBytes(replaced(good, "xref\n0 8", "0 8")), "Repaired", "no xref keyword");
    expectTwoPages(*openBytes(replaced(good, "startxref\n", "startxref\n1")), "Repaired", "startxref elsewhere");
    expectTwoPages(*openBytes(replaced(good, table, "")), "", "neither table nor trailer: the catalog");

    // Every entry 10 bytes off: the table and its trailer stay, the objects
    // come from where they are.
    const auto shifted = openBytes(twoPages(10, table).bytes());
    expectTwoPages(*shifted, "Repaired", "entries shifted");
    EXPECT_EQ(shifted->loader()->xref().get(1)->offset, 19);
    const auto back = openBytes(twoPages(-5, table).bytes());
    expectTwoPages(*back, "Repaired", "entries shifted back");

    // A string left open hides no object after it.
    PdfBuilder open;
    open.object(9, "(left open");
    open.onePage();
    EXPECT_EQ(openBytes(open.bytes())->getPageCount(), 1);

    // A file that loads by its table does not scan: an entry leading nowhere
    // is still no object.
    PdfBuilder b;
    b.onePage();
    b.end(b.tableOf({{0, -1}, {1, b.offset(1)}, {2, b.offset(2)}, {3, b.offset(3)}, {4, 0}}, "/Size 5 /Root 1 0 R"));
    EXPECT_EQ(textOf(*openBytes(b.bytes()), 4), "null");
}

TEST(DocumentRepair, LaterDefinitionsAndObjectStreams)
{
    // An incremental update (page rotated, title changed) whose startxref
    // leads nowhere: the newer objects count.
    PdfBuilder b;
    b.onePage();
    b.object(4, "<< /Title (Old) >>");
    b.end(b.table({1, 2, 3, 4}, "/Size 5 /Root 1 0 R /Info 4 0 R"));
    b.object(3, "<< /Type /Page /Parent 2 0 R /Rotate 270 >>");
    b.object(4, "<< /Title (New) >>");
    b.raw("trailer\n<< /Size 5 /Root 1 0 R /Info 4 0 R >>\n");
    b.end(b.size() + 100);
    const auto updated = openBytes(b.bytes());
    EXPECT_EQ(updated->getPage(0)->dict()->getNumber(kRotate)->intValue(), 270);
    EXPECT_EQ(titleOf(*updated), "New");

    // Objects in object streams, the cross-reference stream's dictionary as
    // the trailer; an object defined again after its stream counts, one
    // defined before it does not.
    PdfBuilder s("%PDF-1.5\n");
    s.object(3, "<< /Type /Page /Parent 2 0 R /Rotate 180 >>");
    s.object(5, "(plain before)");
    const std::string objects = "<< /Type /Catalog /Pages 2 0 R >> << /Type /Pages /Kids [3 0 R] /Count 1 >> "
                                "<< /Type /Page /Parent 2 0 R >> (packed) (packed)";
    const std::string pairs = "1 0 2 34 3 76 5 108 6 117 ";
    s.stream(4, deflated(pairs + objects),
             " /Type /ObjStm /N 5 /First " + std::to_string(pairs.size()) + " /Filter /FlateDecode");
    s.object(6, "(plain after)");
    s.xrefStream(7, {{0, 0, 0}}, {1, 4, 2}, "/Size 8 /Root 1 0 R /Index [0 1]");
    const auto packed = openBytes(s.bytes());
    EXPECT_EQ(packed->getPageCount(), 1);
    EXPECT_FALSE(packed->getPage(0)->dict()->has(kRotate)) << "the page in the stream is the later one";
    EXPECT_EQ(textOf(*packed, 5), "(packed)");
    EXPECT_EQ(textOf(*packed, 6), "(plain after)");
    EXPECT_EQ(packed->trailer()->getNumber(kSize)->intValue(), 8);

    // Without the cross-reference stream: the catalog in the object stream.
    const std::string bytes = s.bytes();
    const auto bare = openBytes(bytes.substr(0, bytes.rfind("7 0 obj")));
    EXPECT_EQ(bare->getPageCount(), 1);
    EXPECT_EQ(textOf(*bare, 6), "(plain after)");
}
