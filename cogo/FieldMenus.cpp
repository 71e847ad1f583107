#include "cogo/FieldMenus.h"

#include <map>

const std::vector<FieldMenuItem>& GetFieldMenuItems(int32_t menuId)
{
    static const std::map<int32_t, std::vector<FieldMenuItem>> menus = {
        {MenuAngleDegrees,
         {{CmdAddHalfTurn, "Add 180 Deg"},
          {0, ""},
          {CmdAddQuarterTurn, "Add 90 Deg"},
          {CmdSubtractQuarterTurn, "Subtract 90 Deg"},
          {CmdAddOffset, "Add or Subtract......"},
          {0, ""},
          {CmdCalculator, "Calculator..."}}},
        {MenuAngleGons,
         {{CmdAddHalfTurnGons, "Add 200 Gons"},
          {0, ""},
          {CmdAddQuarterTurnGons, "Add 100 Gons"},
          {CmdSubtractQuarterTurnGons, "Subtract 100 Gons"},
          {CmdAddOffset, "Add or Subtract......"},
          {0, ""},
          {CmdCalculator, "Calculator..."}}},
        {MenuHorizontalDistance, {{CmdApplyScaleFactor, "Apply Scale Factor"}, {0, ""}, {CmdCalculator, "Calculator..."}}},
        {MenuVerticalDistance, {{CmdCalculator, "Calculator..."}}},
        {MenuSlopeDistance, {{CmdCalculator, "Calculator..."}}},
        {MenuPointName,
         {{CmdZoomToPoint, "Zoom to point"},
          {CmdChooseFromList, "Choose from list..."},
          {0, ""},
          {CmdCalculator, "Calculator..."}}},
        {MenuNorthing, {{CmdCalculator, "Calculator..."}}},
    };
    static const std::vector<FieldMenuItem> none;
    auto it = menus.find(menuId);
    return it != menus.end() ? it->second : none;
}
