#include "model/JobFileHeader.h"

#include "core/LittleEndian.h"

namespace {
constexpr int OffVersion = 0;
constexpr int OffCreated = 4;
constexpr int OffFlags = 20;
constexpr int OffScale = 24;
constexpr int OffDistanceUnit = 32;
constexpr int OffAngleUnit = 34;
constexpr int OffOffsetWord = 40;
} // namespace

uint32_t JobFileHeader::GetVersion() const { return GetU32LE(bytes.data() + OffVersion); }
void JobFileHeader::SetVersion(uint32_t v) { PutU32LE(bytes.data() + OffVersion, v); }

SystemTime JobFileHeader::GetCreated() const
{
    SystemTime t;
    t.Load(bytes.data() + OffCreated);
    return t;
}
void JobFileHeader::SetCreated(const SystemTime& t) { t.Store(bytes.data() + OffCreated); }

uint32_t JobFileHeader::GetFlags() const { return GetU32LE(bytes.data() + OffFlags); }
void JobFileHeader::SetFlags(uint32_t flags) { PutU32LE(bytes.data() + OffFlags, flags); }
double JobFileHeader::GetScaleFactor() const { return GetF64LE(bytes.data() + OffScale); }
void JobFileHeader::SetScaleFactor(double f) { PutF64LE(bytes.data() + OffScale, f); }
uint16_t JobFileHeader::GetDistanceUnit() const { return GetU16LE(bytes.data() + OffDistanceUnit); }
void JobFileHeader::SetDistanceUnit(uint16_t unit) { PutU16LE(bytes.data() + OffDistanceUnit, unit); }
uint16_t JobFileHeader::GetAngleUnit() const { return GetU16LE(bytes.data() + OffAngleUnit); }
void JobFileHeader::SetAngleUnit(uint16_t unit) { PutU16LE(bytes.data() + OffAngleUnit, unit); }
uint32_t JobFileHeader::GetOffsetWord() const { return GetU32LE(bytes.data() + OffOffsetWord); }
void JobFileHeader::SetOffsetWord(uint32_t offset) { PutU32LE(bytes.data() + OffOffsetWord, offset); }

void InitJobFileHeader(JobFileHeader& header)
{
    header.bytes.fill(0);
    header.SetVersion(1);
    header.SetCreated(CurrentLocalSystemTime());
    header.SetFlags(0);
    header.SetScaleFactor(1.0);
    header.SetDistanceUnit(0);
    header.SetAngleUnit(0);
    header.SetOffsetWord(1000);
}
