#pragma once

#include "framework/DibFile.h"

#include <wx/bitmap.h>
#include <wx/gdicmn.h>

#include <cstdint>
#include <string>

class wxDC;

// A picture of the program's resources: "<id>.bmp" in the resource folder beside the icons,
// drawn unscaled, or stretched into a rectangle.
class CDIBitmap
{
public:
    // The folder the pictures are read from (default: the icons folder beside the program).
    static void SetResourceFolder(const std::string& folder);
    static std::string GetResourceFolder();

    // False, leaving the object empty (0 x 0), when the picture is missing or damaged.
    bool LoadResource(uint32_t id);
    bool LoadFile(const std::string& path);
    const std::string& GetLoadError() const { return m_error; }

    uint32_t GetColourCount() const { return m_dib.GetColourCount(); }
    int GetWidth() const { return m_dib.GetWidth(); }
    int GetHeight() const { return m_dib.GetHeight(); }
    bool IsLoaded() const { return m_bitmap.IsOk(); }

    void DrawAt(wxDC& dc, const wxPoint& at);
    void DrawAt(wxDC& dc, const wxPoint& at, const wxRect& source);
    void DrawIn(wxDC& dc, const wxRect& destination);
    // Copies the source part into the destination, stretched when the sizes differ; the rows
    // drawn, 0 without a picture.
    int Draw(wxDC& dc, const wxRect& destination, const wxRect& source);

private:
    DibFile m_dib;
    wxBitmap m_bitmap;
    std::string m_error;
};
