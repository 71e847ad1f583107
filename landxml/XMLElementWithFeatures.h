#pragma once

#include "landxml/XMLElement.h"

#include <memory>
#include <string>
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

    // Loads the element and reads its Feature children and every child tagged childTag into
    // children, in document order; false as soon as any of them fails to read.
    template <class Child>
    bool ReadFeaturesAndChildren(pugi::xml_node element, CLandXML* document, const char* childTag,
                                 std::vector<std::unique_ptr<Child>>& children)
    {
        if (!Load(element, document))
            return false;
        ResetChildIteration();
        pugi::xml_node child;
        while (GetNextChildElement(child)) {
            const std::string tag = GetTagName(child);
            if (tag == "Feature") {
                if (!ReadFeature(child, document))
                    return false;
            } else if (tag == childTag) {
                children.push_back(std::make_unique<Child>());
                if (!children.back()->Read(child, document))
                    return false;
            }
        }
        return true;
    }

    std::vector<std::unique_ptr<CLandXMLFeature>> m_features;
};
