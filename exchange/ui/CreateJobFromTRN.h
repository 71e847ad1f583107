#pragma once

#include "exchange/ui/CreateJobPathsDlg.h"

// "Create Job from Vectrin File": the transfer file ("File"/"TrnTrn") and the job to make
// ("File"/"TrnJob").
class CCreateJobFromTRN : public CCreateJobPathsDlg
{
public:
    static constexpr uint32_t TemplateId = 7016;
    static constexpr int SourceEditId = 6773;
    static constexpr int SourceBrowseId = 6774;

    CCreateJobFromTRN();
};
