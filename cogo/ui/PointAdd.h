#pragma once

#include "cogo/PointLocationState.h"
#include "cogo/QuickEnterRing.h"
#include "framework/ui/EasyTab.h"
#include "framework/ui/StackableDialog.h"
#include "model/SelectionDescription.h"

#include <functional>
#include <map>
#include <string>

class CDescriptionControl;
class CElevationControl;
class CEastingControl;
class CGeneralSelectionChip;
class CNorthingControl;
class CPointControl;
class CPointRecord;
class wxButton;
class wxCheckBox;
class wxStaticText;

// The northing, easting and elevation of the location page.
class CPointLocationPosition : public CEasyTabPage
{
public:
    static constexpr uint32_t TemplateId = 6996;
    enum : int { IdNorthing = 1160, IdEasting = 1161, IdElevation = 1162 };
    // Captions (their texts follow the configured captions and the coordinate order) and units.
    enum : int { IdCaptionFirst = 6975, IdCaptionSecond = 6986, IdCaptionElevation = 7001, IdUnitFirst = 6935,
                 IdUnitSecond = 6936, IdUnitElevation = 6937 };

    CPointLocationPosition();

    void EnableEntry(bool enabled, bool elevationOnly);
    void FocusFirstField();
    CNorthingControl* GetNorthingField() const { return m_northing; }
    CEastingControl* GetEastingField() const { return m_easting; }
    CElevationControl* GetElevationField() const { return m_elevation; }

    // Metres; NoValue for an empty field.
    double easting;
    double northing;
    double elevation;

protected:
    void BuildControls() override;
    void DoDataExchange(CDataExchange& dx) override;

private:
    bool m_entryEnabled = false;
    bool m_elevationOnly = false;
    CNorthingControl* m_northing = nullptr;
    CEastingControl* m_easting = nullptr;
    CElevationControl* m_elevation = nullptr;
};

// The location and description of a point for the point panels, with the two change boxes. The
// flags live in CPointLocationState; this page copies them onto its controls.
class CPointLocation : public CEasyTabPage
{
public:
    static constexpr uint32_t TemplateId = 1744;
    enum : int { IdChangeLocation = 1060, IdInnerTab = 2840, IdChangeDescription = 1617, IdDescription = 1068 };

    explicit CPointLocation(bool multiPoint);
    ~CPointLocation() override;

    void LoadFromRecord(const CPointRecord* record);
    void ResetForNew();
    void SetEditMode(int32_t mode);
    // The input the page holds after a saving exchange.
    CPointLocationInput MakeInput() const;
    const CPointLocationState& GetState() const { return m_state; }
    CPointLocationPosition& GetPosition() { return *m_position; }
    CDescriptionControl* GetDescriptionField() const { return m_descriptionField; }
    wxCheckBox* GetChangeLocationBox() const { return m_changeLocation; }
    wxCheckBox* GetChangeDescriptionBox() const { return m_changeDescription; }
    // Ticks a box as a click would.
    void ClickChangeLocation(bool ticked);
    void ClickChangeDescription(bool ticked);
    // The panel refreshes its buttons when a box changes.
    void SetOnChecksChanged(std::function<void()> callback) { m_onChecksChanged = std::move(callback); }

    std::string description;

protected:
    void BuildControls() override;
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;

private:
    void ApplyState();

    CPointLocationState m_state;
    CEasyTab* m_tab = nullptr;
    // Owned until the inner tab takes its window.
    CPointLocationPosition* m_position;
    wxCheckBox* m_changeLocation = nullptr;
    wxCheckBox* m_changeDescription = nullptr;
    CDescriptionControl* m_descriptionField = nullptr;
    std::function<void()> m_onChecksChanged;
};

// Which inputs quick enter visits.
class CQuickEnterModeDlg : public CEasyDialog
{
public:
    static constexpr uint32_t TemplateId = 733;
    enum : int { IdEnabled = 1060, IdName = 2374, IdNorthing = 1065, IdEasting = 1066, IdElevation = 1067,
                 IdDescription = 1068 };

    CQuickEnterModeDlg();

