// Composing pages of real files (made by Ghostscript, by qpdf with object
// streams, and by hand with inherited attributes and annotations) into a new
// document, judged by qpdf, Ghostscript's text and the decoded contents.
#include "tests/support/TestSupport.h"
#include "tests/zpdf/PdfBuilder.h"
#include "tests/zpdf/ZpdfTestUtil.h"
#include "zpdf/Composer.h"
#include "zpdf/Exceptions.h"
#include "zpdf/Objects.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <set>

using namespace zpdf;

namespace {

// Runs a shell command; its standard output and error, and the exit status.
int run(const std::string& command, std::string& output)
{
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (pipe == nullptr)
        return -1;
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        output.append(buffer, n);
    return pclose(pipe);
}

std::string quoted(const ZString& path) { return "'" + path.toUtf8() + "'"; }

// The text Ghostscript finds on one page (from 1), without blanks.
std::string pageText(const ZString& pdf, int page)
{
    std::string text;
    run("gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=txtwrite -dFirstPage=" + std::to_string(page) +
            " -dLastPage=" + std::to_string(page) + " -sOutputFile=- " + quoted(pdf),
        text);
    std::string words;
    for (char c : text)
        if (c != ' ' && c != '\n' && c != '\r')
            words += c;
    return words;
}

// A PDF made by Ghostscript from pages showing the words.
void makeWithGhostscript(const ZString& pdf, const std::vector<std::string>& words)
{
    std::string ps = "%!PS\n<< /PageSize [595 842] >> setpagedevice\n/Helvetica findfont 48 scalefont setfont\n";
    for (const std::string& word : words)
        ps += "72 600 moveto (" + word + ") show showpage\n";
    writeFileBytes(pdf + L".ps", ps);
    std::string output;
    ASSERT_EQ(run("gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=pdfwrite -sOutputFile=" + quoted(pdf) + " " +
                      quoted(pdf + L".ps"),
                  output),
              0)
        << output;
}

std::string content(const std::string& word) { return "BT /F1 24 Tf 72 300 Td (" + word + ") Tj ET"; }

// Three pages under a tree node that gives them resources, a media box and
// "Rotate" 90; page 2 turns itself to 180. Page 1 links to pages 2 and 3 and
// has a note (without the optional "Type") with a popup; page 2 has a form
// field's widget. The catalog has outlines, a form and two layers, the second
// hidden.
std::string handMade()
{
    PdfBuilder b;
    b.object(1, "<< /Type /Catalog /Pages 2 0 R /Outlines 20 0 R /AcroForm << /Fields [22 0 R] >>"
                " /OCProperties << /OCGs [30 0 R 31 0 R] /D << /OFF [31 0 R] >> >> >>");
    b.object(2, "<< /Type /Pages /Kids [3 0 R 4 0 R 5 0 R] /Count 3 /Resources << /Font << /F1 6 0 R >>"
                " /Properties << /oc1 30 0 R >> >> /MediaBox [0 0 400 500] /Rotate 90 >>");
    b.object(3, "<< /Type /Page /Parent 2 0 R /Contents 7 0 R /Annots [10 0 R 11 0 R 12 0 R 13 0 R] >>");
    b.object(4, "<< /Type /Page /Parent 2 0 R /Contents 8 0 R /Rotate 180 /Annots [21 0 R] >>");
    b.object(5, "<< /Type /Page /Parent 2 0 R /Contents 9 0 R >>");
    b.object(6, "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica /Encoding /WinAnsiEncoding >>");
    b.stream(7, content("HANDONE"));
    b.stream(8, content("HANDTWO"));
    b.stream(9, content("HANDTHREE"));
    b.object(10, "<< /Type /Annot /Subtype /Link /Rect [0 0 10 10] /Dest [4 0 R /Fit] /P 3 0 R >>");
    b.object(11, "<< /Type /Annot /Subtype /Link /Rect [0 20 10 30] /Dest [5 0 R /Fit] /P 3 0 R >>");
    b.object(12, "<< /Subtype /Text /Rect [50 50 70 70] /Contents (note) /Popup 13 0 R /P 3 0 R >>");
    b.object(13, "<< /Type /Annot /Subtype /Popup /Rect [80 50 200 120] /Parent 12 0 R /P 3 0 R >>");
    b.object(20, "<< /Type /Outlines /Count 0 >>");
    b.object(21, "<< /Type /Annot /Subtype /Widget /FT /Tx /T (a) /Rect [10 10 90 30] /Parent 22 0 R /P 4 0 R >>");
    b.object(22, "<< /T (form) /Kids [21 0 R] >>");
    b.object(30, "<< /Type /OCG /Name (shown) >>");
    b.object(31, "<< /Type /OCG /Name (hidden) >>");
    b.finish({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 20, 21, 22, 30, 31}, "/Size 32 /Root 1 0 R");
    return b.bytes();
}

// The page's content streams, decoded and joined.
std::string decodedContents(const Page& page)
{
    std::vector<IPtr<Object>> parts;
    const IPtr<Object> contents = page.dict()->get(kContents);
    if (const IPtr<Array> list = contents ? contents->toArray() : nullptr)
        parts.assign(list->begin(), list->end());
    else if (contents)
        parts.push_back(contents);
    std::string bytes;
    for (const IPtr<Object>& part : parts) {
        const IPtr<Stream> stream = part ? part->toStream() : nullptr;
        if (!stream)
            continue;
        const IPtr<Object> copy = stream->clone();
        static_cast<Stream*>(copy.get())->removeFilter();
        const DataBuffer& data = static_cast<Stream*>(copy.get())->data()->bytes();
        bytes.append(data.cString(), static_cast<size_t>(data.length()));
    }
    return bytes;
}

// The page's "Rotate", or -1 when it has none.
int rotateOf(const Page& page)
{
    const IPtr<Number> rotate = page.dict()->getNumber(kRotate);
    return rotate ? rotate->intValue() : -1;
}

// The font objects the page's resources (its own or inherited) name, by
// object number.
std::set<int32_t> fontsOf(const Page& page)
{
    std::set<int32_t> numbers;
    IPtr<Dict> node = page.dict();
    while (node && !node->has(kResources))
        node = node->getDict(kParent);
    const IPtr<Dict> resources = node ? node->getDict(kResources) : nullptr;
    const IPtr<Dict> fonts = resources ? resources->getDict(kFont) : nullptr;
    if (fonts)
        for (const auto& entry : *fonts)
            if (entry.second->type() == ObjectType::Reference)
                numbers.insert(static_cast<const Reference*>(entry.second.get())->number());
    return numbers;
}

// How many objects of the file are fonts (dictionaries of "Type" "Font").
int fontObjectCount(Document& document)
{
    int count = 0;
    for (const XRefEntry& entry : document.loader()->xref()) {
        if (entry.inUse == 0)
            continue;
        const IPtr<Object> object = document.resolveObject(entry.number, entry.generation);
        const IPtr<Dict> dict = object && object->type() == ObjectType::Dict ? object->toDict() : nullptr;
        const IPtr<Object> type = dict ? dict->get(kType) : nullptr;
        if (type && type->toName() && type->toName()->bytes().equals(kFont->bytes()))
            ++count;
    }
    return count;
}

int32_t referenceNumber(const IPtr<Object>& value)
{
    return value && value->type() == ObjectType::Reference ? static_cast<const Reference*>(value.get())->number() : -1;
}

class Composing : public testing::Test {
protected:
    ScratchFolder m_scratch;
};

} // namespace

