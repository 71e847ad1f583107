#pragma once

#include "framework/ui/EasyDialog.h"

#include <string>

// Edits one description text of at most 16 characters; the caller sets it before the dialog runs
// and reads it back after OK.
class CChangeDescription : public CEasyDialog
{
public:
    static constexpr int IdDescription = 1068;
    static constexpr int MaxChars = 16;

    CChangeDescription();

    // Set before DoModal (the field is filled as the window is made), read after OK.
    std::string m_description;
    bool m_isPoint = false;

protected:
    void BuildControls() override;
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;
};
