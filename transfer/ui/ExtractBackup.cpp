#include "transfer/ui/ExtractBackup.h"

#include "shell/ui/MorvelApp.h"

namespace {

std::string Folder(bool (*get)(std::string&))
{
    std::string folder;
    get(folder);
    return folder;
}

} // namespace

CExtractBackup::CExtractBackup()
    : CCreateJobPathsDlg({"Create Job from Backup", "Enter a backup file to extract a job from.", SourceEditId,
                          SourceBrowseId, FileTypeBackup, "Choose a backup file to extract"},
                         BackupJobPathKeys(Folder(&CMorvelApp::GetDefaultBackupFolder),
                                           Folder(&CMorvelApp::GetDefaultJobFolder)))
{
}
