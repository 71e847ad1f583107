#include "cogo/ui/Calculator.h"

#include "cogo/ui/InteractiveControl.h"
#include "core/NoValue.h"
#include "framework/GraphicDataExchange.h"
#include "framework/GraphicDataTarget.h"
#include "framework/ui/Icons.h"
#include "framework/ui/ProgramServices.h"
#include "framework/ui/WindowHelpers.h"
#include "platform/Clipboard.h"
#include "platform/MessageBox.h"
#include "platform/Profile.h"

#include <wx/button.h>
#include <wx/dc.h>
#include <wx/dcclient.h>
#include <wx/image.h>
#include <wx/radiobut.h>
#include <wx/settings.h>
#include <wx/sizer.h>
#include <wx/textctrl.h>
#include <wx/utils.h>

#include <algorithm>

namespace {

const wxColour kBack(0x4B, 0x4B, 0x4B);
const wxColour kCaption(0x00, 0xFF, 0x00);
const wxColour kSilver(0xC0, 0xC0, 0xC0);
const wxColour kDarkEdge(0x80, 0x80, 0x80);

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

// The keys that show a picture instead of their caption, by key id.
struct KeyIcon
{
    int key;
    uint32_t icon;
};
constexpr KeyIcon kKeyIcons[] = {
    {1007, 229},  {1006, 6947}, {1761, 6948}, {1004, 6949}, {1018, 6950}, {1757, 6951}, {1758, 6952}, {1005, 268},
    {1011, 269},  {1009, 270},  {1012, 271},  {1755, 6982}, {1754, 6983}, {1756, 6984}, {1014, 6985},
};
constexpr uint32_t kFaceReleased = 267, kFacePressed = 266, kWideFace = 7046;

const wxBitmap* AppIcon(uint32_t id, int width, int height)
{
    CProgramServices* app = GetProgramServices();
    return app != nullptr ? app->GetIcons().GetIconOfSize(id, width, height) : nullptr;
}

CCalculator*& OpenCalculatorWindow()
{
    static CCalculator* open = nullptr;
    return open;
}

} // namespace

CCalculatorButton::CCalculatorButton(wxWindow* parent, int id, const wxString& caption, bool wideFace, bool ring)
    : m_wideFace(wideFace), m_ring(ring)
{
    Create(parent, id, wxDefaultPosition, wxDefaultSize, wxBORDER_NONE);
    SetLabel(caption);
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    Bind(wxEVT_PAINT, &CCalculatorButton::OnPaint, this);
    for (auto type : {wxEVT_LEFT_DOWN, wxEVT_LEFT_DCLICK, wxEVT_LEFT_UP, wxEVT_MOTION})
        Bind(type, &CCalculatorButton::OnMouse, this);
    Bind(wxEVT_MOUSE_CAPTURE_LOST, [this](wxMouseCaptureLostEvent&) {
        m_tracking = m_pressed = false;
        Refresh();
    });
}

wxSize CCalculatorButton::DoGetBestSize() const
{
    const wxSize text = GetTextExtent(GetLabel());
    return wxSize(std::max(text.x + 10, FromDIP(40)), std::max(text.y + 8, FromDIP(24)));
}

void CCalculatorButton::OnPaint(wxPaintEvent&)
{
    wxPaintDC dc(this);
    PaintKey(dc, wxRect(GetClientSize()));
}

void CCalculatorButton::PaintKey(wxDC& dc, const wxRect& rect)
{
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(wxBrush(kBack));
    dc.DrawRectangle(rect);
    // The face: the program's key cap, raised or sunk while held; the wide face spans the key.
    // Without the pictures, a cap drawn here.
    const wxBitmap* picture = m_faces[m_pressed && !m_wideFace ? 1 : 0];
    if (picture != nullptr && picture->IsOk()) {
        dc.DrawBitmap(ScaledFace(*picture, rect.GetSize()), rect.GetTopLeft(), true);
    } else {
        wxRect face = rect;
        face.Deflate(m_wideFace ? 1 : 2);
        dc.SetPen(wxPen(m_pressed ? wxColour(0x30, 0x30, 0x30) : kDarkEdge));
        dc.SetBrush(wxBrush(m_pressed ? wxColour(0x3A, 0x3A, 0x3A) : wxColour(0x62, 0x62, 0x62)));
        dc.DrawRoundedRectangle(face, 3);
    }
    if (m_keyIcon != nullptr && m_keyIcon->IsOk()) {
        // The icon sits in the key's middle at its own size (its glyph fills the middle of its
        // square, so a shorter key only loses empty margin), one pixel down and right while held.
        const int shift = m_pressed ? 1 : 0;
        wxDCClipper clip(dc, rect);
        dc.DrawBitmap(*m_keyIcon, rect.x + (rect.width - m_keyIcon->GetWidth()) / 2 + shift,
                      rect.y + (rect.height - m_keyIcon->GetHeight()) / 2 + shift, true);
    } else {
        DrawCaption(dc, rect);
    }
    if (m_ring) {
        dc.SetPen(wxPen(kCaption, 2));
        dc.SetBrush(*wxTRANSPARENT_BRUSH);
        wxRect ring = rect;
        dc.DrawEllipse(ring.Deflate(1));
    }
}

