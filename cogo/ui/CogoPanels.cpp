#include "cogo/ui/CogoPanels.h"

#include "cogo/ui/Intersection.h"

CStackableDialog* MakeCogoPanel(int commandId)
{
    switch (commandId) {
    case 7496:
        return new CIntersection;
    default:
        return nullptr;
    }
}
