#pragma once

#include "exchange/ui/ImportFileDialog.h"

// File/Import LandXML: the shared group and which LandXML attribute ("code" or "desc") becomes
// the point description; the choice is shared with the LandXML export.
class CImportLandXMLFileDialog : public CImportFileDialog
{
public:
    static constexpr int IdDescription = 1041;

    CImportLandXMLFileDialog();

    void PreviewRenaming(const std::string& file) override;
    int32_t GetDescriptionOption() const { return m_descriptionOption; }
    wxChoice* GetDescriptionChoice() const { return m_description; }

protected:
    void BuildImportOptions(wxStaticBoxSizer* group) override;
    bool OnInitDialog() override;
    bool OnFileNameOK() override;

private:
    int32_t m_descriptionOption = 1;
    wxChoice* m_description = nullptr;
};
