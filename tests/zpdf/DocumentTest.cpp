#include "tests/support/TestSupport.h"
#include "tests/zpdf/Ghostscript.h"
#include "tests/zpdf/PdfBuilder.h"
#include "tests/zpdf/ZpdfTestUtil.h"
#include "zpdf/Exceptions.h"
#include "zpdf/Objects.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>
#include <tuple>

using namespace zpdf;

namespace {

// The cross-reference table of written bytes, from "xref" up to "trailer".
std::string tableOf(const std::string& pdf)
{
    const size_t at = pdf.rfind("\r\nxref\r\n") + 2;
    return pdf.substr(at, pdf.find("trailer", at) - at);
}

std::string trailerOf(const std::string& pdf) { return pdf.substr(pdf.rfind("trailer")); }

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// Page tree: 2 -> [4 -> [5, 6 -> [7, 8]], 9, <<direct page>>], page numbers
// in document order 5, 7, 8, 9 and the direct one.
std::string nestedTree(const std::string& extraKid = "", const std::string& page9 = "<< /Type /Page /Parent 2 0 R /T (p9) >>")
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
    b.object(9, page9);
    b.finish({1, 2, 4, 5, 6, 7, 8, 9}, "/Size 10 /Root 1 0 R");
    return b.bytes();
}

// The titles of the pages, from the first until one is missing.
std::string titles(Document& doc)
{
    std::string result;
    for (int i = 0; i < 100; ++i) {
        const SharedRef<Page> page = doc.getPage(i);
        if (!page)
            break;
        result += serialise(*page->dict()->get(kT));
    }
    return result;
}

int rotation(const Page& page)
{
    const IPtr<Number> r = page.dict()->getNumber(kRotate);
    return r ? r->intValue() : 999;
}

// The permissions as digits: print, modify, copy, annotate, fill forms,
// extract for accessibility, assemble, print in high quality.
std::string permissions(const DocumentInfo& info)
{
    std::string digits;
    for (const uint8_t flag : {info.canPrint, info.canModify, info.canCopy, info.canAnnotate, info.canFillForms,
                               info.canExtractForAccessibility, info.canAssemble, info.canPrintHighQuality})
        digits += static_cast<char>('0' + flag);
    return digits;
}

// The number of entries of a folder.
size_t entriesIn(const ZString& folder)
{
#ifdef _WIN32
    const std::filesystem::path path(folder.toStdString());
#else
    const std::filesystem::path path(folder.toUtf8());
#endif
    return static_cast<size_t>(std::distance(std::filesystem::directory_iterator(path), {}));
}

} // namespace

TEST(DocumentWriting, EmptyDocument)
{
    Document doc;
    EXPECT_EQ(doc.getPageCount(), 0);
    EXPECT_EQ(doc.getPage(0), nullptr);
    const std::string pdf = written(doc);
    EXPECT_EQ(pdf.substr(0, 17), "%PDF-1.4\r\n%\xE2\xE3\xCF\xD3\r\n");
    EXPECT_TRUE(contains(pdf, "1 0 obj\r\n<<\r\n/Count 0\r\n/Kids []\r\n/Type /Pages\r\n>>\r\nendobj\r\n"));
    EXPECT_TRUE(contains(pdf, "2 0 obj\r\n<<\r\n/Pages 1 0 R\r\n/Type /Catalog\r\n>>\r\nendobj\r\n"));
    const std::string table = tableOf(pdf);
    EXPECT_EQ(table.substr(0, 51), "xref\r\n0 3\r\n0000000000 65535 f\r\n0000000017 00000 n\r\n")
        << "object 1 follows the header";
    EXPECT_EQ(table.size(), 11u + 3 * 20);
    EXPECT_EQ(trailerOf(pdf), "trailer\r\n<<\r\n/Root 2 0 R\r\n/Size 3\r\n>>\r\nstartxref\r\n" +
                                  std::to_string(pdf.rfind("\r\nxref\r\n") + 2) + "\r\n%%EOF");
    const auto reread = openBytes(pdf);
    EXPECT_EQ(reread->getPageCount(), 0);
    EXPECT_EQ(written(*reread), pdf) << "a written file writes back the same";
}

