#include "tools/vistel/PdfParts.h"

#include "zpdf/Array.h"
#include "zpdf/Document.h"
#include "zpdf/Names.h"
#include "zpdf/Primitives.h"
#include "zpdf/Reference.h"

#include <cmath>
#include <cstdio>

using namespace zpdf;

IPtr<Name> pdfName(const char* name) { return IPtr<Name>(new Name(name)); }

IPtr<Object> pdfNumber(double value) { return IPtr<Object>(new Number(value)); }

IPtr<Stream> pdfStream(const IPtr<Dict>& dict, const DataBuffer& bytes)
{
    IPtr<Stream> stream(new Stream(dict, IPtr<StreamData>(new StreamData(bytes))));
    stream->updateLength();
    return stream;
}

std::string pdfCoordinate(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", value);
    std::string result(text);
    for (char& c : result)
        if (c == ',')
            c = '.'; // whatever the C locale says
    while (result.find('.') != std::string::npos && (result.back() == '0' || result.back() == '.'))
        result.pop_back();
    return result.empty() || result == "-" ? std::string("0") : result;
}

void addContentPage(Document& document, double width, double height, const std::string& content,
                    const IPtr<Dict>& resources, int rotate)
{
    const SharedRef<Page> page =
        document.addPage(static_cast<int>(std::lround(width)), static_cast<int>(std::lround(height)));
    const IPtr<Dict>& dict = page->dict();
    dict->set(kMediaBox, IPtr<Object>(new Rectangle(0, 0, width, height)));
    dict->set(kResources, resources);
    IPtr<Stream> stream = pdfStream(IPtr<Dict>(new Dict()), DataBuffer(content.data(), static_cast<int>(content.size())));
    stream->compress();
    // The empty content stream addPage made is reached by nothing now and is not written.
    dict->set(kContents, document.newObject(stream)->asReference());
    if (rotate != 0)
        dict->set(kRotate, IPtr<Object>(new Number(rotate, NumberKind::Integer)));
}
