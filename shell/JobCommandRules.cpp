#include "shell/JobCommandRules.h"

#include "core/PathHelpers.h"
#include "core/ProgramHelpers.h"

#include <cmath>
#include <cstdlib>

UndoMenuText MakeUndoMenuText(bool redo, bool possible, const std::string& description)
{
    UndoMenuText menu;
    menu.text = redo ? "&Redo" : "&Undo";
    menu.enabled = possible;
    if (possible && !description.empty())
        menu.text += " " + description;
    menu.text += redo ? "\tCtrl+Y" : "\tCtrl+Z";
    return menu;
}

int32_t RoundMarginToTen(int32_t value)
{
    const int32_t remainder = value % 10;
    if (std::abs(remainder) >= 5)
        return value - remainder + (value < 0 ? -10 : 10);
    return value - remainder;
}

int32_t MarginTwipsToThousandths(int32_t twips) { return RoundMarginToTen(MulDiv(twips, 1000, 1440)); }

int32_t MarginThousandthsToTwips(int32_t thousandths) { return MulDiv(RoundMarginToTen(thousandths), 1440, 1000); }

ProfileRect GetPrintMargins(const ProfileRect& t)
{
    return {MarginTwipsToThousandths(t.left), MarginTwipsToThousandths(t.top), MarginTwipsToThousandths(t.right),
            MarginTwipsToThousandths(t.bottom)};
}

ProfileRect PrintMarginsToTwips(const ProfileRect& m)
{
    return {MarginThousandthsToTwips(m.left), MarginThousandthsToTwips(m.top), MarginThousandthsToTwips(m.right),
            MarginThousandthsToTwips(m.bottom)};
}

int32_t ThousandthsToMillimetres(int32_t thousandths)
{
    return int32_t(std::lround(double(thousandths) * 25.4 / 1000.0));
}

int32_t MarginFromDialog(int32_t oldThousandths, int32_t shownMillimetres, int32_t chosenMillimetres)
{
    if (chosenMillimetres == shownMillimetres)
        return oldThousandths;
    return int32_t(std::lround(double(chosenMillimetres) * 1000.0 / 25.4));
}

std::string MakeLastModifiedTitle(const std::string& jobPath)
{
    return "Recent changes to " + GetPathFileTitle(jobPath);
}
