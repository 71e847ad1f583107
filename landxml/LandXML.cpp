#include "landxml/LandXML.h"

#include "core/NoValue.h"
#include "core/ProgramHelpers.h"
#include "core/StatusProgress.h"
#include "landxml/elements/LandXMLCgPoint.h"
#include "landxml/elements/LandXMLAlignments.h"
#include "landxml/elements/LandXMLCgPoints.h"
#include "landxml/elements/LandXMLGradeModel.h"
#include "landxml/elements/LandXMLParcels.h"
#include "landxml/elements/LandXMLSurfaces.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>
#include <new>

namespace {

struct SkipRow
{
    bool canSkip;
    const char* displayName;
    const char* xpath;
};

// Elements the reader passes over, in the order the note names them.
constexpr SkipRow kSkipTable[] = {
    {true, "SurfVolumes", "./Surfaces/SurfVolumes"},
    {true, "PipeNetworks", "./PipeNetworks"},
    {true, "PlanFeatures", "./PlanFeatures"},
    {true, "CrossSects", "./CrossSects"},
    {true, "Monuments", "./Monuments"},
    {true, "Superelevation", "./Alignments/Alignment/Superelevation"},
    {true, "CrossSects", "./Alignments/Alignment/CrossSects"},
    {true, "StaEquation", "./Alignments/Alignment/StaEquation"},
    {true, "ProfSurf", "./Alignments/Alignment/Profile/ProfSurf"},
    {true, "CircCurve", "./Alignments/Alignment/Profile/ProfAlign/CircCurve"},
    {true, "Biquadratic Spiral", "./Alignments/Alignment/CoordGeom//Spiral[@spiType=\"biquadratic\"]"},
    {true, "Bloss Spiral", "./Alignments/Alignment/CoordGeom//Spiral[@spiType=\"bloss\"]"},
    {true, "Cosine Spiral", "./Alignments/Alignment/CoordGeom//Spiral[@spiType=\"cosine\"]"},
    {true, "Bubic Spiral", "./Alignments/Alignment/CoordGeom//Spiral[@spiType=\"cubic\"]"},
    {true, "Sinusoid Spiral", "./Alignments/Alignment/CoordGeom//Spiral[@spiType=\"sinusoid\"]"},
    {true, "RevBiquadratic Spiral", "./Alignments/Alignment/CoordGeom//Spiral[@spiType=\"revBiquadratic\"]"},
    {true, "RevBloss Spiral", "./Alignments/Alignment/CoordGeom//Spiral[@spiType=\"revBloss\"]"},
    {true, "RevCosine Spiral", "./Alignments/Alignment/CoordGeom//Spiral[@spiType=\"revCosine\"]"},
    {true, "RevSinusoid Spiral", "./Alignments/Alignment/CoordGeom//Spiral[@spiType=\"revSinusoid\"]"},
};

// 1-based line of a byte offset into the file.
long LineAtOffset(const std::string& fileName, std::ptrdiff_t offset)
{
    std::string text(offset > 0 ? static_cast<std::size_t>(offset) : 0, '\0');
    std::ifstream in(fileName, std::ios::binary);
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<std::size_t>(in.gcount() > 0 ? in.gcount() : 0));
    long line = 1;
    for (const char c : text)
        if (c == '\n')
            ++line;
    return line;
}

// Eight bytes of a name with ASCII capitals made small, all at once: a byte gets 0x20 added when
// it lies in 'A'..'Z' (bytes above 0x7F are left alone).
uint64_t FoldWord(uint64_t word)
{
    constexpr uint64_t ones = 0x0101010101010101ull;
    constexpr uint64_t high = 0x8080808080808080ull;
    const uint64_t low7 = word & ~high;
    const uint64_t atLeastA = low7 + ones * (0x80 - 'A');
    const uint64_t aboveZ = low7 + ones * (0x80 - 'Z' - 1);
    const uint64_t upper = atLeastA & ~aboveZ & ~word & high;
    return word | (upper >> 2);
}

