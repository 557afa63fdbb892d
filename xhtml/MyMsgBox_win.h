// The markup message box: the template "res:///myMsgBox.xhtml" filled with a
// title, a message (which may hold markup) and a row of buttons, shown
// modally. Extra buttons come first, then those of the flags in the order
// Yes (4), No (8), Cancel (16), Retry (32), OK (2). The result is the id of
// the pressed button, or 1 when a link with the target "close" closed the box.
#pragma once

#include "xhtml/FrameView_win.h"

#include <utility>
#include <vector>

namespace xhtml {

class MyMsgBox : public FrameView {
public:
    enum Flags { Ok = 2, Yes = 4, No = 8, Cancel = 16, Retry = 32 };

    MyMsgBox(HWND owner, const ZString& title, const ZString& message, unsigned flags);

    void addButton(const ZString& text, int id) { m_extraButtons.emplace_back(text, id); }
    // The filled template with the language placeholders replaced.
    ZString buildDocument() const;
    int show();

    static constexpr const wchar_t* kTemplate = L"res:///myMsgBox.xhtml";

protected:
    void buttonPressed(const ZString& name) override;

private:
    HWND m_owner;
    ZString m_title;
    ZString m_message;
    unsigned m_flags;
    std::vector<std::pair<ZString, int>> m_extraButtons;
};

} // namespace xhtml
