#include "tests/support/TestSupport.h"
#include "tests/zpdf/Ghostscript.h"
#include "tests/zpdf/PdfBuilder.h"
#include "tests/zpdf/ZpdfTestUtil.h"
#include "zpdf/Exceptions.h"
#include "zpdf/Objects.h"
#include "zpdf/Writer.h"

#include <gtest/gtest.h>

using namespace zpdf;

namespace {

std::string written(Document& doc)
{
    BufferWriter writer;
    doc.write(writer);
    return toString(writer.buffer());
}

// The cross-reference table of written bytes, from "xref" up to "trailer".
std::string tableOf(const std::string& pdf)
{
    const size_t at = pdf.rfind("\r\nxref\r\n") + 2;
    return pdf.substr(at, pdf.find("trailer", at) - at);
}

std::string trailerOf(const std::string& pdf) { return pdf.substr(pdf.rfind("trailer")); }

// Page tree: 2 -> [4 -> [5, 6 -> [7, 8]], 9, <<direct page>>], page numbers
// in document order 5, 7, 8, 9 and the direct one.
std::string nestedTree(const std::string& extraKid = "", const std::string& page9 = "")
{
    PdfBuilder b;
    b.object(1, "<< /Type /Catalog /Pages 2 0 R >>");
    b.object(2, "<< /Type /Pages /Kids [4 0 R 9 0 R << /Type /Page /Parent 2 0 R /T (direct) >>] /Count 5"
                " /MediaBox [0 0 100 200] >>");
    b.object(4, "<< /Type /Pages /Parent 2 0 R /Kids [5 0 R 6 0 R" + extraKid + "] /Count 3 >>");
    b.object(5, "<< /Type /Page /Parent 4 0 R /T (p5) >>");
    b.object(6, "<< /Type /Pages /Parent 4 0 R /Kids [7 0 R 8 0 R] /Count 2 >>");
    b.object(7, "<< /Type /Page /Parent 6 0 R /T (p7) /MediaBox [0 0 300 400] >>");
    b.object(8, "<< /Type /Page /Parent 6 0 R /T (p8) >>");
    b.object(9, page9.empty() ? "<< /Type /Page /Parent 2 0 R /T (p9) >>" : page9);
    b.end(b.table({1, 2, 4, 5, 6, 7, 8, 9}, "/Size 10 /Root 1 0 R"));
    return b.bytes();
}

std::string titleOf(const SharedRef<Page>& page)
{
    return page ? serialise(*page->dict()->get(kT)) : "none";
}

int rotation(const Page& page)
{
    const IPtr<Number> r = page.dict()->getNumber(kRotate);
    return r ? r->intValue() : 999;
}

} // namespace

TEST(DocumentWriting, EmptyDocument)
{
    Document doc;
    EXPECT_EQ(doc.getPageCount(), 0);
    EXPECT_EQ(doc.getPage(0), nullptr);
    const std::string pdf = written(doc);
    EXPECT_EQ(pdf.substr(0, 17), "%PDF-1.4\r\n%\xE2\xE3\xCF\xD3\r\n");
    EXPECT_NE(pdf.find("1 0 obj\r\n<<\r\n/Count 0\r\n/Kids []\r\n/Type /Pages\r\n>>\r\nendobj\r\n"), std::string::npos);
    EXPECT_NE(pdf.find("2 0 obj\r\n<<\r\n/Pages 1 0 R\r\n/Type /Catalog\r\n>>\r\nendobj\r\n"), std::string::npos);
    const std::string table = tableOf(pdf);
    EXPECT_EQ(table.substr(0, 31), "xref\r\n0 3\r\n0000000000 65535 f\r\n");
    EXPECT_EQ(table.size(), 11u + 3 * 20);
    EXPECT_EQ(trailerOf(pdf), "trailer\r\n<<\r\n/Root 2 0 R\r\n/Size 3\r\n>>\r\nstartxref\r\n" +
                                  std::to_string(pdf.rfind("\r\nxref\r\n") + 2) + "\r\n%%EOF");
    EXPECT_EQ(table.substr(31, 20), "0000000017 00000 n\r\n") << "object 1 follows the header";

    const auto reread = openBytes(pdf);
    EXPECT_EQ(reread->getPageCount(), 0);
    EXPECT_EQ(written(*reread), pdf) << "a written file writes back the same";
}

