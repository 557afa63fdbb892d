#include "base/Files.h"
#include "base/Paths.h"
#include "explorer/ClipFormats_win.h"
#include "explorer/DropSource_win.h"
#include "explorer/FileDataObject_win.h"
#include "explorer/FolderDropTarget_win.h"
#include "base/TextUtil.h"
#include "tests/explorer/ExplorerTestSupport_win.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

using namespace ole;

namespace {

// The part of a list window a drop target needs: items left of x = 100 are
// the folder "sub" of the shown folder, everything else is background.
class FakeListSite : public FolderDropSite {
public:
    explicit FakeListSite(ZString shown) : m_shown(std::move(shown)) {}
    ZString folderAt(POINT p) override { return p.x < 100 ? joinPath(m_shown, L"sub") : ZString(); }
    void highlightFolderAt(POINT p) override { highlighted = folderAt(p); }
    void clearHighlight() override { highlighted = ZString(); }
    ZString currentFolder() override { return m_shown; }
    void dropped(const ZString& folder, const std::vector<ZString>& paths) override
    {
        dropFolder = folder;
        arrived = paths;
    }
    ZString highlighted;
    ZString dropFolder;
    std::vector<ZString> arrived;

private:
    ZString m_shown;
};

// A drag of ours with the button of the test's choice held down (in this
// thread's key state, where OLE reads it) for a few rounds, then let go.
class HeldButtonSource : public DropSource {
public:
    explicit HeldButtonSource(int button) : m_button(button) { setButton(true); }
    STDMETHODIMP QueryContinueDrag(BOOL escape, DWORD) override
    {
        if (++m_rounds > 4)
            return DRAGDROP_S_DROP;
        if (m_rounds == 4)
            setButton(false);
        return escape ? DRAGDROP_S_CANCEL : S_OK;
    }
    ~HeldButtonSource() override { setButton(false); }

private:
    void setButton(bool down)
    {
        BYTE keys[256];
        GetKeyboardState(keys);
        keys[m_button] = down ? 0x80 : 0;
        SetKeyboardState(keys);
    }
    int m_button;
    int m_rounds = 0;
};

// A visible window under the cursor with a list drop target registered.
class TargetWindow {
public:
    explicit TargetWindow(FolderDropSite& site)
    {
        // A static control lets the pointer through to what lies below unless it notifies.
        m_window = CreateWindowExW(WS_EX_TOPMOST, L"STATIC", L"drop here", WS_POPUP | WS_VISIBLE | SS_NOTIFY, 0, 0, 400, 300,
                                   nullptr, nullptr, nullptr, nullptr);
        m_target = ComPtr<ListDropTarget>(new ListDropTarget(site));
        m_registered = m_window != nullptr && RegisterDragDrop(m_window, m_target.get()) == S_OK;
        SetCursorPos(200, 150);
    }
    ~TargetWindow()
    {
        if (m_registered)
            RevokeDragDrop(m_window);
        m_target->detach();
        DestroyWindow(m_window);
    }
    bool ready() const { return m_registered; }

private:
    HWND m_window = nullptr;
    ComPtr<ListDropTarget> m_target;
    bool m_registered = false;
};

POINTL at(int x, int y) { return POINTL{x, y}; }

// Runs the other program's drag of files from the point and serves the
// target's calls meanwhile; its exit code (the effect), or -1.
int dragFromAnotherProgram(int x, int y, const std::vector<ZString>& files, bool virtualOnly = false)
{
    ZString commandLine = quote(besideTests(L"explorer-dragsource.exe"));
    commandLine.appendFormat(L" %d %d", x, y);
    if (virtualOnly)
        commandLine.append(L" -virtual");
    for (const ZString& file : files)
        commandLine.append(L" ").append(quote(file));
    commandLine.c_str(); // writes the terminator into the buffer handed out below
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return -1;
    CloseHandle(process.hThread);
    // The target lives in this thread's apartment: its calls come as messages.
    const DWORD limit = GetTickCount() + 60000;
    while (MsgWaitForMultipleObjects(1, &process.hProcess, FALSE, 1000, QS_ALLINPUT) != WAIT_OBJECT_0 &&
           GetTickCount() < limit) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&msg);
    }
    DWORD code = static_cast<DWORD>(-1);
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hProcess);
    return static_cast<int>(code);
}

class ListDrops : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(CreateDirectoryW(m_scratch.file(L"sub").c_str(), nullptr));
        ASSERT_TRUE(writeFileBytes(m_file, "dragged"));
    }
    ScratchFolder m_scratch;
    ScratchFolder m_source;
    ZString m_file = m_source.file(L"d.pdf");
    FakeListSite m_site{m_scratch.path()};
};

} // namespace

