#pragma once

#include "cogo/InverseValues.h"
#include "core/Location.h"
#include "core/Report.h"

#include <array>
#include <string>
#include <utility>
#include <vector>

class CDataFileDoc;
class CFormat;
class CRecord;

// Where a solve draws its previews: the active map, or a recorder in tests.
class CCogoScratchSink
{
public:
    virtual ~CCogoScratchSink() = default;
    virtual void AddLine(const CLocation& from, const CLocation& to) = 0;
    virtual void AddCircle(const CLocation& centre, double radius) = 0;
};

// Scratch lines and circles on the active job view's map. Lines are drawn together when the
// sink goes (or at Flush), so a long side-shot list redraws the map once, not once a line.
class CMapScratchSink : public CCogoScratchSink
{
public:
    ~CMapScratchSink() override { Flush(); }
    void AddLine(const CLocation& from, const CLocation& to) override { m_lines.push_back({from, to}); }
    void AddCircle(const CLocation& centre, double radius) override;
    void Flush();

private:
    std::vector<std::pair<CLocation, CLocation>> m_lines;
};

class CCogoScratchRecorder : public CCogoScratchSink
{
public:
    struct Circle
    {
        CLocation centre;
        double radius;
    };
    void AddLine(const CLocation& from, const CLocation& to) override { lines.push_back({from, to}); }
    void AddCircle(const CLocation& centre, double radius) override { circles.push_back({centre, radius}); }

    std::vector<std::pair<CLocation, CLocation>> lines;
    std::vector<Circle> circles;
};

// What a solve tells the user: a message, at a field (its control id) or in a box (field 0).
struct CCogoMessage
{
    std::string text;
    int field = 0;
};

// The intersection panel's members and its solve.
class CIntersectionCommand
{
public:
    static constexpr double DefaultDirection = 1.5707963267948966;

    // The report is the panel's own when it hands one over.
    explicit CIntersectionCommand(CReport* report = nullptr);

    std::string baseA, baseB;
    double directionA = DefaultDirection, directionB = DefaultDirection;
    double distanceA = NoValue, distanceB = NoValue;
    int modeA = 0, modeB = 0;
    int storeC = 1;
    std::string storeNameC;
    int storeD = 1;
    std::string storeNameD;
    std::string descriptionC = "I-sect Pt C", descriptionD = "I-sect Pt D";

    // Northing and easting of C and D as the panel shows them.
    std::string northingC, eastingC, northingD, eastingD;

    CReport& GetReport() { return m_report; }
    // D can be stored only when either line is a circle.
    bool StoresD() const { return storeD != 0 && (modeA == 1 || modeB == 1); }
    // C and D would be stored under one name, so D would overwrite C at once.
    bool StoreNamesClash() const;
    // C the job's next free name, D the next free one after it.
    void ProposeStoreNames(CDataFileDoc& doc);
    // The field checks of the panel that need no prompt; the first failure and its field.
    bool Check(CDataFileDoc& doc, CCogoMessage* message) const;
    // Checks, reports, draws and stores; false with "No intersection exists." when there is no
    // solution (the report still gets the given part).
    bool Solve(CDataFileDoc& doc, CCogoScratchSink& scratch, CCogoMessage* message);

private:
    void AddRow(const std::string& label, const std::string& value);
    void ReportSolution(CDataFileDoc& doc, const CLocation& at, bool store, std::string& name,
                        const std::string& description, const char* unstoredLabel, std::string& north,
                        std::string& east);

    CReport m_ownReport;
    CReport& m_report;
};

// The inverse panel's members and its solve.
class CInverseCommand
{
public:
    enum Mode { Simple = 0, SideShot = 1, Sequence = 2, MultipleSideShots = 3 };

    // The report is the panel's own when it hands one over.
    explicit CInverseCommand(CReport* report = nullptr);

    int mode = Simple;
    std::string point1, point2;
    bool sectionNeeded = true;
    // Distance, direction, dN, dE, dZ, slope distance, grade.
    std::array<std::string, 7> results;

    CReport& GetReport() { return m_report; }
    // The message bar was cleared: the next single inverse starts under fresh headings.
    void ClearReport();
    // One solve in the current mode; selection is the job's selection in its order (Multiple
    // side shots only). Sequence mode then moves point 2 into point 1, also when the pair was
    // refused (the same point twice, or two points at one place: false with the message at
    // field 0); a missing point (false at its field) moves nothing.
    bool Solve(CDataFileDoc& doc, CCogoScratchSink& scratch, const std::vector<CRecord*>& selection,
               CCogoMessage* message);

private:
    bool InverseSingle(CDataFileDoc& doc, CCogoScratchSink& scratch, CCogoMessage* message);
    void InverseMultipleSideShots(CDataFileDoc& doc, CCogoScratchSink& scratch,
                                  const std::vector<CRecord*>& selection);

    CReport m_ownReport;
    CReport& m_report;
};

// The point in direction panel's members and its solve.
class CPointInDirectionCommand
{
public:
    // The report is the panel's own when it hands one over.
    explicit CPointInDirectionCommand(CReport* report = nullptr);

    std::string fromPoint;
    double direction = 1.5707963267948966;
    double angle = 0.0;
    double distance = NoValue;
    double rise = 0.0;
    int store = 1;
    std::string storeName;
    std::string description = "Pt in Dir";
    int traverse = 1;

    // Northing, easting and elevation as the panel shows them.
    std::string northing, easting, elevation;

    CReport& GetReport() { return m_report; }
    void ProposeStoreName(CDataFileDoc& doc);
    bool Solve(CDataFileDoc& doc, CCogoScratchSink& scratch, CCogoMessage* message);

private:
    CReport m_ownReport;
    CReport& m_report;
};

// The label and value rows of the map-click inverse from one point to another.
void BuildPointInverseRows(const CFormat& format, const std::string& from, const CLocation& fromAt,
                           const std::string& to, const CLocation& toAt, std::vector<std::string>* labels,
                           std::vector<std::string>* values);
