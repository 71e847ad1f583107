#include "landxml/elements/LandXMLUnits.h"

pugi::xml_node CLandXMLUnits::UnitSystem(pugi::xml_node units)
{
    pugi::xml_node system = units.child("Metric");
    if (!system)
        system = units.child("Imperial");
    return system;
}

bool CLandXMLUnits::Validate(pugi::xml_node element)
{
    if (!IsTag(element, "Units"))
        return false;
    const pugi::xml_node system = UnitSystem(element);
    if (!system)
        return false;
    std::string text;
    for (const char* name : {"linearUnit", "areaUnit", "volumeUnit", "temperatureUnit", "pressureUnit"})
        if (!GetAttributeText(system, name, text))
            return false;
    return true;
}

std::string CLandXMLUnits::RequiredUnit(const char* attribute, const char* message) const
{
    std::string text;
    const pugi::xml_node system = UnitSystem(GetElement());
    if (!system || !GetAttributeText(system, attribute, text))
        const_cast<CLandXMLUnits*>(this)->RaiseError(message);
    return text;
}

std::string CLandXMLUnits::OptionalUnit(const char* attribute) const
{
    std::string text;
    const pugi::xml_node system = UnitSystem(GetElement());
    if (system)
        GetAttributeText(system, attribute, text);
    return text;
}

std::string CLandXMLUnits::GetLinearUnit() const
{
    return RequiredUnit("linearUnit", "Fail to get linear unit.");
}

std::string CLandXMLUnits::GetAreaUnit() const
{
    return RequiredUnit("areaUnit", "Fail to get area unit.");
}

std::string CLandXMLUnits::GetVolumeUnit() const
{
    return RequiredUnit("volumeUnit", "Fail to get volume unit.");
}

std::string CLandXMLUnits::GetTemperatureUnit() const
{
    return RequiredUnit("temperatureUnit", "Fail to get temperature unit.");
}

std::string CLandXMLUnits::GetPressureUnit() const
{
    return RequiredUnit("pressureUnit", "Fail to get pressure unit.");
}

std::string CLandXMLUnits::GetAngularUnit() const
{
    return OptionalUnit("angularUnit");
}

std::string CLandXMLUnits::GetDirectionUnit() const
{
    return OptionalUnit("directionUnit");
}