TEST_F(Composing, PagesOfThreeKindsOfFilesComeOutInOrderLosslesslyAndTurned)
{
    const ZString gsPdf = m_scratch.file(L"gs.pdf");
    const ZString plainPdf = m_scratch.file(L"plain.pdf");
    const ZString qpdfPdf = m_scratch.file(L"objstm.pdf");
    const ZString handPdf = m_scratch.file(L"hand.pdf");
    makeWithGhostscript(gsPdf, {"GSONE", "GSTWO", "GSTHREE"});
    makeWithGhostscript(plainPdf, {"QPONE", "QPTWO"});
    std::string output;
    ASSERT_EQ(run("qpdf --object-streams=generate " + quoted(plainPdf) + " " + quoted(qpdfPdf), output), 0) << output;
    ASSERT_NE(readFileBytes(qpdfPdf).find("/ObjStm"), std::string::npos);
    writeFileBytes(handPdf, handMade());

    Document gs(gsPdf), qp(qpdfPdf), hand(handPdf);
    // (source, page index, rotation): hand page 1 twice, gs page 2 twice.
    const std::vector<PagePick> picks = {{&gs, 1, 90},   {&hand, 0, 0}, {&qp, 0, 270}, {&hand, 1, 90},
                                         {&gs, 0, 0},    {&hand, 0, -90}, {&gs, 1, 0}, {&qp, 1, 0}};
    const std::vector<std::string> words = {"GSTWO", "HANDONE", "QPONE", "HANDTWO", "GSONE", "HANDONE", "GSTWO", "QPTWO"};
    // The inherited 90 plus the job's, and the page's own 180 plus 90.
    const std::vector<int> rotations = {90, 90, 270, 270, -1, 0, -1, -1};
    const ZString out = m_scratch.file(L"out.pdf");
    {
        Composer composer(picks);
        ASSERT_EQ(composer.pageCount(), 8);
        while (composer.copyNextPage()) {
        }
        ASSERT_TRUE(composer.output().save(out));
    }

    output.clear();
    EXPECT_EQ(run("qpdf --check " + quoted(out), output), 0) << output;
    EXPECT_NE(output.find("No syntax or stream encoding errors"), std::string::npos) << output;

    Document result(out);
    ASSERT_EQ(result.getPageCount(), 8);
    std::set<int32_t> pickedFonts;
    for (size_t i = 0; i < picks.size(); ++i) {
        const SharedRef<Page> page = result.getPage(static_cast<int>(i));
        const SharedRef<Page> source = picks[i].source->getPage(picks[i].index);
        ASSERT_TRUE(page && source);
        EXPECT_EQ(pageText(out, static_cast<int>(i) + 1), words[i]) << i;
        EXPECT_EQ(decodedContents(*page), decodedContents(*source)) << i;
        EXPECT_FALSE(decodedContents(*page).empty()) << i;
        const int rotate = rotateOf(*page);
        EXPECT_TRUE(rotate == rotations[i] || (rotations[i] == -1 && rotate == 0)) << i << ": " << rotate;
        // Inherited attributes are the page's own now.
        EXPECT_TRUE(page->dict()->getDict(kResources)) << i;
        EXPECT_TRUE(page->dict()->getArray(kMediaBox)) << i;
        for (int32_t font : fontsOf(*source))
            pickedFonts.insert(font * 4 + (picks[i].source == &gs ? 0 : picks[i].source == &qp ? 1 : 2));
    }
    EXPECT_EQ(fontsOf(*gs.getPage(0)), fontsOf(*gs.getPage(1))); // one font serves both pages
    EXPECT_EQ(fontObjectCount(result), static_cast<int>(pickedFonts.size()));
}

