#pragma once

#include "landxml/XMLElementWithFeatures.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// A ZoneWidth of a zone: its stations and start width, stored when validated.
class CLandXMLZoneWidth : public CXMLElementWithFeatures
{
public:
    bool Read(pugi::xml_node element, CLandXML* document) override { return Load(element, document); }
    bool Validate(pugi::xml_node element) override;

    double staStart = 0.0;
    double staEnd = 0.0;
    double startWidth = 0.0;
};

// A ZoneSlope of a zone: its stations and end value, stored when validated.
class CLandXMLZoneSlope : public CXMLElementWithFeatures
{
public:
    bool Read(pugi::xml_node element, CLandXML* document) override { return Load(element, document); }
    bool Validate(pugi::xml_node element) override;

    double staStart = 0.0;
    double staEnd = 0.0;
    double endVertValue = 0.0;
    bool endValueIsSlope = false;
};

// A Zone of a grade surface; its attributes are stored when validated.
class CLandXMLZone : public CXMLElementWithFeatures
{
public:
    ~CLandXMLZone() override;

    bool Read(pugi::xml_node element, CLandXML* document) override;
    bool Validate(pugi::xml_node element) override;
    void Reset() override;

    const std::vector<std::unique_ptr<CLandXMLZoneWidth>>& GetWidths() const { return m_widths; }
    const std::vector<std::unique_ptr<CLandXMLZoneSlope>>& GetSlopes() const { return m_slopes; }

    std::string category;
    double staStart = 0.0;
    double startWidth = 0.0;
    double startVertValue = 0.0;
    bool startValueIsSlope = false;
    // Truncated toward zero.
    int32_t priority = 0;
    // NoValue when absent.
    double staEnd = 0.0;

private:
    std::vector<std::unique_ptr<CLandXMLZoneWidth>> m_widths;
    std::vector<std::unique_ptr<CLandXMLZoneSlope>> m_slopes;
};

// The zones on one side of a grade surface.
class CLandXMLZones : public CXMLElementWithFeatures
{
public:
    static constexpr int kLeft = 0;
    static constexpr int kRight = 1;
    static constexpr int kBoth = 2;

    ~CLandXMLZones() override;

    // Throws "'Zones' is empty." without a Zone child.
    bool Read(pugi::xml_node element, CLandXML* document) override;
    // Tag "Zones" with side "left", "right" or "both".
    bool Validate(pugi::xml_node element) override;
    void Reset() override;

    int GetSide() const { return m_side; }
    const std::vector<std::unique_ptr<CLandXMLZone>>& GetZones() const { return m_zones; }

private:
    std::vector<std::unique_ptr<CLandXMLZone>> m_zones;
    int m_side = kLeft;
};
