#pragma once

#include "landxml/XMLElement.h"

#include <string>

// The document's one Units element. Its unit system child is the first Metric child, else the
// first Imperial child; the getters hand its attributes on as text.
class CLandXMLUnits : public CXMLElement
{
public:
    bool Read(pugi::xml_node element, CLandXML* document) override { return Load(element, document); }
    // Tag "Units" with a unit system child carrying non-empty linearUnit, areaUnit, volumeUnit,
    // temperatureUnit and pressureUnit.
    bool Validate(pugi::xml_node element) override;

    // These raise "Fail to get ... unit." when the child or the attribute is missing.
    std::string GetLinearUnit() const;
    std::string GetAreaUnit() const;
    std::string GetVolumeUnit() const;
    std::string GetTemperatureUnit() const;
    std::string GetPressureUnit() const;
    // Empty when missing.
    std::string GetAngularUnit() const;
    std::string GetDirectionUnit() const;

private:
    static pugi::xml_node UnitSystem(pugi::xml_node units);
    std::string RequiredUnit(const char* attribute, const char* message) const;
    std::string OptionalUnit(const char* attribute) const;
};
