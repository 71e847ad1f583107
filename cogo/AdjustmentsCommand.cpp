#include "cogo/AdjustmentsCommand.h"

#include "core/DataFileFormat.h"
#include "model/DataFileDoc.h"
#include "model/DataFileSelOperator.h"
#include "model/DataFileUndoManager.h"
#include "model/HintCodes.h"
#include "model/MorvelSettingsHelpers.h"
#include "model/PointDatabase.h"
#include "model/PointRecord.h"
#include "model/Selection.h"
#include "platform/MessageBox.h"

#include <cmath>
#include <cstdio>

namespace {

constexpr double Tolerance = 0.0001;

std::string FormatFactor(double factor)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.9f", factor);
    return text;
}

} // namespace

bool TranslateByDelta(double direction, double distance, double rise, CLocation& delta)
{
    if (!HasValue(distance))
        distance = 0.0;
    if (!HasValue(rise))
        rise = 0.0;
    if (std::fabs(distance) < Tolerance && std::fabs(rise) < Tolerance)
        return false;
    delta = CLocation(0.0, 0.0, 0.0).OffsetByDirectionDistanceRise(direction, distance, rise);
    return true;
}

CLocation TranslateToDelta(const CLocation& reference, const CLocation& destination)
{
    const bool both3D = HasValue(reference.z) && HasValue(destination.z);
    return {destination.x - reference.x, destination.y - reference.y, both3D ? destination.z - reference.z : 0.0};
}

double RotationAngle(int32_t mode, double simpleAngle, double originalDirection, double newDirection)
{
    if (mode == RotateChangeInDirection)
        return newDirection - originalDirection;
    return -simpleAngle;
}

double PredefinedScaleFactor(int32_t index)
{
    static constexpr double Factors[PredefinedScaleFactorCount] = {
        0.30480060960121924, // US feet to metres
        0.3048,              // feet to metres
        3.280833333333333,   // metres to US feet
        3.280839895013123,   // metres to feet
        1.000002000004,      // US feet to feet
        0.9999979999999999,  // feet to US feet
    };
    return index >= 0 && index < PredefinedScaleFactorCount ? Factors[index] : 1.0;
}

bool IsValidScaleFactor(double factor)
{
    // NaN fails both comparisons.
    return HasValue(factor) && factor > 0.01 && factor < 100.0;
}

AdjustLocationResult ResolveAdjustLocation(CDataFileDoc* document, const CAdjustLocation& where, bool ask,
                                           CLocation& at)
{
    std::string question;
    if (where.fromPoint) {
        if (document == nullptr || !document->FindPointLocation(where.pointName, &at))
            return AdjustLocationResult::NotFound;
        if (!at.IsValid3D())
            question = "Point " + where.pointName +
                       " is 2D. The elevation of the selected points will not be adjusted. Press OK to adjust the "
                       "northing and easting of the selected points.";
    } else {
        at = where.typed;
        if (!HasValue(at.z))
            question = "The elevation cannot be adjusted without specifiying an elevation for the location. Press "
                       "Ok to make the adjustment, or Cancel to abort.";
    }
    if (question.empty())
        return AdjustLocationResult::Found;
    at.z = NoValue;
    if (ask && ShowMessageBoxFS(question, MB_OKCANCEL | MB_ICONQUESTION) != IDOK)
        return AdjustLocationResult::Cancelled;
    return AdjustLocationResult::Found;
}

AdjustLocationResult TranslateToParameters(CDataFileDoc* document, const CAdjustLocation& reference,
                                           const CAdjustLocation& destination, CLocation& delta,
                                           bool& atDestination)
{
    CLocation from;
    CLocation to;
    atDestination = false;
    AdjustLocationResult result = ResolveAdjustLocation(document, reference, true, from);
    if (result != AdjustLocationResult::Found)
        return result;
    atDestination = true;
    result = ResolveAdjustLocation(document, destination, HasValue(from.z), to);
    if (result != AdjustLocationResult::Found)
        return result;
    delta = TranslateToDelta(from, to);
    return AdjustLocationResult::Found;
}

