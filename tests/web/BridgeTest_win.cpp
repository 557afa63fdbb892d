#include "suite/settings/SettingsStore.h"
#include "tests/http/HttpTestServer_win.h"
#include "tests/support/TestSupport.h"
#include "tests/web/ScriptEngine_win.h"
#include "web/AsyncJobProcessor_win.h"
#include "web/BrowserFunctions_win.h"
#include "web/ExternalImpl_win.h"

#include <gtest/gtest.h>

namespace {
class Bridge : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        s_settings = new ScratchFolder();
        settingsStore_setFolder(s_settings->path());
    }
    static void TearDownTestSuite()
    {
        delete s_settings;
        s_settings = nullptr;
    }

    Bridge() : functions(&engine), external(&functions), engine(&external)
    {
        external.registerFunctions(functions.functionNames());
    }

    // Runs fetchUrl with the members given in script text and waits for its result in r.
    bool fetch(const ZString& members)
    {
        const ZString code = ZString(L"var r = undefined; external.fetchUrl({") + members +
                             L", callback: function(result) { r = result; }});";
        return engine.run(code) && engine.waitUntil(L"r !== undefined");
    }
    ZString url(const wchar_t* path) { return ZString(L"\"") + testServerUrl(path) + L"\""; }

    static ScratchFolder* s_settings;
    BrowserFunctions functions;
    ExternalImpl external;
    ScriptEngine engine;
};
ScratchFolder* Bridge::s_settings = nullptr;

HRESULT invokeByName(ExternalImpl& external, const wchar_t* name, WORD flags, std::vector<VARIANT> args, VARIANT* result)
{
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    external.GetIDsOfNames(IID_NULL, names, 1, 0, &id);
    DISPPARAMS params = {args.data(), nullptr, static_cast<UINT>(args.size()), 0};
    return external.Invoke(id, IID_NULL, 0, flags, &params, result, nullptr, nullptr);
}
} // namespace

// First in this program: no job has been queued yet, so no worker exists.
TEST_F(Bridge, ArgumentRulesBeforeAnyWorkerExists)
{
    ASSERT_TRUE(engine.ok());
    EXPECT_EQ(engine.eval(L"typeof external.fetchUrl + ' ' + external.getAppInfo"), L"boolean true");
    EXPECT_EQ(external.Invoke(4242, IID_NULL, 0, DISPATCH_METHOD, nullptr, nullptr, nullptr, nullptr), DISP_E_MEMBERNOTFOUND);

    VARIANT number;
    number.vt = VT_I4;
    number.lVal = 5;
    EXPECT_EQ(invokeByName(external, L"fetchUrl", DISPATCH_METHOD, {number}, nullptr), E_INVALIDARG);
    EXPECT_EQ(invokeByName(external, L"fetchUrl", DISPATCH_METHOD, {}, nullptr), E_INVALIDARG);
    EXPECT_EQ(invokeByName(external, L"addTextContentType", DISPATCH_METHOD, {number}, nullptr), E_INVALIDARG);
    EXPECT_EQ(AsyncJobProcessor::instance().workersStarted(), 0);

    EXPECT_TRUE(engine.run(L"external.setAsyncJobWorkerCount(0);"));
    EXPECT_EQ(AsyncJobProcessor::instance().workerCount(), 3);
    EXPECT_TRUE(engine.run(L"external.setAsyncJobWorkerCount('2');"));
    EXPECT_EQ(AsyncJobProcessor::instance().workerCount(), 2);
}

