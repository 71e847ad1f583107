#pragma once

#include "cogo/AdjustmentsCommand.h"
#include "framework/ui/EasyTab.h"
#include "framework/ui/StackableDialog.h"
#include "model/SelectionDescription.h"

#include <memory>

class CAdjustments;
class CGeneralSelectionChip;
class wxButton;
class wxChoice;
class wxRadioButton;

// The values of the four pages, kept from one opening of the panel to the next while the
// program runs (metres and radians; NoValue for an empty field).
struct CAdjustmentValues
{
    // Translate by.
    double direction = 1.5707963267948966;
    double distance = NoValue;
    double rise = 0.0;
    // Translate to.
    CAdjustLocation reference{true, "", CLocation(0.0, 0.0, 0.0)};
    CAdjustLocation destination{true, "", CLocation(0.0, 0.0, 0.0)};
    // Rotate.
    CAdjustLocation rotateReference{true, "", CLocation(0.0, 0.0, 0.0)};
    int32_t angleMode = RotateSimple;
    double simpleAngle = 0.0;
    double originalDirection = 1.5707963267948966;
    double newDirection = 1.5707963267948966;
    // Scale.
    bool predefined = true;
    int32_t factorIndex = 0;
    CAdjustLocation scaleReference{true, "", CLocation(0.0, 0.0, 0.0)};
    double northingFactor = 1.0;
    double eastingFactor = 1.0;
    double elevationFactor = 1.0;
};

// A page of the adjustments panel: its fields, and the apply button that runs the operation on
// the panel's selection.
class CAdjustPage : public CEasyTabPage
{
public:
    CAdjustPage(uint32_t templateId, const wxString& title, CAdjustments& panel, CAdjustmentValues& values);
    // The page's operation; false when nothing moved.
    virtual bool Apply() = 0;

protected:
    // A reference (or destination) group: point or typed location.
    struct LocationGroup
    {
        wxRadioButton* point = nullptr;
        wxRadioButton* location = nullptr;
        int nameId = 0, northingId = 0, eastingId = 0, elevationId = 0;
    };
    wxSizer* BuildLocationGroup(const char* caption, const char* locationCaption, LocationGroup& group, int pointRadio,
                                int locationRadio, int nameId, int northingId, int eastingId, int elevationId);
    void ExchangeLocation(CDataExchange& dx, LocationGroup& group, CAdjustLocation& where, bool enabled = true);
    void EnableLocation(const LocationGroup& group, bool enabled);
    wxButton* AddApplyButton(wxSizer* sizer, int id, const char* caption);
    void FocusField(int id);
    // A mode kept as a number, as the kept slots hold no flags.
    void PersistFlag(bool& flag);
    void PersistLocation(CAdjustLocation& where, bool elevation);

    CAdjustments& m_panel;
    CAdjustmentValues& m_values;
};

class CTranslateAdjustBy : public CAdjustPage
{
public:
    static constexpr uint32_t TemplateId = 1776;
    enum : int { IdDirection = 1041, IdDistance = 4110, IdRise = 1067, IdApply = 1985 };
    CTranslateAdjustBy(CAdjustments& panel, CAdjustmentValues& values);
    CPersistDataList* GetPersistDataList() override;
    void PersistFields() override;
    bool Apply() override;
    void OnGraphicDataReceived() override;

protected:
    void BuildControls() override;
    void DoDataExchange(CDataExchange& dx) override;
};

class CTranslateSetLocation : public CAdjustPage
{
public:
    static constexpr uint32_t TemplateId = 1775;
    enum : int { IdRefPoint = 1099, IdRefLocation = 1100, IdRefName = 1280, IdRefNorthing = 1812,
                 IdRefEasting = 1069, IdRefElevation = 1070, IdDestPoint = 1816, IdDestLocation = 1817,
                 IdDestName = 1287, IdDestNorthing = 1813, IdDestEasting = 1814, IdDestElevation = 1815,
                 IdApply = 1985 };
    CTranslateSetLocation(CAdjustments& panel, CAdjustmentValues& values);
    CPersistDataList* GetPersistDataList() override;
    void PersistFields() override;
    bool Apply() override;
    void OnGraphicDataReceived() override;

protected:
    void BuildControls() override;
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;

private:
    void UpdateEnabling();
    LocationGroup m_reference, m_destination;
};

class CRotate : public CAdjustPage
{
public:
    static constexpr uint32_t TemplateId = 174;
    enum : int { IdRefPoint = 1099, IdRefLocation = 1100, IdRefName = 1280, IdRefNorthing = 1812,
                 IdRefEasting = 1069, IdSimple = 1284, IdChange = 1285, IdAngle = 1283, IdOriginal = 1073,
                 IdNew = 1074, IdApply = 1589 };
    CRotate(CAdjustments& panel, CAdjustmentValues& values);
    CPersistDataList* GetPersistDataList() override;
    void PersistFields() override;
    bool Apply() override;
    void OnGraphicDataReceived() override;

protected:
    void BuildControls() override;
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;

private:
    void UpdateEnabling();
    LocationGroup m_reference;
    wxRadioButton* m_simple = nullptr;
    wxRadioButton* m_change = nullptr;
};

class CScale : public CAdjustPage
{
public:
    static constexpr uint32_t TemplateId = 173;
    enum : int { IdPredefined = 2351, IdUserDefined = 2352, IdFactorList = 2141, IdRefPoint = 1099,
                 IdRefLocation = 1100, IdRefName = 1280, IdRefNorthing = 1812, IdRefEasting = 1069,
                 IdRefElevation = 1070, IdNorthingFactor = 1255, IdEastingFactor = 1389,
                 IdElevationFactor = 1300, IdApply = 1254 };
    CScale(CAdjustments& panel, CAdjustmentValues& values);
    CPersistDataList* GetPersistDataList() override;
    void PersistFields() override;
    bool Apply() override;
    void OnGraphicDataReceived() override;
    void OnNotify(void* sender, int32_t code, intptr_t parameter) override;

protected:
    void BuildControls() override;
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;

private:
    void UpdateEnabling();
    LocationGroup m_reference;
    wxRadioButton* m_predefined = nullptr;
    wxRadioButton* m_userDefined = nullptr;
    wxChoice* m_list = nullptr;
};

// "Adjustments": translate, rotate or scale the selected points, one page each; every operation
// adds its old and new coordinates to the panel's report.
class CAdjustments : public CStackableDialog
{
public:
    static constexpr uint32_t TemplateId = 5493;
    enum : int { IdChip = 1146, IdTab = 1133, IdReport = 1070, IdClose = 2 };

    CAdjustments();
    ~CAdjustments() override;

    // Takes the panel's data (the shown page's fields); false on a refused field.
    bool TakeData();
    // Runs the page's operation over the job's bulk edits.
    CAdjustmentsCommand* GetCommand();
    void ShowResult();
    void OnCancel() override;
    void UpdateNavigationButtons() override;

    CEasyTab* GetTab() const { return m_tab; }
    CAdjustPage* GetPage(int index) const { return m_pages[index]; }
    CAdjustmentValues& Values() { return m_values; }
    CGeneralSelectionChip* GetChip() const { return m_chip; }

protected:
    void BuildControls() override;
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;

private:
    void SavePageValues();

    CAdjustmentValues m_values;
    CEasyTab* m_tab = nullptr;
    CGeneralSelectionChip* m_chip = nullptr;
    CSelectionDescription m_selection;
    CAdjustPage* m_pages[4];
    std::unique_ptr<CAdjustmentsCommand> m_command;
    CDataFileDoc* m_document = nullptr; // not owned; the job m_command works on
};
