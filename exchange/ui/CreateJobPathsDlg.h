#pragma once

#include "exchange/CreateJobPaths.h"
#include "framework/ui/EasyDialog.h"

#include <string>

class CEasyEdit;

// The modal dialog that names a field-data file (a backup, a transfer file) and the job file to
// make from it. It checks that the source exists and that the job path is usable (extension
// "Mvj"), asks before the job or, without one, its raw data file ("Mvr") is replaced, and
// remembers both in the profile when it closes, after OK and Cancel alike.
class CCreateJobPathsDlg : public CEasyDialog
{
public:
    static constexpr int JobEditId = 6771;
    static constexpr int JobBrowseId = 1054;

    // What tells the two dialogs apart.
    struct Layout
    {
        const char* title;
        const char* sourcePrompt;
        int sourceEditId;
        int sourceBrowseId;
        int32_t sourceFileType;
        const char* sourceBrowseTitle;
    };

    CCreateJobPathsDlg(const Layout& layout, CreateJobPathKeys keys);
    ~CCreateJobPathsDlg() override;

    const std::string& GetSourcePath() const { return m_source; }
    const std::string& GetJobPath() const { return m_job; }
    CEasyEdit* GetSourceEdit() const { return m_sourceEdit; }
    CEasyEdit* GetJobEdit() const { return m_jobEdit; }

    // The two "Browse..." buttons: the file dialog starts in the folder of the field's text.
    void OnBrowseSource();
    void OnBrowseJob();
    void OnOK() override;

protected:
    void BuildControls() override;
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;

private:
    // The folder of the field's text when that folder exists, else empty.
    std::string BrowseStart(const CEasyEdit* edit) const;

    Layout m_layout;
    CreateJobPathKeys m_keys;
    std::string m_source;
    std::string m_job;
    CEasyEdit* m_sourceEdit = nullptr;
    CEasyEdit* m_jobEdit = nullptr;
};
