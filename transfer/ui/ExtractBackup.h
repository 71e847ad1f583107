#pragma once

#include "exchange/ui/CreateJobPathsDlg.h"

// "Create Job from Backup": the backup file ("File"/"BckBck") and the job to restore into
// ("File"/"BckJob").
class CExtractBackup : public CCreateJobPathsDlg
{
public:
    static constexpr uint32_t TemplateId = 7015;
    static constexpr int SourceEditId = 6770;
    static constexpr int SourceBrowseId = 1053;

    CExtractBackup();
};
