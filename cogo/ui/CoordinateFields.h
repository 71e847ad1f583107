#pragma once

#include "cogo/CoordinateSiblings.h"
#include "cogo/ui/InteractiveControl.h"
#include "framework/ui/EasyDialog.h"

#include <memory>
#include <vector>

// The coordinate fields of one dialog in its own order, wired by the dialog; a field that dies
// leaves a hole.
using CoordinateFieldList = std::vector<CInteractiveControl*>;

// A northing, easting or elevation field: typed ("=12" takes point 12's value), or a location
// picked in the map, which also fills the coordinate fields after it.
class CCoordinateControl : public CInteractiveControl
{
public:
    CCoordinateControl();
    ~CCoordinateControl() override;

    virtual CoordFieldKind GetCoordKind() const = 0;
    // Wires the dialog's coordinate fields (northing, easting, elevation as the dialog made them);
    // a pick walks them in the order they are shown, which the coordinate order may have changed.
    static void WireSiblings(const std::vector<CCoordinateControl*>& fields);

    bool IsInteractive() const override { return true; }
    bool OnToolEvent(int32_t code) override;
    bool Validate() override;
    void OnFieldFocused() override { OnFocusMarkSiblings(); }

protected:
    virtual bool Exchange(CDataExchange* dx, int id, double& value, bool quiet) = 0;
    // Writes the picked location into this field and its siblings; false when a pick found nothing.
    bool FillFromPick(int32_t code);
    void OnFocusMarkSiblings();
    // The fields a pick here fills, in order.
    std::vector<CCoordinateControl*> FilledSiblings() const;
    // The wired fields in tab order (their order among their parent's children).
    std::vector<CCoordinateControl*> DisplayedSiblings() const;

private:
    std::shared_ptr<std::vector<CCoordinateControl*>> m_siblings;
};

class CNorthingControl : public CCoordinateControl
{
public:
    CNorthingControl(wxWindow* parent, wxWindowID id, const wxString& value = wxString());
    CoordFieldKind GetCoordKind() const override { return CoordFieldKind::Northing; }
    int GetCoordinateRole() const override { return CoordinateRoleNorthing; }

protected:
    bool Exchange(CDataExchange* dx, int id, double& value, bool quiet) override;
};

class CEastingControl : public CCoordinateControl
{
public:
    CEastingControl(wxWindow* parent, wxWindowID id, const wxString& value = wxString());
    CoordFieldKind GetCoordKind() const override { return CoordFieldKind::Easting; }
    int GetCoordinateRole() const override { return CoordinateRoleEasting; }

protected:
    bool Exchange(CDataExchange* dx, int id, double& value, bool quiet) override;
};

class CElevationControl : public CCoordinateControl
{
public:
    CElevationControl(wxWindow* parent, wxWindowID id, const wxString& value = wxString());
    CoordFieldKind GetCoordKind() const override { return CoordFieldKind::Elevation; }

protected:
    bool Exchange(CDataExchange* dx, int id, double& value, bool quiet) override;
};

// A point-name field: a picked point's name; its menu zooms to the point or chooses one from the
// job's sorted points.
class CInteractivePointControl : public CInteractiveControl
{
public:
    CInteractivePointControl();
    bool IsPointControl() const override { return true; }
    void DrawMapFeedback(CObjectIdWnd* popup, CView* view) override;
    intptr_t OnMenuItemQuery(uint32_t message, int32_t command, void* data) override;
    bool OnFieldCommand(int32_t command) override;
    bool Validate() override;
    // The text as a job point's name (quiet: no message); false when it names none.
    bool ReadExistingName(std::string& name, bool quiet);
    void ZoomToPoint();
    // The job's points in sorted order (what the chooser lists).
    static std::vector<RecordRef> CollectSortedPoints();
    void ChooseFromList();

protected:
    virtual bool ExchangeName(CDataExchange* dx, int id, std::string& name, bool quiet) = 0;
    // Code 4 empties the field and waits for an object again.
    void CancelPick();
};

class CPointControl : public CInteractivePointControl
{
public:
    CPointControl(wxWindow* parent, wxWindowID id, const wxString& value = wxString());
    bool IsInteractive() const override { return IsInStackedDialog(); }
    bool OnToolEvent(int32_t code) override;

protected:
    bool ExchangeName(CDataExchange* dx, int id, std::string& name, bool quiet) override;
};

class CExistingPointControl : public CInteractivePointControl
{
public:
    CExistingPointControl(wxWindow* parent, wxWindowID id, const wxString& value = wxString());
    bool IsInteractive() const override { return true; }
    bool OnToolEvent(int32_t code) override;

protected:
    bool ExchangeName(CDataExchange* dx, int id, std::string& name, bool quiet) override;
};

class CNonInteractivePointControl : public CInteractivePointControl
{
public:
    CNonInteractivePointControl(wxWindow* parent, wxWindowID id, const wxString& value = wxString());

protected:
    bool ExchangeName(CDataExchange* dx, int id, std::string& name, bool quiet) override;
};

// A description: a picked point's description; not checked.
class CDescriptionControl : public CInteractiveControl
{
public:
    CDescriptionControl(wxWindow* parent, wxWindowID id, const wxString& value = wxString());
    bool OnToolEvent(int32_t code) override;
    bool Validate() override { return true; }
};
