#include "shell/FrameWindowRegistry.h"

CFrameWindowRegistry& GetFrameWindows()
{
    static CFrameWindowRegistry registry;
    return registry;
}
