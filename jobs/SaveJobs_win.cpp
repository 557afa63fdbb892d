#include "jobs/SaveJobs.h"

#include "env/Choosers.h"
#include "env/Companions.h"
#include "env/FileHandlerArgs.h"
#include "env/RegisteredNames.h"
#include "base/Files.h"
#include "base/Lang.h"
#include "base/OperationUI.h"
#include "base/Paths.h"
#include "gui/Messages.h"
#include "jobs/Compose.h"
#include "jobs/Job.h"
#include "jobs/JobStore.h"
#include "operations/Conversions.h"
#include "operations/Mail.h"
#include "operations/PdfSource.h"
#include "zpdf/Document.h"

#include <windows.h>

#include <algorithm>
#include <memory>

namespace {

// Format and options from the dialog, as every save, e-mail and fax asks them.
struct FormatChoice {
    ZString format;
    FormatOptionSet options;
};

// Releases a format-options object when it goes out of scope.
struct FormatOptionsHolder {
    FormatOptions* object = formatOptions_create();
    ~FormatOptionsHolder()
    {
        if (object != nullptr)
            object->release();
    }
    FormatOptions* operator->() const { return object; }
};

bool chooseFormat(FormatOptionsHolder& dialog, FormatChoice& choice)
{
    dialog->setForAction(true);
    dialog->setContinueCaption(lang_getStr(L"format-options/continue"));
    if (dialog->showDialog(messageOwner()) != 0 || dialog->format() == nullptr)
        return false;
    choice.format = dialog->format();
    choice.options = dialog->options();
    return true;
}

// "<name>.<format>", unless the name already ends in that extension.
ZString fileNameFor(const Job& job, const ZString& format)
{
    ZString name(job.name());
    name.replaceChars(L"/\\:<>*?\"|", L'_');
    ZString lowerName(name);
    ZString lowerExt(L"." + format);
    if (!lowerName.toLower().endsWith(lowerExt.toLower()))
        name.append(L".").append(format);
    return name;
}

bool mailFolder(const ZString& folder)
{
    std::vector<ZString> files;
    listFolder(folder, &files, nullptr, kListFiles);
    if (files.empty())
        return false;
    MailRequest request;
    for (const ZString& file : files)
        request.attachments.push_back({file, ZString()});
    return sendMail(messageOwner(), request);
}

void showSaveFailure(const Job& job, const ZString& reason)
{
    ZString text(lang_getStr(L"quillet/jobs/~save-failed"));
    text.replaceAll(L"{JOB_NAME}", job.name());
    text.replaceAll(L"{REASON}", reason);
    showError(text);
}

} // namespace

bool saveJob(Job& job, const ZString& target, HWND owner)
{
    if (job.isEmpty())
        return false;
    AssembleOperation operation(job, target);
    operationUI_do(operation, owner, false);
    if (!operation.failure().isEmpty()) {
        showSaveFailure(job, operation.failure());
        return false;
    }
    return isFile(target);
}

bool saveJobWithFormat(Job& job, const ZString& format, const ZString& target, const FormatOptionSet& options)
{
    const ZString pdf = makeTempFileName(kTempSubFolder, ZString(), L".pdf");
    // Composing marks the job saved; it is only saved once the format is written.
    const bool wasUnsaved = job.isUnsaved();
    bool result = false;
    if (saveJob(job, pdf, messageOwner()))
        result = formatOptions_saveFileUI(messageOwner(), format, options, pdf, target);
    if (!result)
        job.setUnsaved(wasUnsaved);
    DeleteFileW(pdf.c_str());
    return result;
}

bool saveJobAs(Job& job)
{
    FormatOptionsHolder dialog;
    FormatChoice choice;
    if (!chooseFormat(dialog, choice))
        return false;
    const ZString target = dialog->chooseOutputFile(messageOwner(), job.name(), job.sourceFolderForSaving());
    if (target.isEmpty())
        return false;
    const ZString name = jobNameForFile(target);
    if (!name.isEmpty())
        job.setName(name);
    return saveJobWithFormat(job, choice.format, target, choice.options);
}

bool saveJobsInto(const std::vector<Job*>& jobs, const ZString& folder, const ZString& format,
                  const FormatOptionSet& options)
{
    bool all = true;
    for (Job* job : jobs) {
        if (job == nullptr || job->isEmpty())
            continue;
        const ZString target = freeNumberedName(joinPath(folder, fileNameFor(*job, format)));
        all = saveJobWithFormat(*job, format, target, options) && all;
    }
    return all;
}

bool saveJobs(const std::vector<Job*>& jobs)
{
    if (jobs.empty())
        return true;
    if (jobs.size() == 1)
        return saveJobAs(*jobs.front());
    FormatOptionsHolder dialog;
    FormatChoice choice;
    if (!chooseFormat(dialog, choice))
        return false;
    ZString folder;
    if (!chooseFolder(messageOwner(), ZString(), lang_getStr(L"quillet/jobs/select-folder-to-store"), folder))
        return false;
    return saveJobsInto(jobs, folder, choice.format, choice.options);
}

