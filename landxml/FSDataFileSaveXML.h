#pragma once

#include "landxml/FSSaveXML.h"

#include <string>

class CDataFileDoc;

// Writes a job's points as a LandXML 1.0 file: the header with date, project name, units and
// application, one CgPoints group with the points in name order, and the closing tag.
class FSDataFileSaveXML : public FSSaveXML
{
public:
    // Export distance units.
    static constexpr int kUnitMetres = 0;
    static constexpr int kUnitUSSurveyFoot = 1;
    static constexpr int kUnitInternationalFoot = 2;

    // 1 US survey feet, 2 international feet per metre; any other code leaves metres.
    double ConvertDistance(double metres) override;

    // Writes the file; count receives the number of CgPoint elements written. A point without
    // northing or easting is passed over. False, after telling the user, when the file could not
    // be written; the target is then left as it was.
    bool WriteFile(const std::string& fileName, int unitCode, CDataFileDoc* job, int& count);

private:
    CDataFileDoc* m_job = nullptr;
};
