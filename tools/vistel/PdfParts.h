// Small pieces the conversions build their pages from.
#pragma once

#include "zpdf/DataBuffer.h"
#include "zpdf/Dict.h"
#include "zpdf/IPtr.h"
#include "zpdf/Name.h"
#include "zpdf/Stream.h"

#include <string>

namespace zpdf {
class Document;
}

zpdf::IPtr<zpdf::Name> pdfName(const char* name);
zpdf::IPtr<zpdf::Object> pdfNumber(double value);
// A stream with the dictionary and the bytes; "Length" set.
zpdf::IPtr<zpdf::Stream> pdfStream(const zpdf::IPtr<zpdf::Dict>& dict, const zpdf::DataBuffer& bytes);
// A coordinate with at most three decimals, "." as decimal point, no trailing zeros.
std::string pdfCoordinate(double value);
// Appends a page of width x height points whose content is the given
// operators, with the resources given.
void addContentPage(zpdf::Document& document, double width, double height, const std::string& content,
                    const zpdf::IPtr<zpdf::Dict>& resources, int rotate = 0);
