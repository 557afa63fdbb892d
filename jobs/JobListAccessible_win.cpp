#include "jobs/JobListAccessible_win.h"

#include "jobs/Job.h"
#include "jobs/JobDlg_win.h"
#include "jobs/JobListDlgContainer_win.h"
#include "jobs/PageTooltip.h"

#include <oleauto.h>

#include <algorithm>
#include <vector>

namespace {

// IAccessible's id, spelt out: both oleacc and uuid libraries define the
// symbol, and a program linking both would hold it twice.
const IID kIAccessible = {0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

BSTR bstrOf(const ZString& text) { return SysAllocString(text.c_str()); }

bool isSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

// The job window and page (0: the window) that have the focus, if the list has the keyboard.
bool hasFocus(JobListDlgContainer* list, const JobDlg* window, int page)
{
    return GetFocus() == list->hwnd() && list->focusWindow() == window && list->focusPage() == page;
}

// Reference counting and QueryInterface for an object of one interface, which
// also answers for the interfaces that interface derives from (given by id).
template <class Interface, const IID&... Bases>
class Unknown : public Interface {
public:
    virtual ~Unknown() = default;

    STDMETHODIMP QueryInterface(REFIID riid, void** object) override
    {
        if (object == nullptr)
            return E_POINTER;
        if (riid == IID_IUnknown || ((riid == Bases) || ...)) {
            *object = static_cast<Interface*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&m_references)); }
    STDMETHODIMP_(ULONG) Release() override
    {
        const LONG left = InterlockedDecrement(&m_references);
        if (left == 0)
            delete this;
        return static_cast<ULONG>(left);
    }

private:
    LONG m_references = 1;
};

// The child ids of a selection of several, as get_accSelection hands them out.
class ChildIdEnumerator : public Unknown<IEnumVARIANT, IID_IEnumVARIANT> {
public:
    explicit ChildIdEnumerator(std::vector<long> ids, size_t next = 0) : m_ids(std::move(ids)), m_next(next) {}

    STDMETHODIMP Next(ULONG wanted, VARIANT* items, ULONG* fetched) override
    {
        if (items == nullptr || (wanted > 1 && fetched == nullptr))
            return E_POINTER;
        ULONG given = 0;
        for (; given < wanted && m_next < m_ids.size(); ++given, ++m_next) {
            VariantInit(&items[given]);
            items[given].vt = VT_I4;
            items[given].lVal = m_ids[m_next];
        }
        if (fetched != nullptr)
            *fetched = given;
        return given == wanted ? S_OK : S_FALSE;
    }
    STDMETHODIMP Skip(ULONG count) override
    {
        const size_t left = m_ids.size() - m_next;
        m_next += std::min<size_t>(count, left);
        return count <= left ? S_OK : S_FALSE;
    }
    STDMETHODIMP Reset() override
    {
        m_next = 0;
        return S_OK;
    }
    STDMETHODIMP Clone(IEnumVARIANT** copy) override
    {
        if (copy == nullptr)
            return E_POINTER;
        *copy = new ChildIdEnumerator(m_ids, m_next);
        return S_OK;
    }

private:
    std::vector<long> m_ids;
    size_t m_next;
};

// None: VT_EMPTY; one: its child id; more: an enumerator of their ids.
HRESULT selectionVariant(std::vector<long> ids, VARIANT* children)
{
    VariantInit(children);
    if (ids.empty())
        return S_FALSE;
    if (ids.size() == 1) {
        children->vt = VT_I4;
        children->lVal = ids.front();
        return S_OK;
    }
    children->vt = VT_UNKNOWN;
    children->punkVal = new ChildIdEnumerator(std::move(ids));
    return S_OK;
}

// The IDispatch and IUnknown parts every object of the list shares.
class AccessibleBase : public Unknown<IAccessible, IID_IDispatch, kIAccessible> {
public:
    explicit AccessibleBase(std::shared_ptr<AccessibleLink> link) : m_link(std::move(link)) {}

