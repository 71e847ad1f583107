#include "cogo/CogoCommands.h"

#include "cogo/ComputedPoint.h"
#include "cogo/Intersection.h"
#include "core/Format.h"
#include "model/DataFileDoc.h"
#include "model/DataFileUndoManager.h"
#include "model/MorvelSettings.h"
#include "model/MorvelSettingsHelpers.h"
#include "model/PointDatabase.h"
#include "model/PointRecord.h"
#include "views/ScratchGeometry.h"

#include <cmath>
#include <strings.h>

namespace {

constexpr const char* kNoValueText = "-----";
constexpr const char* kNoPoint = "Point does not exist.";
constexpr const char* kBadName = "Invalid point name.";
constexpr int kColumnFormat = 0x42;

const CFormat& FormatOf(const CDataFileDoc& doc)
{
    return doc.GetDataFileFormat();
}

CPointRecord* FindPoint(CDataFileDoc& doc, const std::string& name)
{
    return name.empty() || doc.GetPointDatabase() == nullptr ? nullptr : doc.GetPointDatabase()->FindPoint(name, true);
}

bool Fail(CCogoMessage* message, const std::string& text, int field)
{
    if (message != nullptr)
        *message = {text, field};
    return false;
}

void RecordUndo(CDataFileDoc& doc, const char* caption)
{
    if (doc.GetUndoManager() != nullptr)
        doc.GetUndoManager()->RecordCaptionedUndo(caption);
}

void AddInverseColumns(CReport& report, const char* second)
{
    for (const std::string& heading : {std::string("Point 1"), std::string(second), std::string("Distance"),
                                       std::string("Direction"), GetPlanYCaption(), GetPlanXCaption(),
                                       GetPlanZCaption(), std::string("Slope Distance"), std::string("Grade (%)")})
        report.AddColumn(heading.c_str(), kColumnFormat);
}

} // namespace

void CMapScratchSink::Flush()
{
    AddScratchLines(m_lines);
    m_lines.clear();
}

void CMapScratchSink::AddCircle(const CLocation& centre, double radius)
{
    AddScratchCircle(centre, radius);
}

// ---- Intersection

CIntersectionCommand::CIntersectionCommand(CReport* report) : m_report(report ? *report : m_ownReport)
{
    m_report.AddHeaderLine("Intersection");
    for (int i = 0; i < 3; ++i)
        m_report.AddColumn("", 0x44);
}

bool CIntersectionCommand::StoreNamesClash() const
{
    return storeC != 0 && StoresD() && strcasecmp(storeNameC.c_str(), storeNameD.c_str()) == 0;
}

void CIntersectionCommand::ProposeStoreNames(CDataFileDoc& doc)
{
    storeNameC = doc.MakeUniquePointName("");
    storeNameD = doc.NextFreePointName(storeNameC, true, 1);
}

bool CIntersectionCommand::Check(CDataFileDoc& doc, CCogoMessage* message) const
{
    const char* notAboveZero = "Value must be greater than 0.0000.";
    if (FindPoint(doc, baseA) == nullptr)
        return Fail(message, kNoPoint, 1092);
    if (modeA == 1 && !(std::isfinite(distanceA) && distanceA > 0))
        return Fail(message, notAboveZero, 1052);
    if (FindPoint(doc, baseB) == nullptr)
        return Fail(message, kNoPoint, 1094);
    if (modeB == 1 && !(std::isfinite(distanceB) && distanceB > 0))
        return Fail(message, notAboveZero, 2278);
    if (storeC != 0 && !doc.IsValidPointName(storeNameC.c_str()))
        return Fail(message, kBadName, 1307);
    if (StoresD() && !doc.IsValidPointName(storeNameD.c_str()))
        return Fail(message, kBadName, 1309);
    // The panel asks first; storing both under one name would lose C without a word.
    if (StoreNamesClash())
        return Fail(message, "", 1309);
    return true;
}

void CIntersectionCommand::AddRow(const std::string& label, const std::string& value)
{
    const int32_t row = m_report.AddRow();
    m_report.SetCell(0, row, label, false);
    m_report.SetCell(1, row, value, false);
}

