#include "zpdf/BinaryFile.h"

#include <windows.h>

namespace zpdf {

std::FILE* openBinaryFile(const ZString& path, bool forWriting)
{
    // _wfopen opens without sharing restrictions.
    return _wfopen(path.c_str(), forWriting ? L"wb" : L"rb");
}

bool seekBinaryFile(std::FILE* file, int64_t position) { return _fseeki64(file, position, SEEK_SET) == 0; }

int64_t binaryFileSize(std::FILE* file)
{
    if (_fseeki64(file, 0, SEEK_END) != 0)
        return -1;
    return _ftelli64(file);
}

bool replaceBinaryFile(const ZString& from, const ZString& to)
{
    return MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED) != FALSE;
}

bool removeBinaryFile(const ZString& path) { return DeleteFileW(path.c_str()) != FALSE; }

} // namespace zpdf
