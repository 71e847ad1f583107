#pragma once

#include "landxml/XMLElement.h"

#include <string>

// A Property of a Feature: a label with an optional value, read from the element on demand.
class CLandXMLProperty : public CXMLElement
{
public:
    bool Read(pugi::xml_node element, CLandXML* document) override { return Load(element, document); }
    // Tag "Property" with a label.
    bool Validate(pugi::xml_node element) override;
    virtual bool IsKvlFeaProperty() const { return false; }

    std::string GetLabel() const;
    std::string GetValue() const;
};

// The program's typed property inside "KVLFeaAttributes": a value type, decimals and a unit.
class CLandXMLKvlFeaProperty : public CLandXMLProperty
{
public:
    // Value types of "KvlFeaType".
    static constexpr int kNumeric = 0;
    static constexpr int kString = 1;
    static constexpr int kMenu = 2;

    // Tag "KvlFeaProperty" with a label; a type attribute, when present, names one of the three types.
    bool Validate(pugi::xml_node element) override;
    bool IsKvlFeaProperty() const override { return true; }

    // From "KvlFeaType"; absent or unknown text gives kString.
    int GetKvlFeaType() const;
    // The first comma-separated word of "KvlFeaDecimal" as an integer; 0 when there is none.
    int GetKvlFeaDecimal() const;
    std::string GetKvlFeaUnit() const;
};
