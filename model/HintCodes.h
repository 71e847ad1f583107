#pragma once

#include <cstdint>

// The change-hint codes. Senders, receivers and the hint table name them from here only, so the
// number a window reacts to is the number the job sends. Codes whose meaning belongs to a
// subsystem not yet built keep a plain name until their sender arrives.
inline constexpr int32_t HintCancel = 0;             // an interaction in a view is cancelled
inline constexpr int32_t HintFlush = 1;              // deliver the queued hints now (not in the table)
inline constexpr int32_t HintJobSettingsChanged = 2;
inline constexpr int32_t HintRefreshAll = 3;         // delivered at most once per burst
inline constexpr int32_t HintEscape = 4;             // Escape pressed in a dialog or view
inline constexpr int32_t HintUndoBegin = 5;          // an undo or redo step is about to be restored
inline constexpr int32_t HintUndoDone = 6;
inline constexpr int32_t HintFontsChanged = 7;
inline constexpr int32_t HintCode8 = 8;
inline constexpr int32_t HintCode9 = 9;
inline constexpr int32_t HintFormatSettingsChanged = 10; // number formats, labels, coordinate order
inline constexpr int32_t HintJobSettingsConfirmed = 11;
inline constexpr int32_t HintCode12 = 12;
inline constexpr int32_t HintViewTool = 13;
inline constexpr int32_t HintCode14 = 14;
inline constexpr int32_t HintCode15 = 15;
inline constexpr int32_t HintViewKindChanged = 16;
inline constexpr int32_t HintViewActivated = 17;
inline constexpr int32_t HintViewClosed = 18;
inline constexpr int32_t HintPointsAddedInBulk = 19;
inline constexpr int32_t HintPanelShown = 20;
inline constexpr int32_t HintClosing = 21;
inline constexpr int32_t HintCode22 = 22;
inline constexpr int32_t HintActiveControl = 23;
inline constexpr int32_t HintInteractiveField = 24;
inline constexpr int32_t HintModifiedState = 25;
inline constexpr int32_t HintSaved = 26;
inline constexpr int32_t HintCode27 = 27;
inline constexpr int32_t HintCode28 = 28;
inline constexpr int32_t HintNavigatorChosen = 29;
inline constexpr int32_t HintUpdateFileItems = 30;
inline constexpr int32_t HintCode31 = 31;
inline constexpr int32_t HintNewBegin = 32;          // a new or opened job, begin
inline constexpr int32_t HintNewEnd = 33;            // and end
inline constexpr int32_t HintUnloading = 34;
inline constexpr int32_t HintCode35 = 35;
inline constexpr int32_t HintCode36 = 36;
inline constexpr int32_t HintCoordinatesChanged = 37;
inline constexpr int32_t HintCode38 = 38;
inline constexpr int32_t HintPointAdded = 39;
inline constexpr int32_t HintPointDeleted = 40;
inline constexpr int32_t HintRawLineAppended = 41;
inline constexpr int32_t HintRawLinesChanged = 42;
inline constexpr int32_t HintSelectionChanged = 43;
inline constexpr int32_t HintRawDataReadBegin = 44;
inline constexpr int32_t HintRawDataReadEnd = 45;
inline constexpr int32_t HintReloaded = 46;
inline constexpr int32_t HintFileState = 47;         // the job's file name or file state
inline constexpr int32_t HintFilesChangedOutside = 48;
