#include "transfer/ui/TransferWizardParts.h"

#include "core/ColoredTextLines.h"
#include "model/MorvelSettings.h"
#include "platform/MessageBox.h"
#include "shell/RunUserPreferences.h"
#include "views/ui/ObjectIdWnd.h"
#include "views/ui/ToolPopups.h"

#include <wx/utils.h>

#include <string>
#include <vector>

void ShowTransferSettingsTip(wxWindow* near)
{
    std::vector<std::string> lines;
    GetMorvelSettings().FormatTransferSettings(lines);
    CColoredTextLines shown;
    for (std::string line : lines) {
        // Each entry is one line of the box; its own line end would add an empty one.
        while (!line.empty() && line.back() == '\n')
            line.pop_back();
        shown.AddLineDefaultColor(line);
    }
    if (CObjectIdWnd* popup = EnsureToolIdPopup(near)) {
        const wxPoint at = wxGetMousePosition();
        popup->ShowLines(shown, at.x, at.y, {});
    }
}

bool RunTransferSettings() { return RunUserPreferences(PreferencesTransferPage) == IDOK; }
