#include "framework/ui/ProgramServices.h"

namespace {
CProgramServices* g_services = nullptr;
} // namespace

CProgramServices* GetProgramServices() { return g_services; }

void SetProgramServices(CProgramServices* services) { g_services = services; }
