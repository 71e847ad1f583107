#pragma once

#include "model/Record.h"
#include "model/RecordCells.h"

#include <cstdint>
#include <string>

// A named survey point. Once added to a job it belongs to the job's record store.
class CPointRecord final : public CRecord
{
public:
    CPointRecord();
    CPointRecord(const char* name, const char* description, CLocation location, bool flag);
    CPointRecord(const CPointRecord& other);
    CPointRecord& operator=(const CPointRecord& other);
    ~CPointRecord() override { CSharedTexts::Release(m_header.sharedText); }

    // A job holds one record per point: records come from RecordCells, without a heap header each
    // and numbered for the indexes' tables.
    static void* operator new(std::size_t bytes) { return RecordCells::Allocate(bytes); }
    static void operator delete(void* p, std::size_t bytes) { RecordCells::Free(p, bytes); }

    bool Validate() override;
    void AddToExtents(CExtent2D& extent) override;
    // Bounds included; a NaN coordinate is outside.
    bool IsInside(double left, double top, double right, double bottom, bool flag) override;
    RecordState* GetHeader() override { return &m_header; }
    using CRecord::GetHeader;
    const char* GetDescription() const override { return CSharedTexts::Text(m_header.sharedText); }

    const char* GetName() const { return m_name.c_str(); }
    double GetEasting() const { return m_location.x; }
    double GetNorthing() const { return m_location.y; }
    double GetElevation() const { return m_location.z; }
    CLocation GetLocation() const { return m_location; }
    bool HasValidLocation3D() const { return m_location.IsValid3D(); }

    // Renames the point and keeps the owner's point-name index in step. Refuses (false, nothing
    // changed) a name the job's check rejects or that another point of the job holds; a name equal
    // in natural order (case, leading zeros) is no rename and returns true.
    bool SetName(const char* name);

    // Stores the location and marks the job modified unless it equals the stored one.
    bool SetLocation(CLocation location, bool flag);
    bool SetLocationIfChanged(CLocation location, bool flag) { return SetLocation(location, flag); }
    bool SetCoordinates(double easting, double northing, double elevation, bool flag);
    bool ClearLocation();

    // True when the name holds a character other than a decimal digit.
    bool HasNonNumericName() const;

    // A new point of the owner's job with the given name and this point's description and
    // location; null without an owner, when the name is refused or taken, or when the job refuses it.
    CPointRecord* Duplicate(const std::string& newName);

    // Header (type, description, owner) and location; the name is not copied.
    bool CopyFrom(const CPointRecord& other);
    // Same location and description (ignoring case); names are not compared.
    bool IsSameAs(const CPointRecord& other) const;

    static bool IsValuePresent(const double* value) { return *value > NoValueLimit; }

protected:
    void StoreDescription(const char* text) override;

private:
    void Init();

    // A job holds one record per point: the name is compact, the description shared, and nothing
    // pads between members. The location stays last; the grid's walk asks for it ahead from the
    // record's end.
    RecordState m_header;
    CRecordText m_name;
    CLocation m_location;
};

// Changes whenever a point's position may have changed or a record entered or left a job's store:
// caches of point positions compare it to know that they are stale.
uint64_t GetPointGeometryGeneration();
void NotePointGeometryChanged();
