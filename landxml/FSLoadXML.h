#pragma once

#include <map>
#include <string>
#include <vector>

class CLandXML;
class CLandXMLCgPoint;
class CLandXMLCgPoints;
class CReport;
class CDataFileSelOperator;

// The generic LandXML point import over a loaded document: checks and collects the point names,
// optionally renames them, maps the file's linear unit to metres and walks every CgPoints group.
// The target (a job) is supplied by the derived class.
class FSLoadXML
{
public:
    // Which attribute becomes the point description.
    static constexpr int kDescriptionCode = 0;
    static constexpr int kDescriptionDesc = 1;

    // Codes of the file's linear unit.
    static constexpr int kMillimeter = 0;
    static constexpr int kCentimeter = 1;
    static constexpr int kMeter = 2;
    static constexpr int kKilometer = 3;
    static constexpr int kFoot = 4;
    static constexpr int kUSSurveyFoot = 5;
    static constexpr int kInch = 6;
    static constexpr int kMile = 7;

    FSLoadXML();
    virtual ~FSLoadXML();
    FSLoadXML(const FSLoadXML&) = delete;
    FSLoadXML& operator=(const FSLoadXML&) = delete;

    // The driver: true when the groups were walked. Errors are shown to the user and give false.
    // reportArgument is the file name the report's title names.
    virtual bool Load(CLandXML& document, const std::string& reportArgument);
    // File units to metres.
    virtual double ConvertDistance(double value) = 0;
    virtual std::string MakeUniqueName(const std::string& name) = 0;
    // This group's points, then its nested groups; false when the target refused a point.
    virtual bool ImportCgPointGroup(const CLandXMLCgPoints& group);
    virtual bool AddPoint(const CLandXMLCgPoint& point) = 0;
    virtual void BeginReport(const std::string& reportArgument) = 0;
    virtual bool RenamePoints(const std::vector<std::string>& names, std::map<std::string, std::string>& renameMap) = 0;
    virtual bool IsValidPointName(const std::string& name) = 0;
    // The new name from the rename map; the name itself with renaming off or without an entry.
    virtual const std::string& LookupRename(const std::string& name) const;
    virtual CDataFileSelOperator* GetSelectionOperator() = 0;

    void SetImportOptions(bool renamePoints, bool makeReport, CReport* report);
    void SetDescriptionMode(int mode) { m_descriptionMode = mode; }
    int GetDescriptionMode() const { return m_descriptionMode; }
    int GetLinearUnit() const { return m_linearUnit; }
    const std::map<std::string, std::string>& GetRenameMap() const { return m_renameMap; }

    // The code of a linearUnit text (exact comparison; any other text is metres) and its factor.
    static int LinearUnitCode(const std::string& linearUnit);
    static double LinearUnitFactor(int code);
    // The factor of the current linear unit.
    double ConvertLengthToMetres(double value) const;

protected:
    // The document's named points in name order (into names, when given); false (after telling
    // the user) when a name is not a valid point name or a point's coordinates do not fit a job in
    // metres.
    bool CollectPointNames(CLandXML& document, std::vector<std::string>* names);
    // Whether the point may go into the job; with tell, the user is told why not.
    bool CheckPoint(const CLandXMLCgPoint& point, double factor, bool tell);
    // Shows the text of an error caught at an entry point.
    static void ShowInvalidFile(const std::string& message);

    int m_descriptionMode = kDescriptionDesc;
    int m_linearUnit = kMeter;
    bool m_renamePoints = false;
    bool m_makeReport = false;
    CReport* m_report = nullptr;
    std::map<std::string, std::string> m_renameMap;
};
