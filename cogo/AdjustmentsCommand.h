#pragma once

#include "core/Location.h"
#include "core/Report.h"

#include <cstdint>
#include <string>
#include <unordered_map>

class CDataFileDoc;
class CRecord;

// The offset of a translation by direction (radians, counter-clockwise from east), horizontal
// distance and rise. An empty distance counts as 0, so a pure elevation shift works; false when
// both the distance and the rise are below 0.0001 in magnitude (nothing would move).
bool TranslateByDelta(double direction, double distance, double rise, CLocation& delta);

// The offset that moves the reference onto the destination. The elevation offset is 0 unless
// both have an elevation, so points keep their elevations.
CLocation TranslateToDelta(const CLocation& reference, const CLocation& destination);

inline constexpr int32_t RotateSimple = 0;
inline constexpr int32_t RotateChangeInDirection = 1;

// The angle the job turns the points by (counter-clockwise positive): a simple angle is typed
// clockwise, so it is negated; a change in direction is the new direction minus the original one.
double RotationAngle(int32_t mode, double simpleAngle, double originalDirection, double newDirection);

// The factor of an entry of the predefined list; 1.0 for any other index.
double PredefinedScaleFactor(int32_t index);
inline constexpr int32_t PredefinedScaleFactorCount = 6;

// A scale factor must have a value strictly between 0.01 and 100.0.
bool IsValidScaleFactor(double factor);
inline constexpr const char* ScaleFactorMessage = "Scale factor must be greater than 0.01 and less than 100.0.";

// A reference or destination location of the adjustment pages: a named point or typed values.
struct CAdjustLocation
{
    bool fromPoint = true;
    std::string pointName;
    CLocation typed;
};

enum class AdjustLocationResult
{
    Found,
    // The named point is not in the job.
    NotFound,
    // The user cancelled the question about a missing elevation.
    Cancelled,
};

// Reads the location. When it has no elevation and ask is set, the user is asked whether to go
// on without adjusting elevations (OK gives a location without elevation).
AdjustLocationResult ResolveAdjustLocation(CDataFileDoc* document, const CAdjustLocation& where, bool ask,
                                           CLocation& at);

// The offset of "Translate to": the question about a missing elevation is asked at most once,
// for the reference or, when the reference had one, for the destination. atDestination
// says which location a Cancel or a missing point concerns.
AdjustLocationResult TranslateToParameters(CDataFileDoc* document, const CAdjustLocation& reference,
                                           const CAdjustLocation& destination, CLocation& delta,
                                           bool& atDestination);

// The origin of a typed scale. A reference without elevation, once the user agrees, scales
// northing and easting only: the origin elevation becomes 0 and the elevation factor 1.0.
AdjustLocationResult ResolveScaleOrigin(CDataFileDoc* document, const CAdjustLocation& reference, CLocation& origin,
                                        double& elevationFactor);

// Translates, rotates or scales the selected points of a job as one undo step, and keeps the
// adjustment report with the old and new coordinates of every point moved. A result out of the
// coordinate range moves nothing, withdraws the step and tells the user.
class CAdjustmentsCommand
{
public:
    explicit CAdjustmentsCommand(CDataFileDoc* document) : m_document(document) {}

    bool Translate(const CLocation& delta);
    // The angle as the job applies it (see RotationAngle); the report shows it negated.
    bool Rotate(double originEasting, double originNorthing, double angle);
    bool Scale(const CLocation& origin, double eastingFactor, double northingFactor, double elevationFactor);

    CReport& GetReport() { return m_report; }
    // The message of the last refusal; empty after a success.
    const std::string& GetError() const { return m_error; }
    // Each point's location before the latest operation that moved it.
    const std::unordered_map<const CRecord*, CLocation>& GetOldLocations() const { return m_oldLocations; }

private:
    enum class Operation
    {
        Translate,
        Rotate,
        Scale,
    };
    // The frame every operation shares: one step, old locations, the job's bulk edit, the
    // report or the refusal, the hints.
    template <typename Edit, typename Report>
    bool Run(Operation operation, Edit&& edit, Report&& report);
    void CaptureOldLocations();
    void StartSection(const char* title);
    void ReportTranslation(const CLocation& delta);
    void ReportRotation(double angle, double originEasting, double originNorthing);
    void ReportScale(const CLocation& origin, double eastingFactor, double northingFactor, double elevationFactor);
    void ReportAdjustedPoints();

    CDataFileDoc* m_document; // not owned
    CReport m_report;
    std::unordered_map<const CRecord*, CLocation> m_oldLocations;
    std::string m_error;
};
