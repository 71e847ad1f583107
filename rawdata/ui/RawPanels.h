#pragma once

#include <cstdint>

class CDataFileDoc;
class CDataFileView;
class CIcons;
class CRawDataFile;
class CStackableDialog;
class wxString;
class wxWindow;

// Template numbers the side bar knows the raw data panels by.
inline constexpr uint32_t EditRawDataTemplate = 6966;
inline constexpr uint32_t FindRawDataTemplate = 1723;
inline constexpr uint32_t RawDataReportTemplate = 7000;
inline constexpr uint32_t ReduceRawDataTemplate = 6997;

// What the raw data panels ask of the program around them.
namespace raw_panels {
// The job view while it is the active view; null otherwise.
CDataFileView* ActiveJobView();
CDataFileDoc* ActiveJob();
CRawDataFile* ActiveRawData();
CIcons* Icons();
// Brings the Raw Data tab of the active job view forward (0x80BA).
void ShowRawDataTab();
// Pushes the panel onto the side bar (it is deleted there when a stacked one takes it over).
void Push(CStackableDialog* panel);
// The first selected line of the raw list, -1 when none.
int32_t FirstSelectedLine();
// Makes the line the only selected row and scrolls it into view.
bool SelectLine(int32_t line);

// "Edit Raw Data..." of the Find and Reduction panels: the first selected line, line 0 when none
// is selected or it lies beyond the lines; nothing without raw lines.
void EditSelectedLine();
// The Edit panel on the line, when the job has it.
void EditLine(int32_t line);
void OpenFind();
void OpenReduce();
void OpenReport();

// The text broken into lines at blanks so that none is wider than the width in the window's
// font; check boxes take such a label where the side bar is too narrow for one line.
wxString WrapToWidth(wxWindow* window, const char* text, int width);
} // namespace raw_panels
