#include "exchange/ui/CreateJobFromTRN.h"

#include "shell/DefaultFolders.h"
#include "transfer/browse/FsFileDialog.h"

namespace {

std::string DefaultJobFolder()
{
    std::string folder;
    GetDefaultJobFolder(folder);
    return folder;
}

} // namespace

CCreateJobFromTRN::CCreateJobFromTRN()
    : CCreateJobPathsDlg({"Create Job from Vectrin File", "Enter a Vectrin file.", SourceEditId, SourceBrowseId,
                          FileTypeTransferFile, "Choose a TRN file"},
                         TransferFileJobPathKeys(DefaultJobFolder()))
{
}
