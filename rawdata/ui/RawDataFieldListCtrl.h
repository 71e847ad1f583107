#pragma once

#include "rawdata/RawFieldEditorModel.h"

#include <wx/scrolwin.h>
#include <wx/textctrl.h>

#include <cstdint>
#include <memory>
#include <vector>

class CNikonRawDataRecord;
class CRawDataRecord;
class CRawDataSetup;
class CInteractiveControl;
class wxFlexGridSizer;
class wxStaticText;

// A 24-hour "HH:MM:SS" field. Up and Down step the part under the caret.
class CRawTimeCtrl : public wxTextCtrl
{
public:
    CRawTimeCtrl(wxWindow* parent, wxWindowID id, const wxString& time);

    // Whether the user changed the time shown at creation.
    bool IsChanged() const { return GetValue() != m_initial; }
    // The time as "HH:MM:SS" when it reads as one, else the text as typed.
    std::string GetTimeText() const;
    // Moves the hours (part 0), minutes (1) or seconds (2) by the step, wrapping in the day.
    void Step(int part, int step);

private:
    void OnKeyDown(wxKeyEvent& event);
    wxString m_initial;
};

// One row of the editor: the field, its label and its input control.
struct CRawDataFieldWndPtr
{
    CRawFieldEntry entry;
    wxStaticText* label = nullptr;
    wxWindow* control = nullptr;
};

// The raw field editor: one labelled input control per field of a record, in a scrolling
// column. Build turns a record into controls, Collect the controls back into a line.
class CRawDataFieldListCtrl : public wxScrolledWindow
{
public:
    // The toolkit takes window ids below 32767 only.
    static constexpr int FirstControlId = 30000;

    explicit CRawDataFieldListCtrl(wxWindow* parent, wxWindowID id = wxID_ANY);
    ~CRawDataFieldListCtrl() override;

    // Replaces every row by one row per field of the record.
    void Build(CNikonRawDataRecord& record, const CRawDataSetup* setup);
    // Writes the controls' values into the record as a line of the type.
    bool Collect(CRawDataRecord& record, int32_t type);
    // The rows' entries with the controls' current values.
    std::vector<CRawFieldEntry> GetEntries() const;

    size_t GetRowCount() const { return m_rows.size(); }
    const CRawDataFieldWndPtr& GetRow(size_t i) const { return m_rows[i]; }
    // Types the text into the row's control as a person would (edits and time fields), or
    // selects the choice by value.
    void SetRowText(size_t i, const std::string& text);
    void SetRowChoice(size_t i, int32_t value);
    int GetRowHeight() const { return m_rowHeight; }

    // The editor as a whole takes the keyboard (a refused record, the panel coming back): the
    // field last typed in gets it, its text selected so a correction replaces it; without one
    // the field last visited, else the first, with its text left as it is.
    void SetFocus() override;

private:
    void DestroyRows();
    wxWindow* CreateControl(const CRawFieldEntry& entry, bool comment, wxWindowID id);
    // The input field of a survey value kind (2 to 12); null for other kinds.
    CInteractiveControl* CreateSurveyField(int32_t kind, wxWindowID id, const wxString& text);

    std::vector<CRawDataFieldWndPtr> m_rows;
    wxFlexGridSizer* m_grid = nullptr;
    int m_rowHeight = 0;
    wxWindow* m_lastEdited = nullptr;  // a row's control; reset with the rows
    wxWindow* m_lastVisited = nullptr; // a row's control; reset with the rows
    const CRawDataSetup* m_setup = nullptr; // the line's setup; not owned
};
