#include "rawdata/records/RawDataRecord.h"

#include "core/ColoredTextLines.h"
#include "core/DecimalText.h"
#include "core/NoValue.h"
#include "core/RawDataSetup.h"
#include "core/ValueText.h"
#include "core/Format.h"
#include "model/PointRecord.h"
#include "rawdata/RawDataFile.h"
#include "model/DataFileDoc.h"
#include "model/JobRawData.h"

#include <cmath>
#include <cstdio>

namespace {

constexpr double TenSecondsOfArc = 10 * 4.84813681109536e-6;

std::string LineNumberText(int32_t lineNumber)
{
    return std::to_string(int64_t(lineNumber) + 1);
}

bool IsValidRawPointName(const std::string& text)
{
    std::string name;
    return ParsePointName(&name, text);
}

// One field against the validity rules of its position.
bool FieldPasses(int32_t type, int32_t code, const std::string& value)
{
    double number = 0;
    switch (code) {
    case FieldCO:
    case FieldFC:
    case FieldTM:
    case FieldBP:
        return true;
    case FieldPN:
        return type == RecordTypeFace1 || type == RecordTypeFace2 || IsValidRawPointName(value);
    case FieldOP:
        return IsValidRawPointName(value);
    case FieldN:
    case FieldE:
    case FieldHI:
    case FieldHA:
    case FieldVA:
        return ReadRawNumber(value, false, &number);
    case FieldEL:
    case FieldAZ:
    case FieldBC:
    case FieldHR:
    case FieldSD:
        return ReadRawNumber(value, true, &number);
    default:
        return false;
    }
}

} // namespace

bool ReadRawNumber(std::string_view text, bool allowEmpty, double* value)
{
    if (text.empty()) {
        *value = NoValue;
        return allowEmpty;
    }
    return ReadDecimalDouble(text, *value) && *value > NoValueLimit;
}

std::string CleanRawText(const std::string& text, bool keepCommas)
{
    std::string out = text;
    for (char& c : out)
        if (c == '\r' || c == '\n' || (c == ',' && !keepCommas))
            c = ' ';
    return out;
}

// --- CRawDataRecord

void CRawDataRecord::Reset()
{
    m_fields.RemoveAll();
    m_parsed = m_validated = m_deleted = false;
    m_doc = nullptr;
    m_line = -1;
}

void CRawDataRecord::SetText(std::string_view text, void* textRoom)
{
    m_text.Place(textRoom, text);
    ForgetFields();
}

void CRawDataRecord::SetPrintedText(char* chars, size_t size)
{
    m_text.Adopt(chars, size);
    ForgetFields();
}

void CRawDataRecord::ForgetFields()
{
    m_fields.RemoveAll();
    m_parsed = m_validated = false;
    m_deleted = !m_text.empty() && m_text[0] == '*';
}

void CRawDataRecord::AssignFrom(const CRawDataRecord& other, void* textRoom)
{
    if (this == &other)
        return;
    Reset();
    m_text.Place(textRoom, other.GetText());
    m_doc = other.m_doc;
    m_line = other.m_line;
    m_deleted = other.m_deleted;
}

void CRawDataRecord::Clear()
{
    m_text.Assign({});
    m_fields.RemoveAll();
    m_parsed = m_validated = false;
    m_line = -1;
}

bool CRawDataRecord::GetDocument(CDataFileDoc** doc) const
{
    if (doc)
        *doc = m_doc;
    return m_doc != nullptr;
}

CJobRawData* CRawDataRecord::GetRawDataFile() const
{
    return m_doc ? m_doc->GetRawDataFile() : nullptr;
}

CPointDatabase* CRawDataRecord::GetPointDatabase() const
{
    return m_doc ? m_doc->GetPointDatabase() : nullptr;
}

CRawDataSetup* CRawDataRecord::GetSetup() const
{
    CJobRawData* file = GetRawDataFile();
    return file ? file->GetSetup(m_line) : nullptr;
}

CRawDataFile* CRawDataRecord::GetRawDataContainer() const
{
    return dynamic_cast<CRawDataFile*>(GetRawDataFile());
}

CRawDataDrawTarget* CRawDataRecord::GetDrawTarget() const
{
    CRawDataFile* file = GetRawDataContainer();
    return file ? file->GetDrawTarget() : nullptr;
}

int32_t CRawDataRecord::GetFieldCount()
{
    if (!m_parsed)
        SplitFields();
    return m_fields.GetSize();
}

