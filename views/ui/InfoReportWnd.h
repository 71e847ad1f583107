#pragma once

#include <wx/dialog.h>

#include <string>
#include <vector>

class wxActivateEvent;
class wxButton;
class wxDC;

// A short labelled result beside the cursor, in the look of the object chooser: a two-column grid
// with a checkered shadow and "Close" and "Report" under it. "Report" hands the grid to the
// companion editor as a one-row report. Modal; it goes when another program is activated.
class CInfoReportWnd : public wxDialog
{
public:
    static constexpr int Shadow = 8;

    explicit CInfoReportWnd(wxWindow* parent);
    ~CInfoReportWnd() override;

    using wxDialog::Show;
    // Runs the window at (x + 8, y + 8), screen coordinates; the dialog's end code.
    int Show(const std::vector<std::string>& labels, const std::vector<std::string>& values, int x, int y);
    // What Show does before it runs: the texts, the size, the buttons and the place.
    void Prepare(const std::vector<std::string>& labels, const std::vector<std::string>& values, int x, int y);

    // The grid as a report to the companion editor; the window ends with wxID_OK.
    void OnReport();
    // Another program became active: the window goes as if closed.
    void OnAppActivate(bool active);

    const std::vector<std::string>& GetLabels() const { return m_labels; }
    const std::vector<std::string>& GetValues() const { return m_values; }
    wxButton* GetReportButton() const { return m_report; }
    wxButton* GetCloseButton() const { return m_close; }
    // The box and button strip with the shadow, as last measured.
    wxSize GetMeasuredSize() const { return m_measured; }

private:
    // Measures the box (and paints it into dc when given); the size with the shadow.
    wxSize MeasureAndPaint(wxDC& dc, bool paint);
    void OnPaint(wxPaintEvent& event);
    void OnAppActivateEvent(wxActivateEvent& event);
    void ApplyShape(const wxSize& size);
    const std::string& ValueAt(size_t i) const;

    std::vector<std::string> m_labels;
    std::vector<std::string> m_values;
    wxPoint m_position;
    wxSize m_button;
    wxSize m_measured;
    wxButton* m_report = nullptr;
    wxButton* m_close = nullptr;
};
