#include "jobs/PopupMenu_win.h"

namespace {
JobMenuAnswerer& answerer()
{
    static JobMenuAnswerer held;
    return held;
}
} // namespace

UINT trackJobMenu(HMENU menu, UINT flags, POINT screen, HWND owner)
{
    if (answerer())
        return answerer()(menu);
    return static_cast<UINT>(TrackPopupMenu(menu, flags | TPM_RETURNCMD, screen.x, screen.y, 0, owner, nullptr));
}

void setJobMenuAnswerer(JobMenuAnswerer answerer_) { answerer() = std::move(answerer_); }