AdjustLocationResult ResolveScaleOrigin(CDataFileDoc* document, const CAdjustLocation& reference, CLocation& origin,
                                        double& elevationFactor)
{
    AdjustLocationResult result = AdjustLocationResult::Found;
    if (reference.fromPoint) {
        result = ResolveAdjustLocation(document, reference, true, origin);
    } else {
        origin = reference.typed;
        if (!HasValue(origin.z) &&
            ShowMessageBoxFS("The reference location has no elevation. Press OK to scale only the northing and "
                             "easting, or Cancel to abort.",
                             MB_OKCANCEL | MB_ICONQUESTION) != IDOK)
            result = AdjustLocationResult::Cancelled;
    }
    if (result == AdjustLocationResult::Found && !HasValue(origin.z)) {
        origin.z = 0.0;
        elevationFactor = 1.0;
    }
    return result;
}

bool CAdjustmentsCommand::Translate(const CLocation& delta)
{
    return Run(
        Operation::Translate, [&] { return m_document->TranslatePoints(delta); },
        [&] { ReportTranslation(delta); });
}

bool CAdjustmentsCommand::Rotate(double originEasting, double originNorthing, double angle)
{
    return Run(
        Operation::Rotate, [&] { return m_document->RotatePoints(originEasting, originNorthing, angle); },
        [&] { ReportRotation(angle, originEasting, originNorthing); });
}

bool CAdjustmentsCommand::Scale(const CLocation& origin, double eastingFactor, double northingFactor,
                                double elevationFactor)
{
    m_error.clear();
    for (double factor : {northingFactor, eastingFactor, elevationFactor})
        if (!IsValidScaleFactor(factor)) {
            m_error = ScaleFactorMessage;
            return false;
        }
    return Run(
        Operation::Scale,
        [&] {
            return m_document->ScalePoints(origin.x, origin.y, origin.z, eastingFactor, northingFactor,
                                           elevationFactor);
        },
        [&] { ReportScale(origin, eastingFactor, northingFactor, elevationFactor); });
}

template <typename Edit, typename Report>
bool CAdjustmentsCommand::Run(Operation operation, Edit&& edit, Report&& report)
{
    static constexpr const char* Verbs[] = {"Translate", "Rotate", "Scale"};
    const char* verb = Verbs[int(operation)];
    m_error.clear();
    if (m_document == nullptr || m_document->GetSelOperator() == nullptr)
        return false;
    const int32_t count = m_document->GetSelOperator()->GetCountUnfiltered();
    if (count < 1)
        return false; // a step that restores nothing would only clutter the history
    CDataFileUndoManager* undo = m_document->GetUndoManager();
    // Only a step this call recorded may be withdrawn, never an earlier one.
    const bool recorded =
        undo != nullptr && undo->RecordCaptionedUndo(std::string(verb) + " " + std::to_string(count) + " objects");
    CaptureOldLocations();

    const bool done = edit();
    if (done) {
        report();
        ReportAdjustedPoints();
    } else {
        // Nothing moved: a step left behind would restore nothing.
        if (recorded)
            undo->CancelLastStep();
        m_error = std::string(verb) + " results out of range.";
        ShowMessageBoxFS(m_error, MB_OK | MB_ICONERROR);
    }
    m_document->SendHint(nullptr, HintCoordinatesChanged, 0);
    m_document->SendHint(nullptr, HintCode38, 0);
    return done;
}

void CAdjustmentsCommand::CaptureOldLocations()
{
    CSelection* selection = m_document->GetCurrentSelection();
    if (selection == nullptr)
        return;
    CPointDatabase* points = m_document->GetPointDatabase();
    // Keyed by record and overwritten for every point moved, so stale entries are never read.
    m_oldLocations.reserve(size_t(points->GetCount()));
    RedBlackNode* pos = points->GetFirstPosition();
    while (CPointRecord* point = points->GetNextPoint(pos))
        if (selection->IsSelected(point))
            m_oldLocations[point] = point->GetLocation();
}

namespace {
// Section titles: heading centred, cells left; the tables: heading centred, cells right, so the
// numbers line up.
constexpr int32_t TitleColumn = ReportHeadingCentre | ReportCellLeft;
constexpr int32_t TableColumn = ReportHeadingCentre | ReportCellRight;
} // namespace

void CAdjustmentsCommand::StartSection(const char* title)
{
    if (m_report.IsEmpty()) {
        m_report.Clear();
        m_report.AddColumn(">>\t\tAdjustment Report", TitleColumn);
        m_report.AddRow();
        m_report.AddRow();
    }
    m_report.NewSection();
    m_report.AddColumn(title, TitleColumn);
    m_report.NewSection();
}

