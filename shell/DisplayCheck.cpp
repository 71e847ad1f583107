#include "shell/DisplayCheck.h"

DisplayCheck CheckDisplay(int width, int height, int bitsPerPixel)
{
    const bool resolutionOk = width >= 800 && height >= 600;
    const bool coloursOk = bitsPerPixel >= 8;
    return {!resolutionOk || !coloursOk, resolutionOk};
}
