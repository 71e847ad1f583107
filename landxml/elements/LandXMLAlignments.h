#pragma once

#include "landxml/XMLElementWithFeatures.h"
#include "landxml/elements/LandXMLCoordGeom.h"
#include "landxml/elements/LandXMLCrossSects.h"
#include "landxml/elements/LandXMLPointType.h"

#include <memory>
#include <string>
#include <vector>

// A component of a vertical profile alignment: PVI, ParaCurve, UnsymParaCurve or CircCurve, whose
// text holds a station and an elevation.
class CLandXMLProfAlignComponent : public CXMLElementWithFeatures
{
public:
    // Refuses a text that is not a station and an elevation.
    bool Read(pugi::xml_node element, CLandXML* document) override;
    // PVI; ParaCurve with length > 0; UnsymParaCurve with lengthIn and lengthOut > 0; CircCurve
    // with length and radius > 0.
    bool Validate(pugi::xml_node element) override;

    // The two numbers of the text, split at single blanks, each times scale; false unless there
    // are exactly two.
    bool ReadStationElevation(double& station, double& elevation, double scale) const;
    virtual bool IsSupported() const { return false; }
};

// A vertical alignment: PVI points and vertical curves, first and last a PVI.
class CLandXMLProfAlign : public CXMLElementWithFeatures
{
public:
    ~CLandXMLProfAlign() override;

    bool Read(pugi::xml_node element, CLandXML* document) override;
    // Tag "ProfAlign" with a name that is not blank.
    bool Validate(pugi::xml_node element) override;
    void Reset() override;

    const std::vector<std::unique_ptr<CLandXMLProfAlignComponent>>& GetComponents() const { return m_components; }

private:
    std::vector<std::unique_ptr<CLandXMLProfAlignComponent>> m_components;
};

// A profile of an alignment; empty vertical alignments are dropped.
class CLandXMLProfile : public CXMLElementWithFeatures
{
public:
    ~CLandXMLProfile() override;

    bool Read(pugi::xml_node element, CLandXML* document) override;
    bool Validate(pugi::xml_node element) override { return IsTag(element, "Profile"); }
    void Reset() override;

    const std::vector<std::unique_ptr<CLandXMLProfAlign>>& GetProfAligns() const { return m_profAligns; }

private:
    std::vector<std::unique_ptr<CLandXMLProfAlign>> m_profAligns;
};

// A road or corridor alignment: optional Start, the horizontal geometry, profiles and cross
// sections. A named alignment registers with the document, where names are unique.
class CLandXMLAlignment : public CXMLElementWithFeatures
{
public:
    CLandXMLAlignment();
    ~CLandXMLAlignment() override;

    bool Read(pugi::xml_node element, CLandXML* document) override;
    // Tag "Alignment" with numeric length and staStart.
    bool Validate(pugi::xml_node element) override;
    void Reset() override;

    const std::string& GetName() const { return m_name; }
    const CLandXMLPointType& GetStartPoint() const { return m_start; }
    const CLandXMLCoordGeom& GetCoordGeom() const { return m_coordGeom; }
    const std::vector<std::unique_ptr<CLandXMLProfile>>& GetProfiles() const { return m_profiles; }
    const std::vector<std::unique_ptr<CLandXMLCrossSects>>& GetCrossSects() const { return m_crossSects; }

private:
    CLandXMLPointType m_start;
    CLandXMLCoordGeom m_coordGeom;
    std::vector<std::unique_ptr<CLandXMLProfile>> m_profiles;
    std::vector<std::unique_ptr<CLandXMLCrossSects>> m_crossSects;
    std::string m_name;
};

// A group of alignments. Alignments holding a spiral of a type other than the clothoid are
// passed over unread.
class CLandXMLAlignments : public CXMLElementWithFeatures
{
public:
    ~CLandXMLAlignments() override;

    bool Read(pugi::xml_node element, CLandXML* document) override;
    bool Validate(pugi::xml_node element) override { return IsTag(element, "Alignments"); }
    void Reset() override;

    const std::vector<std::unique_ptr<CLandXMLAlignment>>& GetAlignments() const { return m_alignments; }

private:
    std::vector<std::unique_ptr<CLandXMLAlignment>> m_alignments;
};
