#include "exchange/ui/CreateJobFromTRN.h"

#include "shell/ui/MorvelApp.h"

namespace {

std::string DefaultJobFolder()
{
    std::string folder;
    CMorvelApp::GetDefaultJobFolder(folder);
    return folder;
}

} // namespace

CCreateJobFromTRN::CCreateJobFromTRN()
    : CCreateJobPathsDlg({"Create Job from Vectrin File", "Enter a Vectrin file.", SourceEditId, SourceBrowseId,
                          FileTypeTransferFile, "Choose a TRN file"},
                         TransferFileJobPathKeys(DefaultJobFolder()))
{
}