    STDMETHODIMP GetTypeInfoCount(UINT* count) override
    {
        *count = 0;
        return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override
    {
        return E_NOTIMPL;
    }
    STDMETHODIMP get_accValue(VARIANT, BSTR* value) override
    {
        *value = nullptr;
        return S_FALSE;
    }
    STDMETHODIMP get_accDescription(VARIANT, BSTR* text) override
    {
        *text = nullptr;
        return S_FALSE;
    }
    STDMETHODIMP get_accHelp(VARIANT, BSTR* text) override
    {
        *text = nullptr;
        return S_FALSE;
    }
    STDMETHODIMP get_accHelpTopic(BSTR* file, VARIANT, long* topic) override
    {
        *file = nullptr;
        *topic = 0;
        return S_FALSE;
    }
    STDMETHODIMP get_accKeyboardShortcut(VARIANT, BSTR* text) override
    {
        *text = nullptr;
        return S_FALSE;
    }
    STDMETHODIMP get_accFocus(VARIANT* child) override
    {
        child->vt = VT_EMPTY;
        return list() == nullptr ? CO_E_OBJNOTCONNECTED : S_FALSE;
    }
    STDMETHODIMP get_accSelection(VARIANT* children) override
    {
        children->vt = VT_EMPTY;
        return S_FALSE;
    }
    STDMETHODIMP get_accDefaultAction(VARIANT, BSTR* text) override
    {
        *text = nullptr;
        return S_FALSE;
    }
    STDMETHODIMP accSelect(long, VARIANT) override { return E_NOTIMPL; }
    STDMETHODIMP accNavigate(long, VARIANT, VARIANT*) override { return E_NOTIMPL; }
    STDMETHODIMP accHitTest(long, long, VARIANT* child) override
    {
        child->vt = VT_EMPTY;
        return S_FALSE;
    }
    STDMETHODIMP accDoDefaultAction(VARIANT) override { return E_NOTIMPL; }
    STDMETHODIMP put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    STDMETHODIMP put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

protected:
    JobListDlgContainer* list() const { return m_link->list; }
    std::shared_ptr<AccessibleLink> m_link;
};

// One job window; its pages are simple elements with ids 1..page count.
class JobAccessible : public AccessibleBase {
public:
    JobAccessible(std::shared_ptr<AccessibleLink> link, const Job* job, IAccessible* parent)
        : AccessibleBase(std::move(link)), m_job(job), m_parent(parent)
    {
        m_parent->AddRef();
    }
    ~JobAccessible() override { m_parent->Release(); }

