// The flows that start with composing a job: saving in a chosen format, saving
// several jobs into a folder, e-mail, fax, text export, and blank pages. The
// main window (the message owner) owns every dialog and progress window here.
#pragma once

#include "base/FormatOptions.h"
#include "base/WindowHandle.h"
#include "base/ZString.h"

#include <vector>

class Job;

// Composes the job into target under the progress window; true when a file
// exists at target afterwards. False for a job without pages.
bool saveJob(Job& job, const ZString& target, HWND owner);
// Composes into a temporary PDF and lets the format-options service write
// target in format from it.
bool saveJobWithFormat(Job& job, const ZString& format, const ZString& target, const FormatOptionSet& options);
// The save dialog: format and options, then the file; the job takes the
// chosen file's name.
bool saveJobAs(Job& job);
// Several jobs into one chosen folder, never overwriting a file.
bool saveJobs(const std::vector<Job*>& jobs);
// The part of saveJobs after the dialogs: each job with pages is written as
// "<name>.<format>" in folder, under a free numbered name when that exists.
bool saveJobsInto(const std::vector<Job*>& jobs, const ZString& folder, const ZString& format,
                  const FormatOptionSet& options);
// The jobs as attachments of a new e-mail.
bool emailJobs(const std::vector<Job*>& jobs);
bool emailJob(Job& job);
// The job as a PDF ("default/good" profile) handed to the fax program.
bool faxJob(Job& job);
// The job's text into a text file the user chooses.
bool saveJobAsText(Job& job);
// The text of the job composed into a temporary PDF and extracted into target.
bool exportJobText(Job& job, const ZString& target, HWND owner);
// A blank page before position (0..page count), as large as its neighbour.
bool insertBlankPage(Job& job, int position);
// Asks whether an unsaved job is to be saved before it goes; false when the
// user cancelled or saving failed.
bool confirmJobRemoval(Job& job);
