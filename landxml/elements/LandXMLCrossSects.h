#pragma once

#include "landxml/XMLElementWithFeatures.h"
#include "landxml/elements/LandXMLFeature.h"
#include "landxml/elements/LandXMLPntList.h"

#include <memory>
#include <string>
#include <vector>

// The program's own list of node names inside a cross-section surface feature; the names stay in
// the element's text.
class CLandXMLKvlCrossSectSurfNodeList : public CXMLElement
{
public:
    bool Read(pugi::xml_node element, CLandXML* document) override { return Load(element, document); }
    bool Validate(pugi::xml_node element) override { return IsTag(element, "KvlCrossSectSurfNodeNameList"); }

    std::string GetNodeNames() const { return GetText(); }
};

// A Feature of a CrossSectSurf: a feature that may also carry node-name lists, which it owns.
class CLandXMLCrossSectSurfFeature : public CLandXMLFeature
{
public:
    ~CLandXMLCrossSectSurfFeature() override;

    bool Read(pugi::xml_node element, CLandXML* document) override;
    void Reset() override;

    const std::vector<std::unique_ptr<CLandXMLKvlCrossSectSurfNodeList>>& GetNodeNameLists() const
    {
        return m_nodeNameLists;
    }

private:
    std::vector<std::unique_ptr<CLandXMLKvlCrossSectSurfNodeList>> m_nodeNameLists;
};

// One surface profile of a cross section: 2D point lists and features; the node-name lists of
// its features are gathered here in document order (they stay owned by the features).
class CLandXMLCrossSectSurf : public CXMLElementWithFeatures
{
public:
    ~CLandXMLCrossSectSurf() override;

    bool Read(pugi::xml_node element, CLandXML* document) override;
    // Tag "CrossSectSurf" with a name.
    bool Validate(pugi::xml_node element) override;
    // Forgets the gathered node-name lists before the features that own them go.
    void Reset() override;

    const std::string& GetName() const { return m_name; }
    const std::vector<std::unique_ptr<CLandXMLPnt2DList>>& GetPointLists() const { return m_pointLists; }
    const std::vector<CLandXMLKvlCrossSectSurfNodeList*>& GetNodeNameLists() const { return m_nodeNameLists; }

private:
    std::string m_name;
    std::vector<std::unique_ptr<CLandXMLPnt2DList>> m_pointLists;
    std::vector<CLandXMLKvlCrossSectSurfNodeList*> m_nodeNameLists;
};

// A cross section at a station.
class CLandXMLCrossSect : public CXMLElementWithFeatures
{
public:
    ~CLandXMLCrossSect() override;

    bool Read(pugi::xml_node element, CLandXML* document) override;
    // Tag "CrossSect" with a numeric sta.
    bool Validate(pugi::xml_node element) override;
    void Reset() override;

    double GetStation() const { return m_sta; }
    const std::vector<std::unique_ptr<CLandXMLCrossSectSurf>>& GetSurfaces() const { return m_surfaces; }

private:
    std::vector<std::unique_ptr<CLandXMLCrossSectSurf>> m_surfaces;
    double m_sta = 0.0;
};

// A group of cross sections of an alignment.
class CLandXMLCrossSects : public CXMLElementWithFeatures
{
public:
    ~CLandXMLCrossSects() override;

    bool Read(pugi::xml_node element, CLandXML* document) override;
    bool Validate(pugi::xml_node element) override { return IsTag(element, "CrossSects"); }
    void Reset() override;

    const std::string& GetName() const { return m_name; }
    const std::string& GetDesc() const { return m_desc; }
    const std::vector<std::unique_ptr<CLandXMLCrossSect>>& GetCrossSections() const { return m_crossSections; }

private:
    std::vector<std::unique_ptr<CLandXMLCrossSect>> m_crossSections;
    std::string m_name;
    std::string m_desc;
};
