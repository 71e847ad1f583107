#include "framework/ui/DIBitmap.h"

#include "platform/AppFolders.h"

#include <wx/dc.h>
#include <wx/image.h>

#include <cstring>

namespace {
std::string& Folder()
{
    static std::string folder;
    return folder;
}
} // namespace

void CDIBitmap::SetResourceFolder(const std::string& folder) { Folder() = folder; }

std::string CDIBitmap::GetResourceFolder()
{
    return Folder().empty() ? GetExecutableFolder() + "icons/" : Folder();
}

bool CDIBitmap::LoadResource(uint32_t id) { return LoadFile(GetResourceFolder() + std::to_string(id) + ".bmp"); }

bool CDIBitmap::LoadFile(const std::string& path)
{
    m_bitmap = wxBitmap();
    m_error.clear();
    if (!LoadDibFile(path, m_dib, &m_error))
        return false;
    wxImage image(m_dib.GetWidth(), m_dib.GetHeight(), false);
    std::memcpy(image.GetData(), m_dib.rgb.data(), m_dib.rgb.size());
    m_bitmap = wxBitmap(image);
    // The pixels now live in the bitmap; the header fields stay for the size and colour count.
    m_dib.rgb.clear();
    m_dib.rgb.shrink_to_fit();
    return m_bitmap.IsOk();
}

void CDIBitmap::DrawAt(wxDC& dc, const wxPoint& at)
{
    Draw(dc, wxRect(at, wxSize(GetWidth(), GetHeight())), wxRect(0, 0, GetWidth(), GetHeight()));
}

void CDIBitmap::DrawAt(wxDC& dc, const wxPoint& at, const wxRect& source)
{
    Draw(dc, wxRect(at, wxSize(GetWidth(), GetHeight())), source);
}

void CDIBitmap::DrawIn(wxDC& dc, const wxRect& destination)
{
    Draw(dc, destination, wxRect(0, 0, GetWidth(), GetHeight()));
}

int CDIBitmap::Draw(wxDC& dc, const wxRect& destination, const wxRect& source)
{
    if (!m_bitmap.IsOk())
        return 0;
    const wxRect part = source.Intersect(wxRect(0, 0, GetWidth(), GetHeight()));
    if (part.IsEmpty() || destination.IsEmpty())
        return 0;
    wxBitmap piece = part == wxRect(0, 0, GetWidth(), GetHeight()) ? m_bitmap : m_bitmap.GetSubBitmap(part);
    if (destination.GetSize() != source.GetSize()) {
        wxImage scaled = piece.ConvertToImage().Scale(destination.width, destination.height, wxIMAGE_QUALITY_NORMAL);
        piece = wxBitmap(scaled);
    }
    dc.DrawBitmap(piece, destination.GetPosition(), false);
    return piece.GetHeight();
}
