#pragma once

#include "framework/ui/StackableDialog.h"
#include "model/SelectionDescription.h"

#include <string>

class CGeneralSelectionChip;
class wxChoice;

// The "Export LandXML File" side-bar panel: the selected points written as a LandXML document,
// with "code" or "desc" carrying the description (the choice the LandXML import shares). The
// last file is offered again while the panel lives.
class CExportLandXML : public CStackableDialog
{
public:
    static constexpr uint32_t TemplateId = 654;
    static constexpr int IdChip = 1000;
    static constexpr int IdDescription = 1041;
    static constexpr int IdExport = 1827;

    CExportLandXML();

    void OnExport();
    wxChoice* GetDescriptionChoice() const { return m_description; }
    const std::string& GetLastPath() const { return m_lastPath; }

protected:
    void BuildControls() override;
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;

private:
    CSelectionDescription m_points;
    CGeneralSelectionChip* m_chip = nullptr;
    wxChoice* m_description = nullptr;
    int32_t m_descriptionOption = 1;
    std::string m_lastPath;
};
