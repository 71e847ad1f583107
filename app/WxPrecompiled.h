#pragma once

// The wx headers nearly every window file includes, compiled once for the window code and its tests.
#include <wx/wx.h>
#include <wx/aui/aui.h>
#include <wx/notebook.h>
#include <wx/listctrl.h>
#include <wx/checklst.h>
