// The splitter: its layout arithmetic, and a real splitter window with two
// panes that is laid out, re-oriented and dragged with posted mouse input.
#include "gui/BaseSplitter.h"
#include "gui/SplitLayout.h"
#include "tests/support/WindowTestSupport_win.h"

#include <gtest/gtest.h>

TEST(SplitLayout, PlacesBothPanesAroundTheBarInEitherOrientation)
{
    SplitBoxes side = splitBoxes(400, 300, 4, 0.4, 0, true, true);
    EXPECT_EQ(side.first, (PaneBox{0, 0, 158, 300})); // (400 - 4) * 0.4 = 158.4, truncated
    EXPECT_EQ(side.bar, (PaneBox{158, 0, 4, 300}));
    EXPECT_EQ(side.second, (PaneBox{162, 0, 238, 300}));
    SplitBoxes stacked = splitBoxes(400, 300, 4, 0.4, 1, true, true);
    EXPECT_EQ(stacked.first, (PaneBox{0, 0, 400, 118}));
    EXPECT_EQ(stacked.second, (PaneBox{0, 122, 400, 178}));
    // A pane alone fills the splitter, whichever it is.
    EXPECT_EQ(splitBoxes(400, 300, 4, 0.4, 0, false, true).second, (PaneBox{0, 0, 400, 300}));
    EXPECT_EQ(splitBoxes(400, 300, 4, 0.4, 1, true, false).first, (PaneBox{0, 0, 400, 300}));
    // Ratios outside 0 ... 1 are held at the ends.
    SplitBoxes over = splitBoxes(400, 300, 4, 1.5, 0, true, true);
    EXPECT_EQ(over.first.width, 396);
    EXPECT_EQ(over.second, (PaneBox{400, 0, 0, 300}));
    EXPECT_EQ(clampRatio(-0.2), 0.0);
}

TEST(SplitLayout, DragsKeepBothPanesAtTheirMinimumAndDropWhereReleased)
{
    // First pane 198 of 396 at ratio 0.5, minimum 20 each.
    EXPECT_TRUE(dragAllowed(198, -178, 0.5, 396, 20, 20));
    EXPECT_FALSE(dragAllowed(198, -179, 0.5, 396, 20, 20));
    EXPECT_TRUE(dragAllowed(198, 178, 0.5, 396, 20, 20));
    EXPECT_FALSE(dragAllowed(198, 179, 0.5, 396, 20, 20));
    for (int offset : {-178, -1, 1, 37, 178}) {
        const double ratio = ratioAfterDrag(198, offset, 396);
        EXPECT_EQ(splitBoxes(400, 300, 4, ratio, 0, true, true).first.width, 198 + offset) << offset;
    }
}

namespace {

struct SplitterRig {
    SplitterRig() : host(400, 300)
    {
        EXPECT_TRUE(splitter.create(host.hwnd(), 0, 0, 400, 300, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0,
                                    GetModuleHandleW(nullptr)));
        for (HWND* pane : {&first, &second})
            *pane = CreateWindowExW(0, L"Static", nullptr, WS_CHILD | WS_VISIBLE | SS_WHITERECT, 0, 0, 10, 10,
                                    host.hwnd(), nullptr, GetModuleHandleW(nullptr), nullptr);
        splitter.setFirst(first);
        splitter.setSecond(second);
        pumpUntilIdle();
    }
    RECT paneRect(HWND pane) const
    {
        RECT r = {};
        GetWindowRect(pane, &r);
        MapWindowPoints(nullptr, splitter.hwnd(), reinterpret_cast<POINT*>(&r), 2);
        return r;
    }
    int firstWidth() const { return paneRect(first).right; }
    void drag(int fromX, int toX)
    {
        postMouse(splitter.hwnd(), WM_LBUTTONDOWN, fromX, 150, MK_LBUTTON);
        postMouse(splitter.hwnd(), WM_MOUSEMOVE, toX, 150, MK_LBUTTON);
        postMouse(splitter.hwnd(), WM_LBUTTONUP, toX, 150);
    }

    TestHostWindow host;
    BaseSplitter splitter;
    HWND first = nullptr;
    HWND second = nullptr;
};

} // namespace

TEST(Splitter, IsANotifyingStaticWindowThatHoldsItsPanes)
{
    SplitterRig rig;
    wchar_t className[32] = {};
    GetClassNameW(rig.splitter.hwnd(), className, 32);
    EXPECT_STREQ(className, L"Static");
    EXPECT_NE(GetWindowLongW(rig.splitter.hwnd(), GWL_STYLE) & SS_NOTIFY, 0);
    EXPECT_EQ(GetParent(rig.first), rig.splitter.hwnd());
    EXPECT_EQ(rig.splitter.ratio(), 0.5);
    EXPECT_EQ(rig.splitter.barWidth(), 4); // at 96 dpi
    EXPECT_EQ(rig.firstWidth(), 198);
    EXPECT_EQ(rig.paneRect(rig.second).left, 202);

    // The bar shows between the panes in its colour.
    WindowPicture picture(rig.splitter.hwnd());
    picture.savePng(picturePath(L"splitter.png"));
    EXPECT_EQ(picture.pixel(199, 150), static_cast<COLORREF>(0x808080));
    EXPECT_EQ(picture.pixel(100, 150), RGB(255, 255, 255));

    rig.splitter.setRatio(1.5);
    EXPECT_EQ(rig.splitter.ratio(), 1.0);
    EXPECT_EQ(rig.firstWidth(), 396);
    EXPECT_EQ(rig.paneRect(rig.second).right - rig.paneRect(rig.second).left, 0);

    rig.splitter.setRatio(0.5);
    rig.splitter.setOrientation(2);
    EXPECT_TRUE(rig.splitter.isOrientation(0));
    EXPECT_EQ(rig.firstWidth(), 198);
    rig.splitter.toggleOrientation();
    EXPECT_EQ(rig.paneRect(rig.first).bottom, 148); // (300 - 4) / 2
    EXPECT_EQ(rig.paneRect(rig.first).right, 400);
    rig.splitter.toggleOrientation();

    rig.splitter.setFirst(nullptr);
    EXPECT_EQ(rig.paneRect(rig.second).left, 0);
    EXPECT_EQ(rig.paneRect(rig.second).right, 400);
}

TEST(Splitter, DraggingTheBarMovesItWhereDroppedButNeverBelowTheMinimum)
{
    SplitterRig rig;
    rig.drag(199, 9); // the first pane would be 8 pixels
    EXPECT_EQ(rig.firstWidth(), 198);
    EXPECT_FALSE(rig.splitter.isDragging());
    EXPECT_EQ(GetCapture(), nullptr);
    rig.drag(199, 389); // the second pane would be 8 pixels
    EXPECT_EQ(rig.firstWidth(), 198);

    rig.drag(199, 299);
    EXPECT_EQ(rig.firstWidth(), 298);
    rig.drag(300, 60);
    EXPECT_EQ(rig.firstWidth(), 58);

    // Outside the bar nothing starts; with one pane there is no bar to drag.
    rig.drag(100, 200);
    EXPECT_EQ(rig.firstWidth(), 58);
    rig.splitter.setSecond(nullptr);
    postMouse(rig.splitter.hwnd(), WM_LBUTTONDOWN, 390, 150, MK_LBUTTON);
    EXPECT_FALSE(rig.splitter.isDragging());
    postMouse(rig.splitter.hwnd(), WM_LBUTTONUP, 390, 150);
}
