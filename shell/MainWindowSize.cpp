#include "shell/MainWindowSize.h"

bool RestoresToDefaultSize(bool wasMaximized, bool isMaximized, bool isIconized, int width, int height)
{
    if (!wasMaximized || isMaximized || isIconized)
        return false;
    return width < SmallestRestoredWidth || height < SmallestRestoredHeight;
}
