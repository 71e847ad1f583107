#include "cogo/PointBulkEdits.h"

#include "core/DataFileFormat.h"
#include "core/ProgramHelpers.h"
#include "core/Report.h"
#include "core/StatusProgress.h"
#include "model/DataFileDoc.h"
#include "model/DataFileSelOperator.h"
#include "model/DataFileUndoManager.h"
#include "model/HintCodes.h"
#include "model/PointDatabase.h"
#include "model/PointRecord.h"
#include "model/PointRenameEngine.h"
#include "model/Selection.h"
#include "platform/Profile.h"

#include <cmath>

namespace {

constexpr double Tolerance = 0.0001;

int32_t SelectedCount(CDataFileDoc* document)
{
    if (document == nullptr || document->GetSelOperator() == nullptr)
        return 0;
    return document->GetSelOperator()->GetCountUnfiltered();
}

// The selected points in name order.
std::vector<CPointRecord*> SelectedPoints(CDataFileDoc* document)
{
    std::vector<CPointRecord*> points;
    CSelection* selection = document->GetCurrentSelection();
    if (selection == nullptr)
        return points;
    CPointDatabase* index = document->GetPointDatabase();
    RedBlackNode* pos = index->GetFirstPosition();
    while (CPointRecord* point = index->GetNextPoint(pos))
        if (selection->IsSelected(point))
            points.push_back(point);
    return points;
}

// Records the step; true only when it was recorded, so that only that step is ever withdrawn.
bool RecordStep(CDataFileDoc* document, const std::string& caption)
{
    CDataFileUndoManager* undo = document->GetUndoManager();
    return undo != nullptr && undo->RecordCaptionedUndo(caption);
}

void CancelStep(CDataFileDoc* document, bool recorded)
{
    if (recorded)
        document->GetUndoManager()->CancelLastStep();
}

} // namespace

int32_t ApplyCommonElevation(CDataFileDoc* document, double elevation, bool missingOnly, CReport& report)
{
    if (document == nullptr || !HasValue(elevation))
        return -1;
    if (report.IsEmpty()) {
        report.AddHeaderLine("2D Points to 3D Report");
        report.AddColumn("", ReportHeadingLeft | ReportCellLeft);
        report.AddRow();
        report.SetCell(0, report.AddRow(), "The following point elevations have been changed:", false);
        report.NewSection();
        report.AddColumn("Point Name", ReportHeadingCentre | ReportCellLeft);
        report.AddColumn("Old Elevation", ReportHeadingCentre | ReportCellLeft);
        report.AddColumn("New Elevation", ReportHeadingCentre | ReportCellLeft);
    }
    const int32_t count = SelectedCount(document);
    if (count < 1)
        return -1;
    const bool recorded = RecordStep(document, "Modify " + std::to_string(count) + " 2d points");
    CStatusProgress progress;
    progress.Begin(std::to_string(count) + " Points\r\n");

    const CDataFileFormat& format = *document->GetDataFileFormat();
    const std::string newText = format.FormatElevation(elevation, false, false);
    const std::vector<CPointRecord*> points = SelectedPoints(document);
    document->ReserveForPoints(points.size());
    int32_t changed = 0;
    int64_t index = 0;
    for (CPointRecord* point : points) {
        progress.SetPercent(MulDiv(index++, 100, count));
        const double old = point->GetElevation();
        const int32_t row = report.AddRow();
        report.SetCell(0, row, point->GetName(), false);
        if (missingOnly && HasValue(old)) {
            report.SetCell(1, row, format.FormatElevation(old, false, false), false);
            report.SetCell(2, row, "Not Modified", false);
            continue;
        }
        report.SetCell(1, row, HasValue(old) ? format.FormatElevation(old, false, false) : "---", false);
        report.SetCell(2, row, newText, false);
        if (HasValue(old) && std::fabs(old - elevation) < Tolerance)
            continue;
        point->SetCoordinates(point->GetEasting(), point->GetNorthing(), elevation, true);
        document->AppendInputPointLine(*point);
        ++changed;
    }
    if (changed == 0) {
        CancelStep(document, recorded);
        return 0;
    }
    if (recorded)
        document->GetUndoManager()->SetStepDescription("Changed " + std::to_string(changed) + " point elevations");
    document->SendHint(nullptr, HintCoordinatesChanged, 0);
    return changed;
}

