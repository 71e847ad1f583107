#include "framework/ListTipText.h"

std::string MakeListTipText(const std::vector<std::pair<std::string, std::string>>& headingsAndCells)
{
    std::string text;
    bool anyText = false;
    for (const auto& [heading, cell] : headingsAndCells) {
        text += (heading.empty() ? std::string("  ") : heading) + "\t" + cell + "\n";
        anyText = anyText || !cell.empty();
    }
    return anyText ? text : std::string();
}
