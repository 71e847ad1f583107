#include "framework/ui/Icons.h"

#include <wx/image.h>

#include <filesystem>

CIcons::CIcons(std::string folder) : m_folder(std::move(folder)) {}

const wxBitmap* CIcons::GetIcon(uint32_t id, bool small)
{
    return small ? Lookup(m_small, id, 16, 16) : Lookup(m_large, id, 32, 32);
}

const wxBitmap* CIcons::GetIconOfSize(uint32_t id, int width, int height)
{
    if (width == 16 && height == 16)
        return GetIcon(id, true);
    if (width == 32 && height == 32)
        return GetIcon(id, false);
    return Lookup(m_other, id, width, height);
}

const wxBitmap* CIcons::Lookup(std::map<uint32_t, wxBitmap>& cache, uint32_t id, int width, int height)
{
    if (auto it = cache.find(id); it != cache.end())
        return &it->second;
    ++m_loads;
    // Odd sizes are scaled from the larger picture.
    const int fileSize = width <= 16 && height <= 16 ? 16 : 32;
    const std::string path = m_folder + std::to_string(id) + "_" + std::to_string(fileSize) + ".png";
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec))
        return nullptr;
    wxImage image;
    if (!image.LoadFile(wxString::FromUTF8(path), wxBITMAP_TYPE_PNG) || !image.IsOk())
        return nullptr;
    if (image.GetWidth() != width || image.GetHeight() != height)
        image.Rescale(width, height, wxIMAGE_QUALITY_HIGH);
    return &cache.emplace(id, wxBitmap(image)).first->second;
}