const wxBitmap& CCalculatorButton::ScaledFace(const wxBitmap& face, const wxSize& size)
{
    if (m_scaledFrom != &face || m_scaledFace.GetSize() != size) {
        m_scaledFrom = &face;
        m_scaledFace = face.GetSize() == size
                           ? face
                           : wxBitmap(face.ConvertToImage().Scale(std::max(size.x, 1), std::max(size.y, 1),
                                                                   wxIMAGE_QUALITY_HIGH));
    }
    return m_scaledFace;
}

void CCalculatorButton::DrawCaption(wxDC& dc, const wxRect& rect)
{
    wxRect content = rect;
    if (m_pressed)
        content.Offset(1, 1);
    dc.SetFont(GetFont());
    dc.SetTextForeground(kCaption);
    dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
    dc.DrawLabel(GetLabel(), content, wxALIGN_CENTER);
}

void CCalculatorButton::OnMouse(wxMouseEvent& event)
{
    const bool inside = wxRect(GetClientSize()).Contains(event.GetPosition());
    if (event.LeftDown() || event.LeftDClick()) {
        m_tracking = m_pressed = true;
        if (!HasCapture())
            CaptureMouse();
        Refresh();
    } else if (event.Dragging() && m_tracking) {
        if (inside != m_pressed) {
            m_pressed = inside;
            Refresh();
        }
    } else if (event.LeftUp() && m_tracking) {
        m_tracking = false;
        if (HasCapture())
            ReleaseMouse();
        const bool click = m_pressed && inside;
        m_pressed = false;
        Refresh();
        if (click) {
            wxCommandEvent press(wxEVT_BUTTON, GetId());
            press.SetEventObject(this);
            ProcessWindowEvent(press);
        }
    }
}

CCalculatorCancelButton::CCalculatorCancelButton(wxWindow* parent, int id, const wxString& caption)
    : CCalculatorButton(parent, id, caption)
{
}

void CCalculatorCancelButton::PaintKey(wxDC& dc, const wxRect& rect)
{
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(*wxBLACK_BRUSH);
    dc.DrawRectangle(rect);
    // A 3D frame: raised when released, sunken while held.
    const wxColour light = m_pressed ? kDarkEdge : kSilver;
    const wxColour dark = m_pressed ? kSilver : kDarkEdge;
    dc.SetPen(wxPen(light));
    dc.DrawLine(rect.GetLeft(), rect.GetBottom(), rect.GetLeft(), rect.GetTop());
    dc.DrawLine(rect.GetLeft(), rect.GetTop(), rect.GetRight(), rect.GetTop());
    dc.SetPen(wxPen(dark));
    dc.DrawLine(rect.GetRight(), rect.GetTop(), rect.GetRight(), rect.GetBottom());
    dc.DrawLine(rect.GetRight(), rect.GetBottom(), rect.GetLeft() - 1, rect.GetBottom());
    DrawCaption(dc, rect);
}

CCalculatorListBox::CCalculatorListBox(wxWindow* parent, int id, const CCalculatorEngine& engine)
    : wxVListBox(parent, id, wxDefaultPosition, wxSize(-1, 110), wxBORDER_SIMPLE), m_engine(engine)
{
    SetBackgroundColour(kSilver);
}

void CCalculatorListBox::Refill()
{
    // Empty rows first, so the values sit at the bottom of the display.
    const std::vector<std::string> values = m_engine.Rows();
    const int height = OnMeasureItem(0);
    const size_t fit = height > 0 ? size_t(std::max(0, GetClientSize().y / height)) : 0;
    m_rows.assign(values.size() < fit ? fit - values.size() : 0, std::string());
    m_rows.insert(m_rows.end(), values.begin(), values.end());
    SetItemCount(m_rows.size());
    if (!m_rows.empty())
        ScrollToRow(m_rows.size() - 1);
    wxVListBox::Refresh();
}

