// JobDlgToolbar: the buttons in a job window's header: remove the job (0),
// print it with the window's page selection (1) and save it as (2). Print and
// save as need pages.
#pragma once

#include "gui/BaseToolbar.h"

class JobDlgToolbar : public BaseToolbar {
public:
    enum Command : int { Remove = 0, Print = 1, SaveAs = 2 };

    bool create(HWND parent);
    // At the right end of the header, centred in its height.
    void place(int parentWidth, int headerHeight) const;
    void update(bool jobHasPages) const;
};
