// One request of the page's fetchUrl: read from the script's argument object
// on the GUI thread, prepared and performed on a worker thread.
#pragma once

#include "base/ZString.h"
#include "http/BodyStreams.h"
#include "http/ProgressListener.h"

#include <cstdint>
#include <map>
#include <memory>

struct IDispatch;

struct FetchUrlRequest {
    bool failed = false;
    bool prepared = false;
    bool queryMerged = false;
    ZString errorMsg;
    uint32_t errorCode = 0;
    int receiveTimeout = 30000;
    int sendTimeout = 30000;
    http::ProgressListener* listener = nullptr;
    ZString url;
    ZString method = L"GET";
    ZString charset = L"UTF-8";
    ZString contentType;
    ZString dataTransferEncoding;
    std::unique_ptr<http::Input> body;
    ZString dataString;
    std::map<ZString, ZString> dataMap;
    uint32_t internetFlags = 0;
    std::map<ZString, ZString> headers;
    int responseMaxSize = 10485760;
    int statusCode = -1;
    ZString redirectedUrl;
    ZString remoteIp;
    ZString contentEncoding;
    std::map<ZString, ZString> requestHeaders;
    std::map<ZString, ZString> responseHeaders;
    bool decodeContent = true;

    // Reads the request members of the page's argument object; errors mark
    // the request failed (the job still runs and reports them).
    void parse(IDispatch* argument);
    // Charset, method and body; once. False (and failed) on error.
    bool prepare();
    // The exchange; the response body goes to output.
    bool perform(http::BufferOutput& output);

private:
    void failWith(const ZString& message, uint32_t code);
};
