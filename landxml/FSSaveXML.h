#pragma once

#include "core/Location.h"

#include <cstdio>
#include <string>
#include <vector>

// An attribute of an element being written; the value is escaped once, when it is built.
struct CXmlAttribute
{
    CXmlAttribute(std::string name_, const std::string& value_);

    std::string name;
    std::string value;
};

// Escapes &, <, >, ' and " for an attribute value.
std::string EscapeXmlAttribute(const std::string& text);

// A small streaming LandXML writer: start tags with escaped attributes, end tags from a stack of
// open elements, one CgPoint element per point. Every line ends with CR LF. The text goes to a
// temporary file beside the target, which replaces the target only when the whole file was
// written (FinishFile), so a failed export never leaves a half-written file behind.
class FSSaveXML
{
public:
    // Which attribute carries the point description.
    static constexpr int kDescriptionCode = 0;
    static constexpr int kDescriptionDesc = 1;

    FSSaveXML();
    virtual ~FSSaveXML();
    FSSaveXML(const FSSaveXML&) = delete;
    FSSaveXML& operator=(const FSSaveXML&) = delete;

    virtual void WriteStartElement(const std::string& elementName, const std::vector<CXmlAttribute>& attributes);
    // Ends the innermost element, or with false every open element, innermost first.
    virtual void WriteEndElement(bool innermostOnly);
    // Metres to the export unit.
    virtual double ConvertDistance(double metres) = 0;
    // An element whose only attribute is pntRef (when the name is not empty), with the
    // coordinate text when the location has plane coordinates.
    virtual void WriteCgPointRef(const std::string& elementName, const std::string& referenceName,
                                 const CLocation& location);
    virtual void WriteCgPoint(const std::string& name, const std::string& description, const CLocation& location);

    // The first flag has no effect on the text.
    void SetExportOptions(bool unused, bool selectedOnly) { m_selectedOnly = selectedOnly; }
    // 1 desc, 0 code, any other value neither.
    void SetDescriptionMode(int mode) { m_descriptionMode = mode; }
    int GetDescriptionMode() const { return m_descriptionMode; }

    // Starts the output; on failure shows "Save failed, try again" and returns false.
    bool OpenFile(const std::string& fileName);
    void WriteString(const std::string& text);
    // Flushes the text to disk and puts it in place of the target. On failure tells the user,
    // removes the temporary file and returns false.
    bool FinishFile();
    // Drops the output without touching the target.
    void AbandonFile();

protected:
    // "%lf %lf[ %lf]" of northing, easting and, when all three are present, elevation.
    static std::string CoordinateText(const CLocation& location);

    int m_descriptionMode = kDescriptionDesc;
    int m_unitCode = 2;
    bool m_selectedOnly = false;
    std::vector<std::string> m_openElements;

private:
    std::FILE* m_file = nullptr;
    std::string m_targetPath;
    std::string m_tempPath;
};
