#include "views/ScratchGeometry.h"

#include "core/ModifiedFlagGuard.h"
#include "framework/DialogNotifyTarget.h"
#include "model/DataFileDoc.h"
#include "model/MorvelSettings.h"
#include "model/PointDatabase.h"
#include "model/PointRecord.h"
#include "views/PreviewMapCore.h"

namespace {

std::function<CPreviewMapCore*()>& Hook()
{
    static std::function<CPreviewMapCore*()> hook;
    return hook;
}

// The active job and its map, or null for either.
CPreviewMapCore* ActiveMap(CDataFileDoc*& doc)
{
    doc = CDataFileDoc::GetActiveDoc();
    CPreviewMapCore* map = GetActivePreviewMap();
    return doc ? map : nullptr;
}

bool FindLocation(CDataFileDoc* doc, const std::string& name, CLocation& at)
{
    CPointDatabase* points = doc ? doc->GetPointDatabase() : nullptr;
    CPointRecord* point = points ? points->FindPoint(name, true) : nullptr;
    if (!point)
        return false;
    at = point->GetLocation();
    return true;
}

void Redraw(CPreviewMapCore* map, int32_t mode, CRecord* record, int32_t flag)
{
    map->DrawWithState(CDrawState(map->GetViewKind(), mode, record, 0, 0, flag));
}

} // namespace

void SetActivePreviewMapHook(std::function<CPreviewMapCore*()> hook)
{
    // The dialogs' selection changes redraw this map.
    SetMapSelectionRedraw(hook ? &RedrawActiveMapSelection : nullptr);
    Hook() = std::move(hook);
}

CPreviewMapCore* GetActivePreviewMap()
{
    return Hook() ? Hook()() : nullptr;
}

void AddScratchLine(const CLocation& from, const CLocation& to)
{
    CDataFileDoc* doc;
    CPreviewMapCore* map = ActiveMap(doc);
    if (!map || !GetMorvelSettings().GetShowScratchLines() || from.IsSamePosition(to))
        return;
    CModifiedFlagGuard guard(doc);
    map->AddScratchLine(from, to);
    map->Refresh();
}

void AddScratchLineBetweenPoints(const std::string& from, const std::string& to)
{
    CDataFileDoc* doc;
    if (!ActiveMap(doc) || !GetMorvelSettings().GetShowScratchLines())
        return;
    CLocation a, b;
    if (FindLocation(doc, from, a) && FindLocation(doc, to, b))
        AddScratchLine(a, b);
}

void AddScratchCircle(const CLocation& centre, double radius)
{
    CDataFileDoc* doc;
    CPreviewMapCore* map = ActiveMap(doc);
    if (!map || !GetMorvelSettings().GetShowScratchLines())
        return;
    CModifiedFlagGuard guard(doc);
    map->AddScratchCircle(centre, radius);
    map->Refresh();
}

void AddScratchCircleAtPoint(const std::string& centre, double radius)
{
    CDataFileDoc* doc;
    if (!ActiveMap(doc) || !GetMorvelSettings().GetShowScratchLines())
        return;
    CLocation c;
    if (FindLocation(doc, centre, c))
        AddScratchCircle(c, radius);
}

void AddConstructionLine(const CLocation& from, const CLocation& to)
{
    CDataFileDoc* doc;
    CPreviewMapCore* map = ActiveMap(doc);
    if (!map || !GetMorvelSettings().GetShowConstructionLines() || from.IsSamePosition(to))
        return;
    CModifiedFlagGuard guard(doc);
    map->AddConstructionLine(from, to);
    map->Refresh();
}

void AddConstructionLineFromPoint(const std::string& from, const std::string& to)
{
    CDataFileDoc* doc;
    if (!ActiveMap(doc) || !GetMorvelSettings().GetShowConstructionLines())
        return;
    CLocation a, b;
    if (FindLocation(doc, from, a) && FindLocation(doc, to, b))
        AddConstructionLine(a, b);
}

void EraseScratchLines()
{
    CDataFileDoc* doc;
    CPreviewMapCore* map = ActiveMap(doc);
    if (!map)
        return;
    CModifiedFlagGuard guard(doc);
    const bool previews = map->ClearPreviews();
    if (!map->ClearScratchGeometry() && previews)
        map->Refresh();
}

void EraseObjectOnActiveMap(CRecord* object, int extra)
{
    CDataFileDoc* doc;
    if (CPreviewMapCore* map = ActiveMap(doc))
        Redraw(map, DrawModeOneRecord, object, DrawColourErase);
}

void RedrawActiveMapSelection(bool selectedOnly)
{
    CDataFileDoc* doc;
    if (CPreviewMapCore* map = ActiveMap(doc))
        Redraw(map, selectedOnly ? DrawModeResyncHighlight : DrawModeSelected, nullptr, DrawColourNormal);
}

void RedrawActiveMapAfterEdit(bool selectedOnly)
{
    CDataFileDoc* doc;
    if (CPreviewMapCore* map = ActiveMap(doc))
        Redraw(map, selectedOnly ? DrawModeResyncHighlight : DrawModeSelected, nullptr, DrawColourErase);
}

void AddScratchLines(const std::vector<std::pair<CLocation, CLocation>>& lines)
{
    CDataFileDoc* doc;
    CPreviewMapCore* map = ActiveMap(doc);
    if (!map || !GetMorvelSettings().GetShowScratchLines() || lines.empty())
        return;
    CModifiedFlagGuard guard(doc);
    for (const auto& [from, to] : lines)
        if (!from.IsSamePosition(to))
            map->AddScratchLine(from, to);
    map->Refresh();
}
