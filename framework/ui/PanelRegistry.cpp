#include "framework/ui/PanelRegistry.h"

#include <map>

namespace {

std::map<uint32_t, PanelFactory>& Factories()
{
    static std::map<uint32_t, PanelFactory> factories;
    return factories;
}

} // namespace

void RegisterPanelFactory(uint32_t templateId, PanelFactory factory) { Factories()[templateId] = std::move(factory); }

bool CanCreatePanel(uint32_t templateId)
{
    auto found = Factories().find(templateId);
    return found != Factories().end() && found->second;
}

CStackableDialog* CreatePanel(uint32_t templateId)
{
    return CanCreatePanel(templateId) ? Factories()[templateId]() : nullptr;
}
