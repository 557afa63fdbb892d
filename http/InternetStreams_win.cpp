#include "http/InternetStreams_win.h"

#include <climits>

namespace http {

bool InternetStreamBuf::writeRaw(const char* data, size_t length)
{
    while (length > 0) {
        const DWORD part = length > UINT_MAX ? UINT_MAX : static_cast<DWORD>(length);
        DWORD written = 0;
        if (!InternetWriteFile(m_handle, data, part, &written) || written != part)
            return false;
        data += written;
        length -= written;
    }
    return true;
}

size_t InternetStreamBuf::readRaw(char* data, size_t length)
{
    DWORD read = 0;
    const DWORD part = length > UINT_MAX ? UINT_MAX : static_cast<DWORD>(length);
    if (!InternetReadFile(m_handle, data, part, &read))
        return 0;
    return read;
}

} // namespace http
