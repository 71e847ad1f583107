#pragma once

#include <cstdint>
#include <string>
#include <vector>

class CDataFileDoc;
class CReport;

// The two point imports of the job document, each over the shared merge (exchange/PointMerge.h).
// Both set *count to 0 first and to the number of merged points at the end, record one undo step
// before the first change, append one input-point raw line per merged point, and fill the report
// ("Imported Coordinates") when one is given. With useRenameRules (point-name option 0) incoming
// names go through the job's rename rules; otherwise a point of the same name (ignoring case) is
// overwritten and keeps its name. On failure they show the message themselves and return false;
// a failure after the undo step was recorded puts the job back as it was.

// Copies the point records of another job file. Undo step "Import Morvel coordinates".
bool ImportJobCoordinates(CDataFileDoc* document, const std::string& path, CReport* report, bool useRenameRules,
                          int32_t* count);

// Reads a delimited ASCII point file: columns holds the type codes of the checked columns in
// line order, delimiter the one delimiter character, distanceUnit the unit of the file's numbers
// (0 metres, 1 international feet, 2 US survey feet). Lines that do not read as a point are
// skipped, as are lines whose name the rename rules did not take. Undo step
// "Import ASCII coordinates".
bool ImportAsciiCoordinates(CDataFileDoc* document, const std::string& path, const std::vector<uint16_t>& columns,
                            const std::string& delimiter, int32_t distanceUnit, CReport* report,
                            bool useRenameRules, int32_t* count);
// Why an ASCII file gave no point: no line splits into the columns with the delimiter. When
// another of the three delimiters would read lines, that one is named. Empty when a line reads.
std::string WhyNoAsciiPoint(const std::string& path, const std::vector<uint16_t>& columns,
                            const std::string& delimiter);
