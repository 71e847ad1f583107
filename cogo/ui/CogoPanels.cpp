#include "cogo/ui/CogoPanels.h"

#include "cogo/ui/Intersection.h"
#include "cogo/ui/PointInDirection.h"

CStackableDialog* MakeCogoPanel(int commandId)
{
    switch (commandId) {
    case 7496:
        return new CIntersection;
    case 7152:
        return new CPointInDirection;
    default:
        return nullptr;
    }
}
