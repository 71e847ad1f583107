#pragma once

#include "landxml/XMLElementWithFeatures.h"
#include "landxml/elements/LandXMLPntList.h"
#include "landxml/elements/LandXMLPointType.h"

#include <memory>
#include <string>
#include <vector>

class CLandXMLCgPoint;

// One segment of a CoordGeom path. Its Start, End, Center and PI children are read on demand as
// points; every coordinate operation multiplies by scale.
class CLandXMLCoordGeomComponent : public CXMLElementWithFeatures
{
public:
    bool Read(pugi::xml_node element, CLandXML* document) override { return Load(element, document); }
    void Reset() override;

    virtual bool GetStart(double& x, double& y, double& z, double scale) const;
    virtual bool GetEnd(double& x, double& y, double& z, double scale) const;
    virtual bool GetCenter(double& x, double& y, double& z, double scale) const;
    virtual bool GetPI(double& x, double& y, double& z, double scale) const;
    // True when Start and End both hold their coordinates through a reference, matching it.
    virtual bool IsDefinedByPointRefs() const;

    // The child of that tag read as a point: true (point bound) when the child exists and reads.
    bool GetStartPoint(CLandXMLPointType& point) const { return GetChildPoint("Start", point); }
    bool GetEndPoint(CLandXMLPointType& point) const { return GetChildPoint("End", point); }
    bool GetCenterPoint(CLandXMLPointType& point) const { return GetChildPoint("Center", point); }
    bool GetPIPoint(CLandXMLPointType& point) const { return GetChildPoint("PI", point); }

protected:
    // The child point's coordinates; false when it is missing or gives none. Each child is read
    // once: the document does not change while it is read, so the answer is kept.
    bool GetChildCoordinates(const char* tag, double& x, double& y, double& z, double scale) const;
    bool GetChildPoint(const char* tag, CLandXMLPointType& point) const;
    // Reads Start and End, raising "%s contains no valid %s element." for a missing one.
    void RequireStartAndEnd();

private:
    struct KnownPoint
    {
        bool known = false;
        bool found = false;
        double x = 0.0;
        double y = 0.0;
        double z = 0.0;
    };
    // Start, End, Center and PI as read.
    mutable KnownPoint m_known[4];
};

// A straight segment.
class CLandXMLCoordGeomLine : public CLandXMLCoordGeomComponent
{
public:
    bool Read(pugi::xml_node element, CLandXML* document) override;
    bool Validate(pugi::xml_node element) override { return IsTag(element, "Line"); }
};

// A polyline: Start, End and a point list.
class CLandXMLCoordGeomIrreLine : public CLandXMLCoordGeomComponent
{
public:
    ~CLandXMLCoordGeomIrreLine() override;

    bool Read(pugi::xml_node element, CLandXML* document) override;
    bool Validate(pugi::xml_node element) override { return IsTag(element, "IrregularLine"); }
    void Reset() override;
    bool IsDefinedByPointRefs() const override { return false; }

    CLandXMLPnt2DList* GetPointList() const { return m_pointList.get(); }

private:
    std::unique_ptr<CLandXMLPnt2DList> m_pointList;
};

// A circular arc. A point of the four that is not written is computed from the other three.
class CLandXMLCoordGeomCurve : public CLandXMLCoordGeomComponent
{
public:
    bool Read(pugi::xml_node element, CLandXML* document) override;
    // Tag "Curve", rot "cw" or "ccw"; fewer than three of Start, End, Center and PI throws
    // "Fail to validate element 'Curve'.".
    bool Validate(pugi::xml_node element) override;

    bool GetStart(double& x, double& y, double& z, double scale) const override;
    bool GetEnd(double& x, double& y, double& z, double scale) const override;
    bool GetCenter(double& x, double& y, double& z, double scale) const override;
    bool GetPI(double& x, double& y, double& z, double scale) const override;

    // Direction (true counter-clockwise), central angle in (0, 2pi) and radius; false when the
    // ends are not at one radius from the centre.
    bool GetCurveParameters(bool& counterClockwise, double& centralAngle, double& radius, double scale) const;
};

// A spiral: checked, not computed; its points come from its children.
class CLandXMLCoordGeomSpiral : public CLandXMLCoordGeomComponent
{
public:
    bool Read(pugi::xml_node element, CLandXML* document) override;
    // Tag "Spiral", length > 0, radii > 0 or "INF", rot "cw"/"ccw" and a known spiType.
    bool Validate(pugi::xml_node element) override;
};

// A path through named CgPoints, the names blank-separated in the text.
class CLandXMLCoordGeomChain : public CLandXMLCoordGeomComponent
{
public:
    bool Read(pugi::xml_node element, CLandXML* document) override;
    // Tag "Chain", and every name names a CgPoint of the document's point groups.
    bool Validate(pugi::xml_node element) override;
    void Reset() override;

    // The first and the last named point; a name that names no point throws.
    bool GetStart(double& x, double& y, double& z, double scale) const override;
    bool GetEnd(double& x, double& y, double& z, double scale) const override;
    bool IsDefinedByPointRefs() const override { return true; }

    // The point named next; null when no name is left or none is found.
    CLandXMLCgPoint* GetNextChainPoint();
    void RewindChain() { m_next = 0; }

private:
    bool GetNamedPoint(const std::string& name, double& x, double& y, double& z, double scale) const;

    std::vector<std::string> m_names;
    std::size_t m_next = 0;
};
