#include "model/SettingsShell.h"

#include "core/FileHelpers.h"

namespace {
CSettingsShell* g_shell = nullptr;
}

CSettingsShell& GetSettingsShell()
{
    static CSettingsShell quiet;
    return g_shell ? *g_shell : quiet;
}

void SetSettingsShell(CSettingsShell* shell) { g_shell = shell; }

void CSettingsShell::PrepareDxfColorMaps(int32_t colorMode) { ::PrepareDxfColorMaps(colorMode); }