TEST_F(Bridge, GetWithDataPutsPairsIntoTheQuery)
{
    engine.run(L"external.addTextContentType('application/octet-stream');");
    ASSERT_TRUE(fetch(ZString(L"url: ") + url(L"/echo?x=0") + L", data: {a: '1', b: 'x y', n: 7}"));
    EXPECT_EQ(engine.eval(L"r.success + ' ' + r.statusCode + ' ' + r.dataIsBinary"), L"true 200 false");
    EXPECT_EQ(engine.eval(L"r.data.split('\\r\\n')[0]"), L"GET /echo?x=0&a=1&b=x%20y&n=7 HTTP/1.1");
    EXPECT_EQ(engine.eval(L"/Content-Length: 0\\r\\n/.test(r.data)"), L"true");
    EXPECT_EQ(engine.eval(L"r.headers['Content-Type'] + ' ' + r.remoteIp + ' ' + typeof r.requestHeaders"),
              L"application/octet-stream 127.0.0.1 undefined");
    EXPECT_EQ(AsyncJobProcessor::instance().workersStarted(), 2);
}

TEST_F(Bridge, PostBodies)
{
    ASSERT_TRUE(fetch(ZString(L"url: ") + url(L"/echo") + L", method: 'post', data: {a: '1'}, returnRequestHeaders: true"));
    EXPECT_EQ(engine.eval(L"r.data.split('\\r\\n')[0]"), L"POST /echo HTTP/1.1");
    EXPECT_EQ(engine.eval(L"r.requestHeaders['Content-Type']"), L"application/x-www-form-urlencoded; charset=\"UTF-8\"");
    EXPECT_EQ(engine.eval(L"r.data.split('\\r\\n\\r\\n')[1]"), L"a=1");

    ASSERT_TRUE(fetch(ZString(L"url: ") + url(L"/echo") + L", method: 'PUT', data: '414243', dataTransferEncoding: 'hex'"));
    EXPECT_EQ(engine.eval(L"r.data.split('\\r\\n\\r\\n')[1]"), L"ABC");

    ASSERT_TRUE(fetch(ZString(L"url: ") + url(L"/echo") + L", method: 'POST', data: {k: 'v'}, dataType: 'form'"));
    EXPECT_EQ(engine.eval(L"/Content-Type: multipart\\/form-data; boundary=\"------BOUNDARY-/.test(r.data)"), L"true");
    EXPECT_EQ(engine.eval(L"/name=\"k\"\\r\\nContent-Type: text\\/plain; charset=UTF-8\\r\\n\\r\\nv\\r\\n/.test(r.data)"), L"true");

    ASSERT_TRUE(fetch(ZString(L"url: ") + url(L"/echo") + L", data: 'x', dataTransferEncoding: 'rot13'"));
    EXPECT_EQ(engine.eval(L"r.success + ' ' + r.errorMsg + ' ' + r.statusCode"), L"false Unknown data transfer encoding: rot13 -1");
}

