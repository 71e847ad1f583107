#include "framework/GraphicDataExchange.h"

#include "core/NoValue.h"

CGraphicDataTarget::~CGraphicDataTarget()
{
    if (linkedExchange)
        linkedExchange->ForgetTarget(this);
}

CGraphicDataExchange::~CGraphicDataExchange()
{
    if (target && target->linkedExchange == this)
        target->linkedExchange = nullptr;
    if (savedTarget && savedTarget->linkedExchange == this)
        savedTarget->linkedExchange = nullptr;
}

void CGraphicDataExchange::Reset()
{
    // A receiver may reset the exchange from inside its own delivery; it must outlive that call.
    if (receiver && deliveryDepth > 0)
        retired.push_back(std::move(receiver));
    receiver.reset();
    CGraphicDataTarget* old = target;
    target = nullptr;
    Unlink(old);
    mode = NoMode;
    location.SetAllNull();
    toleranceX = toleranceY = 0.0;
    for (int i = 0; i < ValueCount; ++i)
        values[i] = i < 4 ? 0.0 : NoValue;
    pickSuppressed = 0;
    words.fill(0);
}

void CGraphicDataExchange::Unlink(CGraphicDataTarget* field)
{
    if (field && field != target && field != savedTarget && field->linkedExchange == this)
        field->linkedExchange = nullptr;
}

void CGraphicDataExchange::Link(CGraphicDataTarget* field)
{
    if (field->linkedExchange && field->linkedExchange != this)
        field->linkedExchange->ForgetTarget(field);
    field->linkedExchange = this;
}

bool CGraphicDataExchange::SetTarget(CGraphicDataTarget* field)
{
    Reset();
    ClearSavedTarget();
    if (!field || !field->IsTargetEnabled())
        return false;
    Link(field);
    target = field;
    return true;
}

void CGraphicDataExchange::SetReceiver(std::unique_ptr<CGraphicDataReceiver> r)
{
    if (receiver && deliveryDepth > 0)
        retired.push_back(std::move(receiver));
    receiver = std::move(r);
}

void CGraphicDataExchange::Deliver(uint32_t code, bool notifyDialog)
{
    ++deliveryDepth;
    if (target)
    {
        CGraphicDataTarget* field = target;
        // The field may reset the exchange while it reads; the dialog hears only of a field that
        // took the values and is still the target.
        if (field->TakeGraphicData(code) && target == field && notifyDialog)
            field->NotifyDialog(code);
    }
    else if (receiver)
    {
        receiver->Deliver(code);
    }
    if (--deliveryDepth == 0)
        retired.clear();
}

void CGraphicDataExchange::SaveTarget()
{
    if (!IsTargetActive())
        return;
    savedMode = mode;
    savedTarget = target;
}

void CGraphicDataExchange::ClearSavedTarget()
{
    CGraphicDataTarget* old = savedTarget;
    savedTarget = nullptr;
    savedMode = NoMode;
    Unlink(old);
}

void CGraphicDataExchange::RestoreTarget(int32_t newMode)
{
    if (savedMode != NoMode && savedMode != newMode)
    {
        Reset();
        ClearSavedTarget();
        return;
    }
    if (savedTarget)
    {
        CGraphicDataTarget* field = savedTarget;
        Reset();
        if (field->IsAcceptedByFrame())
        {
            Link(field);
            target = field;
        }
        ClearSavedTarget();
        if (target && target->IsTargetEnabled())
            mode = newMode;
        else
        {
            target = nullptr;
            Unlink(field);
        }
        return;
    }
    Reset();
    ClearSavedTarget();
}

void CGraphicDataExchange::ForgetTarget(const CGraphicDataTarget* field)
{
    if (target == field)
        target = nullptr;
    if (savedTarget == field)
    {
        savedTarget = nullptr;
        savedMode = NoMode;
    }
}

CGraphicDataExchange& GetGraphicDataExchange()
{
    static CGraphicDataExchange exchange;
    return exchange;
}