void CIntersectionCommand::ReportSolution(CDataFileDoc& doc, const CLocation& at, bool store, std::string& name,
                                          const std::string& description, const char* unstoredLabel,
                                          std::string& north, std::string& east)
{
    const CFormat& format = FormatOf(doc);
    CPointRecord* stored = store ? StoreComputedPoint(doc, name, at, description) : nullptr;
    if (stored != nullptr)
        AddRow("Intersection point:", format.FormatPointName(stored->GetName(), true));
    else
        AddRow(unstoredLabel, "");
    north = format.FormatCoordinate(at.y, false, false);
    east = format.FormatCoordinate(at.x, false, false);
    if (GetMorvelSettings().GetCoordOrder()) {
        AddRow(GetPlanYCaption(), north);
        AddRow(GetPlanXCaption(), east);
    } else {
        AddRow(GetPlanXCaption(), east);
        AddRow(GetPlanYCaption(), north);
    }
}

bool CIntersectionCommand::Solve(CDataFileDoc& doc, CCogoScratchSink& scratch, CCogoMessage* message)
{
    northingC = eastingC = northingD = eastingD = "";
    if (!Check(doc, message))
        return false;
    const CFormat& format = FormatOf(doc);
    const CLocation a = FindPoint(doc, baseA)->GetLocation();
    const CLocation b = FindPoint(doc, baseB)->GetLocation();

    AddRow("Given:", "");
    AddRow("Base point A:", format.FormatPointName(baseA, false));
    AddRow(modeA == 1 ? "Distance:" : "Direction:",
           modeA == 1 ? format.FormatDistance(distanceA, false, false) : format.FormatAzimuth(directionA, false));
    AddRow("Base point B:", format.FormatPointName(baseB, false));
    AddRow(modeB == 1 ? "Distance:" : "Direction:",
           modeB == 1 ? format.FormatDistance(distanceB, false, false) : format.FormatAzimuth(directionB, false));
    AddRow("", "");
    AddRow("Results:", "");

    const CIntersectionSolution s = SolveIntersection({a, modeA, directionA, distanceA}, {b, modeB, directionB, distanceB});
    // An unstorable crossing (far beyond any job) counts as none.
    if (!s.foundC || !IsStorableLocation(s.c)) {
        AddRow("", "");
        AddRow("", "");
        return Fail(message, "No intersection exists.", 0);
    }
    if (modeA == 1)
        scratch.AddCircle(a, distanceA);
    if (modeB == 1)
        scratch.AddCircle(b, distanceB);
    const bool storeDNow = StoresD();
    if (storeC != 0 || storeDNow)
        RecordUndo(doc, "Intersection");

    auto report = [&](const CLocation& at, bool store, std::string& name, const std::string& description,
                      const char* label, std::string& north, std::string& east) {
        scratch.AddLine(a, at);
        scratch.AddLine(b, at);
        ReportSolution(doc, at, store, name, description, label, north, east);
        AddRow("Distance to point A:", format.FormatDistance(a.HorizontalDistance(at), false, false));
        AddRow("Distance to point B:", format.FormatDistance(b.HorizontalDistance(at), false, false));
    };
    report(s.c, storeC != 0, storeNameC, descriptionC, "Intersection point C", northingC, eastingC);
    if (s.foundD && IsStorableLocation(s.d)) {
        AddRow("", "");
        report(s.d, storeDNow, storeNameD, descriptionD, "Intersection point D", northingD, eastingD);
    }
    AddRow("", "");
    AddRow("", "");
    // Both names move on together, so the next solve writes neither point over the other.
    if (storeC != 0 || storeDNow)
        ProposeStoreNames(doc);
    return true;
}

// ---- Inverse

CInverseCommand::CInverseCommand(CReport* report) : m_report(report ? *report : m_ownReport)
{
    m_report.AddHeaderLine("Inverse Point to Point");
}

void CInverseCommand::ClearReport()
{
    m_report.ClearSections(false);
    sectionNeeded = true;
}

