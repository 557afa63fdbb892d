#include "xhtml/MyMsgBox_win.h"

#include "env/LangPlaceholders.h"
#include "base/TextUtil.h"
#include "xhtml/Address.h"

namespace xhtml {

namespace {

// Without its template the box still shows the texts and works.
const wchar_t* const kFallbackTemplate = L"<body><p><b>{title}</b></p><p>{message}</p><p>{buttons}</p></body>";

struct FlagButton {
    unsigned flag;
    const wchar_t* label;
};
const FlagButton kFlagButtons[] = {
    {MyMsgBox::Yes, L"{lang/general/yes}"},       {MyMsgBox::No, L"{lang/general/no}"},
    {MyMsgBox::Cancel, L"{lang/general/cancel}"}, {MyMsgBox::Retry, L"{lang/general/retry}"},
    {MyMsgBox::Ok, L"{lang/general/ok}"},
};

ZString buttonMarkup(int id, const ZString& label)
{
    return ZString::format(L"<input type=\"button\" name=\"%d\" value=\"%ls\" style=\"min-width:80px\" /> &nbsp; ", id,
                           label.c_str());
}

} // namespace

MyMsgBox::MyMsgBox(HWND owner, const ZString& title, const ZString& message, unsigned flags)
    : m_owner(owner), m_title(title), m_message(message), m_flags(flags)
{
}

ZString MyMsgBox::buildDocument() const
{
    std::string bytes;
    ZString document = loadAddress(kTemplate, resourceLibrary(), bytes)
                           ? utf8DecodeLenient(bytes.data(), bytes.size())
                           : ZString(kFallbackTemplate);
    ZString message(m_message);
    message.replaceAll(L"\r\n", L"<br/>").replaceAll(L"\n", L"<br/>");
    ZString buttons;
    for (const auto& [text, id] : m_extraButtons)
        buttons.append(buttonMarkup(id, text));
    for (const FlagButton& b : kFlagButtons)
        if ((m_flags & b.flag) != 0)
            buttons.append(buttonMarkup(static_cast<int>(b.flag), b.label));
    document.replaceAll(L"{title}", m_title.isEmpty() ? ZString(L"{lang/lang-general/info}") : m_title);
    document.replaceAll(L"{message}", message);
    document.replaceAll(L"{buttons}", buttons);
    return expandLangPlaceholders(document);
}

int MyMsgBox::show()
{
    setDocument(buildDocument(), L"res://");
    const int dpi = screenResolution();
    int width = dpi * 500 / 96;
    int height = contentHeight(width);
    if (height > dpi * 400 / 96) {
        width = dpi * 800 / 96;
        height = contentHeight(width);
    }
    const int most = dpi * 600 / 96;
    const bool scroll = height > most;
    return runModal(m_owner, width, scroll ? most : height, scroll);
}

void MyMsgBox::buttonPressed(const ZString& name) { close(name.toInt()); }

} // namespace xhtml
