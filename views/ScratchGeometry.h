#pragma once

#include "core/Location.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

class CPreviewMapCore;
class CRecord;

// The map pane of the active job view; the job view installs the lookup. Without it (or without
// an active job) the operations below do nothing.
void SetActivePreviewMapHook(std::function<CPreviewMapCore*()> hook);
CPreviewMapCore* GetActivePreviewMap();

// Scratch and construction geometry on the active job view's map, under the "Display" switches.
// None of them marks the job modified.
void AddScratchLine(const CLocation& from, const CLocation& to);
void AddScratchLineBetweenPoints(const std::string& from, const std::string& to);
// Many lines with one redraw, for lists of thousands.
void AddScratchLines(const std::vector<std::pair<CLocation, CLocation>>& lines);
void AddScratchCircle(const CLocation& centre, double radius);
void AddScratchCircleAtPoint(const std::string& centre, double radius);
void AddConstructionLine(const CLocation& from, const CLocation& to);
void AddConstructionLineFromPoint(const std::string& from, const std::string& to);
// Empties every preview list of the map and redraws it (Ctrl+E).
void EraseScratchLines();

// Immediate redraws on the active job view's map.
void EraseObjectOnActiveMap(CRecord* object, int extra);
void RedrawActiveMapSelection(bool selectedOnly);
void RedrawActiveMapAfterEdit(bool selectedOnly);
