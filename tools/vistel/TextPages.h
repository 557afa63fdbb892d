// Plain text set on A4 pages in a monospace font (Courier, 10 points, 80
// columns, 60 lines a page). Long lines wrap at the last space that fits, or
// at the column limit; tabs stop every 8 columns; a form feed starts a page.
// Characters that Windows-1252 lacks print as "?".
#pragma once

#include <string>
#include <vector>

namespace zpdf {
class Document;
}

inline constexpr int kTextColumns = 80;
inline constexpr int kTextLinesPerPage = 60;

// The text broken into pages of lines.
std::vector<std::vector<std::u16string>> layoutText(const std::u16string& text);

// Appends the text's pages (at least one) to the document.
void addTextPages(zpdf::Document& document, const std::u16string& text);
