#pragma once

#include "framework/ui/EasyDialog.h"

#include <string>

class wxRadioButton;
class wxTextCtrl;

// The job view's "Find" dialog: asks the active job view for the next point whose name or
// description is the text typed, up or down the grid, and says so when there is none. It stays
// open for further searches; the last search is kept for the next time it opens.
class CFindCoordinates : public CEasyDialog
{
public:
    static constexpr int IdText = 1113;
    static constexpr int IdName = 2374;
    static constexpr int IdDescription = 2375;
    static constexpr int IdUp = 2371;
    static constexpr int IdDown = 2372;
    // The text travels in a buffer of 80 characters with its terminator.
    static constexpr int MaxChars = 79;

    enum Kind { KindName = 0, KindDescription = 1 };

    CFindCoordinates();

    // "&Find Next": the search; a miss is reported and the text selected again.
    void OnOK() override;

    // The last search, for the whole run of the program.
    static std::string s_text;
    static int s_kind;
    static int s_direction; // 0 up, 1 down

    // "Point '%1' not found." and its kin, by search kind.
    static std::string NotFoundText(int kind, const std::string& text);

protected:
    void BuildControls() override;
    bool OnInitDialog() override;
    bool WantsStandardButtons() const override { return false; }

private:
    void TakeControls();

    wxTextCtrl* m_text = nullptr;
    wxRadioButton* m_name = nullptr;
    wxRadioButton* m_description = nullptr;
    wxRadioButton* m_up = nullptr;
    wxRadioButton* m_down = nullptr;
};
