#pragma once

#include "platform/LogFont.h"

#include <cstdint>
#include <string>
#include <vector>

// What the application settings ask of the shell: fonts, palettes, printer setup and the active
// job. The application installs its own; the defaults do nothing beyond file work, so headless
// code and tests run without a shell.
class CSettingsShell
{
public:
    virtual ~CSettingsShell() = default;

    // Creates the font; false when it cannot be created. On success `font` receives what was
    // actually created.
    virtual bool CreateFont(LogFont& font) { return true; }

    // Sets up the working DXF colour maps; the default does the real file work, since the maps
    // must be ready whether or not a window layer is present.
    virtual void PrepareDxfColorMaps(int32_t colorMode);
    virtual void SelectCadColorPalette() {}
    virtual void CreateAppPalette() {}
    virtual void OnPaletteChanged() {}
    // Sends a change hint to the active job; 0 when no job is open.
    virtual intptr_t NotifyActiveDocument(void* sender, int32_t hint, intptr_t parameter) { return 0; }

    // The printer's device names and device mode as stored blobs. Getters return false when the
    // application has none.
    virtual void SetPrinterDevNames(const std::vector<uint8_t>& data) {}
    virtual void SetPrinterDevMode(const std::vector<uint8_t>& data) {}
    virtual bool GetPrinterDevNames(std::vector<uint8_t>& data) { return false; }
    virtual bool GetPrinterDevMode(std::vector<uint8_t>& data) { return false; }
};

// The installed shell, or a do-nothing one when none is installed.
CSettingsShell& GetSettingsShell();
// Not owned; null goes back to the do-nothing shell.
void SetSettingsShell(CSettingsShell* shell);
