#pragma once

#include "framework/ui/EasyDialog.h"

#include <wx/dialog.h>

#include <cstdint>
#include <string>

class wxChoice;
class CEasyEdit;

// A Yes/No/Cancel question with a caption and an optional icon. DoModal answers with the id of
// the button pressed: IdYes, IdNo or IDCANCEL.
class CSingleConfirm : public wxDialog
{
public:
    static constexpr int IdYes = 1842;
    static constexpr int IdNo = 1054;
    static constexpr int IdText = 1232;
    static constexpr int IdIcon = 2420;

    explicit CSingleConfirm(wxWindow* parent);
    int DoModal();

    std::string m_text;
    // Empty keeps the window's own caption.
    std::string m_caption;
    uint32_t m_iconId = 0;

protected:
    CSingleConfirm(wxWindow* parent, bool multiple);
    // Sets the caption, text and icon from the members, as the window opens.
    void Prepare();

private:
    void AddButton(wxSizer* row, int id, const char* label);
    bool m_multiple;
};

// CSingleConfirm with "Y&es to All" and "N&o to All" as well.
class CMultipleConfirm : public CSingleConfirm
{
public:
    static constexpr int IdYesToAll = 1843;
    static constexpr int IdNoToAll = 1055;
    explicit CMultipleConfirm(wxWindow* parent) : CSingleConfirm(parent, true) {}
};

// Asks for one value, near the cursor. The kind decides how the text is taken:
// 1 text, 2 number, 3 writable folder, 4 new point name, 5 job file name (".Mvj" added when
// another ending is typed), 6 file name, 7 raw data line (checked against the job).
class CPrompter : public CEasyDialog
{
public:
    static constexpr int IdLabel = 1967;
    static constexpr int IdValue = 1232;

    explicit CPrompter(int kind);

    std::string m_label;
    std::string m_text;
    int m_maxLength = 0;
    double m_value = 0.0;
    int32_t m_rawLine = -1;
    int GetKind() const { return m_kind; }
    CEasyEdit* GetEdit() const { return m_edit; }

    bool OnInitDialog() override;

protected:
    void BuildControls() override;
    void DoDataExchange(CDataExchange& dx) override;

private:
    int m_kind;
    CEasyEdit* m_edit = nullptr;
};

// Asks which distance unit a file is in: 0 "Meters", 1 "Feet", 2 "US Survey Feet". The last
// answer is kept in the profile ("Prompter"/"Distance Unit").
class CDistanceUnitPrompter : public CEasyDialog
{
public:
    static constexpr int IdUnit = 2516;
    CDistanceUnitPrompter();
    ~CDistanceUnitPrompter() override;

    int m_distanceUnit = 0;
    wxChoice* GetUnitChoice() const { return m_choice; }
    bool OnInitDialog() override;

protected:
    void BuildControls() override;
    void DoDataExchange(CDataExchange& dx) override;

private:
    wxChoice* m_choice = nullptr;
};

// The ".Mvj" ending a job file name gets when it has another (compared without regard to case).
std::string WithJobExtension(const std::string& name);
