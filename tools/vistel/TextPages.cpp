#include "tools/vistel/TextPages.h"

#include "tools/vistel/PdfParts.h"
#include "tools/vistel/TextDecoding.h"
#include "zpdf/Document.h"
#include "zpdf/Names.h"
#include "zpdf/Reference.h"

using namespace zpdf;

namespace {

const double kPageWidth = 595.28, kPageHeight = 841.89; // A4
const double kMargin = 56.69;                           // 2 cm
const double kFontSize = 10, kLeading = 12;

using TextPage = std::vector<std::u16string>;

bool isLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// A line as the columns it fills: tabs expanded, control characters dropped,
// a surrogate pair one column.
std::u16string columnsOf(const std::u16string& line)
{
    std::u16string out;
    for (char16_t c : line) {
        if (c == u'\t')
            out.append(static_cast<size_t>(8 - out.size() % 8), u' ');
        else if (isLowSurrogate(c) || c < 0x20 || c == 0x7F || c == 0xFEFF)
            continue;
        else
            out.push_back(c);
    }
    return out;
}

// Appends the line, wrapped to the column limit, to the pages.
void addLine(std::vector<TextPage>& pages, std::u16string line)
{
    const auto put = [&](std::u16string text) {
        if (pages.back().size() == static_cast<size_t>(kTextLinesPerPage))
            pages.emplace_back();
        while (!text.empty() && text.back() == u' ')
            text.pop_back();
        pages.back().push_back(std::move(text));
    };
    const size_t limit = kTextColumns;
    while (line.size() > limit) {
        size_t cut = line.rfind(u' ', limit);
        size_t next = cut + 1;
        if (cut == std::u16string::npos || cut == 0)
            cut = next = limit;
        put(line.substr(0, cut));
        line.erase(0, next);
    }
    put(std::move(line));
}

// A string operand in Windows-1252, bytes above 0x7E as octal escapes so the
// content stays plain ASCII.
std::string pdfText(const std::u16string& line)
{
    std::string out = "(";
    for (char16_t c : line) {
        unsigned char b = windows1252Byte(c);
        if (b == 0)
            b = '?';
        if (b == '(' || b == ')' || b == '\\') {
            out.push_back('\\');
            out.push_back(static_cast<char>(b));
        } else if (b < 0x7F) {
            out.push_back(static_cast<char>(b));
        } else {
            const char octal[] = {'\\', static_cast<char>('0' + (b >> 6)), static_cast<char>('0' + (b >> 3 & 7)),
                                  static_cast<char>('0' + (b & 7))};
            out.append(octal, 4);
        }
    }
    return out + ")";
}

} // namespace

std::vector<TextPage> layoutText(const std::u16string& text)
{
    std::vector<TextPage> pages(1);
    std::u16string line;
    bool lineOpen = false;
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
            addLine(pages, columnsOf(line));
            line.clear();
            lineOpen = false;
        } else if (c == u'\f') {
            if (lineOpen)
                addLine(pages, columnsOf(line));
            line.clear();
            lineOpen = false;
            pages.emplace_back();
        } else {
            line.push_back(c);
            lineOpen = true;
        }
    }
    if (lineOpen)
        addLine(pages, columnsOf(line));
    return pages;
}

void addTextPages(Document& document, const std::u16string& text)
{
    IPtr<Dict> font(new Dict());
    font->set(kType, kFont);
    font->set(kSubtype, pdfName("Type1"));
    font->set(pdfName("BaseFont"), pdfName("Courier"));
    font->set(pdfName("Encoding"), pdfName("WinAnsiEncoding"));
    const IPtr<Object> fontRef = document.newObject(font)->asReference();
    const std::string start = "BT /F1 " + pdfCoordinate(kFontSize) + " Tf " + pdfCoordinate(kLeading) + " TL " +
                              pdfCoordinate(kMargin) + " " + pdfCoordinate(kPageHeight - kMargin - kFontSize) + " Td\n";
    for (const TextPage& page : layoutText(text)) {
        std::string content = start;
        for (const std::u16string& line : page)
            content += pdfText(line) + " Tj T*\n";
        content += "ET\n";
        IPtr<Dict> fonts(new Dict());
        fonts->set(pdfName("F1"), fontRef);
        IPtr<Dict> resources(new Dict());
        resources->set(kFont, fonts);
        addContentPage(document, kPageWidth, kPageHeight, content, resources);
    }
}
