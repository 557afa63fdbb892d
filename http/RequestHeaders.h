// The headers a request computes before it is sent.
#pragma once

#include "http/BodyStreams.h"
#include "http/HeaderMap.h"
#include "http/Url.h"

namespace http {

// Content-Type from requestContentType; Content-Length or chunked
// Transfer-Encoding from the body (Content-Length "0" without one); no
// Content-Encoding; Accept "*/*" and Host when the caller gave none.
void prepareRequestHeaders(HeaderMap& headers, const ZString& requestContentType, Input* body, const Url& url);

} // namespace http
