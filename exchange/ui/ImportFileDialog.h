#pragma once

#include "exchange/ImportOptionsGroup.h"
#include "framework/ui/EasyDialog.h"

#include <cstdint>
#include <string>

class CEasyEdit;
class wxBoxSizer;
class wxButton;
class wxCheckBox;
class wxChoice;
class wxRadioButton;
class wxStaticBoxSizer;

// What every point import dialog shares: the file field with "Browse..." (the toolkit's chooser
// can neither carry our options nor stay open after a refused file, hence the field), the options
// group ("Point Name Options", "Open Rules...", "Preview Renaming Report", the report check), and
// "Import", which closes the dialog only when the derived dialog's checks pass.
class CImportFileDialog : public CEasyDialog
{
public:
    static constexpr int IdPath = 1152;
    static constexpr int IdBrowse = 1153;
    static constexpr int IdUseRules = 2795;
    static constexpr int IdOverwrite = 2796;
    static constexpr int IdOpenRules = 2797;
    static constexpr int IdPreview = 1038;
    static constexpr int IdReport = 1061;
    static constexpr int IdUnits = 2516;

    CImportFileDialog(const wxString& title, int32_t fileTypeCode);

    std::string GetPathName() const;
    void SetPathName(const std::string& path);
    // The file the field names, as the file dialog would open it (a bare name finds the file with
    // the kind's extension); the name as typed when no file matches.
    std::string GetFileToOpen() const;
    const CImportOptionsGroup& GetOptions() const { return m_options; }

    // The buttons as the mouse reaches them.
    void OnBrowse();
    void OnOpenRules();
    // Previews the renaming of the file the field names once it is there; an empty field or a
    // name with no file is refused as "Import" refuses it.
    void OnPreviewRenamingReport();
    void OnPointNameOption(int32_t option);
    void OnOK() override;

    // "Meters", "Feet", "US Feet"; 0 without a selection.
    int32_t GetDistanceUnitSelection() const;

protected:
    void BuildControls() override;
    bool OnInitDialog() override;
    bool WantsStandardButtons() const override { return false; }

    // The dialog's own controls, above the shared group.
    virtual void BuildOwnControls(wxBoxSizer* sizer) {}
    // Lines of the "Import Options" group after the report check.
    virtual void BuildImportOptions(wxStaticBoxSizer* group) {}
    // Reads the dialog's own controls and checks the accepted file; false keeps the dialog open
    // (the user has been told why). Runs after the shared group was read, before it is stored.
    virtual bool OnFileNameOK() { return true; }
    // The preview report of the file's names under the rename rules (the file is there).
    virtual void PreviewRenaming(const std::string& file) = 0;
    virtual void UpdateControls();
    // The unit combo of the ASCII and DXF dialogs, preset to the job's distance unit.
    wxChoice* MakeUnitChoice(wxWindow* parent);
    // Reads the radios and the report check into the options.
    void ReadOptionControls();

    CImportOptionsGroup m_options;

private:
    // The file the field names; false, the user told why, when the field is empty or no file is there.
    bool GetExistingFile(std::string& file);

    int32_t m_fileTypeCode;
    CEasyEdit* m_path = nullptr;
    wxRadioButton* m_useRules = nullptr;
    wxRadioButton* m_overwrite = nullptr;
    wxButton* m_openRules = nullptr;
    wxButton* m_preview = nullptr;
    wxCheckBox* m_report = nullptr;
    wxChoice* m_units = nullptr;
};