bool CRawDataRecord::GetField(int32_t index, CRawDataField& field)
{
    if (!m_parsed)
        SplitFields();
    if (index < 0 || index >= m_fields.GetSize())
        return false;
    field.SetCode(m_fields[index].GetCodeIndex());
    field.SetValue(m_fields[index].GetValue());
    return true;
}

void CRawDataRecord::RebuildText()
{
    std::string text = m_deleted ? "*" : "";
    text += GetCode();
    for (int32_t i = 0; i < m_fields.GetSize(); ++i) {
        text += ',';
        // A comment keeps its commas; every other value would open a new field with one.
        text += CleanRawText(m_fields[i].GetValue(), m_fields[i].GetCodeIndex() == FieldCO);
    }
    m_validated = false;
    SetText(std::move(text));
}

bool CRawDataRecord::RenamePoints(const RenameMap& names)
{
    if (!m_parsed && !SplitFields())
        return false;
    bool changed = false;
    for (int32_t i = 0; i < m_fields.GetSize(); ++i) {
        CNikonRawDataField& field = m_fields[i];
        if (field.GetValueKind() != ValueKindPointName)
            continue;
        const auto it = names.find(field.GetValue());
        if (it != names.end()) {
            field.SetValue(it->second);
            changed = true;
        }
    }
    if (!changed)
        return false;
    const std::string label = GetLabel(true);
    RebuildText();
    if (m_doc) {
        char text[160];
        std::snprintf(text, sizeof text, "Renamed :%s raw data point names at line #%d", label.c_str(),
                      int(int64_t(m_line) + 1));
        m_doc->SetModifiedWithText(text, true, true);
    }
    return true;
}

void CRawDataRecord::SetDeleted(bool deleted)
{
    size_t stars = 0;
    while (stars < m_text.size() && m_text[stars] == '*')
        ++stars;
    // Asked on every look at a line: the text is rewritten only when its marks differ.
    if (stars != (deleted ? 1u : 0u)) {
        const size_t keep = deleted ? 1 : 0;
        if (stars > keep)
            m_text.EraseFront(stars - keep);
        else
            m_text.Assign("*" + GetText());
        m_fields.RemoveAll();
        m_parsed = m_validated = false;
    }
    m_deleted = deleted;
}

bool CRawDataRecord::IsDeleted()
{
    SetDeleted(m_deleted);
    return m_deleted;
}

bool CRawDataRecord::CanInterpret(std::string* message)
{
    const bool ok = DescribeLong(nullptr, -1, false, false, true);
    if (!ok && message)
        *message = "Unable to interpret " + GetText();
    return ok;
}

double CRawDataRecord::AzimuthToDirection(double v) const
{
    CRawDataSetup* s = GetSetup();
    return s ? s->AzimuthToDirection(v) : NoValue;
}

double CRawDataRecord::AngleToRadians(double v) const
{
    CRawDataSetup* s = GetSetup();
    return s ? s->AngleToRadians(v) : NoValue;
}

double CRawDataRecord::VerticalAngleToRadians(double v) const
{
    CRawDataSetup* s = GetSetup();
    return s ? s->VerticalAngleToRadians(v) : NoValue;
}

double CRawDataRecord::DistanceToMetres(double v) const
{
    CRawDataSetup* s = GetSetup();
    return s ? s->DistanceToMetres(v) : NoValue;
}

double CRawDataRecord::DirectionToAzimuth(double v) const
{
    CRawDataSetup* s = GetSetup();
    return s ? s->DirectionToAzimuth(v) : NoValue;
}

double CRawDataRecord::RadiansToAngle(double v) const
{
    CRawDataSetup* s = GetSetup();
    return s ? s->RadiansToAngle(v) : NoValue;
}

double CRawDataRecord::RadiansToVerticalAngle(double v) const
{
    CRawDataSetup* s = GetSetup();
    return s ? s->RadiansToVerticalAngle(v) : NoValue;
}

double CRawDataRecord::MetresToDistance(double v) const
{
    CRawDataSetup* s = GetSetup();
    return s ? s->MetresToDistance(v) : NoValue;
}

bool CRawDataRecord::AnglesAgree(double a, double b)
{
    if (!HasValue(a) || !HasValue(b))
        return false;
    double d = std::fmod(a - b, 2 * 3.14159265358979323846);
    while (d > 3.14159265358979323846)
        d -= 2 * 3.14159265358979323846;
    while (d < -3.14159265358979323846)
        d += 2 * 3.14159265358979323846;
    return std::fabs(d) < TenSecondsOfArc;
}