void CAdjustmentsCommand::ReportTranslation(const CLocation& delta)
{
    const CDataFileFormat& format = *m_document->GetDataFileFormat();
    StartSection(">>\t\tTranslation");
    m_report.AddColumn("Translate North", TableColumn);
    m_report.AddColumn("Translate East", TableColumn);
    m_report.AddColumn("Translate Elevation", TableColumn);
    const int32_t row = m_report.AddRow();
    m_report.SetCell(0, row, format.FormatCoordinate(delta.y, false, false), false);
    m_report.SetCell(1, row, format.FormatCoordinate(delta.x, false, false), false);
    m_report.SetCell(2, row, format.FormatElevation(delta.z, false, false), false);
    m_report.AddRow();
}

void CAdjustmentsCommand::ReportRotation(double angle, double originEasting, double originNorthing)
{
    const CDataFileFormat& format = *m_document->GetDataFileFormat();
    StartSection(">>\t\tRotation");
    m_report.AddColumn("Rotation", TableColumn);
    m_report.AddColumn("Origin North", TableColumn);
    m_report.AddColumn("Origin East", TableColumn);
    const int32_t row = m_report.AddRow();
    m_report.SetCell(0, row, format.FormatAngle(-angle, false, -1), false);
    m_report.SetCell(1, row, format.FormatCoordinate(originNorthing, false, false), false);
    m_report.SetCell(2, row, format.FormatCoordinate(originEasting, false, false), false);
    m_report.AddRow();
}

void CAdjustmentsCommand::ReportScale(const CLocation& origin, double eastingFactor, double northingFactor,
                                      double elevationFactor)
{
    const CDataFileFormat& format = *m_document->GetDataFileFormat();
    StartSection(">>\t\tScale");
    for (const char* heading : {"Scale Northing", "Scale Easting", "Scale Elevation", "Origin North", "Origin East",
                                "Origin Elevation"})
        m_report.AddColumn(heading, TableColumn);
    const int32_t row = m_report.AddRow();
    m_report.SetCell(0, row, FormatFactor(northingFactor), false);
    m_report.SetCell(1, row, FormatFactor(eastingFactor), false);
    m_report.SetCell(2, row, FormatFactor(elevationFactor), false);
    m_report.SetCell(3, row, format.FormatCoordinate(origin.y, false, false), false);
    m_report.SetCell(4, row, format.FormatCoordinate(origin.x, false, false), false);
    m_report.SetCell(5, row, format.FormatCoordinate(origin.z, false, false), false);
    m_report.AddRow();
}

void CAdjustmentsCommand::ReportAdjustedPoints()
{
    CSelection* selection = m_document->GetCurrentSelection();
    if (selection == nullptr)
        return;
    const CDataFileFormat& format = *m_document->GetDataFileFormat();
    const std::string captions[] = {GetPlanYCaption(), GetPlanXCaption(), GetPlanZCaption()};
    bool started = false;
    bool anyRow = false;
    CPointDatabase* points = m_document->GetPointDatabase();
    RedBlackNode* pos = points->GetFirstPosition();
    while (CPointRecord* point = points->GetNextPoint(pos)) {
        if (!selection->IsSelected(point))
            continue;
        if (!started) {
            started = true;
            m_report.NewSection();
            m_report.AddColumn("", TableColumn);
            m_report.AddTextRow(">>  Adjusted Points");
            m_report.NewSection();
            m_report.AddColumn("Point #", TableColumn);
            for (const char* age : {"Old ", "New "})
                for (const std::string& caption : captions)
                    m_report.AddColumn((age + caption).c_str(), TableColumn);
        }
        const auto old = m_oldLocations.find(point);
        if (old == m_oldLocations.end())
            continue;
        const CLocation now = point->GetLocation();
        const int32_t row = m_report.AddRow();
        m_report.SetCell(0, row, point->GetName(), false);
        m_report.SetCell(1, row, format.FormatCoordinate(old->second.y, false, false), false);
        m_report.SetCell(2, row, format.FormatCoordinate(old->second.x, false, false), false);
        m_report.SetCell(3, row, format.FormatElevation(old->second.z, false, false), false);
        m_report.SetCell(4, row, format.FormatCoordinate(now.y, false, false), false);
        m_report.SetCell(5, row, format.FormatCoordinate(now.x, false, false), false);
        m_report.SetCell(6, row, format.FormatElevation(now.z, false, false), false);
        anyRow = true;
    }
    if (anyRow) {
        m_report.AddRow();
        m_report.AddRow();
    }
}