void CCalculatorListBox::OnDrawItem(wxDC& dc, const wxRect& rect, size_t n) const
{
    if (n >= m_rows.size())
        return;
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(wxBrush(kSilver));
    dc.DrawRectangle(rect);
    dc.SetTextForeground(*wxBLACK);
    const wxString text = wxString::FromUTF8(m_rows[n]);
    const wxSize size = dc.GetTextExtent(text);
    dc.DrawText(text, rect.GetRight() - size.x - 4, rect.GetTop() + (rect.height - size.y) / 2);
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
        m_modes[i]->SetForegroundColour(kCaption);
        m_modes[i]->SetBackgroundColour(kBack);
        m_modes[i]->Bind(wxEVT_RADIOBUTTON, [this, i](wxCommandEvent&) {
            PressKey(calc_keys::ModeDeg + i);
            // The click took the keyboard to the button, where the next digits typed into an open
            // entry would be lost: the entry gets it back once the click is done.
            CallAfter([this] {
                if (m_engine.IsEntryOpen()) {
                    m_entry->SetFocus();
                    m_entry->SetInsertionPointEnd();
                }
            });
        });
        top->Add(m_modes[i], 0, wxRIGHT, 6);
    }
    m_modes[m_engine.angleMode]->SetValue(true);
    top->AddStretchSpacer();
    auto* close = new CCalculatorCancelButton(this, calc_keys::Close, "X");
    close->SetMinSize(FromDIP(wxSize(24, 20)));
    close->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { CallAfter([this] { Destroy(); }); });
    top->Add(close);
    sizer->Add(top, 0, wxEXPAND | wxALL, 4);
    m_stack = new CCalculatorListBox(this, IdStack, m_engine);
    sizer->Add(m_stack, 0, wxEXPAND | wxLEFT | wxRIGHT, 4);
    m_entry = new wxTextCtrl(this, IdEntry);
    m_entry->SetBackgroundColour(kSilver);
    m_entry->SetForegroundColour(*wxBLACK);
    m_entry->Hide();
    sizer->Add(m_entry, 0, wxEXPAND | wxLEFT | wxRIGHT, 4);
    auto* grid = new wxGridSizer(6, 2, 2);
    auto* last = new wxBoxSizer(wxHORIZONTAL);
    auto makeKey = [this](const Key& key) {
        auto* button = new CCalculatorButton(this, key.id, wxString::FromUTF8(key.caption),
                                             key.id == calc_keys::UseResult, key.id == calc_keys::Enter);
        button->SetMinSize(FromDIP(wxSize(44, 24)));
        if (key.id == calc_keys::UseResult) {
            const wxBitmap* wide = AppIcon(kWideFace, 96, 32);
            button->SetFaces(wide, wide);
        } else {
            button->SetFaces(AppIcon(kFaceReleased, 32, 32), AppIcon(kFacePressed, 32, 32));
        }
        for (const KeyIcon& k : kKeyIcons)
            if (k.key == key.id)
                button->SetKeyIcon(AppIcon(k.icon, 32, 32));
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
    // The operation keys are read from the typed character, which reaches only the window that
    // holds the keyboard: a key press names the key ("=" or "8" for "+" or "*" on most layouts).
    for (wxWindow* keyboard : {static_cast<wxWindow*>(this), static_cast<wxWindow*>(m_entry),
                               static_cast<wxWindow*>(m_stack), static_cast<wxWindow*>(m_modes[0]),
                               static_cast<wxWindow*>(m_modes[1]), static_cast<wxWindow*>(m_modes[2])})
        keyboard->Bind(wxEVT_CHAR, &CCalculator::OnChar, this);
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
    } else {
        open = new CCalculator(parent, value);
        open->Show();
    }
    // Opened or handed a value, it comes to the front and holds the keyboard, so the digits typed
    // next are its own: a window that is only shown leaves the keyboard with the main window,
    // where they would overwrite the field the calculator was called from. An open entry takes
    // them (the display would drop them), with the caret after what it holds.
    open->TakeKeyboard();
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

void CCalculator::TakeKeyboard()
{
    const bool entry = m_engine.IsEntryOpen();
    ShowInFrontWithKeyboard(*this, entry ? static_cast<wxWindow*>(m_entry) : m_stack);
    if (entry)
        PutCaretAtEntryEnd();
}

void CCalculator::PutCaretAtEntryEnd()
{
    m_entry->SetInsertionPointEnd();
    CallAfter([this] {
        if (m_engine.IsEntryOpen())
            m_entry->SetInsertionPointEnd();
    });
}

