#include "cogo/ui/Calculator.h"

#include "core/NoValue.h"
#include "framework/GraphicDataExchange.h"
#include "framework/GraphicDataTarget.h"
#include "platform/Clipboard.h"
#include "platform/MessageBox.h"
#include "platform/Profile.h"

#include <wx/button.h>
#include <wx/dc.h>
#include <wx/radiobut.h>
#include <wx/settings.h>
#include <wx/sizer.h>
#include <wx/textctrl.h>
#include <wx/utils.h>

namespace {

const wxColour kBack(40, 44, 52);
const wxColour kKey(64, 70, 82);
const wxColour kText(235, 235, 235);

struct Key
{
    const char* caption;
    int id;
};

// Rows of the key pad as the user reads them.
const Key kKeys[][6] = {
    {{"Sin", 1206}, {"Cos", 1207}, {"Tan", 1008}, {"ASin", 1011}, {"ACos", 1009}, {"ATan", 1012}},
    {{"X^2", 1006}, {"Sqrt", 1007}, {"X^n", 1018}, {"1/X", 1025}, {"10^x", 1757}, {"Log", 1091}},
    {{"e^x", 1758}, {"Ln", 1015}, {"R>P", 1752}, {"P>R", 1753}, {"DMS>", 1755}, {">DMS", 1754}},
    {{"DMS-", 1014}, {"DMS+", 1756}, {"\xC2\xB0>R", 1747}, {"R>\xC2\xB0", 1748}, {"G>R", 1750}, {"R>G", 1749}},
    {{"7", 1235}, {"8", 1236}, {"9", 1237}, {"/", 1004}, {"Clr", 1092}, {"Edit", 1759}},
    {{"4", 1232}, {"5", 1233}, {"6", 1234}, {"X", 1003}, {"Swp", 1751}, {"Drp", 1024}},
    {{"1", 1229}, {"2", 1230}, {"3", 1231}, {"-", 1204}, {"+/-", 1208}, {"PI", 1761}},
};
// The last row: "Use Result" takes two keys' room.
const Key kLastRow[] = {{"0", 1238}, {".", 1239}, {"Enter", 1005}, {"+", 1228}, {"Use Result", 2669}};

CCalculator*& OpenCalculatorWindow()
{
    static CCalculator* open = nullptr;
    return open;
}

} // namespace

CCalculatorListBox::CCalculatorListBox(wxWindow* parent, int id, const CCalculatorEngine& engine)
    : wxVListBox(parent, id, wxDefaultPosition, wxSize(-1, 110), wxBORDER_SIMPLE), m_engine(engine)
{
    SetBackgroundColour(*wxWHITE);
}

void CCalculatorListBox::Refill()
{
    m_rows = m_engine.Rows();
    SetItemCount(m_rows.size());
    if (!m_rows.empty())
        ScrollToRow(m_rows.size() - 1);
    wxVListBox::Refresh();
}

void CCalculatorListBox::OnDrawItem(wxDC& dc, const wxRect& rect, size_t n) const
{
    if (n >= m_rows.size())
        return;
    dc.SetTextForeground(*wxBLACK);
    const wxString text = wxString::FromUTF8(m_rows[n]);
    const wxSize size = dc.GetTextExtent(text);
    dc.DrawText(text, rect.GetRight() - size.x - 4, rect.GetTop());
}

wxCoord CCalculatorListBox::OnMeasureItem(size_t) const
{
    return GetCharHeight() + 2;
}

