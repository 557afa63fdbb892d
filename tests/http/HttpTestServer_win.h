// The address of the local HTTP server that ctest starts for these tests
// (tests/http/test_server.py).
#pragma once

#include "base/ZString.h"

// "http://127.0.0.1:PORT" + path; empty when the server is not running.
ZString testServerUrl(const wchar_t* path);
// A loopback port that nothing listens on.
int closedLoopbackPort();
