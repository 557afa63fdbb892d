// What a request tells its client while it runs.
#pragma once

#include <cstdint>

namespace http {

class ProgressListener {
public:
    virtual ~ProgressListener() = default;
    // 1 before the connection is opened, 2 once the request handle exists,
    // 3 after the request has been completed.
    virtual void stage(int n) = 0;
    virtual void uploadPercent(float percent) = 0;
    virtual void uploadProgress(int64_t sent, int64_t total) = 0;
    // total: the response's Content-Length, -1 when it has none.
    virtual void downloadProgress(int64_t received, int64_t total) = 0;
};

} // namespace http
