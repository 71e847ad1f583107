#include "model/PointRecord.h"

#include "model/PointDatabase.h"
#include "model/RecordOwner.h"

#include <cctype>
#include <memory>

static_assert(sizeof(CPointRecord) <= RecordCells::kCellBytes, "a point record fits a cell");

CPointRecord::CPointRecord() { Init(); }

CPointRecord::CPointRecord(const char* name, const char* description, CLocation location, bool flag)
{
    Init();
    // No owner yet: nothing to check the name against or to tell of the change.
    if (name != nullptr && *name != '\0')
        m_name.Assign(name);
    StoreDescription(description);
    SetLocation(location, true);
}

CPointRecord::CPointRecord(const CPointRecord& other)
    : CRecord(other), m_header(other.m_header), m_name(other.m_name), m_location(other.m_location)
{
    CSharedTexts::Hold(m_header.sharedText);
}

CPointRecord& CPointRecord::operator=(const CPointRecord& other)
{
    CSharedTexts::Hold(other.m_header.sharedText);
    CSharedTexts::Release(m_header.sharedText);
    m_header = other.m_header;
    m_name = other.m_name;
    m_location = other.m_location;
    return *this;
}

void CPointRecord::StoreDescription(const char* text)
{
    // Held before the old one goes: the text may be the old one's own.
    const uint32_t place = CSharedTexts::Hold(text);
    CSharedTexts::Release(m_header.sharedText);
    m_header.sharedText = place;
}

void CPointRecord::Init()
{
    m_header = RecordState();
    m_header.type = kRecordTypePoint;
    m_location.SetAllNull();
}

bool CPointRecord::Validate()
{
    CRecordOwner* owner = GetRecordOwner(m_header.owner);
    if (owner == nullptr)
        return true;
    return owner->IsValidPointName(m_name.c_str());
}

void CPointRecord::AddToExtents(CExtent2D& extent)
{
    if (IsValuePresent(&m_location.x) && IsValuePresent(&m_location.y))
        extent.AddPoint(m_location);
}

bool CPointRecord::IsInside(double left, double top, double right, double bottom, bool flag)
{
    const double x = m_location.x;
    const double y = m_location.y;
    return left <= x && x <= right && bottom <= y && y <= top;
}

bool CPointRecord::SetName(const char* name)
{
    if (name == nullptr)
        name = "";
    CRecordOwner* owner = GetRecordOwner(m_header.owner);
    if (owner != nullptr && !owner->IsValidPointName(name))
        return false;
    if (ComparePointNames(name, m_name.c_str()) == 0)
        return true;

    CPointDatabase* index = owner != nullptr ? owner->GetPointDatabase() : nullptr;
    bool removed = false;
    if (index != nullptr) {
        // Another point already holds the name: two points under one name would make either
        // unreachable by name, so refuse before touching anything.
        if (RedBlackNode* holder = index->FindNode(name, true); holder != nullptr && index->GetPointAt(holder) != this)
            return false;
        // The index keys on this record's name buffer, so the record must leave the index before
        // the buffer changes. A record the index refused (a duplicate) is not in it and must not
        // take the indexed point out under the shared name.
        if (RedBlackNode* leaf = index->FindLeafOf(this)) {
            if (!index->Remove(leaf))
                return false;
            removed = true;
        }
    }

    m_name.Assign(name);

    if (removed)
        index->Add(this);
    MarkModified();
    return true;
}

bool CPointRecord::SetLocation(CLocation location, bool flag)
{
    if (location.IsEqual(m_location))
        return true;
    m_location = location;
    NotePointGeometryChanged();
    MarkModified();
    return true;
}

bool CPointRecord::SetCoordinates(double easting, double northing, double elevation, bool flag)
{
    return SetLocation(CLocation(easting, northing, elevation), flag);
}

bool CPointRecord::ClearLocation() { return SetCoordinates(NoValue, NoValue, NoValue, true); }

bool CPointRecord::HasNonNumericName() const
{
    for (const char* p = m_name.c_str(); *p != '\0'; ++p)
        if (*p < '0' || *p > '9')
            return true;
    return false;
}

CPointRecord* CPointRecord::Duplicate(const std::string& newName)
{
    CRecordOwner* owner = GetRecordOwner(m_header.owner);
    if (owner == nullptr)
        return nullptr;
    CPointDatabase* index = owner->GetPointDatabase();
    if (index != nullptr && index->FindNode(newName, true) != nullptr)
        return nullptr;
    if (!owner->IsValidPointName(newName.c_str()))
        return nullptr;
    auto copy = std::make_unique<CPointRecord>(newName.c_str(), GetDescription(), m_location, true);
    if (!owner->AddRecord(copy.get()))
        return nullptr; // the job refused it: nobody would own it
    return copy.release();
}

bool CPointRecord::CopyFrom(const CPointRecord& other)
{
    m_header.type = other.m_header.type;
    m_header.owner = other.m_header.owner;
    CSharedTexts::Hold(other.m_header.sharedText);
    CSharedTexts::Release(m_header.sharedText);
    m_header.sharedText = other.m_header.sharedText;
    m_location = other.m_location;
    NotePointGeometryChanged();
    return true;
}

bool CPointRecord::IsSameAs(const CPointRecord& other) const
{
    if (!m_location.IsEqual(other.m_location))
        return false;
    const char* a = GetDescription();
    const char* b = other.GetDescription();
    for (; *a != '\0' && *b != '\0'; ++a, ++b)
        if (std::tolower(static_cast<unsigned char>(*a)) != std::tolower(static_cast<unsigned char>(*b)))
            return false;
    return *a == *b;
}

namespace {
uint64_t g_pointGeometryGeneration = 0;
}

uint64_t GetPointGeometryGeneration()
{
    return g_pointGeometryGeneration;
}

void NotePointGeometryChanged()
{
    ++g_pointGeometryGeneration;
}
