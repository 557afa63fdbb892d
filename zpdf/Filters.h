// The decoders and the one encoder behind the stream filters. Each works on
// a whole buffer and returns the result; the Stream operations (removeFilter,
// decode, compress) apply them to a stream's data.
#pragma once

#include "zpdf/DataBuffer.h"

#include <cstddef>

namespace zpdf {

// The most bytes one stream may decode to: far beyond any real page, and
// still what a 32-bit process can hold.
inline constexpr size_t kMaxDecodedBytes = size_t{256} << 20;

// zlib inflate; PdfException "ZLib decompression error" on a failure, also
// when the data would inflate beyond kMaxDecodedBytes.
DataBuffer flateDecode(const DataBuffer& data);
// zlib deflate at the default level; PdfException "ZLib compression error".
DataBuffer flateEncode(const DataBuffer& data);

// How PNG-predicted rows are laid out.
struct PredictorParams {
    int colors = 1;
    int bitsPerComponent = 8;
    int columns = 1;
};

// Undoes PNG row prediction: every row is one type byte (0 None, 1 Sub,
// 2 Up, 3 Average, 4 Paeth) and its bytes. Rows of another type give no
// output; a last row shorter than the others is decoded as far as it goes.
DataBuffer undoPngPredictor(const DataBuffer& data, const PredictorParams& params);

// Pairs of characters, each the value of its leading hexadecimal digits
// (0 for a pair starting with another byte); a lone last digit stands for
// its value times 16. Nothing is skipped, not even white space or ">".
DataBuffer asciiHexDecode(const DataBuffer& data);

// Base-85 groups of five characters, "z" for four zero bytes, white space
// ignored, "~>" ending the data. PdfException for other characters.
DataBuffer ascii85Decode(const DataBuffer& data);

// Length bytes: below 128 copy the next L + 1 bytes, 128 ends the data,
// above 128 repeat the next byte 257 - L times.
DataBuffer runLengthDecode(const DataBuffer& data);

} // namespace zpdf