TEST(DocumentWriting, FreeEntriesChainBackwards)
{
    Document doc;
    IPtr<Array> extra(new Array());
    for (int i = 0; i < 3; ++i)
        extra->append(doc.newObject(IPtr<Object>(new Number(i)))->asReference());
    doc.getRoot()->set(kKids, extra);
    EXPECT_EQ(serialise(*extra), "[3 0 R 4 0 R 5 0 R ]");
    doc.store().remove(3, 0);
    doc.store().remove(4, 0);
    const std::string pdf = written(doc);
    const std::string table = tableOf(pdf);
    EXPECT_EQ(table.substr(6, 25), "0 6\r\n0000000000 65535 f\r\n");
    EXPECT_EQ(table.substr(11 + 3 * 20, 40), "0000000000 00000 f\r\n0000000003 00000 f\r\n");
    EXPECT_TRUE(contains(trailerOf(pdf), "/Size 6\r\n"));
    EXPECT_TRUE(contains(pdf, "5 0 obj\r\n2\r\nendobj"));
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
    b.finish({1, 2, 3, 4, 5, 6, 7}, "/Size 8 /Root 1 0 R /Info 8 0 R /ID [<01> <02>] /Extra (x)");
    const auto doc = openBytes(b.bytes());
    const IPtr<Dict> pages = doc->getPagesDict();
    IPtr<Array> kids(new Array());
    kids->append(pages->getArray(kKids)->at(0));
    pages->set(kKids, kids);
    pages->set(kCount, IPtr<Object>(new Number(1)));

    const std::string pdf = written(*doc);
    for (const char* gone : {"4 0 obj", "6 0 obj", "7 0 obj"}) // the removed page, its contents, the orphan
        EXPECT_FALSE(contains(pdf, gone)) << gone;
    EXPECT_TRUE(contains(pdf, "5 0 obj\r\n<<\r\n/Filter /FlateDecode\r\n/Length "))
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

TEST(DocumentPages, DepthFirstInDocumentOrder)
{
    const auto doc = openBytes(nestedTree());
    EXPECT_EQ(doc->getPageCount(), 5);
    EXPECT_EQ(titles(*doc), "(p5)(p7)(p8)(p9)(direct)");
    EXPECT_EQ(doc->getPage(-1), nullptr);
    EXPECT_EQ(serialise(*doc->getPage(2)->dict()->get(kT)), "(p8)") << "going back starts the walk afresh";
    EXPECT_EQ(doc->getPage(1)->objectNumber(), 7);
    EXPECT_EQ(doc->getPage(4)->objectNumber(), 0);
    EXPECT_EQ(doc->getPage(1)->node()->type(), ObjectType::Reference);

    EXPECT_EQ(titles(*openBytes(nestedTree("", "<< /Type /Font >>"))), "(p5)(p7)(p8)")
        << "a node of another type ends the walk";
    // 6 lists its grandparent 2 among its kids, and 4 lists itself.
    EXPECT_EQ(titles(*openBytes(nestedTree(" 4 0 R 2 0 R"))), "(p5)(p7)(p8)(p9)(direct)");

    const IPtr<Rectangle> own = doc->getPage(1)->getMediaBox();
    EXPECT_EQ(serialise(*own), "[0 0 300 400 ]");
    const IPtr<Rectangle> inherited = doc->getPage(2)->getMediaBox();
    ASSERT_NE(inherited, nullptr);
    EXPECT_EQ(serialise(*inherited), "[0 0 100 200 ]") << "from the root two levels up";
}

TEST(DocumentPages, AChangedPageTreeIsWalkedAnew)
{
    const auto doc = openBytes(nestedTree());
    EXPECT_EQ(serialise(*doc->getPage(0)->dict()->get(kT)), "(p5)");
    EXPECT_EQ(serialise(*doc->getPage(1)->dict()->get(kT)), "(p7)");
    // A page added to a node the walk has already gone into: the walk must
    // not go on with the kids it took before.
    const IPtr<Dict> node6 = doc->resolveObject(6, 0)->toDict();
    IPtr<Dict> added(new Dict());
    added->set(kType, kPage);
    added->set(kT, parseObject("(new)"));
    node6->getArray(kKids)->append(doc->newObject(added)->asReference());
    EXPECT_EQ(serialise(*doc->getPage(3)->dict()->get(kT)), "(new)");
    EXPECT_EQ(serialise(*doc->getPage(4)->dict()->get(kT)), "(p9)");
    // Kids set anew on the root: the pages now come from there.
    const IPtr<Array> only(new Array());
    only->append(doc->resolveObject(9, 0)->asReference());
    doc->getPagesDict()->set(kKids, only);
    EXPECT_EQ(serialise(*doc->getPage(0)->dict()->get(kT)), "(p9)");
    EXPECT_EQ(doc->getPage(1), nullptr);
}

TEST(DocumentWriting, AWriteThatFailsLeavesTheTargetAsItWas)
{
    ScratchFolder folder;
    const ZString target = folder.file(L"kept.pdf");
    ASSERT_TRUE(Document().save(target));
    const std::string before = readFileBytes(target);
    // An object beyond the highest number a table can hold stops the write midway.
    const auto doc = openBytes(nestedTree());
    doc->getRoot()->set(kT, IPtr<Object>(new Reference(8388608, 0, doc.get())));
    doc->store().add(IPtr<Indirect>(new Indirect(8388608, 0, parseObject("(far)"), doc.get())));
    EXPECT_EQ(messageOf<PdfException>([&] { doc->save(target); }), "Object number too large");
    EXPECT_EQ(readFileBytes(target), before);
    EXPECT_EQ(entriesIn(folder.path()), 1u) << "no partial file stays behind";
}

TEST(DocumentPages, ParentLoopsEndTheMediaBoxSearch)
{
    // A Parent chain 8 -> 6 -> 4 -> 6 that never meets a MediaBox.
    PdfBuilder b;
    b.object(1, "<< /Type /Catalog /Pages 4 0 R >>");
    b.object(4, "<< /Type /Pages /Kids [6 0 R] /Count 1 /Parent 6 0 R >>");
    b.object(6, "<< /Type /Pages /Kids [8 0 R] /Count 1 /Parent 4 0 R >>");
    b.object(8, "<< /Type /Page /Parent 6 0 R >>");
    b.finish({1, 4, 6, 8}, "/Size 9 /Root 1 0 R");
    const auto loop = openBytes(b.bytes());
    ASSERT_NE(loop->getPage(0), nullptr);
    EXPECT_EQ(loop->getPage(0)->getMediaBox(), nullptr);
}

TEST(DocumentPages, RotateRelativeAndAbsolute)
{
    const auto doc = openBytes(nestedTree("", "<< /Type /Page /Parent 2 0 R /T (p9) /Rotate 270 >>"));
    const SharedRef<Page> page = doc->getPage(3);
    // (angle, absolute) and the Rotate after it; the remainder keeps the sign.
    const std::tuple<int, bool, int> steps[] = {{90, false, 0},    {-90, false, -90}, {-450, false, -180},
                                                {0, false, -180},  {-90, true, -90},  {0, true, 0}};
    for (const auto& [angle, absolute, after] : steps) {
        page->rotate(angle, absolute);
        EXPECT_EQ(rotation(*page), after) << angle << (absolute ? " absolute" : " relative");
    }
    const SharedRef<Page> plain = doc->getPage(0);
    plain->rotate(0, false);
    EXPECT_FALSE(plain->dict()->has(kRotate)) << "a relative 0 changes nothing";
    plain->rotate(450, false);
    EXPECT_EQ(serialise(*plain->dict()->get(kRotate)), "90");
    EXPECT_EQ(rotation(*openBytes(written(*doc))->getPage(0)), 90) << "the rotation is written";
}

TEST(DocumentPages, BlankPagesAndNewObjects)
{
    Document doc;
    const SharedRef<Page> page = doc.addPage(595, 842);
    EXPECT_EQ(serialise(*page->dict()->get(kMediaBox)), "[0 0 595 842 ]");
    EXPECT_EQ(serialise(*page->dict()->get(kParent)), "1 0 R");
    EXPECT_EQ(doc.getPage(0)->objectNumber(), 4) << "after the pages (1), catalog (2) and contents (3)";
    doc.addPage(100, 50);
    EXPECT_EQ(doc.getPage(1)->getMediaBox()->top(), 50);
    EXPECT_EQ(serialise(*doc.getPagesDict()->get(kCount)), "2");

    const auto reread = openBytes(written(doc));
    EXPECT_EQ(reread->getPageCount(), 2);
    const IPtr<Object> contents = reread->getPage(0)->dict()->get(kContents)->resolve();
    ASSERT_EQ(contents->type(), ObjectType::Stream);
    static_cast<Stream*>(contents.get())->removeFilter();
    EXPECT_EQ(static_cast<Stream*>(contents.get())->data()->bytes().length(), 0);
    EXPECT_EQ(reread->newObject(IPtr<Object>(new Bool(true)))->number(), 7) << "after the table's highest number";
}

TEST(DocumentInformation, PlainEncryptedAndBroken)
{
    PdfBuilder b;
    b.object(1, "<< /Type /Catalog /Pages 2 0 R >>");
    b.object(2, "<< /Type /Pages /Kids [] /Count 12 /X 9 0 R >>");
    b.object(3, "<< /Title (Caf\\351) /Producer <FEFF0050006C00FC0073> /Author " +
                    std::string("(\xfe\xff\0A\0B)", 8) + " /Creator 7 >>");
    b.object(4, "<< /Filter /Standard /V 2 /Length 128 /P -44 /R 3 /O <00> /U <00> >>");
    b.object(5, "<< /V 1 /Length 128 /P 4294967252 >>");
    b.object(6, "<< /Type /Catalog >>");
    b.object(7, "<< /Type /Catalog /Pages 8 0 R >>");
    b.object(8, "<< /Type /Pages /Kids [] >>");
    b.stream(9, "\x8f\x12 encrypted bytes");
    const auto open = [&b](const std::vector<int>& numbers, const std::string& trailer) {
        PdfBuilder file = b;
        file.finish(numbers, trailer);
        return openBytes(file.bytes());
    };
    const auto infoOf = [&open](const std::vector<int>& numbers, const std::string& trailer) {
        DocumentInfo info;
        open(numbers, trailer)->readInfo(info);
        return info;
    };

    const DocumentInfo plain = infoOf({1, 2, 3, 9}, "/Size 10 /Root 1 0 R /Info 3 0 R");
    EXPECT_EQ(plain.error.toUtf8(), "");
    EXPECT_EQ(plain.pageCount, 12);
    // Latin-1 with an escape, UTF-16 in hexadecimal and literal; a number is no text.
    EXPECT_EQ(plain.title + L"|" + plain.producer + L"|" + plain.author + L"|" + plain.creator, L"Caf\u00e9|Pl\u00fcs|AB|");
    EXPECT_EQ(plain.encrypted + plain.keyLength, 0);
    EXPECT_EQ(permissions(plain), "11111111");

    const std::vector<int> encrypted = {1, 2, 3, 4, 9};
    const std::string encryptedTrailer = "/Size 10 /Root 1 0 R /Info 3 0 R /Encrypt 4 0 R /ID [<01> <01>]";
    const DocumentInfo secret = infoOf(encrypted, encryptedTrailer);
    EXPECT_EQ(secret.error, L"");
    EXPECT_EQ(secret.encrypted, 1);
    EXPECT_EQ(secret.keyLength, 128);
    EXPECT_EQ(secret.pageCount, 12);
    EXPECT_EQ(secret.title, L"") << "the texts of an encrypted file are not read";
    EXPECT_EQ(secret.permissions, -44);
    EXPECT_EQ(permissions(secret), "10101111") << "-44 sets every bit but 1, 2, 4 and 6";
    const std::string pdf = written(*open(encrypted, encryptedTrailer));
    EXPECT_TRUE(contains(pdf, "<<\r\n/Length 18\r\n>>\r\nstream\r\n\x8f\x12 encrypted bytes\r\nendstream"))
        << "the streams of an encrypted file are written as they are";
    EXPECT_TRUE(contains(trailerOf(pdf), "/Encrypt 4 0 R\r\n"));

    const DocumentInfo weak = infoOf({1, 2, 5}, "/Size 6 /Root 1 0 R /Encrypt 5 0 R");
    EXPECT_EQ(weak.keyLength, 40) << "V 1 means 40 bits";
    EXPECT_EQ(weak.permissions, -44) << "P written unsigned";

    const DocumentInfo broken = infoOf({4, 6}, "/Size 7 /Root 6 0 R /Encrypt << /P -12 >>");
    EXPECT_EQ(broken.error, L"Pages Dictionary not set!");
    EXPECT_EQ(broken.pageCount, -1);
    EXPECT_EQ(broken.keyLength, 40) << "filled before the failure";
    EXPECT_EQ(permissions(broken).substr(0, 2), "10");

    EXPECT_EQ(infoOf({7, 8}, "/Size 9 /Root 7 0 R").error, L"Count in Pages-Dictionary not found!");
    EXPECT_EQ(messageOf<PdfException>([&] { open({7, 8}, "/Size 9 /Root 7 0 R")->getPageCount(); }),
              "Count in Pages-Dictionary not found!");
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
    const ZString rewritten = folder.file(L"objstm rewritten.pdf");
    ASSERT_TRUE(Document(sourcePath(L"tools/fuzz/corpus/objstm-3.pdf")).save(rewritten));

    for (const ZString& path : {nested, rewritten}) {
        std::string output;
        const int gsPages = ghostscriptPageCount(path, output);
        EXPECT_EQ(gsPages, Document(path).getPageCount()) << path.toUtf8();
        EXPECT_GT(gsPages, 0) << output;
        EXPECT_EQ(output.find("rror"), std::string::npos) << output;
    }
    EXPECT_EQ(Document(nested).getPageCount(), 6);
}
