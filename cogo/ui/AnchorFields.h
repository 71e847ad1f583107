#pragma once

#include "cogo/AngleOperations.h"
#include "cogo/ui/InteractiveControl.h"
#include "core/Location.h"
#include "framework/ui/EasyDialog.h"

#include <vector>

class CPointRecord;

// A field whose value may be built from clicked points: "A-", "A-B-" and then the chain, which
// the field's exchange turns into the value. Rubber and construction lines follow the clicks.
class CInteractiveAnchorControl : public CInteractiveControl
{
public:
    bool IsInteractive() const override { return true; }
    bool AcceptsUnsnappedClick() const override { return false; }
    void StartInteraction(bool quiet) override;
    bool OnToolEvent(int32_t code) override;
    bool Validate() override;

    // The picked point's step of the chain; true when the chain completed.
    bool ApplyPickedPoint(int pointsNeeded, bool needs3D, CPointRecord* point);

    const std::vector<CLocation>& GetCurrentAnchor() const { return m_currentAnchor; }
    const std::vector<CLocation>& GetFixedLegs() const { return m_fixedLegs; }

    virtual int PointsInChain() const { return 2; }
    virtual bool Needs3D() const { return false; }
    // The leaf's exchange routine over this field.
    virtual bool Exchange(double& value, bool save, bool quiet) = 0;

protected:
    // The value for a menu operation: false when the text is bad (its message was shown).
    bool ReadMenuValue(double& value, bool scaleOperation);
    void WriteMenuValue(double value);

private:
    std::vector<CLocation> m_currentAnchor;
    std::vector<CLocation> m_fixedLegs;
    std::vector<CLocation> m_unused; // handed to the tool, never filled here
};

class CInteractiveDistanceControl : public CInteractiveAnchorControl
{
public:
    CInteractiveDistanceControl();
    bool OnFieldCommand(int32_t command) override;
    void ApplyScaleFactorCommand();
};

class CHorizontalDistanceControl : public CInteractiveDistanceControl
{
public:
    CHorizontalDistanceControl(wxWindow* parent, wxWindowID id, const wxString& value = wxString());
    bool Exchange(double& value, bool save, bool quiet) override;
};

class CVerticalDistanceControl : public CInteractiveDistanceControl
{
public:
    CVerticalDistanceControl(wxWindow* parent, wxWindowID id, const wxString& value = wxString());
    bool Needs3D() const override { return true; }
    bool Exchange(double& value, bool save, bool quiet) override;
};

class CSlopeDistanceControl : public CInteractiveDistanceControl
{
public:
    CSlopeDistanceControl(wxWindow* parent, wxWindowID id, const wxString& value = wxString());
    bool Needs3D() const override { return true; }
    bool Exchange(double& value, bool save, bool quiet) override;
};

// Angle fields; their menu follows the job's angle unit (degrees or gons).
class CInteractiveAngleControl : public CInteractiveAnchorControl
{
public:
    explicit CInteractiveAngleControl(AngleFieldKind kind);
    void SelectAngleMenu();
    void OnNotify(void* sender, int32_t code, intptr_t parameter) override;
    bool OnFieldCommand(int32_t command) override;

    double AddQuarterTurn(double value) const { return ::AddQuarterTurn(m_angleKind, value); }
    double SubtractQuarterTurn(double value) const { return ::SubtractQuarterTurn(m_angleKind, value); }
    double AddOffset(double value, double offset) const { return AddAngleOffset(m_angleKind, value, offset); }
    int PointsInChain() const override;
    bool Needs3D() const override { return m_angleKind == AngleFieldKind::Zenith; }
    bool Exchange(double& value, bool save, bool quiet) override;

private:
    AngleFieldKind m_angleKind;
};

class CHorizontalAngleControl : public CInteractiveAngleControl
{
public:
    CHorizontalAngleControl(wxWindow* parent, wxWindowID id, const wxString& value = wxString());
};

class CZenithAngleControl : public CInteractiveAngleControl
{
public:
    CZenithAngleControl(wxWindow* parent, wxWindowID id, const wxString& value = wxString());
};

class CAngleRightControl : public CInteractiveAngleControl
{
public:
    CAngleRightControl(wxWindow* parent, wxWindowID id, const wxString& value = wxString());
};

class CSignedAngleRightControl : public CInteractiveAngleControl
{
public:
    CSignedAngleRightControl(wxWindow* parent, wxWindowID id, const wxString& value = wxString());
};

class CPlainJaneAngleControl : public CInteractiveAngleControl
{
public:
    CPlainJaneAngleControl(wxWindow* parent, wxWindowID id, const wxString& value = wxString());
};

// "Angle Offset": an angle to add to (negative: subtract from) the field's value.
class CAngleOffset : public CEasyDialog
{
public:
    static constexpr int IdOffset = 2150;
    static constexpr int IdUnit = 6967;
    static constexpr int IdWizard = 2420;

    CAngleOffset();
    double GetOffset() const { return m_offset; }

protected:
    void BuildControls() override;
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;

private:
    double m_offset = 0.0;
};
