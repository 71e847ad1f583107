#pragma once

#include <string>

class CMorvelFileDoc;

// What Save As asks of the application and the main window.
class CSaveJobAsHost
{
public:
    virtual ~CSaveJobAsHost() = default;
    virtual CMorvelFileDoc* GetActiveJob() = 0;
    // The scratch job, never saved under a name.
    virtual bool HasTemporaryJob() = 0;
    // The job file dialog titled "Save Job As", starting at the suggested name: IDOK with the
    // chosen path, or IDCANCEL.
    virtual int PromptFileName(std::string& path) = 0;
    // Closes the open job and opens the file as the open job.
    virtual bool OpenJob(const std::string& path) = 0;
    virtual void DeleteTemporaryJob() = 0;
};

// Saves the active job under a name the person chooses. dialogResult gets -1 without a job, else
// the dialog's answer. False without a job or when a file could not be written; a cancelled
// dialog is true. Both files are written beside their targets and renamed in, so a failed write
// leaves whatever stood at the chosen names as it was. Saving onto the job's own name reopens the
// job; another name is offered for loading.
bool SaveJobAs(CSaveJobAsHost& host, int* dialogResult);

// The paths compared as the job's file names are: whole, without regard to case.
bool IsSameJobPath(const std::string& a, const std::string& b);