namespace {

// Saves the jobs in the chosen format into a new temporary folder and mails
// what it holds; with allSaved, only when every job was saved.
bool mailJobs(const std::vector<Job*>& jobs, bool allSaved)
{
    FormatOptionsHolder dialog;
    FormatChoice choice;
    if (!chooseFormat(dialog, choice))
        return false;
    const ZString folder = uniqueTempFolder(kTempSubFolder, ZString(), ZString());
    if (folder.isEmpty())
        return false;
    // The mail program may read the files after we return: they go at exit.
    deleteLater(folder);
    bool saved = true;
    for (Job* job : jobs)
        if (job != nullptr && !job->isEmpty())
            saved = saveJobWithFormat(*job, choice.format,
                                      freeNumberedName(joinPath(folder, fileNameFor(*job, choice.format))),
                                      choice.options) &&
                    saved;
    if (allSaved && !saved)
        return false;
    return mailFolder(folder);
}

} // namespace

bool emailJobs(const std::vector<Job*>& jobs) { return mailJobs(jobs, false); }

bool emailJob(Job& job) { return mailJobs({&job}, true); }

bool faxJob(Job& job)
{
    FormatOptionSet options;
    formatOptions_loadProfile(L"default/good", options);
    const ZString pdf = makeTempFileName(kTempSubFolder, ZString(), L".pdf");
    if (!saveJobWithFormat(job, L"pdf", pdf, options))
        return false;
    // The fax program owns the file from here on, once it runs.
    if (!handFilesToFaxProgram(FileHandlerArgs(ZString(), job.name(), ZString(), pdf, true))) {
        deleteFile(pdf, true);
        return false;
    }
    return true;
}

bool exportJobText(Job& job, const ZString& target, HWND owner)
{
    const ZString pdf = makeTempFileName(kTempSubFolder, ZString(), L".pdf");
    try {
        compose(job, pdf, nullptr);
    } catch (const ComposeError& e) {
        showSaveFailure(job, e.text());
        return false;
    } catch (const std::exception&) {
        return false;
    }
    if (!isFile(pdf))
        return false;
    // The text goes to the target only when it is complete.
    const ZString partial = partialFileFor(target);
    const bool result = convertPdfToText(pdf, partial, owner) && isFile(partial) && moveIntoPlace(partial, target);
    deleteFile(partial, true);
    deleteLater(pdf);
    return result;
}

bool saveJobAsText(Job& job)
{
    ZString name(job.name());
    const int dot = name.findLastChar(L'.');
    if (dot >= 0)
        name.truncate(dot);
    ZString target;
    if (!chooseTextFileToSave(messageOwner(), ZString(), name, target))
        return false;
    return exportJobText(job, target, messageOwner());
}

bool insertBlankPage(Job& job, int position)
{
    if (job.isEmpty() || job.store() == nullptr)
        return false;
    position = std::clamp(position, 0, job.pageCount());
    const JobPage neighbour = *job.page(position < job.pageCount() ? position + 1 : job.pageCount());
    int width = 0;
    int height = 0;
    try {
        const auto page = neighbour.document->document().getPage(neighbour.pageNumber - 1);
        const auto box = page ? page->getMediaBox() : nullptr;
        if (!box)
            return false;
        width = static_cast<int>(box->right() - box->left());
        height = static_cast<int>(box->top() - box->bottom());
    } catch (const std::exception&) {
        return false;
    }
    const ZString path = makeTempFileName(kTempSubFolder, ZString(), L".pdf");
    bool written = false;
    {
        zpdf::Document blank;
        blank.addPage(width, height);
        written = blank.save(path);
    }
    if (!written) {
        deleteFile(path, true);
        return false;
    }
    PdfSource* source = nullptr;
    try {
        source = job.store()->addDocument(std::make_unique<PdfSource>(path));
    } catch (const std::exception&) {
        deleteFile(path, true);
        return false;
    }
    Job carrier(ZString(), job.store());
    carrier.setInitialPages({{source, 1, 0}});
    job.insertPagesFrom(&carrier, position, {1});
    return true;
}

bool confirmJobRemoval(Job& job)
{
    if (job.isEmpty() || !job.isUnsaved())
        return true;
    ZString text(lang_getStr(L"quillet/job/~confirm-save-unsaved"));
    text.replaceAll(L"{JOB_NAME}", job.name());
    switch (showMessage(text, lang_getStr(L"quillet/job/save-job"), MB_YESNOCANCEL | MB_ICONQUESTION)) {
    case IDYES:
        return saveJobAs(job);
    case IDNO:
        return true;
    default:
        return false;
    }
}
