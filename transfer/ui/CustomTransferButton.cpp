#include "transfer/ui/CustomTransferButton.h"

#include "framework/ui/ProgramServices.h"
#include "model/MorvelSettings.h"

#include <wx/app.h>

CCustomTransferButton::CCustomTransferButton(wxWindow* parent, int32_t id)
    : CCustomIconButton(parent, id, wxDefaultPosition, wxSize(40, 40))
{
    UpdateIcon();
}

CCustomTransferButton::~CCustomTransferButton() = default;

void CCustomTransferButton::UpdateIcon()
{
    m_iconId = GetMorvelSettings().IsNikonModelSelected() ? NikonIconId : OtherIconId;
    CProgramServices* app = GetProgramServices();
    SetIcon(app ? app->GetIcon(m_iconId, false) : nullptr, false, false);
    Refresh();
}
