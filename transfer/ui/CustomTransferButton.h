#pragma once

#include "framework/ui/CustomButtons.h"
#include "model/Interested.h"

// The icon button of the transfer wizards that shows which instrument family is configured.
class CCustomTransferButton : public CCustomIconButton, public CInterested
{
public:
    static constexpr uint32_t NikonIconId = 129;
    static constexpr uint32_t OtherIconId = 7635;

    CCustomTransferButton(wxWindow* parent, int32_t id);
    ~CCustomTransferButton() override;

    // Icon 129 for the Nikon family, else 7635; the wizards call it when the settings change.
    void UpdateIcon();
    uint32_t GetIconId() const { return m_iconId; }

    // The wizard refreshes the button itself.
    void OnNotify(void* sender, int32_t code, intptr_t parameter) override {}

private:
    uint32_t m_iconId = 0;
};