bool CRawDataRecord::DistanceNegligible(double d, const CRawDataSetup* setup)
{
    if (setup)
        d = setup->MetresToDistance(d);
    return std::fabs(d) < 0.001;
}

bool CRawDataRecord::DistancesAgree(double a, double b, const CRawDataSetup* setup)
{
    return DistanceNegligible(a - b, setup);
}

bool CRawDataRecord::LocationsAgree(const CLocation& p, const CLocation& q, const CRawDataSetup* setup)
{
    double direction = 0;
    return DistanceNegligible(p.DistanceAndDirection(q, &direction), setup);
}

void CRawDataRecord::DrawOnMap()
{
    auto* self = dynamic_cast<CNikonRawDataRecord*>(this);
    if (!self)
        return;
    const int32_t type = GetType();
    if (type == RecordTypeComment || type == RecordTypeFace1 || type == RecordTypeFace2)
        return;
    if (auto view = CreateTypedView(*self))
        view->DrawPreview();
}

// --- CNikonRawDataRecord

std::string CNikonRawDataRecord::GetTypeLabel(int32_t type, bool longLabel) const
{
    return record_codes::GetTypeLabel(type, longLabel);
}

std::string CNikonRawDataRecord::GetTypeCode(int32_t type) const
{
    return record_codes::GetTypeCode(type);
}

int32_t CNikonRawDataRecord::GetTypeFromText(const std::string& text) const
{
    return record_codes::GetTypeFromText(text);
}

std::string CNikonRawDataRecord::GetLabel(bool longLabel) const
{
    return GetTypeLabel(GetType(), longLabel);
}

std::string CNikonRawDataRecord::GetCode() const
{
    return GetTypeCode(GetType());
}

int32_t CNikonRawDataRecord::GetType() const
{
    return record_codes::GetTypeFromText(GetText());
}

namespace {

// How a line of that type splits: -1 when it does not, else how many of its layout's values were
// put in `values` (none for a comment, whose one field is the rest of the line).
int32_t SplitLineValues(std::string_view text, int32_t type, std::string_view (&values)[MaxRawValues])
{
    if (text.size() < 2 || type == RecordTypeUnknown)
        return -1;
    if (type == RecordTypeComment)
        return 0;
    const size_t count = record_codes::GetLayout(type).size();
    return SplitRawValues(text, std::span(values, count)) < 0 ? -1 : int32_t(count);
}

} // namespace

bool CNikonRawDataRecord::SplitFields()
{
    m_parsed = false;
    m_fields.RemoveAll();
    if (m_text.size() < 2)
        return false;

    const std::string_view text = GetText();
    size_t comma = text.find(',');
    const std::string_view first = text.substr(0, comma);
    m_deleted = !first.empty() && first[0] == '*';
    const int32_t type = GetType();
    std::string_view values[MaxRawValues];
    const int32_t count = SplitLineValues(text, type, values);
    if (count < 0)
        return false;
    if (type == RecordTypeComment) {
        const size_t start = m_deleted ? 4 : 3;
        m_fields.Add(FieldCO, start < m_text.size() ? std::string(text.substr(start)) : std::string());
        m_parsed = true;
        return true;
    }

    const auto layout = record_codes::GetLayout(type);
    m_fields.Reserve(count);
    for (int32_t position = 0; position < count; ++position)
        m_fields.Add(layout[size_t(position)], std::string(values[position]));
    m_parsed = true;
    return true;
}

bool CNikonRawDataRecord::SplitsIntoFields() const
{
    std::string_view values[MaxRawValues];
    return SplitLineValues(GetText(), GetType(), values) >= 0;
}

int32_t SplitRawValues(std::string_view text, std::span<std::string_view> values)
{
    // One walk over the line: its fields are a few characters each, shorter than a library
    // search needs to pay for itself.
    const char* const end = text.data() + text.size();
    const char* comma = text.data();
    while (comma != end && *comma != ',')
        ++comma;
    size_t position = 0;
    // A comma that ends the line starts no value.
    while (comma != end && comma + 1 != end) {
        const char* start = comma + 1;
        comma = start;
        while (comma != end && *comma != ',')
            ++comma;
        if (position >= values.size())
            return -1;
        values[position++] = TrimRawValue(std::string_view(start, size_t(comma - start)));
    }
    const int32_t found = int32_t(position);
    while (position < values.size())
        values[position++] = {};
    return found;
}

