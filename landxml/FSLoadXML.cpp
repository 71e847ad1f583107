#include "landxml/FSLoadXML.h"

#include "core/NoValue.h"
#include "core/ProgramHelpers.h"
#include "core/StatusProgress.h"
#include "core/UnitConstants.h"
#include "landxml/LandXML.h"
#include "landxml/LandXMLText.h"
#include "landxml/elements/LandXMLCgPoint.h"
#include "landxml/elements/LandXMLCgPoints.h"
#include "platform/MessageBox.h"

#include <cmath>
#include <exception>

FSLoadXML::FSLoadXML() = default;
FSLoadXML::~FSLoadXML() = default;

void FSLoadXML::SetImportOptions(bool renamePoints, bool makeReport, CReport* report)
{
    m_renamePoints = renamePoints;
    m_makeReport = makeReport;
    m_report = report;
}

int FSLoadXML::LinearUnitCode(const std::string& linearUnit)
{
    if (linearUnit == "millimeter")
        return kMillimeter;
    if (linearUnit == "centimeter")
        return kCentimeter;
    if (linearUnit == "kilometer")
        return kKilometer;
    if (linearUnit == "foot")
        return kFoot;
    if (linearUnit == "USSurveyFoot")
        return kUSSurveyFoot;
    if (linearUnit == "inch")
        return kInch;
    if (linearUnit == "mile")
        return kMile;
    return kMeter;
}

double FSLoadXML::LinearUnitFactor(int code)
{
    switch (code) {
    case kMillimeter: return 0.001;
    case kCentimeter: return 0.01;
    case kKilometer: return 1000.0;
    case kFoot: return InternationalFeetToMetres;
    case kUSSurveyFoot: return UsSurveyFeetToMetres;
    // The double one step above the nearest double to 0.0254, as stored files were read with.
    case kInch: return 0.025400000000000002;
    case kMile: return 1609.344;
    default: return 1.0;
    }
}

double FSLoadXML::ConvertLengthToMetres(double value) const
{
    if (m_linearUnit == kMeter)
        return value;
    return value * LinearUnitFactor(m_linearUnit);
}

const std::string& FSLoadXML::LookupRename(const std::string& name) const
{
    if (!m_renamePoints)
        return name;
    const auto it = m_renameMap.find(name);
    return it == m_renameMap.end() ? name : it->second;
}

void FSLoadXML::ShowInvalidFile(const std::string& message)
{
    ShowMessageBoxFS(landxml::FormatText("The LandXML file is invalid:\n%s", {message}), MB_OK | MB_ICONERROR);
}

bool FSLoadXML::CheckPoint(const CLandXMLCgPoint& point, double factor, bool tell)
{
    if (!point.IsBound())
        return true;
    const std::string& name = point.GetName();
    if (!IsValidPointName(name)) {
        if (tell)
            ShowMessageBoxFS(landxml::FormatText("Invalid point name: \"%s\".", {name}), MB_OK | MB_ICONERROR);
        return false;
    }
    // Checked here, before the job changes: a coordinate the unit factor takes beyond the
    // range of a double would put an infinite point into the job.
    double x, y, z;
    if (point.GetCoordinates(x, y, z, factor)
        && (!std::isfinite(x) || !std::isfinite(y) || (z > NoValueLimit && !std::isfinite(z)))) {
        if (tell)
            ShowInvalidFile(landxml::FormatText("The coordinates of point %s are out of range.", {name}));
        return false;
    }
    return true;
}

bool FSLoadXML::CollectPointNames(CLandXML& document, std::vector<std::string>* names)
{
    const double factor = ConvertDistance(1.0);
    // The document may have held its points to the same rule while it read them; a factor takes
    // every coordinate beyond range exactly when it takes the largest.
    double largest = 0.0;
    if (names == nullptr && factor > 0.0 && document.AllNamedPointsPassed(largest) && std::isfinite(largest * factor))
        return true;
    // Without a list to fill, the points are checked as they lie; only a fault needs the name
    // order, in which the first faulty point is the one the user is told of.
    if (names == nullptr
        && document.VisitNamedCgPoints([&](const CLandXMLCgPoint& point) { return CheckPoint(point, factor, false); }))
        return true;
    for (auto position = document.GetFirstNamedCgPointPosition(); position.IsValid();) {
        const CLandXMLCgPoint* point = document.GetNextNamedCgPoint(position);
        if (point == nullptr || !point->IsBound())
            continue;
        if (!CheckPoint(*point, factor, true))
            return false;
        if (names != nullptr)
            names->push_back(point->GetName());
    }
    return true;
}

bool FSLoadXML::ImportCgPointGroup(const CLandXMLCgPoints& group)
{
    for (const CLandXMLCgPoint* point : group.GetPoints())
        if (!AddPoint(*point))
            return false;
    for (const auto& nested : group.GetGroups())
        if (!ImportCgPointGroup(*nested))
            return false;
    return true;
}

bool FSLoadXML::Load(CLandXML& document, const std::string& reportArgument)
{
    try {
        // The unit comes first so that the names can be checked together with the coordinates
        // they bring; the file's Units element was validated on loading.
        m_linearUnit = LinearUnitCode(document.GetUnits().GetLinearUnit());

        std::vector<std::string> names;
        if (!CollectPointNames(document, m_renamePoints ? &names : nullptr))
            return false;
        if (m_renamePoints && !RenamePoints(names, m_renameMap))
            return false;
        if (m_makeReport)
            BeginReport(reportArgument);

        CStatusProgress progress;
        progress.Begin("Start merging...");
        const int total = document.GetTopLevelObjectCount();
        int index = 0;
        for (const auto& group : document.GetCgPointsGroups()) {
            ImportCgPointGroup(*group);
            progress.SetPercent(MulDiv(index, 100, total));
            ++index;
        }
        return true;
    } catch (const CLandXMLException& e) {
        ShowInvalidFile(e.GetMessage());
    } catch (const std::exception& e) {
        ShowMessageBoxFS(e.what(), MB_OK | MB_ICONERROR);
    }
    return false;
}
