#include "suite/settings/SettingsStore.h"
#include "tests/support/TestSupport.h"
#include "web/EmbeddedBrowser_win.h"
#include "web/TamloProtocol_win.h"

#include "gui/Messages.h"

#include <gtest/gtest.h>

#include <string>

namespace {
// Records what the protocol reports, in order.
class RecordingSink : public IInternetProtocolSink {
public:
    std::wstring log;
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** object) override
    {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE Switch(PROTOCOLDATA*) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE ReportProgress(ULONG status, LPCWSTR text) override
    {
        log += L"progress " + std::to_wstring(status) + L" " + (text ? text : L"") + L";";
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ReportData(DWORD flags, ULONG progress, ULONG max) override
    {
        log += L"data " + std::to_wstring(flags) + L" " + std::to_wstring(progress) + L" " + std::to_wstring(max) + L";";
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ReportResult(HRESULT hr, DWORD, LPCWSTR) override
    {
        log += L"result " + std::to_wstring(hr) + L";";
        return S_OK;
    }
};
} // namespace

TEST(TamloProtocol, ServesTheFirstExistingBannerFile)
{
    ScratchFolder install;
    settingsStore_setFolder(install.file(L"config"));
    settingsStore_setStr(SettingsScope::Program, L"InstallDir", install.path());
    writeFileBytes(install.file(L"logo.jpg"), "JPEGDATA");
    writeFileBytes(install.file(L"banner.bmp"), "BMP");

    TamloProtocolFactory& factory = TamloProtocolFactory::instance();
    IUnknown* dummy = reinterpret_cast<IUnknown*>(&factory);
    void* out = nullptr;
    EXPECT_EQ(factory.CreateInstance(dummy, IID_IInternetProtocol, &out), CLASS_E_NOAGGREGATION);

    ComPtr<IInternetProtocol> protocol;
    ASSERT_EQ(factory.CreateInstance(nullptr, IID_IInternetProtocol, reinterpret_cast<void**>(protocol.put())), S_OK);
    RecordingSink sink;
    EXPECT_EQ(protocol->Start(L"http://tamlo/banner", &sink, nullptr, 0, 0), S_FALSE);
    EXPECT_EQ(protocol->Start(L"tamlo:other", &sink, nullptr, 0, 0), S_FALSE);
    EXPECT_TRUE(sink.log.empty());
    ASSERT_EQ(protocol->Start(L"tamlo:banner", &sink, nullptr, 0, 0), S_OK);
    EXPECT_EQ(sink.log, L"progress " + std::to_wstring(BINDSTATUS_VERIFIEDMIMETYPEAVAILABLE) + L" image/jpeg;data " +
                            std::to_wstring(BSCF_FIRSTDATANOTIFICATION) + L" 0 8;data " +
                            std::to_wstring(BSCF_LASTDATANOTIFICATION | BSCF_DATAFULLYAVAILABLE) + L" 8 8;result 0;");
    char buffer[16] = {};
    ULONG read = 0;
    EXPECT_EQ(protocol->Read(buffer, 5, &read), S_OK);
    EXPECT_EQ(protocol->Read(buffer + 5, 16, &read), S_OK);
    EXPECT_EQ(read, 3u);
    EXPECT_STREQ(buffer, "JPEGDATA");
    EXPECT_EQ(protocol->Read(buffer, 16, &read), S_FALSE);
}

TEST(TamloProtocol, FallsBackToTheResourceLibraryBanner)
{
    ScratchFolder install;
    settingsStore_setFolder(install.file(L"config"));
    settingsStore_setStr(SettingsScope::Program, L"InstallDir", install.path());
    ASSERT_TRUE(CopyFileW(besideTests(L"Artwork.dll").c_str(), install.file(L"Artwork.dll").c_str(), FALSE));

    ComPtr<IInternetProtocol> protocol;
    ASSERT_EQ(TamloProtocolFactory::instance().CreateInstance(nullptr, IID_IInternetProtocol,
                                                              reinterpret_cast<void**>(protocol.put())), S_OK);
    RecordingSink sink;
    ASSERT_EQ(protocol->Start(L"tamlo:banner", &sink, nullptr, 0, 0), S_OK);
    EXPECT_EQ(sink.log.substr(0, sink.log.find(L';')), L"progress " + std::to_wstring(BINDSTATUS_VERIFIEDMIMETYPEAVAILABLE) + L" image/png");
    char buffer[16] = {};
    ULONG read = 0;
    EXPECT_EQ(protocol->Read(buffer, 16, &read), S_OK);
    EXPECT_EQ(std::string(buffer, read), "PNG-EN");
}

TEST(EmbeddedBrowser, HiddenAfterAFailedNavigation)
{
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    int boxes = 0;
    setMessageAnswerer([&](const ZString&, const ZString&, unsigned) { ++boxes; return IDOK; });
    HWND parent = CreateWindowExW(0, L"STATIC", L"bar", WS_OVERLAPPEDWINDOW, 0, 0, 400, 100, nullptr, nullptr, nullptr, nullptr);
    {
        EmbeddedBrowser browser(parent);
        if (!browser.hasControl()) {
            setMessageAnswerer({});
            DestroyWindow(parent);
            GTEST_SKIP() << "no web browser control here (" << boxes << " boxes)";
        }
        HWND control = browser.controlWindow();
        ASSERT_NE(control, nullptr);
        EXPECT_TRUE(GetWindowLongPtrW(control, GWL_STYLE) & WS_VISIBLE);
        VARIANT_BOOL cancel = VARIANT_FALSE;
        browser.onNavigateError(404, &cancel);
        EXPECT_EQ(cancel, VARIANT_TRUE);
        browser.onDocumentComplete();
        EXPECT_FALSE(GetWindowLongPtrW(control, GWL_STYLE) & WS_VISIBLE);
        EXPECT_EQ(browser.lastNavigationStatus(), 404);
        browser.onNavigateError(200, &cancel);
        browser.onDocumentComplete();
        EXPECT_TRUE(GetWindowLongPtrW(control, GWL_STYLE) & WS_VISIBLE);
    }
    setMessageAnswerer({});
    DestroyWindow(parent);
}

TEST(EmbeddedBrowser, InAppPageCarriesTheIdentityQuery)
{
    ScratchFolder install;
    settingsStore_setFolder(install.file(L"config"));
    settingsStore_setStr(SettingsScope::Program, L"InAppServer", L"https://pages.example:8443/");
    const std::string address = inAppPageAddress().toUtf8();
    const std::string start = "https://pages.example:8443/inapp/quillet/?name=Tamlo-Quillet&version=8.3.0&lang=";
    EXPECT_EQ(address.substr(0, start.size()), start) << address;
    const size_t random = address.find("&random=");
    ASSERT_NE(random, std::string::npos);
    EXPECT_EQ(address.size() - random, 8u + 10u);
    EXPECT_NE(address.find("&cid="), std::string::npos);
    EXPECT_NE(inAppPageAddress(), inAppPageAddress());
}
