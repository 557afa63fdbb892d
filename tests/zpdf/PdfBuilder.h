// PdfBuilder: writes small PDF files for the tests, byte by byte as a test
// wants them, with the offsets of every object known, so that tables and
// cross-reference streams can point at them (or deliberately elsewhere).
#pragma once

#include "zpdf/Document.h"

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class PdfBuilder {
public:
    explicit PdfBuilder(const std::string& header = "%PDF-1.4\n");

    // "number generation obj\n" body "\nendobj\n"; returns its offset.
    int object(int number, const std::string& body, int generation = 0);
    // A stream object with a direct "Length" (extra goes into its dictionary).
    int stream(int number, const std::string& data, const std::string& extra = "");
    void raw(const std::string& bytes) { m_bytes += bytes; }
    // Catalog 1, page tree 2 and page 3 (612 x 792, extra in its dictionary).
    void onePage(const std::string& pageExtra = "");
    int offset(int number) const { return m_offsets.at(number); }
    int size() const { return static_cast<int>(m_bytes.size()); }

    // A classic section listing the objects (entry 0 too when withZero), in
    // subsections of consecutive numbers, then "trailer" and the entries.
    // Returns the section's offset.
    int table(const std::vector<int>& numbers, const std::string& trailerEntries, bool withZero = true);
    // The same with the offset of each entry given (number, offset); an
    // offset of -1 makes a free entry.
    int tableOf(const std::vector<std::pair<int, int>>& entries, const std::string& trailerEntries);

    // One row of a cross-reference stream.
    struct Row {
        int type;
        long long field2;
        long long field3;
    };
    // Rows encoded with the widths, optionally Flate-compressed; the
    // dictionary gets Type, W, Length (and Filter) plus extra. Returns the
    // object's offset.
    int xrefStream(int number, const std::vector<Row>& rows, const std::vector<int>& widths, const std::string& extra,
                   bool compressed = true);
    // The usual in-use row of an object written before.
    Row at(int number) const { return Row{1, offset(number), 0}; }

    // "startxref\n" offset "\n%%EOF\n".
    void end(int xrefOffset);
    // A classic table of the objects and the startxref pointing at it.
    void finish(const std::vector<int>& numbers, const std::string& trailerEntries)
    {
        end(table(numbers, trailerEntries));
    }

    const std::string& bytes() const { return m_bytes; }

private:
    std::string m_bytes;
    std::map<int, int> m_offsets;
};

// Zlib-compressed bytes (through the library's own encoder).
std::string deflated(const std::string& bytes);

// A document over a copy of the bytes.
std::unique_ptr<zpdf::Document> openBytes(const std::string& bytes);

// The bytes Document::write gives.
std::string written(zpdf::Document& doc);
// The serialised object of that number, "null" when none loads.
std::string textOf(zpdf::Document& doc, int number);