bool CInverseCommand::Solve(CDataFileDoc& doc, CCogoScratchSink& scratch, const std::vector<CRecord*>& selection,
                            CCogoMessage* message)
{
    if (FindPoint(doc, point1) == nullptr)
        return Fail(message, kNoPoint, 1257);
    if (mode == MultipleSideShots) {
        if (selection.empty())
            return Fail(message, "Nothing Selected.", 1146);
        InverseMultipleSideShots(doc, scratch, selection);
        return true;
    }
    if (FindPoint(doc, point2) == nullptr)
        return Fail(message, kNoPoint, 1258);
    const bool solved = InverseSingle(doc, scratch, message);
    // A refused pair moves on like a solved one, so the next point can be entered at once.
    if (mode == Sequence) {
        point1 = FormatOf(doc).FormatPointName(point2, true);
        point2.clear();
    }
    return solved;
}

bool CInverseCommand::InverseSingle(CDataFileDoc& doc, CCogoScratchSink& scratch, CCogoMessage* message)
{
    const CLocation from = FindPoint(doc, point1)->GetLocation();
    const CLocation to = FindPoint(doc, point2)->GetLocation();
    const CInverseValues v = ComputeInverseValues(from, to);
    if (strcasecmp(point1.c_str(), point2.c_str()) == 0)
        return Fail(message, "You selected a point twice and the direction can not be calculated.", 0);
    if (!(v.distance >= 0.0001))
        return Fail(message, "Two points are on the same location and the direction can not be calculated.", 0);
    if (sectionNeeded) {
        sectionNeeded = false;
        m_report.NewSection();
        AddInverseColumns(m_report, "Point 2");
    }
    results = FormatInverseValues(FormatOf(doc), v);
    const int32_t row = m_report.AddRow();
    m_report.SetCell(0, row, point1, false);
    m_report.SetCell(1, row, point2, false);
    for (int i = 0; i < 7; ++i)
        m_report.SetCell(2 + i, row, results[size_t(i)], false);
    scratch.AddLine(from, to);
    return true;
}

void CInverseCommand::InverseMultipleSideShots(CDataFileDoc& doc, CCogoScratchSink& scratch,
                                               const std::vector<CRecord*>& selection)
{
    const CFormat& format = FormatOf(doc);
    CPointRecord* first = FindPoint(doc, point1);
    const CLocation from = first->GetLocation();
    results.fill("");
    m_report.NewSection();
    m_report.AddColumn("", 0x14);
    m_report.AddColumn("", 0x44);
    m_report.AddRow();
    int32_t row = m_report.AddRow();
    m_report.SetCell(0, row, "Point 1:", false);
    m_report.SetCell(1, row, format.FormatPointName(first->GetName(), false), false);
    m_report.AddRow();

    m_report.NewSection();
    for (const char* heading : {"Point 2", "Description", "Distance", "Direction"})
        m_report.AddColumn(heading, kColumnFormat);
    for (const std::string& heading : {GetPlanYCaption(), GetPlanXCaption(), GetPlanZCaption()})
        m_report.AddColumn(heading.c_str(), kColumnFormat);
    m_report.AddColumn("Slope Distance", kColumnFormat);
    m_report.AddColumn("Grade (%)", kColumnFormat);
    for (CRecord* record : selection) {
        auto* point = dynamic_cast<CPointRecord*>(record);
        if (point == nullptr || !point->GetLocation().HasPlaneCoordinates())
            continue;
        row = m_report.AddRow();
        m_report.SetCell(0, row, format.FormatPointName(point->GetName(), false), false);
        m_report.SetCell(1, row, point->GetDescription(), false);
        if (point1 == point->GetName()) {
            m_report.SetCell(2, row, "Duplicate point", false);
            continue;
        }
        const CLocation to = point->GetLocation();
        const auto texts = FormatInverseValues(format, ComputeInverseValues(from, to), true);
        for (int i = 0; i < 7; ++i)
            m_report.SetCell(2 + i, row, texts[size_t(i)], false);
        if (from.HorizontalDistance(to) >= 0.0001)
            scratch.AddLine(from, to);
    }
    m_report.AddRow();
    sectionNeeded = true;
}

// ---- Point in direction

