#pragma once

#include "model/MorvelSettings.h"
#include "platform/MessageBox.h"

// What the import entries run under: every message box answered at once, and rename rules that
// give a clashing point a new name rather than asking.
inline void UseQuietImportSettings()
{
    static const MessageBoxHandler quiet = SetMessageBoxHandler([](const std::string&, uint32_t) { return IDOK; });
    (void)quiet;
    static CMorvelSettings settings = [] {
        CMorvelSettings s;
        s.SetRenameRule(3);
        s.SetRenameDesignator("F");
        s.SetRenameOption(1);
        return s;
    }();
    SetMorvelSettings(&settings);
}