TEST_F(Bridge, ResponsesAsTextOrBase64)
{
    ASSERT_TRUE(fetch(ZString(L"url: ") + url(L"/content?type=text%2Fhtml%3B%20charset%3DISO-8859-1&hex=41e9")));
    EXPECT_EQ(engine.eval(L"r.data.length + ' ' + r.data.charCodeAt(1) + ' ' + r.dataIsBinary + ' [' + r.dataEncoding + ']'"),
              L"2 233 false []");

    ASSERT_TRUE(fetch(ZString(L"url: ") + url(L"/content?type=image%2Fpng&hex=89504e47")));
    EXPECT_EQ(engine.eval(L"r.data + ' ' + r.dataIsBinary + ' ' + r.dataTransferEncoding"), L"iVBORw== true base64");

    ASSERT_TRUE(fetch(ZString(L"url: ") + url(L"/big?n=100") + L", responseMaxSize: 10"));
    EXPECT_EQ(engine.eval(L"r.dataSize + ' ' + r.dataSizeReal + ' ' + r.dataIsTruncated + ' ' + r.data"),
              L"10 100 true xxxxxxxxxx");

    ASSERT_TRUE(fetch(ZString(L"url: ") + url(L"/encoded/br")));
    EXPECT_EQ(engine.eval(L"r.dataIsBinary + ' ' + r.dataEncoding"), L"true br");
    ASSERT_TRUE(fetch(ZString(L"url: ") + url(L"/encoded/base64")));
    EXPECT_EQ(engine.eval(L"r.dataIsBinary + ' [' + r.dataEncoding + '] ' + r.data.substring(0, 12)"), L"true [] hello hello ");

    ASSERT_TRUE(fetch(ZString(L"url: ") + url(L"/content?type=text%2Fplain&hex=e9") + L", responseCharset: 'latin1'"));
    EXPECT_EQ(engine.eval(L"r.data.charCodeAt(0)"), L"233");
    ASSERT_TRUE(fetch(ZString(L"url: ") + url(L"/content?type=text%2Fplain&hex=e9") +
                      L", responseAsBinary: true, returnResponseHeaders: false"));
    EXPECT_EQ(engine.eval(L"r.data + ' ' + r.dataIsBinary + ' ' + typeof r.headers"), L"6Q== true undefined");

    ASSERT_TRUE(fetch(ZString(L"url: ") + url(L"/redirect?to=/status/404")));
    EXPECT_EQ(engine.eval(L"r.statusCode"), L"302");
    ASSERT_TRUE(fetch(ZString(L"url: ") + url(L"/redirect?to=/status/404") + L", autoRedirect: true"));
    EXPECT_EQ(engine.eval(ZString(L"r.statusCode + ' ' + (r.redirectedUrl == ") + url(L"/status/404") + L")"), L"404 true");
}

TEST_F(Bridge, ArgumentErrorsReachTheCallback)
{
    ASSERT_TRUE(fetch(L"url: 12"));
    EXPECT_EQ(engine.eval(L"r.success + ' ' + r.errorMsg.substring(0, 18)"), L"false Url extract error:");
    ASSERT_TRUE(fetch(L"url: ''"));
    EXPECT_EQ(engine.eval(L"r.errorMsg"), L"Url is empty");
    ASSERT_TRUE(fetch(L"url: 'http://h/', data: 12"));
    EXPECT_EQ(engine.eval(L"r.errorMsg"), L"Unsupported data type: 3");
    ASSERT_TRUE(fetch(L"url: 'http://h/', receiveTimeout: {}"));
    EXPECT_EQ(engine.eval(L"r.errorMsg"), L"Error getting int for name 'receiveTimeout'");
    ASSERT_TRUE(fetch(ZString::format(L"url: 'http://127.0.0.1:%d/', receiveTimeout: 5000", closedLoopbackPort())));
    EXPECT_EQ(engine.eval(L"r.success + ' ' + (r.errorCode > 0)"), L"false true");
}

TEST_F(Bridge, AppInfoAndTest)
{
    settingsStore_setStr(SettingsScope::Program, L"InstallDir", s_settings->path());
    settingsStore_setStr(SettingsScope::Program, L"LogoClickUrl", L"https://click.example/");
    ASSERT_TRUE(engine.run(L"var info = external.getAppInfo();"));
    EXPECT_EQ(engine.eval(L"info.name + ' ' + info.version + ' ' + typeof info.lcid + ' ' + info.isCustomBanner + ' ' + info.customBannerSrc"),
              L"Tamlo-Quillet 8.3.0 number false undefined");
    writeFileBytes(s_settings->file(L"banner.jpg"), "jpeg");
    ASSERT_TRUE(engine.run(L"info = external.getAppInfo();"));
    EXPECT_EQ(engine.eval(L"info.isCustomBanner + ' ' + info.customBannerSrc + ' ' + info.customBannerUrl"),
              L"true tamlo:banner https://click.example/");

    ASSERT_TRUE(engine.run(L"var seen; var o = {key0: 'a', key1: 'b', key2: 'c', key3: [1, 2], callback: function(s) { seen = s; }};"
                           L"external.test(o);"));
    EXPECT_EQ(engine.eval(L"seen + ' ' + o.key0 + ' ' + o.result"), L"This is an argument XXXX XXXX");
}