bool CNikonRawDataRecord::ToggleNote(bool toNote)
{
    const int32_t type = GetType();
    if (toNote) {
        if (type == RecordTypeComment)
            return false;
        SetText("CO," + GetText());
        return true;
    }
    if (type != RecordTypeComment)
        return false;
    if (m_deleted || (!m_text.empty() && m_text[0] == '*'))
        SetText("*" + (m_text.size() > 4 ? GetText().substr(4) : std::string()));
    else
        SetText(m_text.size() > 3 ? GetText().substr(3) : std::string());
    return true;
}

bool CNikonRawDataRecord::CheckLayout(int32_t expectedType)
{
    if (!m_parsed && !SplitFields())
        return false;
    const int32_t type = GetType();
    if (expectedType == RecordTypeAnyCoordinate ? !record_codes::IsCoordinateType(type) : type != expectedType)
        return false;
    const auto layout = record_codes::GetLayout(type);
    if (layout.empty() || m_fields.GetSize() != int32_t(layout.size()))
        return false;
    for (int32_t i = 0; i < m_fields.GetSize(); ++i)
        if (!FieldPasses(type, m_fields[i].GetCodeIndex(), m_fields[i].GetValue()))
            return false;
    return true;
}

bool CNikonRawDataRecord::Validate()
{
    if (IsTypedView())
        return false;
    auto view = CreateTypedView(*this);
    return view && view->Validate();
}

bool CNikonRawDataRecord::CheckAgainstJob(CColoredTextLines* lines)
{
    if (IsTypedView())
        return false;
    auto view = CreateTypedView(*this);
    return view && view->CheckAgainstJob(lines);
}

bool CNikonRawDataRecord::Canonicalize()
{
    if (IsTypedView())
        return false;
    auto view = CreateTypedView(*this);
    // A line that does not read as its type would be reprinted from empty members: keep it.
    if (!view || !view->Validate())
        return false;
    if (!view->UpdateText(m_line))
        return false;
    SetText(view->GetText());
    return true;
}

bool CNikonRawDataRecord::SwapNorthingEasting()
{
    if (IsTypedView() || !record_codes::IsCoordinateType(GetType()))
        return true;
    auto view = CreateTypedView(*this);
    if (!view || !view->SwapNorthingEasting())
        return false;
    SetText(view->GetText());
    return true;
}

bool CNikonRawDataRecord::DescribeFields(CColoredTextLines* lines, bool longLabels, bool wholeLabels)
{
    if (IsTypedView())
        return false;
    auto view = CreateTypedView(*this);
    return view && view->DescribeFields(lines, longLabels, wholeLabels);
}

bool CNikonRawDataRecord::DescribeFieldList(CColoredTextLines* lines, bool longLabels, bool wholeLabels)
{
    if (!(m_validated || Validate()))
        return false;
    if (!lines)
        return true;
    CJobRawData* file = GetRawDataFile();
    for (int32_t i = 0; i < m_fields.GetSize(); ++i)
        lines->AddLineDefaultColor(m_fields[i].FormatText(file, m_line, longLabels, wholeLabels));
    return true;
}

bool CNikonRawDataRecord::DescribeLong(CColoredTextLines* lines, int32_t lineNumber, bool longLabels,
                                       bool withSetup, bool wholeLabels)
{
    bool ok = m_parsed || SplitFields();
    if (ok && lines) {
        lines->AddLine(LineNumberText(lineNumber), TitleTextColor);
        lines->AddLineDefaultColor((IsDeleted() ? "*" : "") + GetLabel(longLabels));
    }
    if (ok)
        ok = DescribeFields(lines, longLabels, wholeLabels);
    if (!ok) {
        if (lines) {
            lines->RemoveAll();
            lines->AddLine(LineNumberText(lineNumber), TitleTextColor);
            lines->AddLine("UNRECOGNIZED LINE!", ProblemTextColor);
            lines->AddLineDefaultColor(GetText().str());
        }
        return false;
    }
    if (lines && withSetup) {
        if (CRawDataSetup* setup = GetSetup()) {
            setup->FormatCurrentMode(lines, longLabels);
            setup->FormatCurrentSetup(lines, longLabels, GetType() != RecordTypeComment);
        }
    }
    return true;
}