TEST(FileDropTargets, TakeMoveWhenAllowedElseCopyAndOnlyFromTheLeftButton)
{
    ScratchFolder scratch;
    auto files = makeObject<FileDataObject>(std::vector<ZString>{scratch.path()}, ZString(), false);
    auto target = makeObject<FileDropTarget>();
    DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
    EXPECT_EQ(target->DragEnter(files.get(), MK_LBUTTON | MK_CONTROL, at(1, 1), &effect), S_OK);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_MOVE));
    effect = DROPEFFECT_COPY;
    EXPECT_EQ(target->DragOver(MK_LBUTTON, at(2, 2), &effect), S_OK);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_MOVE));

    effect = DROPEFFECT_COPY | DROPEFFECT_LINK;
    target->DragEnter(files.get(), MK_LBUTTON, at(1, 1), &effect);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));

    effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    target->DragEnter(files.get(), MK_RBUTTON, at(1, 1), &effect);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
    effect = DROPEFFECT_COPY;
    target->DragOver(MK_RBUTTON, at(2, 2), &effect);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));

    // Only the helper formats of a data object with files: nothing to take.
    class HelpersOnly : public DataObject {
    public:
        HelpersOnly() { offer(formatEtc(clipFormats().preferredDropEffect)); }
    };
    auto helpers = makeObject<HelpersOnly>();
    effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    EXPECT_EQ(target->DragEnter(helpers.get(), MK_LBUTTON, at(1, 1), &effect), E_INVALIDARG);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
}

TEST_F(ListDrops, TheFolderUnderThePointerIsHighlightedAndTakesTheDrop)
{
    auto files = makeObject<FileDataObject>(std::vector<ZString>{m_file}, ZString(), false);
    auto target = makeObject<ListDropTarget>(m_site);
    DWORD effect = DROPEFFECT_COPY;
    target->DragEnter(files.get(), MK_LBUTTON, at(50, 5), &effect);
    EXPECT_EQ(m_site.highlighted, m_scratch.file(L"sub"));
    target->DragOver(MK_LBUTTON, at(150, 5), &(effect = DROPEFFECT_COPY));
    EXPECT_TRUE(m_site.highlighted.isEmpty());
    target->DragOver(MK_LBUTTON, at(10, 5), &(effect = DROPEFFECT_COPY));
    EXPECT_FALSE(m_site.highlighted.isEmpty());
    target->DragLeave();
    EXPECT_TRUE(m_site.highlighted.isEmpty());

    target->DragEnter(files.get(), MK_LBUTTON, at(10, 5), &(effect = DROPEFFECT_COPY));
    effect = DROPEFFECT_COPY;
    ASSERT_EQ(target->Drop(files.get(), 0, at(10, 5), &effect), S_OK);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));
    EXPECT_EQ(m_site.arrived, std::vector<ZString>{m_scratch.file(L"sub\\d.pdf")});
    EXPECT_EQ(readFileBytes(m_scratch.file(L"sub\\d.pdf")), "dragged");
    EXPECT_TRUE(m_site.highlighted.isEmpty());
}

TEST_F(ListDrops, OverNoFolderTheShownFolderTakesTheDrop)
{
    auto files = makeObject<FileDataObject>(std::vector<ZString>{m_file}, ZString(), true);
    auto tree = makeObject<TreeDropTarget>(m_site);
    DWORD effect = DROPEFFECT_COPY;
    tree->DragEnter(files.get(), MK_LBUTTON, at(300, 5), &effect);
    ASSERT_EQ(tree->Drop(files.get(), 0, at(300, 5), &(effect = DROPEFFECT_COPY)), S_OK);
    EXPECT_EQ(m_site.dropFolder, m_scratch.path());
    EXPECT_EQ(readFileBytes(m_scratch.file(L"d.pdf")), "dragged");
}

TEST_F(ListDrops, ADragFromAnotherProgramArrivesAsMove)
{
    TargetWindow window(m_site);
    ASSERT_TRUE(window.ready());
    EXPECT_EQ(dragFromAnotherProgram(300, 150, {m_file}), DROPEFFECT_MOVE);
    EXPECT_EQ(m_site.dropFolder, m_scratch.path());
    EXPECT_EQ(readFileBytes(m_scratch.file(L"d.pdf")), "dragged");
    EXPECT_FALSE(pathExists(m_file));
}

TEST_F(ListDrops, AttachmentsFromAnotherProgramArriveBesideFilesOfTheSameName)
{
    ASSERT_TRUE(writeFileBytes(m_scratch.file(L"d.pdf"), "already here"));
    TargetWindow window(m_site);
    ASSERT_TRUE(window.ready());
    dragFromAnotherProgram(300, 150, {m_file}, true);
    EXPECT_EQ(m_site.arrived, std::vector<ZString>{m_scratch.file(L"d (1).pdf")});
    EXPECT_EQ(readFileBytes(m_scratch.file(L"d (1).pdf")), "dragged");
    EXPECT_EQ(readFileBytes(m_scratch.file(L"d.pdf")), "already here");
}

TEST_F(ListDrops, ARealDragWithTheRightButtonIsRefused)
{
    TargetWindow window(m_site);
    ASSERT_TRUE(window.ready());
    auto files = makeObject<FileDataObject>(std::vector<ZString>{m_file}, ZString(), false);
    auto source = makeObject<HeldButtonSource>(VK_RBUTTON);
    DWORD effect = DROPEFFECT_NONE;
    DoDragDrop(files.get(), source.get(), DROPEFFECT_COPY | DROPEFFECT_MOVE, &effect);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
    EXPECT_TRUE(pathExists(m_file));
    EXPECT_FALSE(pathExists(m_scratch.file(L"d.pdf")));
}