void CCalculator::SyncEntry()
{
    if (m_engine.IsEntryOpen())
        m_engine.SetEntryText(m_entry->GetValue().utf8_string());
}

void CCalculator::Refresh()
{
    const bool open = m_engine.IsEntryOpen();
    if (open && m_entry->GetValue().utf8_string() != m_engine.EntryText()) {
        m_entry->ChangeValue(wxString::FromUTF8(m_engine.EntryText()));
        m_entry->SetInsertionPointEnd();
    }
    if (m_entry->IsShown() != open) {
        // The entry box takes its room from the display, so the window keeps its size.
        const int full = m_stack->GetMinSize().y + (open ? 0 : m_entry->GetBestSize().y);
        m_stack->SetMinSize(wxSize(-1, open ? full - m_entry->GetBestSize().y : full));
        const bool hadKeyboard = !open && wxWindow::FindFocus() == m_entry;
        m_entry->Show(open);
        Layout();
        if (open) {
            m_entry->SetFocus();
            PutCaretAtEntryEnd();
        } else if (hadKeyboard)
            // A hidden box keeps no keyboard: without a window of its own to go to, the next keys
            // would reach nothing and the digits typed after Enter would be lost.
            m_stack->SetFocus();
    }
    // After the entry box came or went: the display is refilled for the rows it now has.
    m_stack->Refill();
}

void CCalculator::PressKey(int key)
{
    SyncEntry();
    if (key == calc_keys::UseResult) {
        UseResult();
        return;
    }
    if ((key >= calc_keys::Digit1 && key <= calc_keys::Digit9) || key == calc_keys::Digit0 || key == calc_keys::Point) {
        InsertText(key == calc_keys::Point ? '.' : key == calc_keys::Digit0 ? '0' : char('1' + key - calc_keys::Digit1));
        return;
    }
    const std::string message = m_engine.Press(key);
    Refresh();
    if (!message.empty())
        ShowMessageBoxFS(message, MB_OK | MB_ICONERROR);
}

void CCalculator::InsertText(char c)
{
    if (!m_engine.IsEntryOpen()) {
        m_engine.BeginEntry(std::string(1, c));
        Refresh();
        return;
    }
    // The key's character takes the place of what is selected, where the caret is, as typing does.
    if (EntryFull())
        return;
    long from = 0, to = 0;
    m_entry->GetSelection(&from, &to);
    m_entry->Replace(from, to, wxString(c));
    m_entry->SetInsertionPoint(from + 1);
    SyncEntry();
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
    // Only an interactive field takes the number; any other target is left alone.
    if (auto* field = dynamic_cast<CInteractiveControl*>(target)) {
        field->SetValue(wxString::FromUTF8(text));
        field->SelectAll();
    }
}

bool CCalculator::HandleKey(const wxKeyEvent& event)
{
    const int code = event.GetKeyCode();
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
    // With Shift the key types another character ("*" on the 8): that comes as a character.
    const bool digit = (code >= '0' && code <= '9') || (code >= WXK_NUMPAD0 && code <= WXK_NUMPAD9);
    if (!event.ControlDown() && !event.ShiftDown() && (digit || code == '.' || code == WXK_NUMPAD_DECIMAL)) {
        InsertText(code >= WXK_NUMPAD0 && code <= WXK_NUMPAD9 ? char('0' + code - WXK_NUMPAD0)
                   : digit                                      ? char(code)
                                                                : '.');
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

bool CCalculator::HandleChar(const wxKeyEvent& event)
{
    if (event.ControlDown() || event.AltDown())
        return false;
    // With an entry open too: the entry is committed first, then the operation runs.
    switch (event.GetUnicodeKey()) {
    case '+': PressKey(calc_keys::Add); return true;
    case '-': PressKey(calc_keys::Subtract); return true;
    case '*': PressKey(calc_keys::Multiply); return true;
    case '/': PressKey(calc_keys::Divide); return true;
    default: return false;
    }
}

bool CCalculator::EntryFull() const
{
    long from = 0, to = 0;
    m_entry->GetSelection(&from, &to);
    return m_entry->GetLastPosition() - (to - from) >= EntryTypingLimit;
}

void CCalculator::OnChar(wxKeyEvent& event)
{
    if (HandleChar(event))
        return;
    const int c = event.GetUnicodeKey();
    if (event.GetEventObject() == m_entry && c >= ' ' && c != 127 && !event.ControlDown() && EntryFull())
        return;
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