CCalculator::CCalculator(wxWindow* parent, double startValue)
    : wxDialog(parent, wxID_ANY, wxString(), wxDefaultPosition, wxDefaultSize, wxBORDER_SIMPLE)
{
    m_engine.angleMode = int(GetAppProfile().GetProfileInt("Settings", "CalcDegMode", 0));
    if (m_engine.angleMode < 0 || m_engine.angleMode > 2)
        m_engine.angleMode = 0;
    SetBackgroundColour(kBack);
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    auto* top = new wxBoxSizer(wxHORIZONTAL);
    const char* modes[] = {"Deg", "Rad", "Grad"};
    for (int i = 0; i < 3; ++i) {
        m_modes[i] = new wxRadioButton(this, calc_keys::ModeDeg + i, modes[i], wxDefaultPosition, wxDefaultSize,
                                       i == 0 ? wxRB_GROUP : 0);
        m_modes[i]->SetForegroundColour(kText);
        m_modes[i]->Bind(wxEVT_RADIOBUTTON, [this, i](wxCommandEvent&) { PressKey(calc_keys::ModeDeg + i); });
        top->Add(m_modes[i], 0, wxRIGHT, 6);
    }
    m_modes[m_engine.angleMode]->SetValue(true);
    top->AddStretchSpacer();
    auto* close = new wxButton(this, calc_keys::Close, "X", wxDefaultPosition, wxSize(28, -1), wxBU_EXACTFIT);
    close->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { CallAfter([this] { Destroy(); }); });
    top->Add(close);
    sizer->Add(top, 0, wxEXPAND | wxALL, 4);
    m_stack = new CCalculatorListBox(this, IdStack, m_engine);
    sizer->Add(m_stack, 0, wxEXPAND | wxLEFT | wxRIGHT, 4);
    m_entry = new wxTextCtrl(this, IdEntry);
    m_entry->SetMaxLength(15);
    m_entry->Hide();
    sizer->Add(m_entry, 0, wxEXPAND | wxLEFT | wxRIGHT, 4);
    auto* grid = new wxGridSizer(6, 2, 2);
    auto* last = new wxBoxSizer(wxHORIZONTAL);
    auto makeKey = [this](const Key& key) {
        auto* button = new wxButton(this, key.id, wxString::FromUTF8(key.caption), wxDefaultPosition,
                                        wxSize(52, 26), wxBU_EXACTFIT | wxBORDER_NONE);
            button->SetBackgroundColour(kKey);
            button->SetForegroundColour(kText);
            const int id = key.id;
            button->Bind(wxEVT_BUTTON, [this, id](wxCommandEvent&) { PressKey(id); });
        return button;
    };
    for (const auto& row : kKeys)
        for (const Key& key : row)
            grid->Add(makeKey(key), 0, wxEXPAND);
    for (const Key& key : kLastRow)
        last->Add(makeKey(key), key.id == calc_keys::UseResult ? 2 : 1, wxEXPAND | wxRIGHT, 2);
    sizer->Add(grid, 1, wxEXPAND | wxLEFT | wxRIGHT | wxTOP, 4);
    sizer->Add(last, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 4);
    SetSizerAndFit(sizer);
    Bind(wxEVT_CHAR_HOOK, &CCalculator::OnCharHook, this);
    Bind(wxEVT_LEFT_DOWN, &CCalculator::OnMouse, this);
    Bind(wxEVT_MOTION, &CCalculator::OnMouse, this);
    Bind(wxEVT_LEFT_UP, &CCalculator::OnMouse, this);
    m_engine.Push(startValue);
    Refresh();
    Move(wxGetMousePosition());
}

CCalculator* ShowCalculator(wxWindow* parent, double value)
{
    CCalculator*& open = OpenCalculatorWindow();
    if (open != nullptr) {
        open->Engine().Push(value);
        open->RefreshStack();
        return open;
    }
    open = new CCalculator(parent, value);
    open->Show();
    return open;
}

void CloseCalculator()
{
    if (CCalculator* open = OpenCalculatorWindow())
        open->Destroy();
}

CCalculator::~CCalculator()
{
    if (OpenCalculatorWindow() == this)
        OpenCalculatorWindow() = nullptr;
    // An open entry is kept as if Enter had been pressed.
    SyncEntry();
    std::string message;
    m_engine.CommitEntry(&message);
    GetAppProfile().WriteProfileInt("Settings", "CalcDegMode", m_engine.angleMode);
}

void CCalculator::SyncEntry()
{
    if (m_engine.IsEntryOpen())
        m_engine.SetEntryText(m_entry->GetValue().utf8_string());
}

void CCalculator::Refresh()
{
    m_stack->Refill();
    const bool open = m_engine.IsEntryOpen();
    if (open && m_entry->GetValue().utf8_string() != m_engine.EntryText()) {
        m_entry->ChangeValue(wxString::FromUTF8(m_engine.EntryText()));
        m_entry->SetInsertionPointEnd();
    }
    if (m_entry->IsShown() != open) {
        m_entry->Show(open);
        Layout();
        if (open)
            m_entry->SetFocus();
    }
}