// The name index's hash: the name taken eight bytes at a time with its capitals made small, as
// FoldCase makes them, so that names equal without regard to case hash alike.
uint64_t FoldedNameHash(std::string_view name)
{
    uint64_t hash = 0x9e3779b97f4a7c15ull ^ name.size();
    std::size_t i = 0;
    for (; i + 8 <= name.size(); i += 8) {
        uint64_t word;
        std::memcpy(&word, name.data() + i, 8);
        hash = (hash ^ FoldWord(word)) * 0xff51afd7ed558ccdull;
        hash ^= hash >> 32;
    }
    if (i < name.size()) {
        // The last few bytes gathered in a register: copied through memory piece by piece, they
        // would stall the load that reads them back whole.
        uint64_t word = 0;
        for (std::size_t j = i; j < name.size(); ++j)
            word |= uint64_t(static_cast<unsigned char>(name[j])) << (8 * (j - i));
        hash = (hash ^ FoldWord(word)) * 0xff51afd7ed558ccdull;
        hash ^= hash >> 32;
    }
    hash *= 0xc4ceb9fe1a85ec53ull;
    hash ^= hash >> 33;
    return hash;
}

std::size_t HomeSlot(uint64_t hash, std::size_t mask)
{
    return static_cast<std::size_t>(hash) & mask;
}

bool SameNameNoCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && landxml::CompareNoCase(a, b) == 0;
}

// The first eight bytes of a name, capitals made small, as a number that orders as CompareNoCase
// does; names never hold a NUL, so the padding sorts a shorter name first as it should.
uint64_t FoldedNamePrefix(std::string_view name)
{
    uint64_t key = 0;
    for (std::size_t i = 0; i < 8; ++i) {
        unsigned char u = 0;
        if (i < name.size()) {
            u = static_cast<unsigned char>(name[i]);
            if (u >= 'A' && u <= 'Z')
                u = static_cast<unsigned char>(u - 'A' + 'a');
        }
        key = (key << 8) | u;
    }
    return key;
}

// The status-bar progress never reports a cancel; the points where a cancel would be honoured
// are kept so that a progress with a Cancel button can stop the reading there.
void CancelPoint(CStatusProgress&) {}

} // namespace

CLandXML::CLandXML() = default;

CLandXML::~CLandXML()
{
    CLandXML::Reset();
}

bool CLandXML::Validate(pugi::xml_node element)
{
    return IsTag(element, "LandXML");
}

void CLandXML::Reset()
{
    CXMLElement::Reset();
    m_cgPointsGroups.clear();
    m_alignmentContainers.clear();
    m_parcelContainers.clear();
    m_gradeModels.clear();
    m_surfaceContainers.clear();
    // The alignments just deleted must not stay reachable by name.
    m_alignmentIndex.clear();
    m_units.Reset();
}

int CLandXML::GetTopLevelObjectCount() const
{
    return static_cast<int>(m_cgPointsGroups.size() + m_alignmentContainers.size() + m_parcelContainers.size()
                            + m_gradeModels.size() + m_surfaceContainers.size());
}

