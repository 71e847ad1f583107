#include "framework/ui/WindowEvents.h"

wxDEFINE_EVENT(EVT_DIALOG_BAR_REQUEST_807B, wxCommandEvent);
wxDEFINE_EVENT(EVT_REGENERATE_COORDINATES_80D4, wxCommandEvent);
wxDEFINE_EVENT(EVT_DELIVER_HINTS_80D7, wxCommandEvent);