    STDMETHODIMP get_accParent(IDispatch** parent) override
    {
        if (window() == nullptr)
            return CO_E_OBJNOTCONNECTED;
        m_parent->AddRef();
        *parent = m_parent;
        return S_OK;
    }
    STDMETHODIMP get_accChildCount(long* count) override
    {
        JobDlg* w = window();
        if (w == nullptr)
            return CO_E_OBJNOTCONNECTED;
        *count = w->job().pageCount();
        return S_OK;
    }
    STDMETHODIMP get_accChild(VARIANT, IDispatch** child) override
    {
        *child = nullptr;
        return window() == nullptr ? CO_E_OBJNOTCONNECTED : S_FALSE; // pages are simple elements
    }
    STDMETHODIMP get_accName(VARIANT child, BSTR* name) override
    {
        JobDlg* w = window();
        if (w == nullptr)
            return CO_E_OBJNOTCONNECTED;
        if (isSelf(child)) {
            *name = bstrOf(w->headerText());
            return S_OK;
        }
        if (!isPage(w, child))
            return E_INVALIDARG;
        ZString text = pageTooltip(w->job(), child.lVal);
        const int lineEnd = text.find(L"\n");
        if (lineEnd >= 0)
            text = text.substring(0, lineEnd - 1); // inclusive end: the line without its feed
        *name = bstrOf(text);
        return S_OK;
    }
    STDMETHODIMP get_accRole(VARIANT child, VARIANT* role) override
    {
        JobDlg* w = window();
        if (w == nullptr)
            return CO_E_OBJNOTCONNECTED;
        if (!isSelf(child) && !isPage(w, child))
            return E_INVALIDARG;
        role->vt = VT_I4;
        role->lVal = ROLE_SYSTEM_LISTITEM;
        return S_OK;
    }
    STDMETHODIMP get_accState(VARIANT child, VARIANT* state) override
    {
        JobDlg* w = window();
        if (w == nullptr)
            return CO_E_OBJNOTCONNECTED;
        state->vt = VT_I4;
        if (isSelf(child)) {
            state->lVal = STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE |
                          (w->isSelected() ? STATE_SYSTEM_SELECTED : 0) |
                          (hasFocus(list(), w, 0) ? STATE_SYSTEM_FOCUSED : 0);
            return S_OK;
        }
        if (!isPage(w, child))
            return E_INVALIDARG;
        state->lVal = STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE |
                      (w->pageSelection().isSelected(child.lVal) ? STATE_SYSTEM_SELECTED : 0) |
                      (hasFocus(list(), w, child.lVal) ? STATE_SYSTEM_FOCUSED : 0);
        return S_OK;
    }
    STDMETHODIMP get_accFocus(VARIANT* child) override
    {
        child->vt = VT_EMPTY;
        JobDlg* w = window();
        if (w == nullptr)
            return CO_E_OBJNOTCONNECTED;
        if (GetFocus() != list()->hwnd() || list()->focusWindow() != w)
            return S_FALSE;
        child->vt = VT_I4;
        child->lVal = list()->focusPage(); // 0: the job itself
        return S_OK;
    }
    // The selected pages, in page order.
    STDMETHODIMP get_accSelection(VARIANT* children) override
    {
        JobDlg* w = window();
        if (w == nullptr)
            return CO_E_OBJNOTCONNECTED;
        std::vector<long> ids;
        for (int page = 1; page <= w->job().pageCount(); ++page)
            if (w->pageSelection().isSelected(page))
                ids.push_back(page);
        return selectionVariant(std::move(ids), children);
    }
    STDMETHODIMP accLocation(long* left, long* top, long* width, long* height, VARIANT child) override
    {
        JobDlg* w = window();
        if (w == nullptr)
            return CO_E_OBJNOTCONNECTED;
        RECT r = w->windowRect();
        if (!isSelf(child)) {
            if (!isPage(w, child))
                return E_INVALIDARG;
            const joblayout::Box b = w->layout().elementBox(child.lVal);
            r = {r.left + b.left, r.top + b.top, r.left + b.right, r.top + b.bottom};
        }
        *left = r.left;
        *top = r.top;
        *width = r.right - r.left;
        *height = r.bottom - r.top;
        return S_OK;
    }

private:
    JobDlg* window() const { return list() != nullptr ? list()->windowOf(m_job) : nullptr; }
    static bool isPage(JobDlg* w, const VARIANT& child)
    {
        return child.vt == VT_I4 && child.lVal >= 1 && child.lVal <= w->job().pageCount();
    }

    const Job* m_job;
    IAccessible* m_parent;
};

// The list itself: its children are the job windows, 1-based in display order.
class ListAccessible : public AccessibleBase {
public:
    using AccessibleBase::AccessibleBase;