bool ApplyPointRenames(CDataFileDoc* document, const std::vector<CPointRecord*>& points, const PointRenameMap& map,
                       bool renameRawData, const std::vector<std::string>& reportOrder, CReport& report)
{
    // Every point must have its new name before the first copy is made.
    for (const CPointRecord* point : points)
        if (map.find(point->GetName()) == map.end())
            return false;
    for (const std::string& name : reportOrder)
        if (map.find(name) == map.end())
            return false;

    // One step per point in each pass and per report row, over the job's points besides.
    CStatusProgress progress;
    progress.Begin("Renaming Points");
    const int64_t total = 4 * int64_t(points.size()) + document->GetPointDatabase()->GetCount();
    int64_t done = 0;
    auto step = [&] { progress.SetPercent(MulDiv(++done, 100, total)); };

    std::vector<CPointRecord*> olds;
    std::vector<CPointRecord*> copies;
    PointRenameMap applied;
    for (CPointRecord* point : points) {
        step();
        const std::string& newName = map.at(point->GetName());
        if (newName == point->GetName())
            continue; // keeps its name: no copy, no deletion
        CPointRecord* copy = point->Duplicate(newName);
        if (copy == nullptr) {
            // Take back what was made; the old points are all still there.
            for (CPointRecord* made : copies)
                document->DeleteRecord(made, false);
            return false;
        }
        olds.push_back(point);
        copies.push_back(copy);
        applied[point->GetName()] = newName;
    }
    if (renameRawData && !applied.empty())
        document->RenamePointsInRawData(applied);

    document->ReserveForPoints(copies.size());
    for (size_t i = 0; i < olds.size(); ++i) {
        step();
        if (renameRawData) {
            document->DeleteRecord(olds[i], false);
        } else {
            document->DeleteRecord(olds[i], true);
            document->AppendInputPointLine(*copies[i]);
        }
    }
    if (CDataFileSelOperator* op = document->GetSelOperator())
        for (CPointRecord* copy : copies) {
            step();
            op->SelectObject(copy);
        }
    document->SendHint(nullptr, HintRefreshAll, 0);

    if (report.IsEmpty()) {
        report.AddHeaderLine("Rename Points Report");
        report.AddColumn("", ReportHeadingLeft | ReportCellLeft);
        report.AddRow();
        report.SetCell(0, report.AddRow(), "The following points have been renamed:", false);
        report.NewSection();
        report.AddColumn("Original Point Name", ReportHeadingCentre | ReportCellLeft);
        report.AddColumn("New Point Name", ReportHeadingCentre | ReportCellLeft);
    }
    for (const std::string& name : reportOrder) {
        step();
        const int32_t row = report.AddRow();
        report.SetCell(0, row, name, false);
        report.SetCell(1, row, map.at(name), false);
    }
    return true;
}

RenumberResult RenumberSelectedPoints(CDataFileDoc* document, bool renameRawData, CReport& report)
{
    const int32_t count = SelectedCount(document);
    if (count < 1)
        return RenumberResult::NothingSelected;
    const bool recorded = RecordStep(document, "Rename " + std::to_string(count) + " points");

    // The names come from this job's own selection, so the map covers exactly the points renamed.
    const std::vector<CPointRecord*> points = SelectedPoints(document);
    std::vector<std::string> names;
    names.reserve(points.size());
    for (const CPointRecord* point : points)
        names.emplace_back(point->GetName());
    CPointRenameEngine engine(document);
    engine.AddPointNames(names);
    if (!engine.ComputeRenames()) {
        CancelStep(document, recorded);
        return RenumberResult::RulesRefused;
    }
    PointRenameMap map;
    std::vector<std::string> order;
    engine.GetRenameMap(map);
    engine.GetSortedNames(order);
    if (!ApplyPointRenames(document, points, map, renameRawData, order, report)) {
        CancelStep(document, recorded);
        return RenumberResult::Refused;
    }
    return RenumberResult::Renamed;
}

bool DeleteSelectedObjects(CDataFileDoc* document, bool log)
{
    if (SelectedCount(document) < 1)
        return false;
    if (CDataFileUndoManager* undo = document->GetUndoManager())
        undo->RecordKindUndo(UndoDeleteObjects);
    return document->DeleteObjects(log);
}

bool ReadWriteDeleteRecords(CProfile& profile)
{
    return profile.GetProfileInt("General", "WriteDelRaw", 1) != 0;
}

void SaveWriteDeleteRecords(CProfile& profile, bool write)
{
    profile.WriteProfileInt("General", "WriteDelRaw", write ? 1 : 0);
}
