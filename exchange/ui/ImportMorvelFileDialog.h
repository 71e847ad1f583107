#pragma once

#include "exchange/ui/ImportFileDialog.h"

// File/Import of another job's points: the file field and the shared options group.
class CImportMorvelFileDialog : public CImportFileDialog
{
public:
    CImportMorvelFileDialog();
    void PreviewRenaming(const std::string& file) override;
};
