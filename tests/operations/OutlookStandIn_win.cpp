// Stands in for Outlook's automation server in tests: an in-process server
// that the tests register as "Outlook.Application". Every call the mail code
// makes is appended as one line to the file named by OUTLOOK_STANDIN_LOG:
// "CreateItem <type>", "Subject <text>", "Add <path> <exists|missing>", "Display".
#include <windows.h>

#include <oleauto.h>

#include <atomic>
#include <cwchar>
#include <string>

namespace {

std::atomic<long> g_objects{0};

void record(const std::wstring& line)
{
    wchar_t log[MAX_PATH] = {};
    if (GetEnvironmentVariableW(L"OUTLOOK_STANDIN_LOG", log, MAX_PATH) == 0)
        return;
    const std::wstring text = line + L"\n";
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::string bytes(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), bytes.data(), size, nullptr, nullptr);
    HANDLE file = CreateFileW(log, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

enum Kind { Application, MailItem, Attachments };
enum Member : DISPID { CreateItem = 1, Subject, AttachmentsMember, Add, Display };

struct Name {
    const wchar_t* text;
    DISPID id;
};
const Name kNames[] = {{L"CreateItem", CreateItem}, {L"Subject", Subject}, {L"Attachments", AttachmentsMember},
                       {L"Add", Add},               {L"Display", Display}};

class Recorder : public IDispatch {
public:
    explicit Recorder(Kind kind) : m_kind(kind) { ++g_objects; }
    virtual ~Recorder() { --g_objects; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override
    {
        if (iid == IID_IUnknown || iid == IID_IDispatch) {
            *out = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_references; }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const ULONG left = --m_references;
        if (left == 0)
            delete this;
        return left;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override
    {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override
    {
        for (UINT i = 0; i < count; ++i) {
            ids[i] = DISPID_UNKNOWN;
            for (const Name& name : kNames)
                if (std::wcscmp(name.text, names[i]) == 0)
                    ids[i] = name.id;
            if (ids[i] == DISPID_UNKNOWN)
                return DISP_E_UNKNOWNNAME;
        }
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID, LCID, WORD flags, DISPPARAMS* parameters, VARIANT* result,
                                     EXCEPINFO*, UINT*) override
    {
        const VARIANT* first = parameters->cArgs > 0 ? &parameters->rgvarg[parameters->cArgs - 1] : nullptr;
        if (m_kind == Application && member == CreateItem && first != nullptr && first->vt == VT_I4) {
            record(L"CreateItem " + std::to_wstring(first->lVal));
            return answer(result, new Recorder(MailItem));
        }
        if (m_kind == MailItem && member == Subject && (flags & DISPATCH_PROPERTYPUT) && first != nullptr &&
            first->vt == VT_BSTR) {
            record(std::wstring(L"Subject ") + first->bstrVal);
            return S_OK;
        }
        if (m_kind == MailItem && member == AttachmentsMember && (flags & DISPATCH_PROPERTYGET))
            return answer(result, new Recorder(Attachments));
        if (m_kind == MailItem && member == Display) {
            record(L"Display");
            return S_OK;
        }
        if (m_kind == Attachments && member == Add && first != nullptr && first->vt == VT_BSTR) {
            const bool exists = GetFileAttributesW(first->bstrVal) != INVALID_FILE_ATTRIBUTES;
            record(std::wstring(L"Add ") + first->bstrVal + (exists ? L" exists" : L" missing"));
            return S_OK;
        }
        return DISP_E_MEMBERNOTFOUND;
    }

private:
    static HRESULT answer(VARIANT* result, IDispatch* object)
    {
        if (result == nullptr) {
            object->Release();
            return S_OK;
        }
        VariantInit(result);
        result->vt = VT_DISPATCH;
        result->pdispVal = object;
        return S_OK;
    }

    Kind m_kind;
    std::atomic<ULONG> m_references{1};
};

class Factory : public IClassFactory {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override
    {
        if (iid == IID_IUnknown || iid == IID_IClassFactory) {
            *out = static_cast<IClassFactory*>(this);
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override
    {
        if (outer != nullptr)
            return CLASS_E_NOAGGREGATION;
        Recorder* application = new Recorder(Application);
        const HRESULT hr = application->QueryInterface(iid, out);
        application->Release();
        return hr;
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }
};

Factory g_factory;

} // namespace

extern "C" __declspec(dllexport) HRESULT WINAPI DllGetClassObject(REFCLSID, REFIID iid, void** out)
{
    return g_factory.QueryInterface(iid, out);
}

extern "C" __declspec(dllexport) HRESULT WINAPI DllCanUnloadNow() { return g_objects == 0 ? S_OK : S_FALSE; }
