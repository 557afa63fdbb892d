#include "operations/Ghostscript.h"

namespace {

const wchar_t* const kPrepressSwitches[] = {
    L" -dPDFSETTINGS=/prepress",
    L" -dEmbedAllFonts=true",
    L" -dSubsetFonts=true",
    L" -dDoThumbnails=false",
    L" -dPreserveAnnots=true",
    L" -dDownsampleMonoImages=false",
    L" -dDownsampleGrayImages=false",
    L" -dDownsampleColorImages=false",
    L" -dAutoFilterColorImages=true",
    L" -dAutoFilterGrayImages=true",
    L" -dAutoFilterMonoImages=true",
    L" -dEncodeColorImages=true",
    L" -dEncodeGrayImages=true",
    L" -dEncodeMonoImages=true",
    L" -dAntiAliasColorImage=false",
    L" -dAntiAliasGrayImage=false",
    L" -dAntiAliasMonoImage=false",
    L" -dConvertCMYKImagesToRGB=false",
    L" -dConvertImagesToIndexed=false",
    L" -dUCRandBGInfo=/Preserve",
    L" -dPreserveHalftoneInfo=true",
    L" -dPreserveOPIComments=true",
    L" -dPreserveOverprintSettings=true",
    L" -dColorConversionStrategy=/LeaveColorUnchanged",
    L" -dAutoRotatePages=/None",
};

const wchar_t* const kDistillerParameters[] = {
    L" << /ColorImageDict <</QFactor 0.05 /Blend 1 /HSample [1 1 1 1] /VSample [1 1 1 1]>> >> setdistillerparams",
    L" << /GrayImageDict <</QFactor 0.05 /Blend 1 /HSample [1 1 1 1] /VSample [1 1 1 1]>> >> setdistillerparams",
    L" << /ParseDSCComments true >> setdistillerparams",
};

const wchar_t* const kAntiAliasing = L" -dTextAlphaBits=4 -dGraphicsAlphaBits=4";

ZString& appendQuoted(ZString& text, const ZString& value)
{
    return text.appendChar(L'"').append(value).appendChar(L'"');
}

// A blank, then the output file switch in quotes.
ZString& appendOutputFile(ZString& text, const ZString& out)
{
    return appendQuoted(text.appendChar(L' '), L"-sOutputFile=" + out);
}

// The distiller parameters, run before the input.
ZString& appendDistillerCode(ZString& text)
{
    return appendQuoted(text.append(L" -c "), distillerParameters());
}

ZString& appendNumber(ZString& text, const wchar_t* name, uint32_t value)
{
    return text.append(name).appendNumber(static_cast<unsigned long>(value));
}

} // namespace

ZString prepressSwitches()
{
    ZString text;
    for (const wchar_t* s : kPrepressSwitches)
        text.append(s);
    return text;
}

ZString distillerParameters()
{
    ZString text;
    for (const wchar_t* s : kDistillerParameters)
        text.append(s);
    return text;
}

ZString extractPagesArguments(const ZString& in, const ZString& out, uint32_t first, uint32_t last)
{
    ZString text(L"-sDEVICE=pdfwrite");
    text.append(prepressSwitches());
    if (first != kNoPageBound)
        appendNumber(text, L" -dFirstPage=", first);
    if (last != kNoPageBound)
        appendNumber(text, L" -dLastPage=", last);
    appendOutputFile(text, out);
    appendDistillerCode(text);
    return appendQuoted(text.append(L" -f "), in);
}

ZString mergeArguments(const std::vector<ZString>& inputs, const ZString& out)
{
    ZString text(L"-sDEVICE=pdfwrite");
    text.append(prepressSwitches());
    appendOutputFile(text, out);
    appendDistillerCode(text);
    text.append(L" -f");
    for (const ZString& input : inputs)
        appendQuoted(text.appendChar(L' '), input);
    return text;
}

ZString psToPdfArguments(const ZString& in, const ZString& out)
{
    ZString text(L" -sDEVICE=pdfwrite");
    text.append(prepressSwitches());
    appendOutputFile(text, out);
    appendDistillerCode(text);
    return appendQuoted(text.append(L" -f "), in);
}

ZString renderPagesArguments(const ZString& in, const ZString& out, uint32_t first, uint32_t last, int resolution,
                             const ZString& device)
{
    ZString text(kAntiAliasing);
    text.append(L" -r").appendNumber(static_cast<int32_t>(resolution));
    appendNumber(text, L" -dFirstPage=", first);
    appendNumber(text, L" -dLastPage=", last);
    text.appendChar(L' ').append(device);
    appendOutputFile(text, out);
    return appendQuoted(text.appendChar(L' '), in);
}

ZString exportPageArguments(const ZString& in, const ZString& out, uint32_t page, int resolution, bool tiff)
{
    ZString text(kAntiAliasing);
    text.append(tiff ? L" -sDEVICE=tiffg4 -dMaxStripSize=8192" : L" -sDEVICE=jpeg -dJPEGQ=95");
    text.append(L" -r").appendNumber(static_cast<int32_t>(resolution));
    appendNumber(text, L" -dFirstPage=", page);
    appendNumber(text, L" -dLastPage=", page);
    appendOutputFile(text, out);
    return appendQuoted(text.appendChar(L' '), in);
}
