#include "framework/DialogNotifyTarget.h"

#include "model/HintCodes.h"
#include "model/MorvelSettings.h"
#include "platform/ShellHooks.h"

#include <algorithm>

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
    return CSelectionFilterPtr(new CSelectionNullFilter);
}
