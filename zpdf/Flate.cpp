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

// Feeds the whole input to an inflate or deflate stream and collects the
// output block by block, until a block is not filled or the stream ends.
// Returns false on any other zlib status.
bool pump(z_stream& zs, bool inflating, const DataBuffer& in, DataBuffer& out)
{
    zs.next_in = const_cast<Bytef*>(in.data());
    zs.avail_in = static_cast<uInt>(in.length());
    unsigned char block[kBlock];
    for (;;) {
        zs.next_out = block;
        zs.avail_out = kBlock;
        const int status = inflating ? inflate(&zs, Z_NO_FLUSH) : deflate(&zs, Z_FINISH);
        if (status != Z_OK && status != Z_STREAM_END)
            return false;
        const int produced = kBlock - static_cast<int>(zs.avail_out);
        // A few hundred bytes may inflate to gigabytes: beyond the limit the
        // data counts as broken instead of taking the process's memory.
        if (inflating && static_cast<size_t>(out.length()) + static_cast<size_t>(produced) > kMaxDecodedBytes)
            return false;
        out.append(block, produced);
        if (status == Z_STREAM_END || zs.avail_out != 0)
            return true;
    }
}

// Inflates or deflates (at the default level) the whole input.
DataBuffer run(const DataBuffer& data, bool inflating)
{
    const char* failure = inflating ? "ZLib decompression error" : "ZLib compression error";
    z_stream zs{};
    const int size = static_cast<int>(sizeof(z_stream));
    if ((inflating ? inflateInit_(&zs, kZlibVersion, size)
                   : deflateInit_(&zs, Z_DEFAULT_COMPRESSION, kZlibVersion, size)) != Z_OK)
        throw PdfException(failure);
    const auto end = [&zs, inflating] { return inflating ? inflateEnd(&zs) : deflateEnd(&zs); };
    DataBuffer out;
    bool ok = false;
    try {
        ok = pump(zs, inflating, data, out);
    } catch (...) {
        end();
        throw;
    }
    if (end() != Z_OK || !ok)
        throw PdfException(failure);
    return out;
}

} // namespace

DataBuffer flateDecode(const DataBuffer& data) { return run(data, true); }

DataBuffer flateEncode(const DataBuffer& data) { return run(data, false); }

} // namespace zpdf
