#include "framework/ui/MemoryDC.h"

#include <wx/app.h>
#include <wx/utils.h>
#include <wx/window.h>

CMemoryDC::~CMemoryDC() { Release(); }

namespace {
// A window being destroyed, or a top-level window waiting to be.
bool IsDead(wxWindow* window)
{
    return !window || window->IsBeingDeleted() || (wxTheApp && wxTheApp->IsScheduledForDestruction(window));
}
} // namespace

bool CMemoryDC::CreateForWindow(wxWindow* window)
{
    if (IsDead(window))
        return false;
    const wxSize size = window->GetClientSize();
    return CreateForWindowSize(window, size.x, size.y);
}

bool CMemoryDC::CreateForWindowSize(wxWindow* window, int width, int height)
{
    if (IsDead(window))
        return false;
    return CreateOfSize(width, height);
}

bool CMemoryDC::CreateOfSize(int width, int height)
{
    Release();
    if (width <= 0 || height <= 0)
        return false;
    wxBitmap bitmap;
    if (!bitmap.Create(width, height, 24))
        return false;
    SelectObject(bitmap);
    if (!IsOk())
        return false;
    m_bitmap = bitmap;
    return true;
}

void CMemoryDC::Release()
{
    if (!m_bitmap.IsOk())
        return;
    // Frees whatever brush, font and pen a caller left selected along with the bitmap.
    SetBrush(wxNullBrush);
    SetPen(wxNullPen);
    SetFont(wxNullFont);
    SelectObject(wxNullBitmap);
    m_bitmap = wxBitmap();
}

wxImage CMemoryDC::GetImage()
{
    if (!m_bitmap.IsOk())
        return wxImage();
    SelectObject(wxNullBitmap);
    wxImage image = m_bitmap.ConvertToImage();
    SelectObject(m_bitmap);
    return image;
}
