#pragma once

#include <string>
#include <vector>

class CDataFileDoc;
class CNikonRawDataFile;
class CReport;

// Turns the job's raw lines into its points: settings comments set the job settings, store-point
// lines create, move or delete points, CP, SS and SO lines become points where the shot is placed.
// With a report, every action and refusal is a row of the "Reduction Analysis" column; with a
// duplicates list, each line whose name an earlier line already produced adds one entry. Every
// change is also written to the job's history. Ends with the setups recomputed and hints 37, 42
// (and 19 when the job had no points).
void ReduceRawData(CDataFileDoc& doc, CNikonRawDataFile& raw, bool ignoreStorePoints, bool ignoreDeleted,
                   CReport* analysis, std::vector<std::string>* duplicates);