TEST(DocumentWriting, FreeEntriesChainBackwards)
{
    Document doc;
    const IPtr<Dict> catalog = doc.getRoot();
    IPtr<Array> extra(new Array());
    for (int i = 0; i < 3; ++i)
        extra->append(doc.newObject(IPtr<Object>(new Number(i)))->asReference());
    catalog->set(kKids, extra);
    EXPECT_EQ(serialise(*extra), "[3 0 R 4 0 R 5 0 R ]");
    doc.store().remove(3, 0);
    doc.store().remove(4, 0);
    const std::string pdf = written(doc);
    const std::string table = tableOf(pdf);
    EXPECT_EQ(table.substr(6, 5), "0 6\r\n");
    EXPECT_EQ(table.substr(11 + 3 * 20, 40), "0000000000 00000 f\r\n0000000003 00000 f\r\n");
    EXPECT_EQ(table.substr(11, 20), "0000000000 65535 f\r\n");
    EXPECT_NE(trailerOf(pdf).find("/Size 6\r\n"), std::string::npos);
    EXPECT_NE(pdf.find("5 0 obj\r\n2\r\nendobj"), std::string::npos);
}

TEST(DocumentWriting, DropsWhatNothingReaches)
{
    PdfBuilder b;
    b.object(1, "<< /Type /Catalog /Pages 2 0 R >>");
    b.object(2, "<< /Type /Pages /Kids [3 0 R 4 0 R] /Count 2 >>");
    b.object(3, "<< /Type /Page /Parent 2 0 R /Contents 5 0 R >>");
    b.object(4, "<< /Type /Page /Parent 2 0 R /Contents 6 0 R >>");
    b.stream(5, "0 0 m 10 10 l S");
    b.stream(6, deflated("old page"), " /Filter /FlateDecode");
    b.object(7, "(never referenced)");
    b.end(b.table({1, 2, 3, 4, 5, 6, 7}, "/Size 8 /Root 1 0 R /Info 8 0 R /ID [<01> <02>] /Extra (x)"));
    const auto doc = openBytes(b.bytes());
    const IPtr<Dict> pages = doc->getPagesDict();
    IPtr<Array> kids(new Array());
    kids->append(pages->getArray(kKids)->at(0));
    pages->set(kKids, kids);
    pages->set(kCount, IPtr<Object>(new Number(1)));
    EXPECT_TRUE(doc->store().has(2, 0));

    const std::string pdf = written(*doc);
    EXPECT_EQ(pdf.find("4 0 obj"), std::string::npos) << "the removed page";
    EXPECT_EQ(pdf.find("6 0 obj"), std::string::npos) << "and its contents";
    EXPECT_EQ(pdf.find("7 0 obj"), std::string::npos);
    EXPECT_NE(pdf.find("5 0 obj\r\n<<\r\n/Filter /FlateDecode\r\n/Length "), std::string::npos)
        << "a stream without a filter is compressed";
    EXPECT_EQ(trailerOf(pdf).substr(0, 79),
              "trailer\r\n<<\r\n/ID [<01> <02> ]\r\n/Info 8 0 R\r\n/Root 1 0 R\r\n/Size 6\r\n>>\r\nstartxref")
        << "Size, ID, Info and Root, nothing else";
    EXPECT_FALSE(doc->store().has(7, 0));
    EXPECT_EQ(written(*doc), pdf) << "writing twice gives the same bytes";

    const auto reread = openBytes(pdf);
    EXPECT_EQ(reread->getPageCount(), 1);
    const IPtr<Object> contents = reread->resolveObject(5, 0);
    static_cast<Stream*>(contents.get())->removeFilter();
    EXPECT_EQ(toString(static_cast<Stream*>(contents.get())->data()->bytes()), "0 0 m 10 10 l S");
    EXPECT_EQ(reread->loader()->xref().get(4)->inUse, 0);
}

TEST(DocumentWriting, EncryptedStreamsStayAsTheyAre)
{
    PdfBuilder b;
    b.object(1, "<< /Type /Catalog /Pages 2 0 R >>");
    b.object(2, "<< /Type /Pages /Kids [] /Count 0 /X 3 0 R >>");
    b.stream(3, "\x8f\x12 encrypted bytes");
    b.object(4, "<< /Filter /Standard /V 2 /Length 128 /P -44 /R 3 /O <00> /U <00> >>");
    b.end(b.table({1, 2, 3, 4}, "/Size 5 /Root 1 0 R /Encrypt 4 0 R /ID [<01> <01>]"));
    const std::string pdf = written(*openBytes(b.bytes()));
    EXPECT_NE(pdf.find("<<\r\n/Length 18\r\n>>\r\nstream\r\n\x8f\x12 encrypted bytes\r\nendstream"), std::string::npos);
    EXPECT_NE(trailerOf(pdf).find("/Encrypt 4 0 R\r\n"), std::string::npos);
}

