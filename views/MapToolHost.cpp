#include "views/MapToolHost.h"

namespace {
CMapToolHost* g_host = nullptr;
}

void SetMapToolHost(CMapToolHost* host)
{
    g_host = host;
}

CMapToolHost* GetMapToolHost()
{
    return g_host;
}
