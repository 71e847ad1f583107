#include "exchange/Rk7File.h"

#include "core/LittleEndian.h"
#include "core/MathConversions.h"
#include "core/Utf8.h"
#include "model/PointRecord.h"

#include <charconv>
#include <cstring>
#include <limits>

void Rk7Record::Load(const uint8_t* p)
{
    number = static_cast<int32_t>(GetU32LE(p));
    northing = GetF64LE(p + 4);
    easting = GetF64LE(p + 12);
    elevation = GetF64LE(p + 20);
    std::memcpy(description.data(), p + 28, DescriptionSize);
}

void Rk7Record::Store(uint8_t* p) const
{
    PutU32LE(p, static_cast<uint32_t>(number));
    PutF64LE(p + 4, northing);
    PutF64LE(p + 12, easting);
    PutF64LE(p + 20, elevation);
    std::memcpy(p + 28, description.data(), DescriptionSize);
}

std::string Rk7Record::GetDescription() const
{
    const char* text = description.data();
    const void* end = std::memchr(text, 0, DescriptionSize);
    return std::string(text, end ? static_cast<const char*>(end) - text : DescriptionSize);
}

namespace {

// The name's leading decimal number as atol reads it (blanks, a sign, digits), kept within 32 bits.
int32_t LeadingNumber(const char* name)
{
    const char* p = name;
    while (*p == ' ' || *p == '\t')
        ++p;
    const char* end = p + std::strlen(p);
    const char* start = p;
    if (*start == '+')
        ++start;
    int64_t value = 0;
    auto [after, error] = std::from_chars(start, end, value);
    if (after == start)
        return 0;
    if (error == std::errc::result_out_of_range)
        return *start == '-' ? std::numeric_limits<int32_t>::min() : std::numeric_limits<int32_t>::max();
    if (value > std::numeric_limits<int32_t>::max())
        return std::numeric_limits<int32_t>::max();
    if (value < std::numeric_limits<int32_t>::min())
        return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(value);
}

// Whole UTF-8 characters within the 16 bytes a description may take.
void StoreDescription(std::array<char, Rk7Record::DescriptionSize>& field, const char* text)
{
    field.fill(0);
    size_t n = std::strlen(text);
    if (n > Rk7Record::DescriptionSize - 1) {
        n = Rk7Record::DescriptionSize - 1;
        while (n > 0 && IsUtf8Continuation(text[n]))
            --n;
    }
    std::memcpy(field.data(), text, n);
}

} // namespace

CRk7File::CRk7File() : m_file(false) {}

CRk7File::~CRk7File()
{
    if (IsOpen())
        m_file.Close();
}

CRk7File::Header CRk7File::NewHeader()
{
    Header header {};
    PutU32LE(header.data() + 30, static_cast<uint32_t>(-1));
    PutU32LE(header.data() + 34, 1);
    return header;
}

bool CRk7File::Create(const char* path)
{
    if (!path || !m_file.Open(path, CFileCE::modeCreate | CFileCE::modeReadWrite | CFileCE::shareDenyWrite))
        return false;
    m_header = NewHeader();
    return WriteHeader(m_header);
}

bool CRk7File::Open(const char* path, bool readOnly)
{
    if (!path)
        return false;
    const unsigned mode = CFileCE::shareDenyWrite | (readOnly ? CFileCE::modeRead : CFileCE::modeReadWrite);
    if (!m_file.Open(path, mode))
        return false;
    Header header {};
    if (!m_file.Read(header.data(), HeaderSize) || !m_file.SeekToBegin()) {
        m_file.Close();
        return false;
    }
    m_header = header;
    return true;
}

bool CRk7File::Close()
{
    return m_file.Close();
}

bool CRk7File::GetHeader(Header& header) const
{
    header = m_header;
    return true;
}

bool CRk7File::ReadRecord(Rk7Record& record)
{
    uint8_t bytes[Rk7Record::Size];
    if (!m_file.Read(bytes, Rk7Record::Size))
        return false;
    record.Load(bytes);
    return true;
}

bool CRk7File::WriteHeader(const Header& header)
{
    if (!m_file.SeekTo(0) || !m_file.Write(header.data(), HeaderSize))
        return false;
    m_header = header;
    return true;
}

bool CRk7File::WriteRecord(const Rk7Record& record)
{
    uint8_t bytes[Rk7Record::Size];
    record.Store(bytes);
    return m_file.Write(bytes, Rk7Record::Size);
}

bool CRk7File::WriteDefaultRecord()
{
    Rk7Record record;
    record.elevation = 100.0;
    return WriteRecord(record);
}

bool CRk7File::ReadPoint(CPointRecord* point, const void* context, const CMathConversions* conversions)
{
    if (!point || !context || !conversions)
        return false;
    Rk7Record record;
    if (!ReadRecord(record))
        return false;
    point->SetName(std::to_string(record.number).c_str());
    point->SetCoordinates(conversions->DisplayToMetres(record.easting), conversions->DisplayToMetres(record.northing),
                          conversions->DisplayToMetres(record.elevation), false);
    point->SetDescription(record.GetDescription().c_str());
    return true;
}

bool CRk7File::WritePoint(const CPointRecord* point, const CMathConversions* conversions)
{
    if (!point || !conversions)
        return false;
    Rk7Record record;
    record.number = LeadingNumber(point->GetName());
    record.northing = conversions->MetresToDisplay(point->GetNorthing());
    record.easting = conversions->MetresToDisplay(point->GetEasting());
    record.elevation = conversions->MetresToDisplay(point->GetElevation());
    StoreDescription(record.description, point->GetDescription());
    return WriteRecord(record);
}
