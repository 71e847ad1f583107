#pragma once

#include "framework/ui/EasyDialog.h"

#include <string>

class wxButton;
class wxDialog;
class wxStaticText;
class wxTextCtrl;

// "Zoom to point" (a main window command built of COGO's coordinate fields): a small window that
// stays open beside the job, where a point's name is typed and Zoom centres the job view's map on
// it and shows its description. One at most; it deletes itself when closed.
class CZoomToPoint : public CEasyDialog
{
public:
    static constexpr int PointFieldId = 1167;
    static constexpr int DescriptionId = 1068;

    // The command: opens the window, or closes it when it is open.
    static void Toggle(wxWindow* parent);
    // The open window; null when there is none.
    static CZoomToPoint* GetInstance();

    void OnOK() override;
    void OnCancel() override;
    // A window of its own: Enter zooms, as its default button does.
    int OnEnterRelay() override { return 1; }

    wxDialog* GetFrame() const { return m_frame; }
    wxTextCtrl* GetPointField() const { return m_point; }
    wxStaticText* GetDescriptionText() const { return m_description; }
    const std::string& GetPointName() const { return m_pointName; }

protected:
    void BuildControls() override;
    void DoDataExchange(CDataExchange& dx) override;
    bool WantsStandardButtons() const override { return false; }

private:
    CZoomToPoint();
    ~CZoomToPoint() override;

    bool m_checking = false;
    bool m_closeRequested = false;
    std::string m_pointName;
    std::string m_descriptionText;
    wxDialog* m_frame = nullptr;
    wxTextCtrl* m_point = nullptr;
    wxStaticText* m_description = nullptr;
};
