// Flate through zlib, in 2048-byte output blocks appended to a growing buffer.
#include "zpdf/Filters.h"

#include "zpdf/Exceptions.h"

#include <zlib.h>

namespace zpdf {

namespace {

constexpr int kBlock = 2048;
// The zlib interface level the library is written against; zlib only
// compares the major digit.
constexpr const char* kZlibVersion = "1.2.6";

// Feeds the whole input to a deflate or inflate stream and collects the
// output block by block, until a block is not filled or the stream ends.
// Returns false on any other zlib status.
template <typename Step>
bool pump(z_stream& zs, const DataBuffer& in, DataBuffer& out, Step step)
{
    zs.next_in = const_cast<Bytef*>(in.data());
    zs.avail_in = static_cast<uInt>(in.length());
    unsigned char block[kBlock];
    for (;;) {
        zs.next_out = block;
        zs.avail_out = kBlock;
        const int status = step(zs);
        if (status != Z_OK && status != Z_STREAM_END)
            return false;
        const int produced = kBlock - static_cast<int>(zs.avail_out);
        out.append(block, produced);
        if (status == Z_STREAM_END || zs.avail_out != 0)
            return true;
    }
}

} // namespace

DataBuffer flateDecode(const DataBuffer& data)
{
    z_stream zs{};
    if (inflateInit_(&zs, kZlibVersion, static_cast<int>(sizeof(z_stream))) != Z_OK)
        throw PdfException("ZLib decompression error");
    DataBuffer out;
    bool ok = false;
    try {
        ok = pump(zs, data, out, [](z_stream& s) { return inflate(&s, Z_NO_FLUSH); });
    } catch (...) {
        inflateEnd(&zs);
        throw;
    }
    if (inflateEnd(&zs) != Z_OK || !ok)
        throw PdfException("ZLib decompression error");
    return out;
}

DataBuffer flateEncode(const DataBuffer& data)
{
    z_stream zs{};
    if (deflateInit_(&zs, Z_DEFAULT_COMPRESSION, kZlibVersion, static_cast<int>(sizeof(z_stream))) != Z_OK)
        throw PdfException("ZLib compression error");
    DataBuffer out;
    bool ok = false;
    try {
        ok = pump(zs, data, out, [](z_stream& s) { return deflate(&s, Z_FINISH); });
    } catch (...) {
        deflateEnd(&zs);
        throw;
    }
    if (deflateEnd(&zs) != Z_OK || !ok)
        throw PdfException("ZLib compression error");
    return out;
}

} // namespace zpdf
