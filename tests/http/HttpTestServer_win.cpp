#include "tests/http/HttpTestServer_win.h"

#include "tests/support/TestSupport.h"

#include <winsock2.h>
#include <windows.h>

ZString testServerUrl(const wchar_t* path)
{
    const ZString folder = environmentVariable(L"QUILLET_HTTP_SERVER_DIR");
    if (folder.isEmpty())
        return ZString();
    const std::string port = readFileBytes(folder + L"\\port");
    if (port.empty())
        return ZString();
    return ZString::format(L"http://127.0.0.1:%d", std::stoi(port)) + path;
}

int closedLoopbackPort()
{
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
    SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int port = 0;
    if (bind(s, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0) {
        int len = sizeof addr;
        getsockname(s, reinterpret_cast<sockaddr*>(&addr), &len);
        port = ntohs(addr.sin_port);
    }
    closesocket(s);
    WSACleanup();
    return port;
}
