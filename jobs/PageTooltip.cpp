#include "jobs/PageTooltip.h"

#include "base/Lang.h"
#include "jobs/Job.h"
#include "operations/PdfSource.h"

ZString pageTooltip(const Job& job, int page)
{
    ZString text = lang_getStr(L"quillet/job/page/~info");
    text.replaceAll(L"{PAGE_NUMBER}", ZString::format(L"%d", page));
    const auto p = job.page(page);
    if (p && p->document != nullptr && !p->document->displayName().isEmpty()) {
        ZString extra = lang_getStr(L"quillet/job/page/~info-extra");
        extra.replaceAll(L"{PAGE_NUMBER}", ZString::format(L"%d", p->pageNumber));
        extra.replaceAll(L"{FILE_NAME}", p->document->displayName());
        text += L"\n";
        text += extra;
    }
    return text;
}
