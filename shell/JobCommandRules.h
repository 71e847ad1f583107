#pragma once

#include "platform/Profile.h"

#include <cstdint>
#include <string>

// The menu text of Undo or Redo: "&Undo" alone, or followed by a blank and the step's description;
// the accelerator stays after the tab so the key keeps working.
struct UndoMenuText
{
    std::string text;
    bool enabled = false;
};
UndoMenuText MakeUndoMenuText(bool redo, bool possible, const std::string& description);

// Page margins. The settings keep them in twips; the page setup works in thousandths of an inch,
// always on a multiple of ten (a remainder of 5 or more, either sign, goes away from zero).
int32_t RoundMarginToTen(int32_t thousandths);
int32_t MarginTwipsToThousandths(int32_t twips);
int32_t MarginThousandthsToTwips(int32_t thousandths);
// All four sides (left, top, right, bottom) of the settings' margins in thousandths, and back.
ProfileRect GetPrintMargins(const ProfileRect& twips);
ProfileRect PrintMarginsToTwips(const ProfileRect& thousandths);

// The page setup dialog takes whole millimetres. A side whose millimetres the person left alone
// keeps its thousandths, so opening and confirming the dialog never drifts the margins.
int32_t ThousandthsToMillimetres(int32_t thousandths);
int32_t MarginFromDialog(int32_t oldThousandths, int32_t shownMillimetres, int32_t chosenMillimetres);

// "Recent changes to %s" with the job's file title.
std::string MakeLastModifiedTitle(const std::string& jobPath);