TEST_F(Composing, AnnotationsFollowTheirPageAndDocumentLevelStructuresStayBehind)
{
    const ZString handPdf = m_scratch.file(L"hand.pdf");
    writeFileBytes(handPdf, handMade());
    Document hand(handPdf);
    const ZString out = m_scratch.file(L"out.pdf");
    {
        Composer composer({{&hand, 0, 0}, {&hand, 1, 0}, {&hand, 0, 0}});
        while (composer.copyNextPage()) {
        }
        ASSERT_TRUE(composer.output().save(out));
    }
    std::string output;
    EXPECT_EQ(run("qpdf --check " + quoted(out), output), 0) << output;

    Document result(out);
    const IPtr<Dict> root = result.getRoot();
    EXPECT_FALSE(root->has(kAcroForm));
    EXPECT_FALSE(root->has(IPtr<Name>(new Name("Outlines"))));
    std::vector<int32_t> pageNumbers;
    for (int i = 0; i < 3; ++i)
        pageNumbers.push_back(result.getPage(i)->objectNumber());

    std::set<int32_t> annotationNumbers;
    for (int i : {0, 2}) {
        const IPtr<Array> annots = result.getPage(i)->dict()->getArray(kAnnots);
        ASSERT_TRUE(annots);
        ASSERT_EQ(annots->size(), 4);
        for (const IPtr<Object>& annot : *annots) {
            EXPECT_TRUE(annotationNumbers.insert(referenceNumber(annot)).second); // each page has its own
            EXPECT_EQ(referenceNumber(annot->toDict()->get(kP)), pageNumbers[static_cast<size_t>(i)]);
        }
        const IPtr<Name> dest(new Name("Dest"));
        // The link to page 2 leads to its copy; the one to page 3, not composed, to nothing.
        EXPECT_EQ(referenceNumber(annots->at(0)->toDict()->getArray(dest)->at(0)), pageNumbers[1]);
        EXPECT_EQ(annots->at(1)->toDict()->getArray(dest)->at(0)->type(), ObjectType::Null);
        // The note and its popup point at each other on the same page.
        EXPECT_EQ(referenceNumber(annots->at(2)->toDict()->get(IPtr<Name>(new Name("Popup")))),
                  referenceNumber(annots->at(3)));
        EXPECT_EQ(referenceNumber(annots->at(3)->toDict()->get(kParent)), referenceNumber(annots->at(2)));
    }
    const IPtr<Array> widgets = result.getPage(1)->dict()->getArray(kAnnots);
    ASSERT_TRUE(widgets && widgets->size() == 1);
    EXPECT_FALSE(widgets->at(0)->toDict()->has(kParent)); // the form is not kept
    EXPECT_EQ(referenceNumber(widgets->at(0)->toDict()->get(kP)), pageNumbers[1]);
}

