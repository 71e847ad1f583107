#pragma once

#include "framework/ui/StackableDialog.h"
#include "model/SelectionDescription.h"

class CElevationControl;
class CGeneralSelectionChip;
class wxCheckBox;

// The chip row and its description that the selection panels share.
class CSelectionPanel : public CStackableDialog
{
public:
    static constexpr int IdChip = 1146;
    CSelectionPanel(uint32_t templateId, const wxString& title) : CStackableDialog(templateId, title) {}
    CGeneralSelectionChip* GetChip() const { return m_chip; }
    // The panel's report to the editor; the chip gets the keyboard when it opened.
    void OpenReport();

protected:
    wxSizer* BuildChipRow(const char* caption);
    CGeneralSelectionChip* m_chip = nullptr;
    CSelectionDescription m_selection;
};

// "2D to 3D points": one elevation for the selected points, or only for those without one.
class C2dPointsTo3dPointsDlg : public CSelectionPanel
{
public:
    static constexpr uint32_t TemplateId = 6993;
    enum : int { IdElevation = 2534, IdElevationUnit = 6926, IdMissingOnly = 1060, IdReport = 1070, IdApply = 7345, IdClose = 2 };

    C2dPointsTo3dPointsDlg();
    ~C2dPointsTo3dPointsDlg() override;
    // The number of points changed; -1 when nothing was done.
    int32_t OnApply();
    void OnGraphicDataReceived() override;

    double newElevation;
    int32_t missingOnly;

protected:
    void BuildControls() override;
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;
};

// "Rename Points": the selected points renamed by the user's rename rules.
class CRenumberPoints : public CSelectionPanel
{
public:
    static constexpr uint32_t TemplateId = 5600;
    enum : int { IdRules = 2786, IdPreview = 2793, IdRawData = 1060, IdReport = 1070, IdRename = 2787, IdClose = 2 };

    CRenumberPoints();
    void OnRules();
    // The preview report of the renames, to the editor; nothing in the job changes.
    bool OnPreview();
    bool OnRename();
    void OnNotify(void* sender, int32_t code, intptr_t parameter) override;

    int32_t renameRawData = 1;

protected:
    void BuildControls() override;
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;
};

// "Delete Points": the selected objects deleted as one step, with deletion lines in the raw
// data when the box (kept in the profile) is ticked.
class CDeleteObjects : public CSelectionPanel
{
public:
    static constexpr uint32_t TemplateId = 5349;
    enum : int { IdWriteRaw = 1060, IdDelete = 7345, IdClose = 2 };

    CDeleteObjects();
    ~CDeleteObjects() override;
    bool OnApply();

    int32_t writeDeleteRecords;

protected:
    void BuildControls() override;
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;
};
