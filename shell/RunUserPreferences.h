#pragma once

#include <cstdint>
#include <functional>

// The preference sheet's pages in tab order.
inline constexpr int32_t PreferencesColorsPage = 0;
inline constexpr int32_t PreferencesTransferPage = 2;
inline constexpr int32_t PreferencesRenameRulesPage = 6;

// Opens the preferences sheet on the page, saves its values when it ends with OK, and returns
// IDOK or IDCANCEL. The window layer installs the sheet; without one the answer is IDCANCEL and
// nothing changes.
using UserPreferencesRunner = std::function<int(int32_t startPage)>;
int RunUserPreferences(int32_t startPage);
// Installs the runner (an empty one removes it) and returns the one it replaces.
UserPreferencesRunner SetRunUserPreferences(UserPreferencesRunner runner);
