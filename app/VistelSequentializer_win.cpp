#include "app/VistelSequentializer.h"

#include "env/Companions.h"
#include "base/Files.h"
#include "base/TextUtil.h"
#include "operations/ChildProcess.h"

VistelSequentializer::VistelSequentializer() : m_wake(CreateEventW(nullptr, FALSE, FALSE, nullptr))
{
    InitializeCriticalSection(&m_lock);
}

VistelSequentializer::~VistelSequentializer()
{
    EnterCriticalSection(&m_lock);
    m_stopping = true;
    LeaveCriticalSection(&m_lock);
    SetEvent(m_wake);
    // A worker still busy with the conversion tool is ended by the base class;
    // its lock and event are then left to the process end.
    if (!join(5000))
        return;
    DeleteCriticalSection(&m_lock);
    CloseHandle(m_wake);
}

VistelSequentializer& VistelSequentializer::instance()
{
    // Never destroyed: the worker may be waiting for the conversion tool when the process ends.
    static VistelSequentializer* worker = new VistelSequentializer;
    return *worker;
}

void VistelSequentializer::push(const ZString& path, bool temporary)
{
    EnterCriticalSection(&m_lock);
    m_queue.push_back(Entry{path, temporary});
    LeaveCriticalSection(&m_lock);
    SetEvent(m_wake);
}

bool VistelSequentializer::take(Entry& entry)
{
    EnterCriticalSection(&m_lock);
    const bool found = !m_queue.empty();
    if (found) {
        entry = m_queue.front();
        m_queue.pop_front();
    }
    LeaveCriticalSection(&m_lock);
    return found;
}

void VistelSequentializer::run()
{
    for (;;) {
        EnterCriticalSection(&m_lock);
        const bool stopping = m_stopping;
        LeaveCriticalSection(&m_lock);
        if (stopping)
            return;
        Entry entry;
        if (!take(entry)) {
            // A push after the queue was found empty has set the event, so this wait ends at once.
            WaitForSingleObject(m_wake, INFINITE);
            continue;
        }
        if (pathExists(entry.path))
            convert(companionPath(kConversionTool, true) + L" " + quote(entry.path));
        if (entry.temporary)
            deleteFile(entry.path, true);
    }
}

void VistelSequentializer::convert(const ZString& commandLine) { runAndWait(commandLine); }