TEST(DocumentPages, DepthFirstInDocumentOrder)
{
    const auto doc = openBytes(nestedTree());
    EXPECT_EQ(doc->getPageCount(), 5);
    const char* expected[] = {"(p5)", "(p7)", "(p8)", "(p9)", "(direct)"};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(titleOf(doc->getPage(i)), expected[i]) << i;
    EXPECT_EQ(doc->getPage(5), nullptr);
    EXPECT_EQ(doc->getPage(-1), nullptr);
    EXPECT_EQ(titleOf(doc->getPage(2)), "(p8)") << "going back starts the walk afresh";
    EXPECT_EQ(titleOf(doc->getPage(3)), "(p9)");
    EXPECT_EQ(doc->getPage(1)->objectNumber(), 7);
    EXPECT_EQ(doc->getPage(4)->objectNumber(), 0);
    EXPECT_EQ(doc->getPage(1)->node()->type(), ObjectType::Reference);

    const auto broken = openBytes(nestedTree("", "<< /Type /Font >>"));
    EXPECT_EQ(titleOf(broken->getPage(2)), "(p8)");
    EXPECT_EQ(broken->getPage(3), nullptr) << "a node of another type ends the walk";
    EXPECT_EQ(broken->getPage(4), nullptr);
}

TEST(DocumentPages, CyclesEndTheWalk)
{
    // 6 lists its grandparent 2 among its kids, and 4 lists itself.
    const auto doc = openBytes(nestedTree(" 4 0 R 2 0 R"));
    int pages = 0;
    while (doc->getPage(pages) && pages < 100)
        ++pages;
    EXPECT_EQ(pages, 5);

    // A Parent chain 8 -> 6 -> 4 -> 6 that never meets a MediaBox.
    PdfBuilder b;
    b.object(1, "<< /Type /Catalog /Pages 4 0 R >>");
    b.object(4, "<< /Type /Pages /Kids [6 0 R] /Count 1 /Parent 6 0 R >>");
    b.object(6, "<< /Type /Pages /Kids [8 0 R] /Count 1 /Parent 4 0 R >>");
    b.object(8, "<< /Type /Page /Parent 6 0 R >>");
    b.object(9, "<< /Type /Page /Parent 9 0 R >>");
    b.end(b.table({1, 4, 6, 8, 9}, "/Size 10 /Root 1 0 R"));
    const auto loop = openBytes(b.bytes());
    ASSERT_NE(loop->getPage(0), nullptr);
    EXPECT_EQ(loop->getPage(0)->getMediaBox(), nullptr);
    const Page self(IPtr<Object>(), loop->resolveObject(9, 0)->toDict(), 9);
    EXPECT_EQ(self.getMediaBox(), nullptr);
}

TEST(DocumentPages, MediaBoxIsInherited)
{
    const auto doc = openBytes(nestedTree());
    const IPtr<Rectangle> own = doc->getPage(1)->getMediaBox();
    EXPECT_EQ(own->right(), 300);
    EXPECT_EQ(own->top(), 400);
    const IPtr<Rectangle> inherited = doc->getPage(2)->getMediaBox();
    ASSERT_NE(inherited, nullptr);
    EXPECT_EQ(inherited->right(), 100) << "from the root two levels up";
    EXPECT_EQ(inherited->top(), 200);
}

TEST(DocumentPages, RotateRelativeAndAbsolute)
{
    const auto doc = openBytes(nestedTree("", "<< /Type /Page /Parent 2 0 R /T (p9) /Rotate 270 >>"));
    const SharedRef<Page> page = doc->getPage(3);
    page->rotate(90, false);
    EXPECT_EQ(rotation(*page), 0);
    page->rotate(-90, false);
    EXPECT_EQ(rotation(*page), -90);
    page->rotate(-450, false);
    EXPECT_EQ(rotation(*page), -180) << "the remainder keeps the sign";
    page->rotate(0, false);
    EXPECT_EQ(rotation(*page), -180);
    page->rotate(-90, true);
    EXPECT_EQ(rotation(*page), -90);
    page->rotate(0, true);
    EXPECT_EQ(rotation(*page), 0);

    const SharedRef<Page> plain = doc->getPage(0);
    plain->rotate(0, false);
    EXPECT_FALSE(plain->dict()->has(kRotate)) << "a relative 0 changes nothing";
    plain->rotate(450, false);
    EXPECT_EQ(rotation(*plain), 90);
    EXPECT_EQ(serialise(*plain->dict()->get(kRotate)), "90");

    EXPECT_EQ(rotation(*openBytes(written(*doc))->getPage(0)), 90) << "the rotation is written";
}

