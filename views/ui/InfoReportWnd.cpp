#include "views/ui/InfoReportWnd.h"

#include "core/Report.h"
#include "framework/ui/ModalDialog.h"
#include "framework/ui/WindowHelpers.h"

#include <wx/app.h>
#include <wx/button.h>
#include <wx/dcclient.h>
#include <wx/dcmemory.h>
#include <wx/image.h>
#include <wx/region.h>
#include <wx/settings.h>

#include <algorithm>

namespace {

bool IsShadowPixel(int x, int y)
{
    return ((x + y) & 1) == 1;
}

const std::string kEmpty;

} // namespace

CInfoReportWnd::CInfoReportWnd(wxWindow* parent)
{
    Create(parent, wxID_ANY, wxString(), wxDefaultPosition, wxDefaultSize, wxBORDER_NONE | wxFRAME_SHAPED);
    SetFont(wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT));
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    SetClientSize(ConvertDialogToPixels(wxSize(112, 119)));
    m_report = new wxButton(this, wxID_OK, "Report", ConvertDialogToPixels(wxPoint(66, 99)),
                            ConvertDialogToPixels(wxSize(39, 14)));
    m_close = new wxButton(this, wxID_CANCEL, "Close", ConvertDialogToPixels(wxPoint(26, 99)),
                           ConvertDialogToPixels(wxSize(39, 14)));
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnReport(); }, wxID_OK);
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { EndModal(wxID_CANCEL); }, wxID_CANCEL);
    Bind(wxEVT_PAINT, &CInfoReportWnd::OnPaint, this);
    if (wxTheApp)
        wxTheApp->Bind(wxEVT_ACTIVATE_APP, &CInfoReportWnd::OnAppActivateEvent, this);
}

CInfoReportWnd::~CInfoReportWnd()
{
    if (wxTheApp)
        wxTheApp->Unbind(wxEVT_ACTIVATE_APP, &CInfoReportWnd::OnAppActivateEvent, this);
}

const std::string& CInfoReportWnd::ValueAt(size_t i) const
{
    return i < m_values.size() ? m_values[i] : kEmpty;
}

int CInfoReportWnd::Show(const std::vector<std::string>& labels, const std::vector<std::string>& values, int x, int y)
{
    Prepare(labels, values, x, y);
    return RunModal(*this);
}

void CInfoReportWnd::Prepare(const std::vector<std::string>& labels, const std::vector<std::string>& values, int x,
                             int y)
{
    m_labels = labels;
    m_values = values;
    m_position = wxPoint(x + 8, y + 8);
    m_button = m_report->GetSize();
    m_close->SetSize(m_button);

    wxClientDC dc(this);
    const wxSize size = MeasureAndPaint(dc, false);
    m_report->Move(size.x - Shadow - m_button.x, size.y - Shadow - m_button.y);
    m_close->Move(size.x - Shadow - 2 * m_button.x, size.y - Shadow - m_button.y);

    // Near an edge of the main window the box moves back inside it.
    if (wxWindow* parent = GetParent()) {
        const wxRect limit = parent->GetScreenRect();
        if (m_position.x + size.x > limit.GetRight())
            m_position.x = limit.GetRight() - size.x - 16;
        if (m_position.x < limit.GetLeft())
            m_position.x = limit.GetLeft();
        if (m_position.y + size.y > limit.GetBottom())
            m_position.y = limit.GetBottom() - size.y - 16;
        if (m_position.y < limit.GetTop())
            m_position.y = limit.GetTop();
    }
    SetSize(m_position.x, m_position.y, size.x, size.y);
    m_measured = MeasureAndPaint(dc, false);
    ApplyShape(m_measured);
    Refresh();
}

