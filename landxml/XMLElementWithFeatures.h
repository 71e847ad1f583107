#pragma once

#include "landxml/XMLElement.h"

#include <memory>
#include <vector>

class CLandXMLFeature;

// Base of the elements that may carry Feature children; the derived classes append the features
// they read to the list, which owns them.
class CXMLElementWithFeatures : public CXMLElement
{
public:
    CXMLElementWithFeatures();
    ~CXMLElementWithFeatures() override;

    void Reset() override;

    const std::vector<std::unique_ptr<CLandXMLFeature>>& GetFeatures() const { return m_features; }

protected:
    // Creates a feature for the child, appends it and reads it.
    bool ReadFeature(pugi::xml_node child, CLandXML* document);

    std::vector<std::unique_ptr<CLandXMLFeature>> m_features;
};