TEST(DocumentPages, BlankPagesAndNewObjects)
{
    Document doc;
    const SharedRef<Page> page = doc.addPage(595, 842);
    EXPECT_EQ(doc.getPageCount(), 1);
    EXPECT_EQ(serialise(*page->dict()->get(kMediaBox)), "[0 0 595 842 ]");
    EXPECT_EQ(serialise(*page->dict()->get(kParent)), "1 0 R");
    EXPECT_EQ(doc.getPage(0)->objectNumber(), 4) << "after the pages (1), catalog (2) and contents (3)";
    doc.addPage(100, 50);
    EXPECT_EQ(doc.getPageCount(), 2);
    EXPECT_EQ(doc.getPage(1)->getMediaBox()->top(), 50);
    EXPECT_EQ(serialise(*doc.getPagesDict()->get(kCount)), "2");

    const auto reread = openBytes(written(doc));
    EXPECT_EQ(reread->getPageCount(), 2);
    const IPtr<Object> contents = reread->getPage(0)->dict()->get(kContents)->resolve();
    ASSERT_EQ(contents->type(), ObjectType::Stream);
    static_cast<Stream*>(contents.get())->removeFilter();
    EXPECT_EQ(static_cast<Stream*>(contents.get())->data()->bytes().length(), 0);
    EXPECT_EQ(reread->newObject(IPtr<Object>(new Bool(true)))->number(), 7) << "after the table's highest number";

    const IPtr<Dict> info = doc.getInfoDict(true);
    EXPECT_TRUE(doc.trailer()->has(kInfo));
    EXPECT_EQ(doc.getInfoDict(false), info);
    EXPECT_EQ(doc.getEncryptDict(false), nullptr);
}

TEST(DocumentInformation, PlainEncryptedAndBroken)
{
    PdfBuilder b;
    b.object(1, "<< /Type /Catalog /Pages 2 0 R >>");
    b.object(2, "<< /Type /Pages /Kids [] /Count 12 >>");
    b.object(3, "<< /Title (Caf\\351) /Producer <FEFF0050006C00FC0073> /Author " +
                    std::string("(\xfe\xff\0A\0B)", 8) + " /Creator 7 >>");
    b.object(4, "<< /V 2 /Length 128 /P -44 >>");
    b.object(5, "<< /V 1 /Length 128 /P 4294967252 >>");
    b.object(6, "<< /Type /Catalog >>");
    PdfBuilder plain = b;
    plain.end(plain.table({1, 2, 3}, "/Size 4 /Root 1 0 R /Info 3 0 R"));
    DocumentInfo info;
    openBytes(plain.bytes())->readInfo(info);
    EXPECT_EQ(info.error.toUtf8(), "");
    EXPECT_EQ(info.pageCount, 12);
    EXPECT_EQ(info.title, L"Caf\u00e9");
    EXPECT_EQ(info.producer, L"Pl\u00fcs");
    EXPECT_EQ(info.author, L"AB");
    EXPECT_EQ(info.creator, L"") << "a number is no text";
    EXPECT_EQ(info.encrypted, 0);
    EXPECT_EQ(info.keyLength, 0);
    EXPECT_EQ(info.canModify, 1);

    PdfBuilder encrypted = b;
    encrypted.end(encrypted.table({1, 2, 3, 4}, "/Size 5 /Root 1 0 R /Info 3 0 R /Encrypt 4 0 R"));
    DocumentInfo secret;
    openBytes(encrypted.bytes())->readInfo(secret);
    EXPECT_EQ(secret.error, L"");
    EXPECT_EQ(secret.encrypted, 1);
    EXPECT_EQ(secret.keyLength, 128);
    EXPECT_EQ(secret.pageCount, 12);
    EXPECT_EQ(secret.title, L"") << "the texts of an encrypted file are not read";
    EXPECT_EQ(secret.permissions, -44);
    // -44 sets every bit but 1, 2, 4 and 6.
    EXPECT_EQ(secret.canPrint, 1);
    EXPECT_EQ(secret.canModify, 0);
    EXPECT_EQ(secret.canCopy, 1);
    EXPECT_EQ(secret.canAnnotate, 0);
    EXPECT_EQ(secret.canFillForms, 1);
    EXPECT_EQ(secret.canExtractForAccessibility, 1);
    EXPECT_EQ(secret.canAssemble, 1);
    EXPECT_EQ(secret.canPrintHighQuality, 1);

    PdfBuilder old = b;
    old.end(old.table({1, 2, 5}, "/Size 6 /Root 1 0 R /Encrypt 5 0 R"));
    DocumentInfo weak;
    openBytes(old.bytes())->readInfo(weak);
    EXPECT_EQ(weak.keyLength, 40) << "V 1 means 40 bits";
    EXPECT_EQ(weak.permissions, -44) << "P written unsigned";
    EXPECT_EQ(weak.canAnnotate, 0);

    PdfBuilder noPages = b;
    noPages.end(noPages.table({4, 6}, "/Size 7 /Root 6 0 R /Encrypt << /P -12 >>"));
    DocumentInfo broken;
    openBytes(noPages.bytes())->readInfo(broken);
    EXPECT_EQ(broken.error, L"Pages Dictionary not set!");
    EXPECT_EQ(broken.pageCount, -1);
    EXPECT_EQ(broken.keyLength, 40) << "filled before the failure";
    EXPECT_EQ(broken.canPrint, 1);
    EXPECT_EQ(broken.canModify, 0);

    PdfBuilder noCount("%PDF-1.4\n");
    noCount.object(1, "<< /Type /Catalog /Pages 2 0 R >>");
    noCount.object(2, "<< /Type /Pages /Kids [] >>");
    noCount.end(noCount.table({1, 2}, "/Size 3 /Root 1 0 R"));
    DocumentInfo uncounted;
    const auto doc = openBytes(noCount.bytes());
    doc->readInfo(uncounted);
    EXPECT_EQ(uncounted.error, L"Count in Pages-Dictionary not found!");
    EXPECT_EQ(messageOf<PdfException>([&] { doc->getPageCount(); }), "Count in Pages-Dictionary not found!");
}

