#include "tests/xhtml/WindowTestSupport_win.h"
#include "xhtml/MyMsgBox_win.h"
#include "xhtml/Resources_win.h"
#include "xhtml/StyleValue.h"

#include <gtest/gtest.h>

using namespace xhtml;

namespace {

const wchar_t* const kFrameClass = L"XhtmlFrameView";

struct Seen {
    std::vector<ZString> buttons;
    RECT client = {};
    bool scrollBar = false;
};

Seen look(HWND box)
{
    Seen seen;
    for (const ChildButton& b : buttonsOf(box))
        seen.buttons.push_back(b.text);
    GetClientRect(box, &seen.client);
    seen.scrollBar = (GetWindowLongPtrW(box, GWL_STYLE) & WS_VSCROLL) != 0;
    return seen;
}

// The top edges of the lines that hold the given words.
int topOfWord(const Layout& layout, const wchar_t* word)
{
    for (const DisplayItem& item : layout.items)
        if (item.kind == DisplayItem::Text && item.text == word)
            return item.rect.top;
    return -1;
}

// Lines that wrap in the narrow box and fit the wide one.
ZString manyLines(int count)
{
    ZString text;
    for (int i = 0; i < count; ++i)
        text.appendFormat(L"Line %d of a long message: the pages of the job were merged, rotated and saved "
                          L"in the chosen format.\n",
                          i);
    return text;
}

} // namespace

TEST(MyMsgBox, ExtraButtonsComeFirstAndThePressedButtonIsTheResult)
{
    MyMsgBox box(nullptr, L"Question", L"Keep going?", MyMsgBox::Yes | MyMsgBox::No);
    box.addButton(L"Later", 64);
    Seen seen;
    WhenShown whenShown(kFrameClass, [&](HWND w) {
        seen = look(w);
        SendMessageW(buttonLabelled(w, L"No").window, BM_CLICK, 0, 0);
    });
    EXPECT_EQ(box.show(), MyMsgBox::No);
    ASSERT_TRUE(whenShown.ran());
    EXPECT_EQ(seen.buttons, (std::vector<ZString>{L"Later", L"Yes", L"No"}));
    EXPECT_EQ(seen.client.right, screenResolution() * 500 / 96);
    EXPECT_FALSE(seen.scrollBar);

    MyMsgBox extra(nullptr, L"Question", L"Which?", MyMsgBox::Cancel);
    extra.addButton(L"Install", 64);
    WhenShown press(kFrameClass, [](HWND w) { SendMessageW(buttonLabelled(w, L"Install").window, BM_CLICK, 0, 0); });
    EXPECT_EQ(extra.show(), 64);
}

TEST(MyMsgBox, ALineBreakStartsASecondLine)
{
    MyMsgBox box(nullptr, L"", L"upper\r\nlower\nlowest", MyMsgBox::Ok);
    int upper = -1, lower = -1, lowest = -1;
    ZString path;
    WhenShown whenShown(kFrameClass, [&](HWND w) {
        const Layout& layout = FrameView::fromWindow(w)->layout();
        upper = topOfWord(layout, L"upper");
        lower = topOfWord(layout, L"lower");
        lowest = topOfWord(layout, L"lowest");
        path = saveScreenshot(w, L"xhtml-msgbox.png");
        SendMessageW(buttonLabelled(w, L"OK").window, BM_CLICK, 0, 0);
    });
    EXPECT_EQ(box.show(), MyMsgBox::Ok);
    EXPECT_GE(upper, 0);
    EXPECT_GT(lower, upper);
    EXPECT_GT(lowest, lower);
    std::printf("screenshot: %ls\n", path.c_str());
}

TEST(MyMsgBox, LongMessagesWidenTheBoxAndThenScroll)
{
    const int dpi = screenResolution();
    struct Case {
        int lines;
        int width;
        bool scrolls;
    };
    for (const Case c : {Case{1, 500, false}, Case{22, 800, false}, Case{60, 800, true}}) {
        MyMsgBox box(nullptr, L"Long", manyLines(c.lines), MyMsgBox::Ok);
        Seen seen;
        int scrolled = -1;
        WhenShown whenShown(kFrameClass, [&](HWND w) {
            seen = look(w);
            SendMessageW(w, WM_VSCROLL, SB_PAGEDOWN, 0);
            scrolled = FrameView::fromWindow(w)->scrollPosition();
            SendMessageW(w, WM_CLOSE, 0, 0);
        });
        EXPECT_EQ(box.show(), 1);
        EXPECT_EQ(seen.client.right, dpi * c.width / 96) << c.lines;
        EXPECT_EQ(seen.scrollBar, c.scrolls) << c.lines;
        EXPECT_LE(seen.client.bottom, dpi * 600 / 96) << c.lines;
        if (c.scrolls) {
            EXPECT_EQ(seen.client.bottom, dpi * 600 / 96);
            EXPECT_GT(scrolled, 0);
        } else {
            EXPECT_GT(seen.client.bottom, dpi * 40 / 96);
        }
    }
}

TEST(MyMsgBox, TheCloseLinkShowsItsHoverStateAndGivesOne)
{
    MyMsgBox box(nullptr, L"Closing", L"Close me by the cross.", MyMsgBox::Yes);
    uint32_t normal = 0, hovered = 0;
    WhenShown whenShown(kFrameClass, [&](HWND w) {
        const auto link = [w](uint32_t* colour) {
            for (const DisplayItem& item : FrameView::fromWindow(w)->layout().items)
                if (item.kind == DisplayItem::Text && item.element != nullptr && item.element->name() == L"a") {
                    *colour = item.colour;
                    return item.rect;
                }
            return RECT{};
        };
        const RECT r = link(&normal);
        const POINT centre = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        SendMessageW(w, WM_MOUSEMOVE, 0, MAKELPARAM(centre.x, centre.y));
        link(&hovered);
        clickAt(w, centre);
        // Should the link do nothing, the box ends through Yes instead.
        PostMessageW(buttonLabelled(w, L"Yes").window, BM_CLICK, 0, 0);
    });
    EXPECT_EQ(box.show(), 1);
    EXPECT_EQ(normal, parseColour(L"#ffffff"));
    EXPECT_EQ(hovered, parseColour(L"#ffd040"));
}

TEST(MyMsgBox, DocumentFillsTemplateAndLanguagePlaceholders)
{
    MyMsgBox box(nullptr, L"", L"a<b>b</b>\n{lang/no/such/key}", MyMsgBox::Cancel | MyMsgBox::Ok);
    box.addButton(L"Extra", 70);
    const ZString doc = box.buildDocument();
    EXPECT_GE(doc.find(L"Information"), 0);
    EXPECT_GE(doc.find(L"a<b>b</b><br/>{lang/no/such/key}"), 0);
    const int extra = doc.find(L"<input type=\"button\" name=\"70\" value=\"Extra\" style=\"min-width:80px\" /> &nbsp; ");
    const int cancel = doc.find(L"name=\"16\" value=\"Cancel\"");
    const int ok = doc.find(L"name=\"2\" value=\"OK\"");
    EXPECT_GE(extra, 0);
    EXPECT_GT(cancel, extra);
    EXPECT_GT(ok, cancel);
    EXPECT_LT(doc.find(L"{title}"), 0);
}
