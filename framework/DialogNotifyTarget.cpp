#include "framework/DialogNotifyTarget.h"

#include "model/DataFileDoc.h"
#include "model/DataFileSelOperator.h"
#include "model/HintCodes.h"
#include "model/MorvelSettings.h"
#include "platform/ShellHooks.h"

#include <algorithm>

namespace {
void (*g_redrawMapSelection)(bool) = nullptr;

void RedrawMapSelection(bool selectedOnly)
{
    if (g_redrawMapSelection)
        g_redrawMapSelection(selectedOnly);
}
} // namespace

void SetMapSelectionRedraw(void (*redraw)(bool selectedOnly)) { g_redrawMapSelection = redraw; }

namespace {
uint64_t NextSelectionHolder()
{
    static uint64_t next = 0;
    return ++next;
}
} // namespace

CDialogNotifyTarget::CDialogNotifyTarget() : m_holder(NextSelectionHolder()) {}

CDialogNotifyTarget::~CDialogNotifyTarget()
{
    if (CDataFileSelOperator* op = GetActiveSelectionOperator())
        op->ForgetHolder(m_holder);
}

void CDialogNotifyTarget::OnNotify(void* sender, int32_t code, intptr_t parameter)
{
    switch (code) {
    case HintFormatSettingsChanged:
        ArrangeCoordinateFields();
        break;
    case HintViewKindChanged:
        ReadActiveViewKind();
        break;
    case HintClosing:
        for (CSelectionChipBase* chip : m_chips)
            if (chip->HasPickedObject())
                chip->ForgetPickedObject();
        break;
    default:
        break;
    }
}

void CDialogNotifyTarget::ArrangeCoordinateFields()
{
    const bool preference = GetMorvelSettings().GetCoordOrder();
    if (preference == m_coordOrder)
        return;
    m_coordOrder = preference;
    SwapCoordinateFields(preference);
}

void CDialogNotifyTarget::ReadActiveViewKind()
{
    int32_t kind = ViewKindNone;
    GetActiveViewAndKind(&kind);
    m_activeViewKind = kind;
}

int32_t CDialogNotifyTarget::RegisterChip(CSelectionChipBase* chip)
{
    if (!chip || std::find(m_chips.begin(), m_chips.end(), chip) != m_chips.end())
        return 0;
    m_chips.push_back(chip);
    return 1;
}

int32_t CDialogNotifyTarget::UnregisterChip(CSelectionChipBase* chip)
{
    auto it = std::find(m_chips.begin(), m_chips.end(), chip);
    if (it == m_chips.end())
        return 0;
    m_chips.erase(it);
    return 1;
}

CSelectionFilterPtr CDialogNotifyTarget::GetSelectionFilter()
{
    CSelectionFilterPtr result;
    for (CSelectionChipBase* chip : m_chips) {
        if (chip->HasPickedObject())
            continue;
        CSelectionFilterPtr filter = chip->GetChipFilter();
        if (filter.IsNull())
            continue;
        if (result.IsNull())
            result = filter;
        else
            result->Or(filter.Get());
    }
    if (result.IsNull())
        result = CSelectionFilterPtr(new CSelectionNullFilter);
    return result;
}

bool CDialogNotifyTarget::HasActiveFilter() const
{
    for (CSelectionChipBase* chip : m_chips)
        if (!chip->HasPickedObject() && !chip->GetChipFilter().IsNull())
            return true;
    return false;
}

void CDialogNotifyTarget::OnDeactivateInBar()
{
    CDataFileSelOperator* op = GetActiveSelectionOperator();
    if (op == nullptr)
        return;
    op->Reset();
    // A dialog without chips has no selection of its own: the map's stays.
    if (!HasActiveFilter())
        return;
    if (op->ReleaseFiltered(m_holder, GetSelectionFilter()))
        RedrawMapSelection(true);
}

void CDialogNotifyTarget::ApplyChipSelection(bool sendHint)
{
    CDataFileSelOperator* op = GetActiveSelectionOperator();
    CDataFileDoc* job = CDataFileDoc::GetActiveDoc();
    if (op == nullptr || job == nullptr)
        return;
    op->Reset();
    bool redraw = HasActiveFilter() && op->TakeFilterAsBase(m_holder, GetSelectionFilter());
    for (CSelectionChipBase* chip : m_chips)
        if (chip->HasPickedObject())
            if (CRecord* object = chip->GetPickedObject())
                op->SelectObject(object);
    if (sendHint) {
        job->SendHint(nullptr, HintSelectionChanged, 0);
        redraw = true;
    }
    if (redraw)
        RedrawMapSelection(true);
}

namespace {
// The chips' filter, when there is one and a job to use it on.
template <typename Operation>
bool WithChipFilter(CDialogNotifyTarget& dialog, Operation operation)
{
    CDataFileSelOperator* op = GetActiveSelectionOperator();
    if (op == nullptr || !dialog.HasActiveFilter())
        return false;
    const CSelectionFilterPtr filter = dialog.GetSelectionFilter();
    if (filter.IsNull())
        return false;
    operation(*op, filter);
    return true;
}
} // namespace

bool CDialogNotifyTarget::SelectFiltered()
{
    return WithChipFilter(*this, [](CDataFileSelOperator& op, const CSelectionFilterPtr& f) { op.SelectAll(f); });
}

bool CDialogNotifyTarget::DeselectFiltered()
{
    return WithChipFilter(*this,
                          [](CDataFileSelOperator& op, const CSelectionFilterPtr& f) { op.ClearSelection(f); });
}

bool CDialogNotifyTarget::ToggleFiltered()
{
    return WithChipFilter(*this,
                          [](CDataFileSelOperator& op, const CSelectionFilterPtr& f) { op.InvertSelection(f); });
}
