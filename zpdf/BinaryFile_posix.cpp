#include "zpdf/BinaryFile.h"

#include <sys/types.h>

namespace zpdf {

std::FILE* openBinaryFile(const ZString& path, bool forWriting)
{
    return std::fopen(path.toUtf8().c_str(), forWriting ? "wb" : "rb");
}

bool seekBinaryFile(std::FILE* file, int64_t position) { return fseeko(file, static_cast<off_t>(position), SEEK_SET) == 0; }

int64_t binaryFileSize(std::FILE* file)
{
    if (fseeko(file, 0, SEEK_END) != 0)
        return -1;
    return static_cast<int64_t>(ftello(file));
}

bool replaceBinaryFile(const ZString& from, const ZString& to)
{
    return std::rename(from.toUtf8().c_str(), to.toUtf8().c_str()) == 0;
}

bool removeBinaryFile(const ZString& path) { return std::remove(path.toUtf8().c_str()) == 0; }

} // namespace zpdf
