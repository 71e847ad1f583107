#pragma once

#include "cogo/CalculatorEngine.h"
#include "core/NoValue.h"

#include <wx/control.h>
#include <wx/dialog.h>
#include <wx/vlbox.h>

class wxRadioButton;
class wxTextCtrl;

// A key of the pad, painted in the calculator's dark look: a face, the caption in green, and for
// "Enter" a green ring. It sends wxEVT_BUTTON when released over itself and never takes the
// keyboard, which stays with the calculator.
class CCalculatorButton : public wxControl
{
public:
    CCalculatorButton(wxWindow* parent, int id, const wxString& caption, bool wideFace = false, bool ring = false);
    bool AcceptsFocus() const override { return false; }
    bool IsPressed() const { return m_pressed; }
    // A picture drawn in place of the caption (the caption stays the key's label); null for none.
    void SetKeyIcon(const wxBitmap* icon) { m_keyIcon = icon; }
    const wxBitmap* GetKeyIcon() const { return m_keyIcon; }
    // The cap drawn under the content: released and pressed, or one wide image for both.
    void SetFaces(const wxBitmap* released, const wxBitmap* pressed) { m_faces[0] = released, m_faces[1] = pressed; }

protected:
    virtual void PaintKey(wxDC& dc, const wxRect& rect);
    // The caption, centred, one pixel down and right while the key is held.
    void DrawCaption(wxDC& dc, const wxRect& rect);
    wxSize DoGetBestSize() const override;

    bool m_pressed = false;

private:
    void OnPaint(wxPaintEvent& event);
    void OnMouse(wxMouseEvent& event);

    // The face scaled to the key, made again when the key's size or state changes.
    const wxBitmap& ScaledFace(const wxBitmap& face, const wxSize& size);

    bool m_wideFace;
    bool m_ring;
    bool m_tracking = false;
    const wxBitmap* m_keyIcon = nullptr; // the icon cache's
    const wxBitmap* m_faces[2] = {nullptr, nullptr};
    const wxBitmap* m_scaledFrom = nullptr;
    wxBitmap m_scaledFace;
};

// The close key at the top right: a black face in a raised frame, sunken while pressed.
class CCalculatorCancelButton : public CCalculatorButton
{
public:
    CCalculatorCancelButton(wxWindow* parent, int id, const wxString& caption);

protected:
    void PaintKey(wxDC& dc, const wxRect& rect) override;
};

// The stack display: the newest values at the bottom.
class CCalculatorListBox : public wxVListBox
{
public:
    CCalculatorListBox(wxWindow* parent, int id, const CCalculatorEngine& engine);
    void Refill();
    // What the rows show, the empty ones above the values included.
    const std::vector<std::string>& GetRows() const { return m_rows; }

protected:
    void OnDrawItem(wxDC& dc, const wxRect& rect, size_t n) const override;
    wxCoord OnMeasureItem(size_t n) const override;

private:
    const CCalculatorEngine& m_engine;
    std::vector<std::string> m_rows;
};

// The caption-less reverse-Polish calculator over the program-wide stack; dragged by its
// background, keys by mouse or keyboard.
class CCalculator : public wxDialog
{
public:
    static constexpr int IdEntry = 1000, IdStack = 1737;

    CCalculator(wxWindow* parent, double startValue = NoValue);
    ~CCalculator() override;

    CCalculatorEngine& Engine() { return m_engine; }
    // A key by its command id, as a click on it.
    void PressKey(int key);
    // A key press as the keyboard delivers it; true when the calculator used it.
    bool HandleKey(const wxKeyEvent& event);
    // A typed character (after its key press went unused); true when the calculator used it.
    bool HandleChar(const wxKeyEvent& event);
    // Refills the display after the stack changed from outside. The digits typed into an open
    // entry are taken first, so the refill never writes an older entry back over them.
    void RefreshStack()
    {
        SyncEntry();
        Refresh();
    }
    // Comes to the front with the keyboard: in the open entry, else on the display.
    void TakeKeyboard();

private:
    void Refresh();
    void SyncEntry();
    // Taking the focus selects the entry's whole text, and the next digit typed or clicked would
    // replace it: the caret goes after it, now and once the focus has settled.
    void PutCaretAtEntryEnd();
    // A digit or the point: replaces the entry's selection, or begins an entry.
    void InsertText(char c);
    void UseResult();
    void OnCharHook(wxKeyEvent& event);
    void OnChar(wxKeyEvent& event);
    // Typing stops at the limit; a value a key writes into the entry may be longer (every digit
    // of pi), which a limit on the box itself would cut off.
    static constexpr long EntryTypingLimit = 15;
    bool EntryFull() const;
    void OnMouse(wxMouseEvent& event);

    CCalculatorEngine m_engine;
    CCalculatorListBox* m_stack = nullptr;
    wxTextCtrl* m_entry = nullptr;
    wxRadioButton* m_modes[3] = {};
    wxPoint m_dragFrom;
    bool m_dragging = false;
};

// The frame's one calculator: made and shown at the first call, afterwards the value (when it is
// one) is pushed onto the open calculator's stack.
CCalculator* ShowCalculator(wxWindow* parent, double value);
void CloseCalculator();