void CCalculator::PressKey(int key)
{
    SyncEntry();
    if (key == calc_keys::UseResult) {
        UseResult();
        return;
    }
    const std::string message = m_engine.Press(key);
    Refresh();
    if (!message.empty())
        ShowMessageBoxFS(message, MB_OK | MB_ICONERROR);
}

void CCalculator::UseResult()
{
    CGraphicDataTarget* target = GetGraphicDataExchange().GetTarget();
    std::string text, message;
    if (target == nullptr || !m_engine.UseResultText(&text, &message)) {
        Refresh();
        if (!message.empty())
            ShowMessageBoxFS(message, MB_OK | MB_ICONERROR);
        else
            wxBell();
        return;
    }
    Refresh();
    // Only a text field takes the number; any other target is left alone.
    if (auto* field = dynamic_cast<wxTextCtrl*>(target))
        field->SetValue(wxString::FromUTF8(text));
}

bool CCalculator::HandleKey(const wxKeyEvent& event)
{
    const int code = event.GetKeyCode();
    const int ch = event.GetUnicodeKey();
    switch (ch) {
    case '*': PressKey(calc_keys::Multiply); return true;
    case '+': PressKey(calc_keys::Add); return true;
    case '/': PressKey(calc_keys::Divide); return true;
    case '-':
        if (!m_engine.IsEntryOpen()) {
            PressKey(calc_keys::Subtract);
            return true;
        }
        break;
    default: break;
    }
    if (code == WXK_NUMPAD_ADD || code == WXK_NUMPAD_SUBTRACT || code == WXK_NUMPAD_MULTIPLY ||
        code == WXK_NUMPAD_DIVIDE) {
        PressKey(code == WXK_NUMPAD_ADD ? calc_keys::Add : code == WXK_NUMPAD_SUBTRACT ? calc_keys::Subtract
                 : code == WXK_NUMPAD_MULTIPLY ? calc_keys::Multiply : calc_keys::Divide);
        return true;
    }
    if (m_engine.IsEntryOpen()) {
        if (code == WXK_RETURN || code == WXK_NUMPAD_ENTER) {
            PressKey(calc_keys::Enter);
            return true;
        }
        if (code == WXK_ESCAPE) {
            m_engine.EndEntry();
            Refresh();
            return true;
        }
        return false;
    }
    if (event.ControlDown() && (code == 'C' || code == 'V')) {
        std::string text;
        if (code == 'C')
            return m_engine.CopyText(&text) && CopyTextToClipboard(text);
        if (!PasteTextFromClipboard(text) || text.empty())
            return false;
        m_engine.BeginEntry(text);
        Refresh();
        return true;
    }
    const bool digit = (code >= '0' && code <= '9') || (code >= WXK_NUMPAD0 && code <= WXK_NUMPAD9);
    if (!event.ControlDown() && (digit || code == '.' || code == WXK_NUMPAD_DECIMAL)) {
        const char c = code >= WXK_NUMPAD0 && code <= WXK_NUMPAD9 ? char('0' + code - WXK_NUMPAD0)
                       : digit                                      ? char(code)
                                                                    : '.';
        m_engine.BeginEntry(std::string(1, c));
        Refresh();
        return true;
    }
    if (code == WXK_RETURN || code == WXK_NUMPAD_ENTER) {
        if (!event.IsAutoRepeat())
            PressKey(calc_keys::Enter);
        return true;
    }
    if (code == WXK_ESCAPE) {
        CallAfter([this] { Destroy(); });
        return true;
    }
    return false;
}

void CCalculator::OnCharHook(wxKeyEvent& event)
{
    if (!HandleKey(event))
        event.Skip();
}

void CCalculator::OnMouse(wxMouseEvent& event)
{
    // The window has no caption: its background drags it.
    if (event.LeftDown() && !HasCapture()) {
        m_dragFrom = ClientToScreen(event.GetPosition());
        m_dragging = true;
        CaptureMouse();
    } else if (event.Dragging() && m_dragging && HasCapture()) {
        const wxPoint now = ClientToScreen(event.GetPosition());
        Move(GetPosition() + (now - m_dragFrom));
        m_dragFrom = now;
    } else if (event.LeftUp() && m_dragging) {
        m_dragging = false;
        if (HasCapture())
            ReleaseMouse();
    }
}
