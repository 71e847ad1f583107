#include "landxml/FSDataFileSaveXML.h"

#include "core/PathHelpers.h"
#include "core/ProgramHelpers.h"
#include "core/ResourceStrings.h"
#include "core/StatusProgress.h"
#include "core/UnitConstants.h"
#include "landxml/LandXMLText.h"
#include "model/DataFileDoc.h"
#include "model/PointDatabase.h"
#include "model/PointRecord.h"

#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>

namespace {

constexpr const char* kLineEnd = "\r\n";
constexpr const char* kNamespace = "http://www.landxml.org/schema/LandXML-1.0";
constexpr const char* kSchemaInstance = "http://www.w3.org/2001/XMLSchema-instance";
constexpr const char* kSchemaLocation =
    "http://www.landxml.org/schema/LandXML-1.0 http://www.landxml.org/schema/LandXML-1.0/LandXML-1.0.xsd";

// When the job file came to be: its birth time where the file system keeps one, else its last
// change, else now (a job never saved).
std::time_t JobFileTime(const std::string& path)
{
    if (!path.empty()) {
        struct statx info {};
        if (::statx(AT_FDCWD, path.c_str(), 0, STATX_BTIME | STATX_MTIME, &info) == 0) {
            if ((info.stx_mask & STATX_BTIME) != 0)
                return static_cast<std::time_t>(info.stx_btime.tv_sec);
            if ((info.stx_mask & STATX_MTIME) != 0)
                return static_cast<std::time_t>(info.stx_mtime.tv_sec);
        }
    }
    return std::time(nullptr);
}

std::string FormatLocalTime(std::time_t when, const char* format)
{
    std::tm local {};
    localtime_r(&when, &local);
    char buffer[64];
    const std::size_t n = std::strftime(buffer, sizeof buffer, format, &local);
    return std::string(buffer, n);
}

std::string UnitsLine(int unitCode, const std::string& angle)
{
    const char* format;
    if (unitCode == FSDataFileSaveXML::kUnitInternationalFoot)
        format = "<Imperial linearUnit=\"foot\" areaUnit=\"squareFoot\" volumeUnit=\"cubicFeet\" "
                 "temperatureUnit=\"fahrenheit\" pressureUnit=\"inchHG\" angularUnit=\"%s\" directionUnit=\"%s\"/>";
    else if (unitCode == FSDataFileSaveXML::kUnitUSSurveyFoot)
        format = "<Imperial linearUnit=\"USSurveyFoot\" areaUnit=\"squareFoot\" volumeUnit=\"cubicFeet\" "
                 "temperatureUnit=\"fahrenheit\" pressureUnit=\"inchHG\" angularUnit=\"%s\" directionUnit=\"%s\"/>";
    else
        format = "<Metric linearUnit=\"meter\" areaUnit=\"squareMeter\" volumeUnit=\"cubicMeter\" "
                 "temperatureUnit=\"celsius\" pressureUnit=\"mmHG\" angularUnit=\"%s\" directionUnit=\"%s\"/>";
    return landxml::FormatText(format, {angle, angle});
}

} // namespace

double FSDataFileSaveXML::ConvertDistance(double metres)
{
    switch (m_unitCode) {
    case kUnitUSSurveyFoot: return metres * MetresToUsSurveyFeet;
    case kUnitInternationalFoot: return metres * MetresToInternationalFeet;
    default: return metres;
    }
}

bool FSDataFileSaveXML::WriteFile(const std::string& fileName, int unitCode, CDataFileDoc* job, int& count)
{
    count = 0;
    m_job = job;
    m_unitCode = unitCode;
    if (job == nullptr || !OpenFile(fileName)) {
        m_job = nullptr;
        return false;
    }

    const std::time_t when = JobFileTime(job->GetPathName());
    const std::string date = FormatLocalTime(when, "%Y-%m-%d");
    const std::string time = FormatLocalTime(when, "%H:%M:%S");
    const std::string project = GetPathFileName(job->GetPathName());
    const std::string angle = job->GetAngleUnits() == 0 ? "decimal degrees" : "grads";

    std::string header = "<?xml version=\"1.0\"?>";
    header += kLineEnd;
    header += landxml::FormatText("<LandXML xmlns=\"%s\"  xmlns:xsi=\"%s\" xsi:schemaLocation=\"%s\" version=\"1.0\" "
                                  "date=\"%s\" time=\"%s\" readOnly=\"false\" language=\"English\">",
                                  {kNamespace, kSchemaInstance, kSchemaLocation, date, time});
    header += kLineEnd;
    // The project name comes from the job's file name, which may hold any character.
    header += "<Project name=\"" + EscapeXmlAttribute(project) + "\"/>" + kLineEnd;
    header += std::string("<Units>") + kLineEnd;
    header += UnitsLine(unitCode, angle) + kLineEnd;
    header += std::string("</Units>") + kLineEnd;
    // The home page is the same link the Help menu opens.
    header += "<Application name=\"Morvel\" manufacturer=\"QuorelVantisMarcato\" version=\"1.0.0\" manufacturerURL=\"" +
              EscapeXmlAttribute(LoadResourceString(392)) + "\"/>" + kLineEnd;
    WriteString(header);

    CStatusProgress progress;
    progress.Begin("Export points...");
    CPointDatabase* points = job->GetPointDatabase();
    const int32_t total = points->GetCount();
    bool started = false;
    int32_t index = 0;
    RedBlackNode* position = points->GetFirstPosition();
    while (CPointRecord* point = points->GetNextPoint(position)) {
        progress.SetPercent(MulDiv(index, 100, total));
        ++index;
        if (m_selectedOnly && !point->IsSelected())
            continue;
        // A point without plane coordinates has nothing to put in a CgPoint.
        if (!point->GetLocation().HasPlaneCoordinates())
            continue;
        if (!started) {
            WriteStartElement("CgPoints", {CXmlAttribute("name", "0")});
            started = true;
        }
        WriteCgPoint(point->GetName(), point->GetDescription(), point->GetLocation());
        ++count;
    }
    if (started)
        WriteEndElement(true);
    WriteString("</LandXML>");
    progress.End();
    m_job = nullptr;
    if (!FinishFile()) {
        count = 0;
        return false;
    }
    return true;
}
