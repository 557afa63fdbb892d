#include "web/WebBrowser_win.h"

#include "gui/Messages.h"
#include "web/Variant_win.h"

#include <exdispid.h>
#include <mshtmdid.h>
#include <olectl.h>

namespace {
void showCreationError(const wchar_t* text)
{
    showMessage(ZString(text), ZString(L"Error"), MB_OK | MB_ICONERROR);
}

// The value of an event argument, passed by value or by reference.
const VARIANT* argValue(const VARIANT& v)
{
    return (v.vt & VT_BYREF) && (v.vt & ~VT_BYREF) == VT_VARIANT ? v.pvarVal : &v;
}

int32_t argInt(const VARIANT& v)
{
    const VARIANT* p = argValue(v);
    VARIANT converted;
    VariantInit(&converted);
    int32_t value = 0;
    if (SUCCEEDED(VariantChangeType(&converted, const_cast<VARIANT*>(p), 0, VT_I4)))
        value = converted.lVal;
    VariantClear(&converted);
    return value;
}
} // namespace

WebBrowser::WebBrowser(HWND parent, ScriptFunctionDispatcher* functions) : m_parent(parent), m_external(functions)
{
    ComPtr<IOleObject> object;
    if (FAILED(OleCreate(CLSID_WebBrowser, IID_IOleObject, OLERENDER_DRAW, nullptr, static_cast<IOleClientSite*>(this),
                         static_cast<IStorage*>(this), reinterpret_cast<void**>(object.put()))) ||
        !object) {
        showCreationError(L"Cannot create oleObject CLSID_WebBrowser");
        return;
    }
    object->SetClientSite(static_cast<IOleClientSite*>(this));
    OleSetContainedObject(object.get(), TRUE);
    if (FAILED(object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, static_cast<IOleClientSite*>(this), -1, m_parent, &m_rect))) {
        showCreationError(L"oleObject->DoVerb() failed");
        object->Close(OLECLOSE_NOSAVE);
        return;
    }
    m_oleObject = object;
    m_webBrowser2 = object.query<IWebBrowser2>();
    if (!m_webBrowser2) {
        showCreationError(L"oleObject->QueryInterface(&webBrowser2) failed");
        return;
    }
    connectEvents();
    m_webBrowser2->put_RegisterAsDropTarget(VARIANT_FALSE);
    if (HWND window = controlWindow())
        ShowWindow(window, SW_SHOW);
}

WebBrowser::~WebBrowser()
{
    disconnectEvents();
    m_webBrowser2.reset();
    if (m_oleObject) {
        m_oleObject->Close(OLECLOSE_NOSAVE);
        m_oleObject->SetClientSite(nullptr);
        m_oleObject.reset();
    }
}

void WebBrowser::connectEvents()
{
    ComPtr<IConnectionPointContainer> container = m_webBrowser2.query<IConnectionPointContainer>();
    if (!container || FAILED(container->FindConnectionPoint(DIID_DWebBrowserEvents2, m_eventPoint.put())) || !m_eventPoint)
        return;
    if (FAILED(m_eventPoint->Advise(static_cast<IDispatch*>(this), &m_eventCookie)))
        m_eventCookie = 0;
}

void WebBrowser::disconnectEvents()
{
    if (m_eventPoint && m_eventCookie != 0)
        m_eventPoint->Unadvise(m_eventCookie);
    m_eventCookie = 0;
    m_eventPoint.reset();
}

HWND WebBrowser::controlWindow() const
{
    ComPtr<IOleInPlaceObject> inPlace = m_oleObject.query<IOleInPlaceObject>();
    HWND window = nullptr;
    if (inPlace)
        inPlace->GetWindow(&window);
    return window;
}

void WebBrowser::setRect(const RECT& rect)
{
    m_rect = rect;
    if (ComPtr<IOleInPlaceObject> inPlace = m_oleObject.query<IOleInPlaceObject>())
        inPlace->SetObjectRects(&m_rect, &m_rect);
}

bool WebBrowser::navigate(const ZString& url)
{
    if (!m_webBrowser2)
        return false;
    BSTR address = SysAllocString(url.c_str());
    const HRESULT hr = m_webBrowser2->Navigate(address, nullptr, nullptr, nullptr, nullptr);
    SysFreeString(address);
    return SUCCEEDED(hr);
}

