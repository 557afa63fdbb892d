// JobListToolbar: the job list's toolbar (id 4104). Fourteen buttons over the
// image strip "jl_tb_img_list.png", the mail and fax buttons only when those
// features are on; enable states follow the list's rules.
#pragma once

#include "gui/ImageStrip.h"

#include "gui/BaseToolbar.h"
#include "jobs/JobListCommands.h"

class JobListToolbar : public BaseToolbar {
public:
    static constexpr int kControlId = 4104;

    JobListToolbar() = default;
    ~JobListToolbar() override;

    bool create(HWND parent);
    // TB_ENABLEBUTTON for every button after a list or selection change.
    void update(const joblist::ListState& state);
    // The tooltip text of a command's button.
    static const wchar_t* tooltipKey(int command);

private:
    ImageListHolder m_images;
    ImageListHolder m_disabled;
};
