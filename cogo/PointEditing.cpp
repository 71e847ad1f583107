#include "cogo/PointEditing.h"

#include "model/DataFileDoc.h"
#include "model/DataFileSelOperator.h"
#include "model/DataFileUndoManager.h"
#include "model/HintCodes.h"
#include "model/PointDatabase.h"
#include "model/PointRecord.h"
#include "model/Selection.h"

#include <cmath>
#include <cstring>
#include <memory>

namespace {

constexpr double Tolerance = 0.0001;

// Two missing values count as equal, a missing and a present one never.
bool SameValue(double a, double b)
{
    if (!HasValue(a) || !HasValue(b))
        return HasValue(a) == HasValue(b);
    return std::fabs(a - b) < Tolerance;
}

} // namespace

bool ApplyLocationToRecord(CPointRecord* record, const CPointLocationInput& input, bool edit,
                           bool* locationChanged)
{
    bool moved = false;
    bool changed = false;
    if (record != nullptr && (!edit || input.changeLocation)) {
        if (input.elevationOnly) {
            if (HasValue(input.elevation)) {
                if (!SameValue(input.elevation, record->GetElevation())) {
                    record->SetCoordinates(record->GetEasting(), record->GetNorthing(), input.elevation, true);
                    changed = moved = true;
                }
            } else if (HasValue(record->GetElevation())) {
                // An empty common elevation makes the points 2D; nothing is logged for it.
                record->SetCoordinates(record->GetEasting(), record->GetNorthing(), NoValue, true);
                changed = true;
            }
        } else if (!SameValue(input.easting, record->GetEasting()) ||
                   !SameValue(input.northing, record->GetNorthing()) ||
                   !SameValue(input.elevation, record->GetElevation())) {
            record->SetCoordinates(input.easting, input.northing, input.elevation, true);
            changed = moved = true;
        }
    }
    if (record != nullptr && (input.changeDescription || !edit) &&
        input.description != record->GetDescription()) {
        record->SetDescription(input.description.c_str());
        changed = true;
    }
    if (locationChanged != nullptr)
        *locationChanged = moved;
    return changed;
}

KeyedPointResult StoreKeyedPoint(CDataFileDoc* document, const std::string& name, const CPointLocationInput& input)
{
    if (document == nullptr || name.empty())
        return KeyedPointResult::Nothing;
    CDataFileUndoManager* undo = document->GetUndoManager();
    CPointRecord* existing = document->GetPointDatabase()->FindPoint(name, true);
    bool moved = false;

    if (existing == nullptr) {
        auto record = std::make_unique<CPointRecord>(name.c_str(), "", CLocation(NoValue, NoValue, NoValue), true);
        if (!ApplyLocationToRecord(record.get(), input, false, &moved))
            return KeyedPointResult::Nothing; // all empty: nothing to store, silently
        // Only a step this call recorded may be withdrawn, never an earlier one.
        const bool recorded = undo != nullptr && undo->RecordKindUndo(UndoAddPoint);
        if (!document->AddRecord(record.get())) {
            if (recorded)
                undo->CancelLastStep();
            return KeyedPointResult::Nothing;
        }
        CPointRecord* added = record.release();
        if (undo != nullptr)
            undo->RecordObjectUndo(UndoAddPoint, added);
        document->AppendInputPointLine(*added);
        document->SendHint(nullptr, HintPointAdded, 0);
        return KeyedPointResult::Added;
    }

    if (undo != nullptr)
        undo->RecordObjectUndo(UndoModifyPoint, existing);
    if (!ApplyLocationToRecord(existing, input, true, &moved))
        return KeyedPointResult::Nothing;
    document->RecordModified(existing);
    if (moved)
        document->AppendInputPointLine(*existing);
    document->SendHint(nullptr, HintCoordinatesChanged, 0);
    return KeyedPointResult::Modified;
}

int32_t EditSelectedPoints(CDataFileDoc* document, CPointLocationInput input)
{
    if (document == nullptr || document->GetSelOperator() == nullptr)
        return 0;
    const int32_t count = document->GetSelOperator()->GetCountUnfiltered();
    CSelection* selection = document->GetCurrentSelection();
    if (count < 1 || selection == nullptr)
        return 0;
    if (count > 1)
        input.elevationOnly = true;
    if (CDataFileUndoManager* undo = document->GetUndoManager())
        undo->RecordCaptionedUndo("Modify " + std::to_string(count) + " points");

    int32_t changed = 0;
    CPointDatabase* points = document->GetPointDatabase();
    RedBlackNode* pos = points->GetFirstPosition();
    while (CPointRecord* point = points->GetNextPoint(pos)) {
        if (!selection->IsSelected(point))
            continue;
        bool moved = false;
        if (!ApplyLocationToRecord(point, input, true, &moved))
            continue;
        ++changed;
        document->RecordModified(point);
        if (moved)
            document->AppendInputPointLine(*point);
    }
    document->SendHint(nullptr, HintCoordinatesChanged, 0);
    return changed;
}