wxSize CInfoReportWnd::MeasureAndPaint(wxDC& dc, bool paint)
{
    dc.SetFont(GetFont());
    int labelWidth = 0, valueWidth = 0, height = 0;
    for (size_t i = 0; i < m_labels.size(); ++i) {
        const wxSize label = dc.GetTextExtent(ToWx(m_labels[i]));
        const wxSize value = dc.GetTextExtent(ToWx(ValueAt(i)));
        labelWidth = std::max(labelWidth, label.x);
        valueWidth = std::max(valueWidth, value.x);
        height = std::max({height, label.y, value.y});
    }
    const int buttons = 2 * m_button.x;
    const int w = std::max(labelWidth + valueWidth + 26, buttons);
    const int boxHeight = int(m_labels.size()) * height + 16;
    const int bottom = boxHeight + m_button.y;
    if (paint) {
        const wxColour window = wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOW);
        dc.SetPen(*wxBLACK_PEN);
        dc.SetBrush(wxBrush(window));
        dc.DrawRectangle(0, 0, w, boxHeight);
        dc.SetPen(wxPen(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE)));
        dc.SetBrush(*wxTRANSPARENT_BRUSH);
        dc.DrawRectangle(1, 1, w - 2, boxHeight - 2);
        dc.SetPen(*wxBLACK_PEN);
        dc.DrawRectangle(w - buttons, boxHeight - 1, buttons, m_button.y + 1);
        // The shadow's checker; the shape cuts away the pixels between.
        for (int y = 0; y < bottom + Shadow; ++y)
            for (int x = 0; x < w + Shadow; ++x) {
                const bool right = x >= w && y >= Shadow;
                const bool underBox = y >= boxHeight && y < boxHeight + Shadow && x >= Shadow && x < w - buttons;
                const bool underButtons = y >= bottom && x >= w - buttons + Shadow;
                if ((right || underBox || underButtons) && IsShadowPixel(x, y))
                    dc.DrawPoint(x, y);
            }
        dc.SetTextForeground(wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOWTEXT));
        dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
        for (size_t i = 0; i < m_labels.size(); ++i) {
            const int y = 8 + int(i) * height;
            dc.DrawText(ToWx(m_labels[i]), 8, y);
            dc.DrawText(ToWx(ValueAt(i)), labelWidth + 18, y);
        }
    }
    return wxSize(w + Shadow, bottom + Shadow);
}

void CInfoReportWnd::ApplyShape(const wxSize& size)
{
    // No see-through on X11 without a compositor: the shadow's checker is cut into the shape.
    const int w = size.x - Shadow, bottom = size.y - Shadow;
    const int buttons = 2 * m_button.x, boxHeight = bottom - m_button.y;
    wxImage mask(size.x, size.y);
    mask.SetRGB(wxRect(0, 0, size.x, size.y), 255, 255, 255);
    mask.SetRGB(wxRect(0, 0, w, boxHeight), 0, 0, 0);
    mask.SetRGB(wxRect(w - buttons, boxHeight, buttons, m_button.y), 0, 0, 0);
    for (int y = 0; y < size.y; ++y)
        for (int x = 0; x < size.x; ++x) {
            const bool right = x >= w && y >= Shadow;
            const bool underBox = y >= boxHeight && y < boxHeight + Shadow && x >= Shadow && x < w - buttons;
            const bool underButtons = y >= bottom && x >= w - buttons + Shadow;
            if ((right || underBox || underButtons) && IsShadowPixel(x, y))
                mask.SetRGB(x, y, 0, 0, 0);
        }
    SetShape(wxRegion(wxBitmap(mask), *wxWHITE));
}

void CInfoReportWnd::OnPaint(wxPaintEvent&)
{
    wxPaintDC dc(this);
    MeasureAndPaint(dc, true);
}

void CInfoReportWnd::OnReport()
{
    CReport report;
    report.NewSection();
    for (const std::string& label : m_labels)
        report.AddColumn(label.c_str(), 0x42);
    const int32_t row = report.AddRow();
    for (size_t j = 0; j < m_labels.size() && j < m_values.size(); ++j)
        report.SetCell(int32_t(j), row, m_values[j], false);
    report.OpenInEditor();
    if (IsModal())
        EndModal(wxID_OK);
    else
        SetReturnCode(wxID_OK);
}

void CInfoReportWnd::OnAppActivate(bool active)
{
    if (!active)
        CallAfter([this] {
            if (IsModal())
                EndModal(wxID_CANCEL);
        });
}

void CInfoReportWnd::OnAppActivateEvent(wxActivateEvent& event)
{
    event.Skip();
    OnAppActivate(event.GetActive());
}