CPointInDirectionCommand::CPointInDirectionCommand(CReport* report) : m_report(report ? *report : m_ownReport)
{
    m_report.AddHeaderLine("Point In Direction");
    m_report.SetSwapColumns(5, 6, GetMorvelSettings().GetCoordOrder());
    const std::string headings[] = {"From\nPoint", "\nDirection", "\n+/- Angle", "Horizontal\nDistance",
                                    "Elevation\nChange", "New\n" + GetPlanYCaption(), "New\n" + GetPlanXCaption(),
                                    "New\n" + GetPlanZCaption(), "Store\nPoint"};
    for (const std::string& heading : headings)
        m_report.AddColumn(heading.c_str(), kColumnFormat);
}

void CPointInDirectionCommand::ProposeStoreName(CDataFileDoc& doc)
{
    storeName = FormatOf(doc).FormatPointName(doc.MakeUniquePointName(""), true);
}

bool CPointInDirectionCommand::Solve(CDataFileDoc& doc, CCogoScratchSink& scratch, CCogoMessage* message)
{
    CPointRecord* from = FindPoint(doc, fromPoint);
    if (from == nullptr)
        return Fail(message, kNoPoint, 1259);
    // An empty distance field holds no value; it must not become a coordinate.
    if (!(distance > NoValueLimit) || !std::isfinite(distance))
        return Fail(message, "Invalid Value", 1054);
    if (store != 0 && !doc.IsValidPointName(storeName.c_str()))
        return Fail(message, kBadName, 1307);
    const CFormat& format = FormatOf(doc);
    const CLocation start = from->GetLocation();
    if (!start.IsValid3D() && std::fabs(rise) >= 0.0001)
        return Fail(message,
                    "Point " + format.FormatPointName(from->GetName(), false) +
                        " is 2D. The elevation cannot be solved. Set vertical distance to zero to avoid this warning.",
                    4111);
    CLocation at;
    if (!ComputePointInDirection(start, direction, angle, distance, rise, &at))
        return Fail(message, "Invalid Value", 1054);

    const int32_t row = m_report.AddRow();
    m_report.SetCell(0, row, format.FormatPointName(from->GetName(), false), false);
    m_report.SetCell(1, row, format.FormatAzimuth(direction, false), false);
    m_report.SetCell(2, row, format.FormatHorizontalAngle(angle, false), false);
    m_report.SetCell(3, row, format.FormatDistance(distance, false, false), false);
    m_report.SetCell(4, row, format.FormatDistance(rise, false, false), false);
    northing = format.FormatCoordinate(at.y, false, false);
    easting = format.FormatCoordinate(at.x, false, false);
    m_report.SetCell(5, row, northing, false);
    m_report.SetCell(6, row, easting, false);
    if (at.IsValid3D()) {
        elevation = format.FormatElevation(at.z, false, false);
        m_report.SetCell(7, row, elevation, false);
    } else {
        elevation = kNoValueText;
    }
    if (store != 0) {
        RecordUndo(doc, "Point in direction");
        if (CPointRecord* stored = StoreComputedPoint(doc, storeName, at, description)) {
            const std::string name = format.FormatPointName(stored->GetName(), true);
            if (traverse != 0)
                fromPoint = name;
            m_report.SetCell(8, row, name, false);
        }
        ProposeStoreName(doc);
    }
    scratch.AddLine(start, at);
    return true;
}

// ---- Map-click inverse

void BuildPointInverseRows(const CFormat& format, const std::string& from, const CLocation& fromAt,
                           const std::string& to, const CLocation& toAt, std::vector<std::string>* labels,
                           std::vector<std::string>* values)
{
    *labels = {"Point 1", "Point 2", "Distance", "Direction", GetPlanYCaption(), GetPlanXCaption(),
               GetPlanZCaption(), "Slope Dist", "Grade (%)"};
    const CInverseValues v = ComputeInverseValues(fromAt, toAt);
    const auto texts = FormatInverseValues(format, v);
    *values = {from, to, texts[0], format.FormatAzimuth(v.direction, false), texts[2], texts[3], texts[4], texts[5],
               texts[6]};
}
