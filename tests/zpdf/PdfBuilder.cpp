#include "tests/zpdf/PdfBuilder.h"

#include "tests/zpdf/ZpdfTestUtil.h"
#include "zpdf/BufferReader.h"
#include "zpdf/Filters.h"
#include "zpdf/Writer.h"

#include <cstdio>

PdfBuilder::PdfBuilder(const std::string& header) : m_bytes(header) {}

int PdfBuilder::object(int number, const std::string& body, int generation)
{
    const int at = size();
    m_offsets[number] = at;
    m_bytes += std::to_string(number) + " " + std::to_string(generation) + " obj\n" + body + "\nendobj\n";
    return at;
}

void PdfBuilder::onePage(const std::string& pageExtra)
{
    object(1, "<< /Type /Catalog /Pages 2 0 R >>");
    object(2, "<< /Type /Pages /Kids [3 0 R] /Count 1 >>");
    object(3, "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 612 792]" + pageExtra + " >>");
}

int PdfBuilder::stream(int number, const std::string& data, const std::string& extra)
{
    return object(number, "<< /Length " + std::to_string(data.size()) + extra + " >>\nstream\n" + data + "\nendstream");
}

int PdfBuilder::table(const std::vector<int>& numbers, const std::string& trailerEntries, bool withZero)
{
    std::vector<std::pair<int, int>> entries;
    if (withZero)
        entries.emplace_back(0, -1);
    for (int number : numbers)
        entries.emplace_back(number, offset(number));
    return tableOf(entries, trailerEntries);
}

int PdfBuilder::tableOf(const std::vector<std::pair<int, int>>& entries, const std::string& trailerEntries)
{
    const int at = size();
    std::string text = "xref\n";
    for (size_t i = 0; i < entries.size();) {
        size_t j = i + 1;
        while (j < entries.size() && entries[j].first == entries[j - 1].first + 1)
            ++j;
        text += std::to_string(entries[i].first) + " " + std::to_string(j - i) + "\n";
        for (size_t k = i; k < j; ++k) {
            char line[32];
            if (entries[k].second < 0)
                std::snprintf(line, sizeof line, "0000000000 %05d f \n", entries[k].first == 0 ? 65535 : 0);
            else
                std::snprintf(line, sizeof line, "%010d 00000 n \n", entries[k].second);
            text += line;
        }
        i = j;
    }
    m_bytes += text + "trailer\n<< " + trailerEntries + " >>\n";
    return at;
}

int PdfBuilder::xrefStream(int number, const std::vector<Row>& rows, const std::vector<int>& widths,
                           const std::string& extra, bool compressed)
{
    std::string data;
    for (const Row& row : rows) {
        const long long fields[3] = {row.type, row.field2, row.field3};
        for (int f = 0; f < 3; ++f) {
            for (int b = widths[static_cast<size_t>(f)] - 1; b >= 0; --b)
                data += static_cast<char>((fields[f] >> (8 * b)) & 0xFF);
        }
    }
    if (compressed)
        data = deflated(data);
    std::string dict = "<< /Type /XRef /W [" + std::to_string(widths[0]) + " " + std::to_string(widths[1]) + " " +
                       std::to_string(widths[2]) + "]" + (compressed ? " /Filter /FlateDecode" : "") + " " + extra;
    return object(number, dict + " /Length " + std::to_string(data.size()) + " >>\nstream\n" + data + "\nendstream");
}

void PdfBuilder::end(int xrefOffset) { m_bytes += "startxref\n" + std::to_string(xrefOffset) + "\n%%EOF\n"; }

std::string deflated(const std::string& bytes)
{
    return toString(zpdf::flateEncode(bufferOf(bytes)));
}

std::unique_ptr<zpdf::Document> openBytes(const std::string& bytes)
{
    auto buffer = std::make_shared<zpdf::DataBuffer>(bufferOf(bytes));
    return std::make_unique<zpdf::Document>(
        zpdf::SharedRef<zpdf::Reader>(std::make_shared<zpdf::BufferReader>(zpdf::SharedRef<const zpdf::DataBuffer>(buffer))));
}

std::string written(zpdf::Document& doc)
{
    zpdf::BufferWriter writer;
    doc.write(writer);
    return toString(writer.buffer());
}

std::string textOf(zpdf::Document& doc, int number)
{
    const zpdf::IPtr<zpdf::Object> object = doc.resolveObject(number, 0);
    return object ? serialise(*object) : "null";
}
