#include "shell/SaveJobAs.h"

#include "core/PathHelpers.h"
#include "model/MorvelFileDoc.h"
#include "platform/MessageBox.h"

#include <strings.h>

bool IsSameJobPath(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && ::strncasecmp(a.c_str(), b.c_str(), a.size()) == 0;
}

bool SaveJobAs(CSaveJobAsHost& host, int* dialogResult)
{
    int ignored = 0;
    int& result = dialogResult ? *dialogResult : ignored;
    result = -1;
    CMorvelFileDoc* job = host.GetActiveJob();
    if (!job)
        return false;
    const bool temporary = host.HasTemporaryJob();
    const std::string oldPath = job->GetPathName();
    std::string newJob = temporary ? std::string() : GetPathFileTitle(oldPath);
    result = host.PromptFileName(newJob);
    if (result == IDCANCEL)
        return true;

    const bool samePath = IsSameJobPath(newJob, oldPath);
    if (!job->WriteJobFiles(newJob)) {
        ShowMessageBoxFS("The job could not be saved as '" + newJob + "'.\n\n" + job->GetSaveFailure(),
                         MB_OK | MB_ICONERROR);
        return false;
    }
    if (temporary || samePath) {
        job->SetModifiedWithText("", false, false);
        host.OpenJob(newJob);
        host.DeleteTemporaryJob();
        return true;
    }
    if (ShowMessageBoxFS("Load '" + GetPathFileName(newJob) + "' now?", MB_YESNO | MB_ICONQUESTION) == IDYES) {
        host.OpenJob(newJob);
        host.DeleteTemporaryJob();
    }
    return true;
}
