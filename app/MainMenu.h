// The main window's menu bar: the menu resource 1777 with every text taken
// from the language catalogue by command id, the five top-level items drawn by
// the program, and the items this installation does not offer removed.
#pragma once

#include "base/ZString.h"

#include <windows.h>

namespace menu {
enum : UINT {
    File = 1800, New = 1801, Open = 1802, Import = 1803, ImportTwain = 1804, ImportFile = 1805, Save = 1806,
    SaveAs = 1807, Close = 1808,
    Edit = 1820, EditExplorer = 1821, Copy = 1822, Cut = 1823, Paste = 1824, Delete = 1825, SelectAll = 1826,
    View = 1840, ViewExplorer = 1841, ShowExplorer = 1842, ShowFolders = 1844, ShowAllFiles = 1846,
    ShowOnlyPdf = 1847, Layout = 1848, Horizontal = 1849, Vertical = 1850, Jobs = 1851,
    Tools = 1860, DocumentToPdf = 1861, ExtractPages = 1862, SelfSignedCertificate = 1863,
    ManageCertificates = 1864, Preferences = 1865, SaveProfiles = 1866,
    Help = 1880, CheckForUpdates = 1881, Online = 1882, Homepage = 1883, ReleaseNotes = 1884, UpdatePage = 1885,
    About = 1886,
};
} // namespace menu

// The language key of a menu command; null for ids of no menu item.
const wchar_t* menuTextKey(UINT id);

class MainMenu {
public:
    MainMenu() = default;
    // Destroys the menu unless a window still has it, and the font.
    ~MainMenu();
    MainMenu(const MainMenu&) = delete;
    MainMenu& operator=(const MainMenu&) = delete;

    // Loads and prepares the menu; null when the resource is missing.
    HMENU load(HINSTANCE module);
    HMENU handle() const { return m_menu; }

    // The owner-drawn top-level items: text + 10 by text + 4 in Arial 8 pt.
    void measureItem(HWND window, MEASUREITEMSTRUCT& item);
    void drawItem(const DRAWITEMSTRUCT& item);

    // A direct item of popup (not of its submenus).
    static bool holdsItem(HMENU popup, UINT id);
    // The submenu of a direct item of popup; null when it has none.
    static HMENU submenu(HMENU popup, UINT id);
    static void setItemText(HMENU menu, UINT id, const ZString& text);
    static void enableItem(HMENU menu, UINT id, bool enabled);
    static void checkItem(HMENU menu, UINT id, bool checked);

private:
    HFONT font(HWND window);
    static ZString itemText(UINT id);

    HMENU m_menu = nullptr;
    HFONT m_font = nullptr;
};
