#pragma once

#include "shell/CommandIds.h"

// The main frame's global commands, under the numbers the menus have always used.

// Edit.
inline constexpr int IdTranslateRotateScale = 7268;
inline constexpr int IdRenamePoints = 7295;
inline constexpr int IdAddEditPoints = 7159;
inline constexpr int IdEditMultiplePoints = 7178;
inline constexpr int Id2dPointsTo3dPoints = 7318;
// Cogo.
inline constexpr int IdInverse = 7151;
inline constexpr int IdPointInDirection = 7152;
inline constexpr int IdIntersection = 7496;
// Job.
inline constexpr int IdCoordinateReport = 7389;
inline constexpr int IdCutSheetReport = 7384;
// Toolbar only.
inline constexpr int IdLegend = 7283;
// View.
inline constexpr int IdIdentifyObjects = 7284;
inline constexpr int IdShortcuts = 7293;
// Tools.
inline constexpr int IdScientificCalculator = 7366;
inline constexpr int IdKVLEdit = 7441;
inline constexpr int IdCreateJobFromBackup = 7497;
inline constexpr int IdCreateJobFromVectrinFile = 7498;
// Help > KVL on the Web.
inline constexpr int IdWebHomePage = 7289;
inline constexpr int IdWebTechnicalSupport = 7290;
inline constexpr int IdEmailTechnicalSupport = 7291;

// Templates of the transfer panels the Transfer commands push.
inline constexpr unsigned SendJobPanelTemplate = 5631;
inline constexpr unsigned GetJobPanelTemplate = 749;
