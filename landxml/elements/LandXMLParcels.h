#pragma once

#include "landxml/XMLElementWithFeatures.h"
#include "landxml/elements/LandXMLCoordGeom.h"
#include "landxml/elements/LandXMLPointType.h"

#include <memory>
#include <vector>

class CLandXMLParcel;

// A group of parcels; parcels nest through their own Parcels child.
class CLandXMLParcels : public CXMLElementWithFeatures
{
public:
    CLandXMLParcels();
    ~CLandXMLParcels() override;

    bool Read(pugi::xml_node element, CLandXML* document) override;
    bool Validate(pugi::xml_node element) override { return IsTag(element, "Parcels"); }
    void Reset() override;

    // The parcels here and, recursively, those nested in them.
    int CountParcels() const;
    const std::vector<std::unique_ptr<CLandXMLParcel>>& GetParcels() const { return m_parcels; }

private:
    std::vector<std::unique_ptr<CLandXMLParcel>> m_parcels;
};

// A parcel: optional Center, CoordGeom and nested Parcels, read only when they stand first among
// its children, in that order.
class CLandXMLParcel : public CXMLElementWithFeatures
{
public:
    CLandXMLParcel();
    ~CLandXMLParcel() override;

    bool Read(pugi::xml_node element, CLandXML* document) override;
    // Tag "Parcel" with a name that is not blank.
    bool Validate(pugi::xml_node element) override;
    void Reset() override;

    const CLandXMLParcels& GetParcels() const { return m_parcels; }
    const CLandXMLCoordGeom& GetCoordGeom() const { return m_coordGeom; }
    const CLandXMLPointType& GetCenter() const { return m_center; }

private:
    CLandXMLParcels m_parcels;
    CLandXMLCoordGeom m_coordGeom;
    CLandXMLPointType m_center;
};
