#include "framework/GraphicDataExchange.h"

CGraphicDataExchange& GetGraphicDataExchange()
{
    static CGraphicDataExchange exchange;
    return exchange;
}
