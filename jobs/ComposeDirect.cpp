#include "jobs/ComposeDirect.h"

#include "base/Files.h"
#include "base/Settings.h"
#include "jobs/Job.h"
#include "operations/ChildProcess.h"
#include "operations/PdfSource.h"
#include "zpdf/Composer.h"

#include <cstdio>
#include <map>
#include <memory>
#include <vector>

bool composeWithInterpreter() { return progConfig_getDword(L"ComposeWithInterpreter", 0) == 1; }

DirectCompose composeDirectly(const Job& job, const ZString& out, AbortControl* control)
{
    try {
        // Documents of our own over the sources' files: the sources' open
        // documents belong to the user interface's thread.
        std::map<const PdfSource*, std::unique_ptr<zpdf::Document>> documents;
        std::vector<zpdf::PagePick> picks;
        for (const JobPage& page : job.pages()) {
            std::unique_ptr<zpdf::Document>& document = documents[page.document];
            if (!document)
                document = std::make_unique<zpdf::Document>(page.document->path());
            picks.push_back({document.get(), page.pageNumber - 1, page.rotation});
        }
        zpdf::Composer composer(std::move(picks));
        for (;;) {
            if (control != nullptr && control->isAborted())
                return DirectCompose::Aborted;
            if (!composer.copyNextPage())
                break;
        }
        if (composer.output().save(out))
            return DirectCompose::Written;
        fprintf(stdout, "compose: the composed file could not be written\n");
    } catch (const std::exception& e) {
        fprintf(stdout, "compose: our PDF library cannot copy the pages (%s); the interpreter composes them\n",
                e.what());
    }
    fflush(stdout);
    deleteFile(out, false);
    return DirectCompose::Unreadable;
}