std::string CNikonRawDataRecord::DescribeShort()
{
    CColoredTextLines lines;
    bool ok = m_parsed || SplitFields();
    if (ok) {
        lines.AddLineDefaultColor(GetText().substr(0, IsDeleted() ? 3 : 2));
        ok = DescribeFields(&lines, false, false);
    }
    if (!ok) {
        lines.RemoveAll();
        lines.AddLineDefaultColor(LineNumberText(m_line));
        lines.AddLineDefaultColor("UNRECOGNIZED LINE!");
        lines.AddLineDefaultColor(GetText().str());
    }
    std::string text;
    const auto& all = lines.Lines();
    for (size_t i = 0; i < all.size(); ++i) {
        if (all[i].text.empty())
            continue;
        text += all[i].text;
        if (i + 1 < all.size())
            text += ',';
    }
    return text;
}

bool CNikonRawDataRecord::DescribeLayoutFields(CColoredTextLines* lines, bool longLabels, bool wholeLabels)
{
    if (!(m_validated || Validate()) || !GetSetup())
        return false;
    const auto layout = record_codes::GetLayout(GetType());
    CJobRawData* file = GetRawDataFile();
    for (int32_t i = 0; i < m_fields.GetSize(); ++i) {
        if (size_t(i) >= layout.size() || m_fields[i].GetCodeIndex() != layout[size_t(i)])
            return false;
        if (lines)
            lines->AddLineDefaultColor(m_fields[i].FormatText(file, m_line, longLabels, wholeLabels));
    }
    return m_fields.GetSize() == int32_t(layout.size());
}

bool CNikonRawDataRecord::AppendLayoutFieldTexts(std::string& out, bool longLabels, bool wholeLabels)
{
    if (!(m_validated || Validate()))
        return false;
    const CRawDataSetup* setup = GetSetup();
    if (!setup)
        return false;
    const auto layout = record_codes::GetLayout(GetType());
    for (int32_t i = 0; i < m_fields.GetSize(); ++i) {
        if (size_t(i) >= layout.size() || m_fields[i].GetCodeIndex() != layout[size_t(i)])
            return false;
        if (i > 0)
            out += ", ";
        m_fields[i].AppendText(out, setup, longLabels, wholeLabels);
    }
    return m_fields.GetSize() == int32_t(layout.size());
}

std::string CNikonRawDataRecord::FieldText(int32_t code, const std::string& value, bool longLabels,
                                           bool wholeLabels) const
{
    return CNikonRawDataField(code, value).FormatText(GetRawDataFile(), m_line, longLabels, wholeLabels);
}

void CNikonRawDataRecord::AppendProblemBlock(CColoredTextLines& lines, const std::string& message)
{
    lines.AddLineDefaultColor(RawSeparatorLine);
    lines.AddLine(message, ProblemTextColor);
    lines.AddLineDefaultColor(RawSeparatorLine);
}

void CNikonRawDataRecord::AppendMismatchBlock(CColoredTextLines& lines, const CPointRecord& jobPoint,
                                              const CLocation& raw, const CRawDataSetup& setup, bool shotStyle)
{
    auto distance = [&](double metres) { return FormatDoubleCompact(setup.MetresToDistance(metres)); };
    const CLocation job = jobPoint.GetLocation();
    double direction = NoValue, dx = NoValue, dy = NoValue, dz = NoValue;
    const double horizontal = raw.Inverse(job, &direction, &dx, &dy, &dz);
    double slope = horizontal;
    if (HasValue(dz) && HasValue(horizontal))
        slope = std::sqrt(dx * dx + dy * dy + dz * dz);

    lines.AddLineDefaultColor(RawSeparatorLine);
    lines.AddLine("Job Pt Mismatch", ProblemTextColor);
    if (shotStyle)
        lines.AddLineDefaultColor(std::string("Job Pt Name: ") + jobPoint.GetName());
    else
        lines.AddLineDefaultColor(FieldText(FieldPN, jobPoint.GetName()));
    lines.AddLineDefaultColor(FieldText(FieldN, distance(job.y)));
    lines.AddLineDefaultColor(FieldText(FieldE, distance(job.x)));
    lines.AddLineDefaultColor(FieldText(FieldEL, distance(job.z)));
    lines.AddLineDefaultColor(FieldText(shotStyle ? FieldCO : FieldFC, jobPoint.GetDescription()));
    lines.AddLineDefaultColor("   \n");
    lines.AddLineDefaultColor(FieldText(FieldAZ, FormatDoubleCompact(setup.DirectionToAzimuth(direction))));
    lines.AddLineDefaultColor(FieldText(FieldIN, distance(horizontal)));
    lines.AddLineDefaultColor(FieldText(Field26, distance(dz)));
    lines.AddLineDefaultColor(FieldText(FieldSD, distance(slope)));
}