bool CLandXML::LoadFile(const std::string& fileName, std::string& message)
{
    // The file goes straight into a buffer the parsed document owns and parses in place: one
    // read, no copy. An element's leading text is kept in the element, not in a node of its own:
    // a point's coordinates cost no node, and the element readers find it (CXMLElement::GetText).
    std::size_t size = 0;
    void* buffer = nullptr;
    {
        std::ifstream in(fileName, std::ios::binary | std::ios::ate);
        if (!in)
            RaiseError("Fail to load the XML file.");
        const std::streamoff length = in.tellg();
        in.seekg(0);
        if (length < 0 || !in)
            RaiseError("Fail to load the XML file.");
        size = static_cast<std::size_t>(length);
        buffer = pugi::get_memory_allocation_function()(size == 0 ? 1 : size);
        if (buffer == nullptr)
            throw std::bad_alloc();
        if (!in.read(static_cast<char*>(buffer), length)) {
            pugi::get_memory_deallocation_function()(buffer);
            RaiseError("Fail to load the XML file.");
        }
    }

    CStatusProgress progress;
    progress.Begin("Reading LandXML file");

    // A document loaded a second time starts afresh: nothing may stay bound to the old tree.
    Reset();
    m_nameSlots.clear();
    m_namedPoints.clear();
    m_namedInOrder.clear();
    m_namedInOrderValid = false;
    m_namedPointsPassed = true;
    m_largestNamedCoordinate = 0.0;
    m_unnamedPoints.clear();
    m_madePoints.clear();
    m_pendingPoints.clear();
    m_cgPointElements.clear();
    m_cgPointElementsIndexed = false;
    m_fileName.clear();
    const pugi::xml_parse_result parsed =
        m_dom.load_buffer_inplace_own(buffer, size,
                                      pugi::parse_default | pugi::parse_comments | pugi::parse_embed_pcdata);
    if (!parsed) {
        if (parsed.status == pugi::status_no_document_element) {
            if (!m_dom.first_child())
                RaiseError(landxml::FormatText("%s is empty.", {"The XML file"}));
            RaiseError(landxml::FormatText("%s is empty.", {"The root"}));
        }
        // The buffer was changed by the parse; the line is counted in the file as it is.
        RaiseError(landxml::FormatText("Unable to load the XML file because of an error at line %ld\nReason: %s",
                                       {std::to_string(LineAtOffset(fileName, parsed.offset)), parsed.description()}));
    }
    // A CgPoint element takes some 40 bytes at the least: room for every name the file can hold
    // spares the index its rehashing. Capped so that a large file of other objects does not
    // claim tens of megabytes for points it may not have; beyond that the index grows.
    const std::size_t pointRoom = std::min<std::size_t>(size / 40, std::size_t(1) << 20);
    ReserveNamedPoints(pointRoom);
    // The list in registration order too; what stays unused is never touched.
    m_namedPoints.reserve(pointRoom);

    if (!m_dom.first_child())
        RaiseError(landxml::FormatText("%s is empty.", {"The XML file"}));
    // The document element comes first in document order, so it is the answer to "//LandXML"
    // whenever it is one; only otherwise is the whole tree searched.
    pugi::xml_node root = m_dom.document_element();
    if (GetTagName(root) != "LandXML")
        root = SelectSingleNode(m_dom.first_child(), "//LandXML");
    if (root.type() != pugi::node_element)
        RaiseError(landxml::FormatText("%s is empty.", {"The root"}));

    CancelPoint(progress);
    if (!CheckUnitsAndSkipped(root, message))
        RaiseError(message);
    CancelPoint(progress);

    if (Read(root, nullptr)) {
        m_fileName = fileName;
        return true;
    }
    Reset();
    return false;
}

bool CLandXML::CheckUnitsAndSkipped(pugi::xml_node landXml, std::string& message)
{
    int units = 0;
    for (pugi::xml_node child = landXml.child("Units"); child; child = child.next_sibling("Units"))
        ++units;
    if (units == 0) {
        message = landxml::FormatText("%s contains no %s element.", {"'LandXML'", "'Units'"});
        return false;
    }
    if (units > 1) {
        message = "This program can not handle more than one 'Units' element.";
        return false;
    }

    // Compiled once for the life of the program; every file asks the same questions.
    static const std::vector<std::unique_ptr<pugi::xpath_query>> queries = [] {
        std::vector<std::unique_ptr<pugi::xpath_query>> compiled;
        for (const SkipRow& row : kSkipTable)
            compiled.push_back(std::make_unique<pugi::xpath_query>(row.xpath));
        return compiled;
    }();
    std::string skipped;
    for (std::size_t i = 0; i < std::size(kSkipTable); ++i) {
        const SkipRow& row = kSkipTable[i];
        if (landXml.select_node(*queries[i]).node().empty())
            continue;
        if (!row.canSkip) {
            message = landxml::FormatText("This program can neither read nor skip the following elements: '%s'",
                                          {row.displayName});
            return false;
        }
        skipped += ' ';
        skipped += row.displayName;
    }
    message = skipped.empty() ? std::string() : "This program skips the following elements: " + skipped;
    return true;
}

