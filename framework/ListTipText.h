#pragma once

#include <string>
#include <utility>
#include <vector>

// The text of a list's own hover tip: one line per column, "heading\tcell\n", with two blanks
// for a heading the column lacks. Empty when every cell is empty, so no tip shows.
std::string MakeListTipText(const std::vector<std::pair<std::string, std::string>>& headingsAndCells);
