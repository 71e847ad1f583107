#include "transfer/ui/ExtractBackup.h"

#include "shell/DefaultFolders.h"
#include "transfer/browse/FsFileDialog.h"

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
                         BackupJobPathKeys(Folder(&::GetDefaultBackupFolder),
                                           Folder(&::GetDefaultJobFolder)))
{
}