template <class T>
bool CLandXML::ReadInto(std::vector<std::unique_ptr<T>>& list, pugi::xml_node element)
{
    list.push_back(std::make_unique<T>());
    return list.back()->Read(element, this);
}

bool CLandXML::ReadCgPointsGroup(pugi::xml_node element)
{
    return ReadInto(m_cgPointsGroups, element);
}

bool CLandXML::Read(pugi::xml_node element, CLandXML* document)
{
    if (!Load(element, document))
        return false;
    ResetChildIteration();
    pugi::xml_node child;
    if (!GetNextChildElement(child))
        RaiseError(landxml::FormatText("%s element is empty.", {"'LandXML'"}));

    CStatusProgress progress;
    CancelPoint(progress);
    const int total = GetChildCount();
    int counter = 0;
    progress.Begin("Parsing points");
    ResetChildIteration();
    while (GetNextChildElement(child)) {
        progress.SetPercent(MulDivDouble(counter, 100, total));
        ++counter;
        CancelPoint(progress);
        const std::string tag = GetTagName(child);
        if (tag == "Units") {
            if (!m_units.Read(child, this))
                return false;
        } else if (tag == "CgPoints" && m_readCgPoints) {
            if (!ReadCgPointsGroup(child))
                return false;
        } else if (tag == "Survey" && m_readCgPoints) {
            CXMLElementUnknown survey;
            survey.Read(child, this);
            pugi::xml_node inner;
            while (survey.GetNextChildElement(inner))
                if (GetTagName(inner) == "CgPoints" && !ReadCgPointsGroup(inner))
                    return false;
        }
    }
    if (!m_units.IsBound())
        RaiseError(landxml::FormatText("%s contains no valid %s element.", {"'LandXML'", "'Units'"}));

    progress.End();
    counter = 0;
    progress.Begin("Parsing other objects");
    ResetChildIteration();
    while (GetNextChildElement(child)) {
        progress.SetPercent(MulDivDouble(counter, 100, total));
        ++counter;
        CancelPoint(progress);
        const std::string tag = GetTagName(child);
        bool read = true;
        if (tag == "Alignments" && m_readAlignmentsAndParcels)
            read = ReadInto(m_alignmentContainers, child);
        else if (tag == "Parcels" && m_readAlignmentsAndParcels)
            read = ReadInto(m_parcelContainers, child);
        else if (tag == "GradeModel" && m_readGradeModels)
            read = ReadInto(m_gradeModels, child);
        else if (tag == "Surfaces" && m_readSurfaces)
            read = ReadInto(m_surfaceContainers, child);
        if (!read)
            return false;
    }
    return true;
}

CLandXMLCgPoint* CLandXML::NewCgPoint() { return &m_madePoints.emplace_back(); }

void CLandXML::ReserveNamedPoints(std::size_t count)
{
    // Kept at most 70 % full, so that a search for a free name stops after a probe or two.
    std::size_t slots = 16;
    while (slots * 7 < count * 10)
        slots *= 2;
    if (slots <= m_nameSlots.size())
        return;
    std::vector<NameSlot> old(slots);
    old.swap(m_nameSlots);
    const std::size_t mask = slots - 1;
    for (const NameSlot& slot : old) {
        if (slot.place == 0)
            continue;
        std::size_t i = HomeSlot(slot.hash, mask);
        while (m_nameSlots[i].place != 0)
            i = (i + 1) & mask;
        m_nameSlots[i] = slot;
    }
}

