#include "exchange/ui/ImportMorvelFileDialog.h"

#include "exchange/ImportCommands.h"
#include "model/DataFileDoc.h"
#include "transfer/browse/FsFileDialog.h"

CImportMorvelFileDialog::CImportMorvelFileDialog()
    : CImportFileDialog("Import Morvel Coordinates", FileTypeImportJob)
{
}

void CImportMorvelFileDialog::PreviewRenaming(const std::string& file)
{
    PreviewJobFileRenaming(CDataFileDoc::GetActiveDoc(), file, nullptr);
}
