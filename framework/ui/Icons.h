#pragma once

#include <wx/bitmap.h>

#include <cstdint>
#include <map>
#include <string>
#include <utility>

// The program's icons, loaded on first request from the icons folder beside the program
// ("<id>_16.png", "<id>_32.png") and kept until the program ends, so that the same icon is never
// loaded twice.
class CIcons
{
public:
    explicit CIcons(std::string folder);
    virtual ~CIcons() = default;

    // The 16 x 16 or the 32 x 32 icon; null when it cannot be loaded (nothing is cached then).
    const wxBitmap* GetIcon(uint32_t id, bool small);
    // 16 and 32 pixels go to GetIcon; any other size is kept by id alone, so the first size asked
    // for an id is the one it keeps.
    const wxBitmap* GetIconOfSize(uint32_t id, int width, int height);

    // How many loads reached the disk; for tests.
    int GetLoadCount() const { return m_loads; }

private:
    const wxBitmap* Lookup(std::map<uint32_t, wxBitmap>& cache, uint32_t id, int width, int height);

    std::string m_folder;
    std::map<uint32_t, wxBitmap> m_small;
    std::map<uint32_t, wxBitmap> m_large;
    std::map<uint32_t, wxBitmap> m_other;
    int m_loads = 0;
};