TEST(DocumentWriting, SavedFilesOpenInGhostscript)
{
    if (!ghostscriptAvailable())
        GTEST_SKIP() << "Ghostscript is not available";
    ScratchFolder folder;

    // A loaded document with nested pages, a rotation and an added page.
    const auto doc = openBytes(nestedTree());
    doc->getPage(1)->rotate(90, false);
    doc->addPage(200, 300);
    const ZString nested = folder.file(L"nested (5+1).pdf");
    ASSERT_TRUE(doc->save(nested));

    // A file of object streams and a cross-reference stream, rewritten.
    PdfBuilder b("%PDF-1.5\n");
    const std::string objects = "<< /Type /Catalog /Pages 2 0 R >> << /Type /Pages /Kids [3 0 R 4 0 R] /Count 2 "
                                "/MediaBox [0 0 612 792] >> << /Type /Page /Parent 2 0 R >> "
                                "<< /Type /Page /Parent 2 0 R >>";
    const std::string pairs = "1 0 2 34 3 107 4 139 ";
    b.stream(5, deflated(pairs + objects),
             " /Type /ObjStm /N 4 /First " + std::to_string(pairs.size()) + " /Filter /FlateDecode");
    const int at = b.size();
    b.xrefStream(6, {{0, 0, 65535}, {2, 5, 0}, {2, 5, 1}, {2, 5, 2}, {2, 5, 3}, b.at(5), {1, at, 0}}, {1, 4, 2},
                 "/Size 7 /Root 1 0 R");
    b.end(at);
    const ZString original = folder.file(L"objstm.pdf");
    ASSERT_TRUE(writeFileBytes(original, b.bytes()));
    const ZString rewritten = folder.file(L"objstm rewritten.pdf");
    {
        Document source(original);
        ASSERT_TRUE(source.save(rewritten));
    }

    for (const ZString& path : {nested, rewritten}) {
        std::string output;
        const int gsPages = ghostscriptPageCount(path, output);
        Document reread(path);
        EXPECT_EQ(gsPages, reread.getPageCount()) << path.toUtf8();
        EXPECT_GT(gsPages, 0) << output;
        EXPECT_EQ(output.find("rror"), std::string::npos) << output;
    }
    EXPECT_EQ(Document(nested).getPageCount(), 6);
}