    STDMETHODIMP get_accParent(IDispatch** parent) override
    {
        *parent = nullptr;
        if (list() == nullptr)
            return CO_E_OBJNOTCONNECTED;
        return CreateStdAccessibleObject(list()->hwnd(), OBJID_WINDOW, IID_IDispatch, reinterpret_cast<void**>(parent));
    }
    STDMETHODIMP get_accChildCount(long* count) override
    {
        if (list() == nullptr)
            return CO_E_OBJNOTCONNECTED;
        *count = list()->count();
        return S_OK;
    }
    STDMETHODIMP get_accChild(VARIANT child, IDispatch** result) override
    {
        *result = nullptr;
        if (list() == nullptr)
            return CO_E_OBJNOTCONNECTED;
        if (child.vt != VT_I4 || child.lVal < 1 || child.lVal > list()->count())
            return E_INVALIDARG;
        *result = new JobAccessible(m_link, &list()->window(child.lVal - 1).job(), this);
        return S_OK;
    }
    // The job holding the focus (its own object), or the list itself.
    STDMETHODIMP get_accFocus(VARIANT* child) override
    {
        child->vt = VT_EMPTY;
        if (list() == nullptr)
            return CO_E_OBJNOTCONNECTED;
        if (GetFocus() != list()->hwnd())
            return S_FALSE;
        if (JobDlg* w = list()->focusWindow()) {
            child->vt = VT_DISPATCH;
            child->pdispVal = new JobAccessible(m_link, &w->job(), this);
        } else {
            child->vt = VT_I4;
            child->lVal = CHILDID_SELF;
        }
        return S_OK;
    }
    // The selected job windows, in display order.
    STDMETHODIMP get_accSelection(VARIANT* children) override
    {
        if (list() == nullptr)
            return CO_E_OBJNOTCONNECTED;
        std::vector<long> ids;
        for (int i = 0; i < list()->count(); ++i)
            if (list()->window(i).isSelected())
                ids.push_back(i + 1);
        return selectionVariant(std::move(ids), children);
    }
    STDMETHODIMP get_accName(VARIANT child, BSTR* name) override
    {
        if (list() == nullptr)
            return CO_E_OBJNOTCONNECTED;
        if (!isSelf(child))
            return E_INVALIDARG;
        *name = nullptr;
        return S_FALSE;
    }
    STDMETHODIMP get_accRole(VARIANT child, VARIANT* role) override
    {
        if (list() == nullptr)
            return CO_E_OBJNOTCONNECTED;
        if (!isSelf(child))
            return E_INVALIDARG;
        role->vt = VT_I4;
        role->lVal = ROLE_SYSTEM_LIST;
        return S_OK;
    }
    STDMETHODIMP get_accState(VARIANT child, VARIANT* state) override
    {
        if (list() == nullptr)
            return CO_E_OBJNOTCONNECTED;
        if (!isSelf(child))
            return E_INVALIDARG;
        state->vt = VT_I4;
        // Focused itself while no job or page holds the focus.
        const bool focused = GetFocus() == list()->hwnd() && list()->focusWindow() == nullptr;
        state->lVal = STATE_SYSTEM_FOCUSABLE | (focused ? STATE_SYSTEM_FOCUSED : 0);
        return S_OK;
    }
    STDMETHODIMP accLocation(long* left, long* top, long* width, long* height, VARIANT child) override
    {
        if (list() == nullptr)
            return CO_E_OBJNOTCONNECTED;
        if (!isSelf(child))
            return E_INVALIDARG;
        const RECT r = list()->windowRect();
        *left = r.left;
        *top = r.top;
        *width = r.right - r.left;
        *height = r.bottom - r.top;
        return S_OK;
    }
};

} // namespace

JobListAccessibleRoot::JobListAccessibleRoot(JobListDlgContainer& list)
    : m_link(std::make_shared<AccessibleLink>(AccessibleLink{&list})), m_root(new ListAccessible(m_link))
{
}

JobListAccessibleRoot::~JobListAccessibleRoot()
{
    m_link->list = nullptr;
    CoDisconnectObject(m_root, 0);
    m_root->Release();
}

LRESULT JobListAccessibleRoot::answer(WPARAM wParam) { return LresultFromObject(kIAccessible, wParam, m_root); }

LRESULT JobListAccessibleRoot::answerFor(const Job* job, WPARAM wParam)
{
    IAccessible* object = new JobAccessible(m_link, job, m_root);
    const LRESULT answer = LresultFromObject(kIAccessible, wParam, object);
    object->Release(); // the answer holds its own reference
    return answer;
}
