// The main window's menu: what each command does and how the popups look when
// they open.
#include "app/AppWin.h"

#include "app/CommandLine.h"
#include "app/HandOver.h"
#include "app/JobViewsMenu.h"
#include "base/About.h"
#include "base/FormatOptions.h"
#include "base/Lang.h"
#include "env/Companions.h"
#include "env/Identity.h"
#include "gui/Messages.h"
#include "jobs/SaveJobs.h"

namespace {

const wchar_t* const kSuiteWebSite = L"http://www.tamlo.com";
// View > Jobs holds the job windows' views entries (8 to 13) under ids of
// their own: the same numbers are job list commands (8 delete all, 9 delete
// selected, ...), which a display mode must never reach.
const UINT kJobViewsBase = 0x7000;

void showSaveProfiles(HWND owner)
{
    FormatOptions* options = formatOptions_create();
    if (options == nullptr)
        return;
    options->setActionsShown(false);
    options->showDialog(owner);
    options->release();
}

} // namespace

void AppWin::runCommand(UINT id)
{
    switch (id) {
    case menu::New:
        m_jobList.addEmptyJob();
        break;
    case menu::Open:
    case menu::ImportFile:
    case menu::DocumentToPdf:
        openDocuments(hwnd());
        break;
    case menu::ImportTwain:
        openScannerImport();
        break;
    case menu::Save:
    case menu::SaveAs:
        if (Job* job = m_jobList.currentJob())
            saveJobAs(*job);
        break;
    case menu::Close:
        send(WM_CLOSE);
        break;
    case menu::Copy:
        m_explorer.list().runCommand(explorer_list::Copy);
        break;
    case menu::Cut:
        m_explorer.list().runCommand(explorer_list::Cut);
        break;
    case menu::Paste:
        m_explorer.list().runCommand(explorer_list::Paste);
        break;
    case menu::Delete:
        m_explorer.list().runCommand(explorer_list::Delete);
        break;
    case menu::SelectAll:
        m_explorer.list().runCommand(explorer_list::SelectAll);
        break;
    case menu::ShowExplorer:
        showExplorer(!isExplorerShown());
        break;
    case menu::ShowFolders:
        m_explorer.setFoldersShown(!m_explorer.foldersShown());
        break;
    case menu::ShowAllFiles:
        m_explorer.list().runCommand(explorer_list::ShowAllFiles);
        break;
    case menu::ShowOnlyPdf:
        m_explorer.list().runCommand(explorer_list::ShowOnlyPdf);
        break;
    case menu::Horizontal:
        m_splitter.setOrientation(0);
        break;
    case menu::Vertical:
        m_splitter.setOrientation(1);
        break;
    case menu::ExtractPages:
        extractPages(ZString());
        break;
    case menu::SelfSignedCertificate:
        formatOptions_selfSignCertDlg(hwnd());
        break;
    case menu::ManageCertificates:
        openCertificateManager();
        break;
    case menu::Preferences:
        openSettingsProgram(false);
        break;
    case menu::SaveProfiles:
        showSaveProfiles(hwnd());
        break;
    case menu::CheckForUpdates:
        openUpdater(ZString());
        break;
    case menu::Homepage:
        openUrl(kSuiteWebSite);
        break;
    case menu::ReleaseNotes:
        openUrl(ZString(kSuiteWebSite) + L"/products/pdf-quillet/releaseNotes.php?v=" + kProgramVersion);
        break;
    case menu::UpdatePage:
        openUpdater(L"-openUpdatePage");
        break;
    case menu::About:
        about_show(hwnd());
        break;
    default:
        if (const int mode = displayModeOfCommand(id, kJobViewsBase); mode >= 0)
            m_jobList.setDisplayMode(mode); // stored, and every job window takes it
        break;                         // the job list's own commands come with its window
    }
}

void AppWin::updatePopup(HMENU popup)
{
    const bool explorer = isExplorerShown();
    if (MainMenu::holdsItem(popup, menu::Close)) {
        const bool current = m_jobList.currentJob() != nullptr;
        MainMenu::enableItem(popup, menu::Save, current);
        MainMenu::enableItem(popup, menu::SaveAs, current);
    }
    if (MainMenu::holdsItem(popup, menu::Copy)) {
        const bool selection = m_explorer.hasSelection();
        MainMenu::enableItem(popup, menu::Copy, selection);
        MainMenu::enableItem(popup, menu::Cut, selection);
        MainMenu::enableItem(popup, menu::Delete, selection);
        MainMenu::enableItem(popup, menu::Paste, m_explorer.list().isCommandEnabled(explorer_list::Paste));
    }
    if (MainMenu::holdsItem(popup, menu::EditExplorer))
        MainMenu::enableItem(popup, menu::EditExplorer, explorer);
    if (MainMenu::holdsItem(popup, menu::ShowExplorer)) {
        MainMenu::setItemText(popup, menu::ShowExplorer,
                              lang_getStr(explorer ? L"quillet/menu/view/explorer/hide"
                                                   : L"quillet/menu/view/explorer/show"));
        const bool pdfOnly = m_explorer.pdfOnly();
        MainMenu::enableItem(popup, menu::ShowAllFiles, explorer && pdfOnly);
        MainMenu::checkItem(popup, menu::ShowAllFiles, explorer && !pdfOnly);
        MainMenu::enableItem(popup, menu::ShowOnlyPdf, explorer && !pdfOnly);
        MainMenu::checkItem(popup, menu::ShowOnlyPdf, explorer && pdfOnly);
        const bool folders = explorer && m_explorer.foldersShown();
        MainMenu::setItemText(popup, menu::ShowFolders,
                              lang_getStr(folders ? L"quillet/menu/view/explorer/hide-folders"
                                                  : L"quillet/menu/view/explorer/show-folders"));
        MainMenu::enableItem(popup, menu::ShowFolders, explorer);
    }
    if (MainMenu::holdsItem(popup, menu::Jobs)) {
        if (HMENU views = MainMenu::submenu(popup, menu::Jobs))
            fillJobViewsMenu(views, kJobViewsBase);
    }
    if (MainMenu::holdsItem(popup, menu::Horizontal)) {
        MainMenu::enableItem(popup, menu::Horizontal, explorer && !m_splitter.isOrientation(0));
        MainMenu::enableItem(popup, menu::Vertical, explorer && !m_splitter.isOrientation(1));
    }
}
