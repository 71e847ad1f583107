#pragma once

#include "core/StableColumn.h"
#include "landxml/LandXMLText.h"
#include "landxml/XMLElement.h"
#include "landxml/elements/LandXMLCgPoint.h"
#include "landxml/elements/LandXMLUnits.h"

#include <pugixml.hpp>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class CLandXMLAlignment;
class CLandXMLAlignments;
class CLandXMLCgPoints;
class CLandXMLGradeModel;
class CLandXMLParcels;
class CLandXMLSurfaces;

// The root of the LandXML model: loads a file, checks it has one Units element and notes the
// elements the reader passes over, then reads the LandXML element in two passes (units and points
// first, then the other objects). It owns the parsed document and every CgPoint read anywhere in
// it, and keeps the registries through which elements resolve references by name.
class CLandXML : public CXMLElement
{
public:
    // Walks the named points in name order (case-insensitive).
    struct NamedCgPointPosition
    {
        std::size_t index = 0;
        std::size_t end = 0;
        bool IsValid() const { return index < end; }
    };

    CLandXML();
    ~CLandXML() override;

    bool Read(pugi::xml_node element, CLandXML* document) override;
    // Tag "LandXML".
    bool Validate(pugi::xml_node element) override;
    // Drops the top-level lists, the alignment index and the units; the point registries stay.
    void Reset() override;

    // Loads and reads the whole file. True when read; false when an element's reading said no
    // (the document is then reset). Other failures throw CLandXMLException. message receives the
    // note on elements the reader skips (empty when none).
    bool LoadFile(const std::string& fileName, std::string& message);

    // The registered point of that name (case-insensitive). With searchDocument, a name not yet
    // registered is looked for among the CgPoints groups of the file and read on the spot.
    CLandXMLCgPoint* FindCgPoint(std::string_view name, bool searchDocument);
    // Starts fetching the index slot of a name about to be looked up: a reader walking many points
    // asks for the next one's while it reads the current one.
    // Returns the name's index hash, which the lookup and the registration below may be given.
    uint64_t PrefetchCgPointName(std::string_view name) const;
    // The registered point of that name, the hash being HashCgPointName(name).
    CLandXMLCgPoint* FindRegisteredCgPoint(std::string_view name, uint64_t hash) const;
    // Registers a point under its own name (which name must be); a name already held leaves the
    // index as it was. Always true.
    bool AddNamedCgPoint(const std::string& name, CLandXMLCgPoint* point)
    {
        return AddNamedCgPoint(name, point, HashCgPointName(name));
    }
    bool AddNamedCgPoint(const std::string& name, CLandXMLCgPoint* point, uint64_t hash);
    // The name index's hash, the same for names equal without regard to case.
    static uint64_t HashCgPointName(std::string_view name);
    bool AddUnnamedCgPoint(CLandXMLCgPoint* point);
    // A new, unbound point that the document owns from now on.
    CLandXMLCgPoint* NewCgPoint();
    // Whether a CgPoint element of exactly that name stands in the file's point groups.
    bool HasCgPointElement(const std::string& name) { return !FindCgPointElement(name).empty(); }

    // The registered alignment of that name (case-insensitive), or null.
    CLandXMLAlignment* FindAlignment(const std::string& name) const;
    // Registers the alignment unless the name is taken; false then.
    bool AddAlignment(const std::string& name, CLandXMLAlignment* alignment);

    NamedCgPointPosition GetFirstNamedCgPointPosition() const;
    CLandXMLCgPoint* GetNextNamedCgPoint(NamedCgPointPosition& position) const;
    std::size_t GetFirstUnnamedCgPointPosition() const { return 0; }
    // Null once the position has passed the last point.
    CLandXMLCgPoint* GetNextUnnamedCgPoint(std::size_t& position) const;
    int GetNamedCgPointCount() const { return static_cast<int>(m_namedPoints.size()); }
    // Calls visit(point) for every named point in the order they were registered; stops at the
    // first false.
    template <class Visit>
    bool VisitNamedCgPoints(Visit visit) const
    {
        for (const CLandXMLCgPoint* point : m_namedPoints)
            if (!visit(*point))
                return false;
        return true;
    }
    int GetUnnamedCgPointCount() const { return static_cast<int>(m_unnamedPoints.size()); }

    // A rule the named points are held to as they are registered while the file is read, set
    // before loading: a bulk import then knows whether any point would be refused without walking
    // the points again, after the read has left them. The rule is called once a named point.
    void SetNamedPointCheck(std::function<bool(const std::string&)> check) { m_namedPointCheck = std::move(check); }
    // True when a rule was set before loading and every named point passed it and has finite
    // coordinates; largest is then the largest size among those coordinates (an elevation only
    // where one is given).
    bool AllNamedPointsPassed(double& largest) const
    {
        largest = m_largestNamedCoordinate;
        return m_namedPointCheck && m_namedPointsPassed;
    }

