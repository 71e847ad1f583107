#pragma once

#include "framework/GraphicDataTarget.h"

#include <cstdint>
#include <memory>
#include <string>

class CPointRecord;

// What the exchange runs when a tool delivers and no field waits: the tool's result code goes to
// OnToolEvent. The exchange owns it; nothing else deletes it.
class CInteractiveHandler : public CGraphicDataReceiver
{
public:
    void Deliver(uint32_t code) override { OnToolEvent(int32_t(code)); }
    virtual void OnToolEvent(int32_t code) {}
    virtual std::unique_ptr<CInteractiveHandler> Clone() const { return std::make_unique<CInteractiveHandler>(); }
    // "Invalid selection:" and the text beside the cursor, with a beep.
    static void ShowInvalidSelectionTip(const std::string& text);
};

// The map-click inverse: waits for a click on a second point and shows the inverse from the
// from-point to it in the info report window.
class CPointInverseHandler : public CInteractiveHandler
{
public:
    static constexpr const char* ClickTip = "Click on a point to inverse to.\nRight click to cancel.";

    CPointInverseHandler() = default;
    explicit CPointInverseHandler(CPointRecord* from) : m_from(from) {}

    void OnToolEvent(int32_t code) override;
    std::unique_ptr<CInteractiveHandler> Clone() const override
    {
        return std::make_unique<CPointInverseHandler>(m_from);
    }
    CPointRecord* GetFromPoint() const { return m_from; }

private:
    // Shows the inverse to the hit; the default tool comes back before the window when
    // restoreFirst, else after it.
    void ShowInverse(CPointRecord* to, bool restoreFirst);

    CPointRecord* m_from = nullptr; // not owned: a point of the active job
};

// "Inverse To..." on a point: a rubber line from it and the inverse handler as the exchange's
// receiver. False (nothing started) without a point or a map tool host.
bool StartPointInverse(CPointRecord* from);
