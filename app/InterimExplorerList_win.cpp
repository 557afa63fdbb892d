#include "app/InterimExplorerList.h"

#include "base/Files.h"
#include "gui/Dpi.h"

bool InterimExplorerList::create(HWND parent)
{
    m_hwnd = CreateWindowExW(WS_EX_CLIENTEDGE, L"LISTBOX", nullptr,
                             WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOINTEGRALHEIGHT, 0, 0, 0, 0, parent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(kControlId)), GetModuleHandleW(nullptr),
                             nullptr);
    return m_hwnd != nullptr;
}

void InterimExplorerList::navigate(const ZString& folder, bool onlyIfChanged)
{
    if (folder.isEmpty() || !isFolder(folder))
        return;
    if (onlyIfChanged && folder.equalsIgnoreCase(m_current))
        return;
    m_current = folder;
    SendMessageW(m_hwnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(folder.c_str()));
}

bool InterimExplorerList::hasSelection() const { return SendMessageW(m_hwnd, LB_GETCURSEL, 0, 0) != LB_ERR; }

int InterimExplorerList::headerHeight(int dpi) { return scale(40, dpi); }
