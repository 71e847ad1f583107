#pragma once

#include <wx/bitmap.h>
#include <wx/dcmemory.h>
#include <wx/image.h>

class wxWindow;

// An off-screen drawing surface: a memory DC with a bitmap of its own selected into it, made to
// match a window (or a size), drawn into and then copied to the screen.
class CMemoryDC : public wxMemoryDC
{
public:
    CMemoryDC() = default;
    ~CMemoryDC() override;
    CMemoryDC(const CMemoryDC&) = delete;
    CMemoryDC& operator=(const CMemoryDC&) = delete;

    // The window's client size; false for a null window or one being destroyed.
    bool CreateForWindow(wxWindow* window);
    // A bitmap of the size for the window; a surface made before is released first.
    bool CreateForWindowSize(wxWindow* window, int width, int height);
    // The same without a window (layers drawn for printing or tests).
    bool CreateOfSize(int width, int height);
    // Gives the bitmap up; the surface is empty afterwards.
    void Release();

    bool HasSurface() const { return m_bitmap.IsOk(); }
    const wxBitmap& GetOffscreenBitmap() const { return m_bitmap; }
    // What the bitmap holds now (the bitmap is let go for the copy and taken back).
    wxImage GetImage();

private:
    wxBitmap m_bitmap;
};