HRESULT WebBrowser::QueryInterface(REFIID riid, void** object)
{
    if (object == nullptr)
        return E_POINTER;
    *object = nullptr;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IOleClientSite))
        *object = static_cast<IOleClientSite*>(this);
    else if (IsEqualIID(riid, IID_IOleWindow) || IsEqualIID(riid, IID_IOleInPlaceSite))
        *object = static_cast<IOleInPlaceSite*>(this);
    else if (IsEqualIID(riid, IID_IStorage))
        *object = static_cast<IStorage*>(this);
    else if (IsEqualIID(riid, IID_IDispatch) || IsEqualIID(riid, DIID_DWebBrowserEvents2))
        *object = static_cast<IDispatch*>(this);
    else if (IsEqualIID(riid, IID_IDocHostUIHandler))
        *object = static_cast<IDocHostUIHandler*>(this);
    if (*object == nullptr)
        return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

HRESULT WebBrowser::GetContainer(IOleContainer** container)
{
    if (container != nullptr)
        *container = nullptr;
    return E_NOINTERFACE;
}

HRESULT WebBrowser::GetWindow(HWND* window)
{
    if (window == nullptr)
        return E_POINTER;
    *window = m_parent;
    return S_OK;
}

HRESULT WebBrowser::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** doc, LPRECT pos, LPRECT clip,
                                     LPOLEINPLACEFRAMEINFO info)
{
    if (frame != nullptr)
        *frame = nullptr;
    if (doc != nullptr)
        *doc = nullptr;
    if (pos != nullptr)
        *pos = m_rect;
    if (clip != nullptr)
        *clip = m_rect;
    if (info != nullptr) {
        info->fMDIApp = FALSE;
        info->hwndFrame = m_parent;
        info->haccel = nullptr;
        info->cAccelEntries = 0;
    }
    return S_OK;
}

HRESULT WebBrowser::OnPosRectChange(LPCRECT rect)
{
    if (rect != nullptr)
        setRect(*rect);
    return S_OK;
}

HRESULT WebBrowser::GetTypeInfoCount(UINT* count)
{
    if (count == nullptr)
        return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT WebBrowser::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT* result, EXCEPINFO*, UINT*)
{
    const UINT n = params != nullptr ? params->cArgs : 0;
    switch (id) {
    case DISPID_AMBIENT_DLCONTROL:
        if (result == nullptr)
            return E_POINTER;
        VariantInit(result);
        result->vt = VT_I4;
        result->lVal = DLCTL_DLIMAGES | DLCTL_VIDEOS | DLCTL_BGSOUNDS | DLCTL_SILENT;
        return S_OK;
    case DISPID_AMBIENT_USERMODE:
        if (result == nullptr)
            return E_POINTER;
        VariantInit(result);
        result->vt = VT_BOOL;
        result->boolVal = VARIANT_TRUE;
        return S_OK;
    case DISPID_NAVIGATEERROR: // (pDisp, URL, Frame, StatusCode, Cancel), arguments in reverse
        if (n >= 5 && params->rgvarg[0].vt == (VT_BOOL | VT_BYREF))
            onNavigateError(argInt(params->rgvarg[1]), params->rgvarg[0].pboolVal);
        return S_OK;
    case DISPID_DOCUMENTCOMPLETE:
        onDocumentComplete();
        return S_OK;
    case DISPID_NEWWINDOW3: // (ppDisp, Cancel, dwFlags, bstrUrlContext, bstrUrl)
        if (n >= 5 && params->rgvarg[3].vt == (VT_BOOL | VT_BYREF)) {
            const VARIANT* url = argValue(params->rgvarg[0]);
            onNewWindow(url->vt == VT_BSTR ? ZString(url->bstrVal) : ZString(), params->rgvarg[3].pboolVal);
        }
        return S_OK;
    default:
        return DISP_E_MEMBERNOTFOUND;
    }
}

HRESULT WebBrowser::GetHostInfo(DOCHOSTUIINFO* info)
{
    if (info == nullptr)
        return E_POINTER;
    info->dwFlags = DOCHOSTUIFLAG_NO3DBORDER | DOCHOSTUIFLAG_SCROLL_NO | DOCHOSTUIFLAG_DIALOG;
    info->dwDoubleClick = DOCHOSTUIDBLCLK_DEFAULT;
    return S_OK;
}

HRESULT WebBrowser::GetExternal(IDispatch** external)
{
    if (external == nullptr)
        return E_POINTER;
    *external = &m_external;
    m_external.AddRef();
    return S_OK;
}

HRESULT WebBrowser::TranslateUrl(DWORD, LPWSTR, LPWSTR* out)
{
    if (out != nullptr)
        *out = nullptr;
    return S_FALSE;
}

HRESULT WebBrowser::FilterDataObject(IDataObject*, IDataObject** out)
{
    if (out != nullptr)
        *out = nullptr;
    return S_FALSE;
}