pugi::xml_node CLandXML::FindCgPointElement(std::string_view name)
{
    if (!m_cgPointElementsIndexed) {
        // One walk over the groups instead of an XPath search per name; iterative, since groups
        // may nest deeply. The first element of a name in document order wins, as the search would.
        m_cgPointElementsIndexed = true;
        m_cgPointElements.reserve(m_namedPoints.size());
        const pugi::xml_node root = GetElement();
        for (pugi::xml_node group = root.child("CgPoints"); group; group = group.next_sibling("CgPoints")) {
            pugi::xml_node node = group.first_child();
            while (node) {
                if (node.type() == pugi::node_element && std::string_view(node.name()) == "CgPoint") {
                    const pugi::xml_attribute attribute = node.attribute("name");
                    if (attribute && attribute.value()[0] != '\0')
                        m_cgPointElements.try_emplace(attribute.value(), node);
                }
                if (node.first_child()) {
                    node = node.first_child();
                    continue;
                }
                while (node != group && !node.next_sibling())
                    node = node.parent();
                if (node == group)
                    break;
                node = node.next_sibling();
            }
        }
    }
    const auto it = m_cgPointElements.find(std::string(name));
    return it == m_cgPointElements.end() ? pugi::xml_node() : it->second;
}

uint64_t CLandXML::HashCgPointName(std::string_view name)
{
    return FoldedNameHash(name);
}

CLandXMLCgPoint* CLandXML::FindRegisteredCgPoint(std::string_view name, uint64_t hash) const
{
    if (m_nameSlots.empty())
        return nullptr;
    const std::size_t mask = m_nameSlots.size() - 1;
    for (std::size_t i = HomeSlot(hash, mask); m_nameSlots[i].place != 0; i = (i + 1) & mask)
        if (m_nameSlots[i].hash == uint32_t(hash)) {
            CLandXMLCgPoint* point = m_namedPoints[m_nameSlots[i].place - 1];
            if (SameNameNoCase(point->GetName(), name))
                return point;
        }
    return nullptr;
}

CLandXMLCgPoint* CLandXML::FindCgPoint(std::string_view name, bool searchDocument)
{
    if (!m_nameSlots.empty())
        if (CLandXMLCgPoint* registered = FindRegisteredCgPoint(name, FoldedNameHash(name)))
            return registered;
    if (!searchDocument || !IsBound())
        return nullptr;
    const pugi::xml_node element = FindCgPointElement(name);
    if (element.empty())
        return nullptr;
    if (std::find(m_pendingPoints.begin(), m_pendingPoints.end(), element) != m_pendingPoints.end())
        RaiseErrorAtNode(landxml::FormatText("The 'pntRef' references of point %s form a cycle.", {name}), element);
    CReadNestingGuard guard(*this, element, "The 'pntRef' references starting at point %s are nested deeper than 256 levels.",
                            std::string(name));
    CLandXMLCgPoint* point = NewCgPoint();
    if (!point->Read(element, this))
        return nullptr;
    return point;
}

uint64_t CLandXML::PrefetchCgPointName(std::string_view name) const
{
    const uint64_t hash = FoldedNameHash(name);
    if (!m_nameSlots.empty())
        __builtin_prefetch(&m_nameSlots[HomeSlot(hash, m_nameSlots.size() - 1)]);
    return hash;
}

