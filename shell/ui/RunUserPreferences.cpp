#include "shell/ui/RunUserPreferences.h"

#include "model/DataFileDoc.h"
#include "model/HintCodes.h"
#include "model/MorvelSettings.h"
#include "platform/MessageBox.h"
#include "shell/RunUserPreferences.h"
#include "shell/ui/UserPreferences.h"

// The import panels open the sheet at its rename rules page by this number.
static_assert(PreferencesRenameRulesPage == CUserPreferences::RenameRulesPage);

namespace {

int RunSheet(CUserPreferences& sheet, int startPage)
{
    sheet.SetActivePage(startPage);
    const int result = sheet.DoModal();
    if (result == wxID_OK)
        sheet.SaveToSettings();
    return result;
}

} // namespace

int RunUserPreferencesSheet(int startPage)
{
    CUserPreferences sheet(nullptr, 0);
    return RunSheet(sheet, startPage);
}

void InstallUserPreferencesSheet()
{
    SetRunUserPreferences([](int32_t page) { return RunUserPreferencesSheet(page) == wxID_OK ? IDOK : IDCANCEL; });
}

void OnPreferencesCommand()
{
    CUserPreferences sheet(nullptr, 0);
    const int result = RunSheet(sheet, CUserPreferences::ColorsPage);
    const ColorsPageValues& colors = sheet.GetData().colors;
    if (colors.paletteWord != colors.colorModeAtConstruction)
        GetMorvelSettings().SwitchColorMode(result == wxID_OK ? colors.paletteWord : colors.colorModeAtConstruction,
                                            true);
    if (CDataFileDoc* job = CDataFileDoc::GetActiveDoc())
        job->SendHint(nullptr, HintRefreshAll, 0);
}
