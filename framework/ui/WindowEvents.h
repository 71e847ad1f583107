#pragma once

#include <wx/event.h>

// The program's private window messages as wx events. Each keeps its message number in its name;
// "send" is ProcessWindowEvent, "post" is QueueEvent. The int of a wxCommandEvent carries wParam.

// 0x80D4 to a job view: regenerate the coordinates from the raw data; the int holds the options
// (bit 0 ignore store-point records, bit 1 ignore deleted records, bit 2 set by the sender, bit 15
// the options came from the options dialog).
wxDECLARE_EVENT(EVT_REGENERATE_COORDINATES_80D4, wxCommandEvent);

// 0x80BA to a job view: show the Raw Data tab and give the raw data list the focus. The raw data
// panels send it when they are shown.
wxDECLARE_EVENT(EVT_SHOW_RAW_DATA_TAB_80BA, wxCommandEvent);

// 0x80BC to a job view: a popup went away without an object to unhighlight; the raw data list
// drops its highlighted row. The answer (1 when it was the active list) comes back in the int.
wxDECLARE_EVENT(EVT_CLEAR_RAW_HOT_ROW_80BC, wxCommandEvent);

// 0x80D7 to the main frame: deliver the change hints the active job holds back.
wxDECLARE_EVENT(EVT_DELIVER_HINTS_80D7, wxCommandEvent);

// 0x807B posted to the main frame by the side bar: have the home panel refresh the file items of
// every job.
wxDECLARE_EVENT(EVT_DIALOG_BAR_REQUEST_807B, wxCommandEvent);

// 0x80F2 posted to the main frame by the project navigator: show the job again (the int holds
// lParam: bit 0 the raw data tab, bit 1 regenerate from the raw data first; the extra long
// wParam, the file index). The answer comes back in the extra long.
wxDECLARE_EVENT(EVT_REGENERATE_JOB_80F2, wxCommandEvent);
