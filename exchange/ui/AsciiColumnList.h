#pragma once

#include "exchange/AsciiColumnLayout.h"

class CEasyCheckListBox;

// The column list of the ASCII import dialog and export panel: one row per layout item, its type
// code as the row's data, so a dragged row keeps its meaning.
void FillAsciiColumnList(CEasyCheckListBox& list, const CAsciiColumnLayout& layout);
CAsciiColumnLayout ReadAsciiColumnList(const CEasyCheckListBox& list);
