#include "http/StatucCallback.h"

namespace http {

void StatucCallback::statusCallback(void* handle, uint32_t status, void* info, uint32_t infoLength)
{
    switch (status) {
    case 10: resolvingName(handle, info, infoLength); break;
    case 11: nameResolved(handle, info, infoLength); break;
    case 20: connectingToServer(handle, info, infoLength); break;
    case 21: connectedToServer(handle, info, infoLength); break;
    case 30: sendingRequest(handle, info, infoLength); break;
    case 31: requestSent(handle, info, infoLength); break;
    case 40: receivingResponse(handle, info, infoLength); break;
    case 41: responseReceived(handle, info, infoLength); break;
    case 50: closingConnection(handle, info, infoLength); break;
    case 51: connectionClosed(handle, info, infoLength); break;
    case 60: handleCreated(handle, info, infoLength); break;
    case 70: handleClosing(handle, info, infoLength); break;
    case 80: detectingProxy(handle, info, infoLength); break;
    case 100: requestComplete(handle, info, infoLength); break;
    case 110: redirect(handle, info, infoLength); break;
    case 120: intermediateResponse(handle, info, infoLength); break;
    case 200: stateChange(handle, info, infoLength); break;
    default: break;
    }
}

} // namespace http