    // Enabled 0 and the fields 1 until the caller sets them.
    CQuickEnterFlags flags{0, 1, 1, 1, 1, 1};

protected:
    void BuildControls() override;
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;

private:
    void UpdateFieldBoxes();
};

// "Add / Edit Points": a free name adds a point, an existing name edits it; quick enter steps
// through the chosen inputs with Enter and adds the point at the end.
class CPointAdd : public CStackableDialog
{
public:
    static constexpr uint32_t TemplateId = 1745;
    enum : int { IdLabel = 2453, IdName = 1159, IdNew = 1200, IdTab = 1133, IdAdd = 1228, IdApply = 7345,
                 IdQuickEnterSettings = 7347, IdClose = 2 };

    CPointAdd();
    ~CPointAdd() override;

    // Stores the input: a new point or the changes to an existing one. True when stored.
    virtual bool StorePoint(bool add);
    virtual void UpdateControls();
    void OnAdd();
    void NewPoint(bool focus);
    void FillFromPoint(const CPointRecord* record);
    // Shows the job's point of the typed name, or a new point when the job has none; true when found.
    bool LoadTypedPoint();
    void OnNameChanged();
    // Shows the settings dialog; its answer when it ends.
    int OnQuickEnterSettings();
    // Enter in quick enter mode from the focused window: the next usable input of the ring takes
    // the focus, the Add button adds. False when Enter keeps its ordinary meaning.
    bool OnQuickEnterKey(wxWindow* focused);
    void RebuildQuickEnterRing();

    // A re-pushed panel loads the job's current point.
    bool CanReuse() override;
    void OnNotify(void* sender, int32_t code, intptr_t parameter) override;
    void OnCancel() override;
    // 0x80D5: 1 while quick enter runs, so Enter does not press the default button; else 0.
    int OnEnterRelay() override { return m_quick.enabled ? 1 : 0; }

    CPointLocation& GetLocationPage() { return *m_location; }
    CQuickEnterFlags& GetQuickEnterFlags() { return m_quick; }
    const CQuickEnterRing& GetQuickEnterRing() const { return m_ring; }
    wxWindow* GetSlotWindow(QuickEnterSlot slot) const;
    std::string GetNameText() const;
    void SetNameText(const std::string& name);

protected:
    // The edit panel builds its own controls around the same location page.
    explicit CPointAdd(uint32_t templateId, const wxString& title, bool multiPoint);
    void BuildControls() override;
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;
    bool NameExists(const std::string& name) const;
    // True when the location lies outside the active job view's map window.
    static bool IsOffTheMap(const CLocation& location);
    void AddLocationTab(wxSizer* sizer);
    void BindQuickEnterKeys();
    void SaveQuickEnterFlags();

    CEasyTab* m_tab = nullptr;
    // Owned until the tab takes its window.
    CPointLocation* m_location;
    CQuickEnterFlags m_quick;
    CQuickEnterRing m_ring;
    std::string m_name;
    CPointControl* m_nameField = nullptr;
    wxButton* m_add = nullptr;
    wxButton* m_apply = nullptr;
    wxButton* m_quickSettings = nullptr;
    bool m_loading = false;
    bool m_flagsSaved = false;
};

// "Edit Multiple Points": the location page over the selection; one point gets its location and
// description, several a common elevation and description.
class CPointEdit : public CPointAdd
{
public:
    static constexpr uint32_t TemplateId = 303;
    enum : int { IdChip = 1146 };

    CPointEdit();

    bool StorePoint(bool add) override;
    void UpdateControls() override;
    void OnNotify(void* sender, int32_t code, intptr_t parameter) override;
    void OnApply();
    bool CanReuse() override { return true; }
    // 0x80D5: Enter keeps its default meaning here.
    int OnEnterRelay() override { return 0; }
    // Re-reads the selection into the page.
    void OnSelectionChanged();
    CGeneralSelectionChip* GetChip() const { return m_chip; }

protected:
    void BuildControls() override;
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;

private:
    bool LoadFirstSelected();

    CGeneralSelectionChip* m_chip = nullptr;
    CSelectionDescription m_selection;
};
