#pragma once

#include "landxml/XMLElementWithFeatures.h"

#include <memory>
#include <vector>

class CLandXMLCgPoint;

// A CgPoints group: its CgPoint children (owned by the document), nested groups (owned here)
// and features.
class CLandXMLCgPoints : public CXMLElementWithFeatures
{
public:
    ~CLandXMLCgPoints() override;

    bool Read(pugi::xml_node element, CLandXML* document) override;
    // Tag "CgPoints".
    bool Validate(pugi::xml_node element) override;
    void Reset() override;

    // This group's points plus, recursively, those of the nested groups.
    int CountPoints() const;

    const std::vector<CLandXMLCgPoint*>& GetPoints() const { return m_points; }
    const std::vector<std::unique_ptr<CLandXMLCgPoints>>& GetGroups() const { return m_groups; }

private:
    std::vector<CLandXMLCgPoint*> m_points;
    std::vector<std::unique_ptr<CLandXMLCgPoints>> m_groups;
};
