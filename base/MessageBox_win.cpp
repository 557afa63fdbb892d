#include "base/MessageBox.h"

#include <windows.h>

#include <mutex>

namespace {

std::mutex& answererLock()
{
    static std::mutex lock;
    return lock;
}

MessageAnswerer& answerer()
{
    static MessageAnswerer instance;
    return instance;
}

} // namespace

int messageBox(HWND owner, const ZString& text, const ZString& caption, unsigned flags)
{
    MessageAnswerer answer;
    {
        std::lock_guard<std::mutex> guard(answererLock());
        answer = answerer();
    }
    if (answer)
        return answer(text, caption, flags);
    return MessageBoxW(owner, text.c_str(), caption.c_str(), flags);
}

void setMessageAnswerer(MessageAnswerer answer)
{
    std::lock_guard<std::mutex> guard(answererLock());
    answerer() = std::move(answer);
}
