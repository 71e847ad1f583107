#pragma once

#include "landxml/XMLElementWithFeatures.h"
#include "landxml/elements/LandXMLProperty.h"

#include <memory>
#include <string>
#include <vector>

// The program's own extension inside a Feature: "KVLFeaAttributes", a coded list of plain and
// typed properties in document order.
class CLandXMLKvlFeature : public CXMLElement
{
public:
    ~CLandXMLKvlFeature() override;

    bool Read(pugi::xml_node element, CLandXML* document) override;
    // Tag "KVLFeaAttributes" with a code.
    bool Validate(pugi::xml_node element) override;
    void Reset() override;

    std::string GetCode() const;
    const std::vector<std::unique_ptr<CLandXMLProperty>>& GetProperties() const { return m_properties; }

private:
    std::vector<std::unique_ptr<CLandXMLProperty>> m_properties;
};

// A Feature: a code, its Property children, an optional "KVLFeaAttributes" extension and nested
// features (in the base's list).
class CLandXMLFeature : public CXMLElementWithFeatures
{
public:
    ~CLandXMLFeature() override;

    bool Read(pugi::xml_node element, CLandXML* document) override;
    // Tag "Feature"; the code may be absent.
    bool Validate(pugi::xml_node element) override;
    void Reset() override;

    std::string GetCode() const;
    const std::vector<std::unique_ptr<CLandXMLProperty>>& GetProperties() const { return m_properties; }
    const CLandXMLKvlFeature& GetExtension() const { return m_extension; }

private:
    std::vector<std::unique_ptr<CLandXMLProperty>> m_properties;
    CLandXMLKvlFeature m_extension;
};