bool CLandXML::AddNamedCgPoint(const std::string& name, CLandXMLCgPoint* point, uint64_t hash)
{
    if ((m_namedPoints.size() + 1) * 10 > m_nameSlots.size() * 7)
        ReserveNamedPoints(m_namedPoints.size() + 1);
    const std::size_t mask = m_nameSlots.size() - 1;
    std::size_t i = HomeSlot(hash, mask);
    for (; m_nameSlots[i].place != 0; i = (i + 1) & mask)
        if (m_nameSlots[i].hash == uint32_t(hash)
            && SameNameNoCase(m_namedPoints[m_nameSlots[i].place - 1]->GetName(), name))
            return true;
    m_namedPoints.push_back(point);
    m_nameSlots[i] = {uint32_t(hash), static_cast<uint32_t>(m_namedPoints.size())};
    m_namedInOrderValid = false;
    if (m_namedPointCheck && m_namedPointsPassed)
        CheckNamedPoint(*point);
    return true;
}

void CLandXML::CheckNamedPoint(const CLandXMLCgPoint& point)
{
    // As a bulk import checks a point: its name, and coordinates that stay finite in metres. The
    // unit may not be known yet, but a factor takes every coordinate beyond range exactly when it
    // takes the largest one.
    if (!m_namedPointCheck(point.GetName())) {
        m_namedPointsPassed = false;
        return;
    }
    double x, y, z;
    if (!point.GetCoordinates(x, y, z, 1.0))
        return;
    if (!std::isfinite(x) || !std::isfinite(y) || (z > NoValueLimit && !std::isfinite(z))) {
        m_namedPointsPassed = false;
        return;
    }
    m_largestNamedCoordinate = std::max({m_largestNamedCoordinate, std::fabs(x), std::fabs(y),
                                         z > NoValueLimit ? std::fabs(z) : 0.0});
}

CLandXMLAlignment* CLandXML::FindAlignment(const std::string& name) const
{
    const auto it = m_alignmentIndex.find(landxml::FoldCase(name));
    return it == m_alignmentIndex.end() ? nullptr : it->second;
}

bool CLandXML::AddAlignment(const std::string& name, CLandXMLAlignment* alignment)
{
    return m_alignmentIndex.try_emplace(landxml::FoldCase(name), alignment).second;
}

bool CLandXML::AddUnnamedCgPoint(CLandXMLCgPoint* point)
{
    m_unnamedPoints.push_back(point);
    return true;
}

CLandXML::NamedCgPointPosition CLandXML::GetFirstNamedCgPointPosition() const
{
    if (!m_namedInOrderValid) {
        // Sorted on the names' first bytes held beside the pointers, so that most comparisons
        // need not reach the points; the index holds no two names equal without regard to case.
        std::vector<std::pair<uint64_t, CLandXMLCgPoint*>> keyed;
        keyed.reserve(m_namedPoints.size());
        for (CLandXMLCgPoint* point : m_namedPoints)
            keyed.emplace_back(FoldedNamePrefix(point->GetName()), point);
        std::sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) {
            if (a.first != b.first)
                return a.first < b.first;
            return landxml::CompareNoCase(a.second->GetName(), b.second->GetName()) < 0;
        });
        m_namedInOrder.clear();
        m_namedInOrder.reserve(keyed.size());
        for (const auto& entry : keyed)
            m_namedInOrder.push_back(entry.second);
        m_namedInOrderValid = true;
    }
    return {0, m_namedInOrder.size()};
}

CLandXMLCgPoint* CLandXML::GetNextNamedCgPoint(NamedCgPointPosition& position) const
{
    if (!position.IsValid() || position.index >= m_namedInOrder.size())
        return nullptr;
    return m_namedInOrder[position.index++];
}

CLandXMLCgPoint* CLandXML::GetNextUnnamedCgPoint(std::size_t& position) const
{
    if (position >= m_unnamedPoints.size())
        return nullptr;
    return m_unnamedPoints[position++];
}

CLandXML::PendingPointScope::PendingPointScope(CLandXML* document, CXMLElement& owner, pugi::xml_node element)
    : m_document(document), m_element(element)
{
    if (m_document != nullptr)
        m_document->m_pendingPoints.push_back(element);
}

CLandXML::PendingPointScope::~PendingPointScope()
{
    if (m_document != nullptr)
        m_document->m_pendingPoints.pop_back();
}