    // Read switches: CgPoints (on by default), grade models (off), alignments and parcels (on),
    // surfaces (off).
    void SetReadCgPoints(bool on) { m_readCgPoints = on; }
    void SetReadGradeModels(bool on) { m_readGradeModels = on; }
    void SetReadAlignmentsAndParcels(bool on) { m_readAlignmentsAndParcels = on; }
    void SetReadSurfaces(bool on) { m_readSurfaces = on; }
    bool GetReadCgPoints() const { return m_readCgPoints; }
    bool GetReadGradeModels() const { return m_readGradeModels; }
    bool GetReadAlignmentsAndParcels() const { return m_readAlignmentsAndParcels; }
    bool GetReadSurfaces() const { return m_readSurfaces; }

    const CLandXMLUnits& GetUnits() const { return m_units; }
    const std::vector<std::unique_ptr<CLandXMLCgPoints>>& GetCgPointsGroups() const { return m_cgPointsGroups; }
    const std::vector<std::unique_ptr<CLandXMLAlignments>>& GetAlignmentContainers() const { return m_alignmentContainers; }
    const std::vector<std::unique_ptr<CLandXMLParcels>>& GetParcelContainers() const { return m_parcelContainers; }
    const std::vector<std::unique_ptr<CLandXMLGradeModel>>& GetGradeModels() const { return m_gradeModels; }
    const std::vector<std::unique_ptr<CLandXMLSurfaces>>& GetSurfaceContainers() const { return m_surfaceContainers; }
    // Number of objects in the top-level lists.
    int GetTopLevelObjectCount() const;
    const std::string& GetFileName() const { return m_fileName; }

    // Marks a CgPoint element as being read for the scope's lifetime, so that a chain of
    // references coming back to it is refused instead of read again. No effect without a document.
    class PendingPointScope
    {
    public:
        PendingPointScope(CLandXML* document, CXMLElement& owner, pugi::xml_node element);
        ~PendingPointScope();
        PendingPointScope(const PendingPointScope&) = delete;
        PendingPointScope& operator=(const PendingPointScope&) = delete;

    private:
        CLandXML* m_document;
        pugi::xml_node m_element;
    };

private:
    bool CheckUnitsAndSkipped(pugi::xml_node landXml, std::string& message);
    // The first CgPoint named exactly so under the top-level CgPoints groups, in document order.
    pugi::xml_node FindCgPointElement(std::string_view name);
    // Room for that many named points without growing the name index.
    void ReserveNamedPoints(std::size_t count);
    // Holds a newly registered named point to the rule, while the read has it at hand.
    void CheckNamedPoint(const CLandXMLCgPoint& point);
    bool ReadCgPointsGroup(pugi::xml_node element);
    template <class T>
    bool ReadInto(std::vector<std::unique_ptr<T>>& list, pugi::xml_node element);

    // Declared first so that it outlives every element bound to its nodes.
    pugi::xml_document m_dom;
    // Every CgPoint read, named or not, held in place without an allocation each; a point is made
    // when it is handed out.
    CStableColumn<CLandXMLCgPoint> m_madePoints;

    CLandXMLUnits m_units;
    std::vector<std::unique_ptr<CLandXMLCgPoints>> m_cgPointsGroups;
    std::vector<std::unique_ptr<CLandXMLAlignments>> m_alignmentContainers;
    std::vector<std::unique_ptr<CLandXMLParcels>> m_parcelContainers;
    std::vector<std::unique_ptr<CLandXMLGradeModel>> m_gradeModels;
    std::vector<std::unique_ptr<CLandXMLSurfaces>> m_surfaceContainers;
    bool m_readCgPoints = true;
    bool m_readGradeModels = false;
    bool m_readAlignmentsAndParcels = true;
    bool m_readSurfaces = false;
    std::string m_fileName;
    std::vector<CLandXMLCgPoint*> m_unnamedPoints;
    // Named points by their name without regard to case: open addressing over the points' own
    // names, so that registering a point allocates nothing. The name order is made when first asked.
    // A slot holds the hash's low half and the point's place in m_namedPoints plus one (0: free);
    // eight bytes a slot keep more of the table in the cache.
    struct NameSlot
    {
        uint32_t hash = 0;
        uint32_t place = 0;
    };
    std::vector<NameSlot> m_nameSlots;
    // The same points in the order they were registered, which is mostly their order in memory.
    std::vector<CLandXMLCgPoint*> m_namedPoints;
    // What the named points' rule found of those read so far.
    std::function<bool(const std::string&)> m_namedPointCheck;
    bool m_namedPointsPassed = true;
    double m_largestNamedCoordinate = 0.0;
    mutable std::vector<CLandXMLCgPoint*> m_namedInOrder;
    mutable bool m_namedInOrderValid = false;
    // Named alignments by their name folded to lower case; their containers own them.
    std::unordered_map<std::string, CLandXMLAlignment*> m_alignmentIndex;

    std::unordered_map<std::string, pugi::xml_node> m_cgPointElements;
    bool m_cgPointElementsIndexed = false;
    // CgPoint elements being read, innermost last; at most as deep as references may nest.
    std::vector<pugi::xml_node> m_pendingPoints;
};
