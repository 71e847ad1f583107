#pragma once

#include "framework/ui/EasyDialog.h"

#include <string>

class wxButton;

// Asked when a name typed for a new point is taken: overwrite that point, take the next free name
// instead, or give up. Ends with IDOK (the chosen name is then set) or IDCANCEL.
class CPointExists : public CEasyDialog
{
public:
    static constexpr int IdMessage = 1190;
    static constexpr int IdOverwrite = 1188;
    static constexpr int IdUseNext = 1189;

    CPointExists();

    // Set before the window is made (DoModal or CreateModalHost): the typed name and the proposed
    // free one (may be empty).
    void SetNames(const std::string& typedName, const std::string& proposedName);
    const std::string& GetChosenName() const { return m_chosenName; }
    const std::string& GetMessageText() const { return m_messageText; }
    wxButton* GetOverwriteButton() const { return m_overwrite; }
    wxButton* GetUseNextButton() const { return m_useNextAvailable; }

    // The buttons, as a click reaches them.
    void OnOverwrite();
    void OnUseNextAvailable();
    void OnCancel() override;
    // Enter chooses nothing: one of the answers replaces a point or renames the new one.
    void OnOK() override {}

    // Shows the prompt for a taken name; the answer as the point-name check expects it.
    static int Ask(const std::string& typedName, const std::string& proposedName, std::string* chosen);
    // The same prompt where overwriting is no answer: the taken name is one the same solve is
    // about to store.
    static int AskWithoutOverwrite(const std::string& typedName, const std::string& proposedName,
                                   std::string* chosen);
    void SetAllowOverwrite(bool allow) { m_allowOverwrite = allow; }
    // Makes this the prompt the point-name check shows.
    static void Install();
    static void Uninstall();

protected:
    void BuildControls() override;
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;
    bool WantsStandardButtons() const override { return false; }

private:
    std::string m_typedName;
    std::string m_proposedName;
    std::string m_chosenName;
    wxButton* m_useNextAvailable = nullptr;
    std::string m_messageText;
    wxButton* m_overwrite = nullptr;
    bool m_allowOverwrite = true;

    static int AskWith(const std::string& typedName, const std::string& proposedName, std::string* chosen,
                       bool allowOverwrite);
};
