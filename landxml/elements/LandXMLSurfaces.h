#pragma once

#include "landxml/XMLElementWithFeatures.h"
#include "landxml/elements/LandXMLPointType.h"

#include <array>
#include <cstdint>
#include <span>
#include <memory>
#include <string>
#include <vector>

// A surface point P: validated (a whole-number id), its coordinate text not interpreted.
class CLandXMLSurfaceP : public CLandXMLPointType
{
public:
    CLandXMLSurfaceP() : CLandXMLPointType("P") {}

    bool Read(pugi::xml_node element, CLandXML* document) override { return Load(element, document); }
    // Tag "P" with an id that is a whole number.
    bool Validate(pugi::xml_node element) override;

    int32_t GetId() const { return m_id; }

private:
    int32_t m_id = -1;
};

// A face F: three or four vertex indices, single-blank separated.
class CLandXMLSurfaceF : public CXMLElementWithFeatures
{
public:
    bool Read(pugi::xml_node element, CLandXML* document) override;
    bool Validate(pugi::xml_node element) override { return IsTag(element, "F"); }

    // The indices in the order of the text; a triangle holds -1 in the fourth slot.
    const std::array<int32_t, 4>& GetIndices() const { return m_indices; }
    // 3 for a triangle, 4 for a quadrilateral.
    int GetCount() const { return m_count; }

private:
    std::array<int32_t, 4> m_indices {-1, -1, -1, -1};
    int m_count = 0;
};

// The points of a surface definition: at least three.
class CLandXMLSurfacePnts : public CXMLElementWithFeatures
{
public:
    ~CLandXMLSurfacePnts() override;

    bool Read(pugi::xml_node element, CLandXML* document) override;
    bool Validate(pugi::xml_node element) override { return IsTag(element, "Pnts"); }
    void Reset() override;

    // A surface has thousands of points: they are held in one block, in document order.
    std::span<const CLandXMLSurfaceP> GetPoints() const { return {m_points.get(), m_count}; }

private:
    std::unique_ptr<CLandXMLSurfaceP[]> m_points;
    std::size_t m_count = 0;
};

// A group of faces: at least one.
class CLandXMLSurfaceFaces : public CXMLElementWithFeatures
{
public:
    ~CLandXMLSurfaceFaces() override;

    bool Read(pugi::xml_node element, CLandXML* document) override;
    bool Validate(pugi::xml_node element) override { return IsTag(element, "Faces"); }
    void Reset() override;

    // A surface has thousands of faces: they are held in one block, in document order.
    std::span<const CLandXMLSurfaceF> GetFaces() const { return {m_faces.get(), m_count}; }

private:
    std::unique_ptr<CLandXMLSurfaceF[]> m_faces;
    std::size_t m_count = 0;
};

// A surface definition: its points, its face groups and its type.
class CLandXMLSurfaceDefinition : public CXMLElementWithFeatures
{
public:
    static constexpr int kTIN = 0;
    static constexpr int kGrid = 1;

    ~CLandXMLSurfaceDefinition() override;

    bool Read(pugi::xml_node element, CLandXML* document) override;
    // Tag "Definition" with surfType "TIN" or "grid".
    bool Validate(pugi::xml_node element) override;
    void Reset() override;

    int GetSurfaceType() const { return m_surfaceType; }
    const CLandXMLSurfacePnts& GetPoints() const { return m_points; }
    const std::vector<std::unique_ptr<CLandXMLSurfaceFaces>>& GetFacesGroups() const { return m_facesGroups; }

private:
    CLandXMLSurfacePnts m_points;
    std::vector<std::unique_ptr<CLandXMLSurfaceFaces>> m_facesGroups;
    int m_surfaceType = kTIN;
};

// SourceData and Watersheds of a surface: checked by tag, contents not read.
class CLandXMLSurfaceDataSrc : public CXMLElementWithFeatures
{
public:
    bool Read(pugi::xml_node element, CLandXML* document) override { return Load(element, document); }
    bool Validate(pugi::xml_node element) override { return IsTag(element, "SourceData"); }
};

class CLandXMLSurfaceWaterSheds : public CXMLElementWithFeatures
{
public:
    bool Read(pugi::xml_node element, CLandXML* document) override { return Load(element, document); }
    bool Validate(pugi::xml_node element) override { return IsTag(element, "Watersheds"); }
};

// A named surface with optional source data, definition and watersheds.
class CLandXMLSurface : public CXMLElementWithFeatures
{
public:
    ~CLandXMLSurface() override;

    bool Read(pugi::xml_node element, CLandXML* document) override;
    // Tag "Surface" with a name.
    bool Validate(pugi::xml_node element) override;
    void Reset() override;

    const std::string& GetName() const { return m_name; }
    const CLandXMLSurfaceDefinition& GetDefinition() const { return m_definition; }

private:
    CLandXMLSurfaceDataSrc m_sourceData;
    CLandXMLSurfaceDefinition m_definition;
    CLandXMLSurfaceWaterSheds m_watersheds;
    std::string m_name;
};

// A group of surfaces.
class CLandXMLSurfaces : public CXMLElementWithFeatures
{
public:
    ~CLandXMLSurfaces() override;

    bool Read(pugi::xml_node element, CLandXML* document) override;
    bool Validate(pugi::xml_node element) override { return IsTag(element, "Surfaces"); }
    void Reset() override;

    const std::vector<std::unique_ptr<CLandXMLSurface>>& GetSurfaces() const { return m_surfaces; }

private:
    std::vector<std::unique_ptr<CLandXMLSurface>> m_surfaces;
};
