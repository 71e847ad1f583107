#pragma once

#include <wx/event.h>

// Private messages the main frame relays. The int carries wParam; the answer comes back in the
// extra long.
// 0x807D: on to the side bar, which answers 0.
wxDECLARE_EVENT(EVT_RELAY_807D, wxCommandEvent);
// 0x80BD: on to the side bar's shown panel.
wxDECLARE_EVENT(EVT_RELAY_80BD, wxCommandEvent);
// 0x1BED: Zoom Extents on the job view; answers 1.
wxDECLARE_EVENT(EVT_ZOOM_EXTENTS_1BED, wxCommandEvent);