TEST_F(Composing, TheLayersOfEverySourceStay)
{
    const ZString handPdf = m_scratch.file(L"hand.pdf");
    writeFileBytes(handPdf, handMade());
    Document first(handPdf), second(handPdf);
    const ZString out = m_scratch.file(L"out.pdf");
    {
        Composer composer({{&first, 0, 0}, {&second, 1, 0}});
        while (composer.copyNextPage()) {
        }
        ASSERT_TRUE(composer.output().save(out));
    }
    Document result(out);
    const IPtr<Dict> layers = result.getRoot()->getDict(IPtr<Name>(new Name("OCProperties")));
    ASSERT_TRUE(layers);
    const IPtr<Array> groups = layers->getArray(IPtr<Name>(new Name("OCGs")));
    ASSERT_TRUE(groups && groups->size() == 4);
    // The page's group is the one the catalog lists.
    const IPtr<Dict> properties =
        result.getPage(0)->dict()->getDict(kResources)->getDict(IPtr<Name>(new Name("Properties")));
    EXPECT_EQ(referenceNumber(properties->get(IPtr<Name>(new Name("oc1")))), referenceNumber(groups->at(0)));
    const IPtr<Array> hidden =
        layers->getDict(IPtr<Name>(new Name("D")))->getArray(IPtr<Name>(new Name("OFF")));
    ASSERT_TRUE(hidden && hidden->size() == 2);
    EXPECT_EQ(referenceNumber(hidden->at(0)), referenceNumber(groups->at(1)));
    EXPECT_EQ(referenceNumber(hidden->at(1)), referenceNumber(groups->at(3)));
}

TEST_F(Composing, MissingPagesAndEncryptedSourcesAreRefused)
{
    const ZString handPdf = m_scratch.file(L"hand.pdf");
    writeFileBytes(handPdf, handMade());
    Document hand(handPdf);
    EXPECT_EQ(messageOf<PdfException>([&] { Composer({{&hand, 3, 0}}); }), "Invalid page number");
    std::string output;
    const ZString locked = m_scratch.file(L"locked.pdf");
    ASSERT_EQ(run("qpdf --encrypt '' owner 256 -- " + quoted(handPdf) + " " + quoted(locked), output), 0) << output;
    Document encrypted(locked);
    EXPECT_THROW(Composer({{&encrypted, 0, 0}}), UnsupportedException);
}
