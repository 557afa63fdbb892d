// The internet status notifications of a request's handles, one hook per
// status code. The hooks are declared in the platform's order of the codes;
// each does nothing unless overridden.
#pragma once

#include <cstdint>

namespace http {

class StatucCallback {
public:
    virtual ~StatucCallback() = default;
    // Receives every notification and calls the hook of its status code.
    virtual void statusCallback(void* handle, uint32_t status, void* info, uint32_t infoLength);

    virtual void resolvingName(void*, void*, uint32_t) {}         // 10
    virtual void nameResolved(void*, void*, uint32_t) {}          // 11
    virtual void connectingToServer(void*, void*, uint32_t) {}    // 20
    virtual void connectedToServer(void*, void*, uint32_t) {}     // 21
    virtual void sendingRequest(void*, void*, uint32_t) {}        // 30
    virtual void requestSent(void*, void*, uint32_t) {}           // 31
    virtual void receivingResponse(void*, void*, uint32_t) {}     // 40
    virtual void responseReceived(void*, void*, uint32_t) {}      // 41
    virtual void closingConnection(void*, void*, uint32_t) {}     // 50
    virtual void connectionClosed(void*, void*, uint32_t) {}      // 51
    virtual void handleCreated(void*, void*, uint32_t) {}         // 60
    virtual void handleClosing(void*, void*, uint32_t) {}         // 70
    virtual void detectingProxy(void*, void*, uint32_t) {}        // 80
    virtual void requestComplete(void*, void*, uint32_t) {}       // 100
    virtual void redirect(void*, void*, uint32_t) {}              // 110
    virtual void intermediateResponse(void*, void*, uint32_t) {}  // 120
    virtual void stateChange(void*, void*, uint32_t) {}           // 200
};

} // namespace http
