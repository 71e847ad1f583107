#include "views/UniversalControlSteps.h"

#include "model/SelectionDescription.h"
#include "model/SelectionOperator.h"
#include "model/SelectionScope.h"

namespace {
bool Accepts(const CSelectionFilterPtr& filter, CRecord* object)
{
    return object != nullptr && (filter.IsNull() || filter->Accept(object));
}

// Every hit the filter takes joins (or with remove leaves) the current selection.
bool TakeAllHits(CSelectionOperator* op, const std::vector<RecordRef>& hits, const CSelectionFilterPtr& filter,
                 bool remove, CUniversalPickCalls& calls)
{
    bool taken = false;
    for (const RecordRef& hit : hits) {
        if (!Accepts(filter, hit.record))
            continue;
        if (remove)
            op->Deselect(hit.record);
        else
            op->Select(hit.record);
        taken = true;
    }
    if (taken)
        calls.SelectionChanged();
    return taken;
}
} // namespace

bool UniversalControlToolEvent(CSelectionDescription& description, CSelectionOperator* op,
                               const UniversalPickInput& in, CUniversalPickCalls& calls)
{
    if (description.GetPossibleKinds() == 0)
        return true;
    if (in.code == 2 || op == nullptr)
        return false;

    CSelectionFilterPtr filter(description.CreateFilter());
    const bool pick = in.code == 8 || description.IsSingle() || in.right == in.left || in.bottom == in.top;
    if (!pick) {
        const int32_t before = op->CountSelected(filter, CSelectionOperator::CurrentBit);
        if (in.alt) {
            // Only what lies inside leaves: the rest of the selection is put back around it.
            CSelectionScope scope(op);
            scope.Begin(true);
            op->SelectInRectangle(in.left, in.top, in.right, in.bottom, filter, false, false);
            scope.End(CSelectionScope::Subtract, nullptr);
        } else {
            op->SelectInRectangle(in.left, in.top, in.right, in.bottom, filter, false, false);
        }
        const int32_t after = op->CountSelected(filter, CSelectionOperator::CurrentBit);
        if (before == after)
            return false;
        calls.SelectionChanged();
        return true;
    }

    CPickQuery query;
    query.reserved = 2;
    query.location = CLocation(in.x, in.y, NoValue);
    query.tolerance = CLocation(in.x2, in.y2, NoValue);
    CRecord* candidate = nullptr;
    std::vector<RecordRef> hits;
    if (in.code == 8) {
        CPickQuery hit;
        if (!calls.QueryCurrentHit(hit) || hit.hits.empty())
            return false;
        if (!description.IsSingle() && hit.hits.size() > 1)
            return TakeAllHits(op, hit.hits, filter, in.alt, calls);
        if (Accepts(filter, hit.hits.front().record))
            candidate = hit.hits.front().record;
        hits = std::move(hit.hits);
    } else {
        if (!calls.QueryObjectsAt(query) || query.hits.empty())
            return false;
        // Points are preferred; the map lists its hits nearest first, so the first that passes
        // is the point the person clicked.
        CSelectionFilterPtr points(op->CreateKindFilter(SelectionKindPoint));
        if (!filter.IsNull())
            points->And(filter.Get());
        for (const RecordRef& hit : query.hits) {
            if (Accepts(points, hit.record)) {
                candidate = hit.record;
                break;
            }
        }
        hits = std::move(query.hits);
    }

    bool handled = false;
    bool changed = false;
    if (!description.IsSingle()) {
        if (candidate != nullptr) {
            description.SetSelectionObject(candidate, 0);
            op->ToggleObject(candidate);
            handled = changed = true;
        } else if (in.code != 8 && !filter.IsNull() && (filter->GetPossibleKinds() & ~SelectionKindPoint) != 0) {
            for (const RecordRef& hit : hits) {
                if (Accepts(filter, hit.record)) {
                    op->ToggleObject(hit.record);
                    handled = changed = true;
                }
            }
        }
    } else if (candidate != nullptr) {
        op->ClearSelection(filter);
        description.SetSelectionObject(candidate, 0);
        if (description.IsLinked() && !op->IsSelected(candidate)) {
            op->ToggleObject(candidate);
            changed = true;
        }
        handled = true;
    }
    if (!handled)
        calls.ShowInvalidSelection();
    if (changed)
        calls.SelectionChanged();
    return handled;
}
