#pragma once

#include <wx/string.h>

#include <utility>

class CGeneralSelectionChip;
class wxButton;
class wxSizer;
class wxWindow;

// The parts every export panel shares, so the three read and line up alike.

// The panel's line of purpose and the chip that chooses the points to export, each led by its
// picture (2420 before the purpose; 6923 before the chip when the panel has that one too).
inline constexpr int ExportPurposePictureId = 2420;
inline constexpr int ExportChipPictureId = 6923;
CGeneralSelectionChip* AddExportHeading(wxWindow* panel, wxSizer* sizer, const wxString& purpose, int chipId,
                                        bool chipPicture = false);

// The bottom row: the export button and Close, returned for the panel to bind.
std::pair<wxButton*, wxButton*> AddExportButtons(wxWindow* panel, wxSizer* sizer, int exportId, const wxString& label);
