#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class CJobRawData;
class CRawDataSetup;

// Field codes: rows of the field-code table.
enum RawFieldCode : int32_t {
    FieldNone = -1,
    FieldCO = 0, // comment text
    FieldPN,     // point name
    FieldFC,     // description (feature code)
    FieldOP,     // occupied point
    FieldBP,     // backsight point
    FieldBC,     // backsight circle
    FieldHI,     // instrument height
    FieldAZ,     // azimuth
    FieldHA,     // horizontal angle
    FieldHR,     // rod height
    FieldSD,     // slope distance
    FieldVA,     // vertical angle
    FieldTM,     // time
    FieldDU,     // distance units (enumeration 4)
    FieldAU,     // angle units (enumeration 1)
    FieldZA,     // zero azimuth (enumeration 0)
    FieldBA,     // backsight azimuth
    FieldN,      // northing
    FieldE,      // easting
    FieldEL,     // elevation
    FieldSF,     // scale factor
    FieldEC,     // earth curvature (enumeration 2)
    FieldSL,     // sea level correction (enumeration 3)
    FieldHD,     // HA raw data mode (enumeration 5)
    FieldVD,     // coordinate order (enumeration 6)
    FieldIN,     // horizontal distance of a mismatch
    Field26,     // vertical distance of a mismatch
    FieldEmpty,  // a position without field
    FieldCodeCount
};

// Kinds of input a field takes (the field editor chooses its control by them).
enum RawValueKind : int32_t {
    ValueKindTime = 1,
    ValueKindHeight = 3,
    ValueKindSlopeDistance = 4,
    ValueKindAzimuth = 5,
    ValueKindAngleRight = 7,
    ValueKindZenith = 8,
    ValueKindNorthing = 9,
    ValueKindEasting = 10,
    ValueKindElevation = 11,
    ValueKindPointName = 12,
    ValueKindNumberText = 13,
    ValueKindFreeText = 15,
    ValueKindEnumeration = 16, // plus the enumeration number
};

// One row of the field-code table.
struct CFieldCode
{
    const char* code;
    const char* longLabel;
    const char* shortLabel;
};

// The field-code table, built once.
class CFieldCodeTable
{
public:
    static const CFieldCodeTable& Get();
    // The empty text outside 0..27.
    std::string GetCodeText(int32_t code) const;
    std::string GetCodeLabel(int32_t code, bool longLabel) const;
    // The first two characters of the text; -1 when absent; the empty text finds row 27.
    int32_t LookupCode(const std::string& text) const;

private:
    CFieldCodeTable() = default;
};

// The seven enumerations some fields carry (0 zero azimuth, 1 angle units, 2 earth curvature,
// 3 sea level, 4 distance units, 5 HA raw data, 6 coordinate order).
namespace raw_enums {
inline constexpr int32_t Count = 7;
int32_t GetSize(int32_t enumeration);
std::string NameAt(int32_t enumeration, int32_t position);
std::string NameOf(int32_t enumeration, int32_t value);
int32_t ValueAt(int32_t enumeration, int32_t position);
// The text must be a whole number that is one of the enumeration's values.
bool Parse(int32_t enumeration, const std::string& text, int32_t* value);
} // namespace raw_enums

// One value of a raw line: its field code and its text as read.
class CRawDataField
{
public:
    CRawDataField() = default;
    CRawDataField(int32_t code, std::string value) : m_code(code), m_value(std::move(value)) {}
    virtual ~CRawDataField() = default;
    CRawDataField(const CRawDataField&) = default;
    CRawDataField& operator=(const CRawDataField&) = default;

    int32_t GetCodeIndex() const { return m_code; }
    const std::string& GetValue() const { return m_value; }
    void SetValue(std::string value) { m_value = std::move(value); }
    void SetCode(int32_t code) { m_code = code; }

    virtual std::string FormatEnumValue(CJobRawData* file, int32_t line, int32_t enumeration,
                                        int32_t value, bool longLabel, bool wholeLabel) const = 0;
    virtual std::string FormatValue(CJobRawData* file, int32_t line, const std::string& value,
                                    bool longLabel, bool wholeLabel) const = 0;
    virtual std::string GetCodeLabel(int32_t code, bool longLabel) const = 0;
    virtual std::string GetCodeText(int32_t code) const = 0;
    virtual int32_t LookupCode(const std::string& text) const = 0;
    virtual std::string GetLabelFormat(bool longLabel, bool wholeLabel) const = 0;
    virtual std::string GetCode() const = 0;
    virtual int32_t GetValueKind() const = 0;
    virtual bool CheckLabelFormat(int32_t* placeholders, bool longLabel, bool wholeLabel) const = 0;

    // The field's own value through FormatValue.
    std::string FormatText(CJobRawData* file, int32_t line, bool longLabel, bool wholeLabel) const
    {
        return FormatValue(file, line, m_value, longLabel, wholeLabel);
    }

protected:
    int32_t m_code = FieldNone;
    std::string m_value;
};

// Fields of the raw layout. The display texts are in the units of the setup in force at the
// line the caller names; without a setup there the value is shown as written, without a unit.
class CNikonRawDataField : public CRawDataField
{
public:
    using CRawDataField::CRawDataField;

    std::string FormatEnumValue(CJobRawData* file, int32_t line, int32_t enumeration, int32_t value,
                                bool longLabel, bool wholeLabel) const override;
    std::string FormatValue(CJobRawData* file, int32_t line, const std::string& value, bool longLabel,
                            bool wholeLabel) const override;
    std::string GetCodeLabel(int32_t code, bool longLabel) const override;
    std::string GetCodeText(int32_t code) const override;
    int32_t LookupCode(const std::string& text) const override;
    std::string GetLabelFormat(bool longLabel, bool wholeLabel) const override;
    std::string GetCode() const override;
    int32_t GetValueKind() const override;
    bool CheckLabelFormat(int32_t* placeholders, bool longLabel, bool wholeLabel) const override;

    // FormatText's text added to the end of `out`, with the setup in force at the line already
    // looked up (null without one): a reduction logs every field of every line it changes.
    void AppendText(std::string& out, const CRawDataSetup* setup, bool longLabel, bool wholeLabel) const;
    // AppendText for a field of this code and value that was never built: a shot's log reads its
    // values straight off the line.
    static void AppendValueText(std::string& out, int32_t code, std::string_view value, const CRawDataSetup* setup,
                                bool longLabel, bool wholeLabel);
    // AppendValueText for a line's fields in order, joined by ", ", the settings read once. An
    // angle field's `radians`, when it holds a value, is its value as the setup reads it (an
    // azimuth as a direction), already worked out by the caller.
    static void AppendValueTexts(std::string& out, std::span<const int32_t> codes,
                                 std::span<const std::string_view> values, std::span<const double> radians,
                                 const CRawDataSetup* setup, bool longLabel, bool wholeLabel);
};

// The fields of one record in line order. Fields are held by value: the layout's fields carry no
// data of their own beyond the base, so one allocation per record is enough. The count and room
// sit in that allocation, so a record that was never split (most stored lines) keeps one pointer.
class CRawDataFieldArray
{
public:
    CRawDataFieldArray() = default;
    ~CRawDataFieldArray() { Free(); }
    CRawDataFieldArray(const CRawDataFieldArray&) = delete;
    CRawDataFieldArray& operator=(const CRawDataFieldArray&) = delete;

    void AddCopy(const CRawDataField& field) { Add(field.GetCodeIndex(), field.GetValue()); }
    void Add(int32_t code, std::string value);
    void RemoveAll();
    int32_t GetSize() const { return m_block ? m_block->size : 0; }
    CNikonRawDataField& operator[](int32_t i) { return Items()[i]; }
    const CNikonRawDataField& operator[](int32_t i) const { return Items()[i]; }
    void Reserve(int32_t n);

private:
    struct Block
    {
        int32_t size;
        int32_t capacity;
    };
    // The fields follow the count, at the fields' alignment.
    static constexpr std::size_t ItemsAt = (sizeof(Block) + alignof(CNikonRawDataField) - 1) /
                                           alignof(CNikonRawDataField) * alignof(CNikonRawDataField);
    CNikonRawDataField* Items() const
    {
        return reinterpret_cast<CNikonRawDataField*>(reinterpret_cast<char*>(m_block) + ItemsAt);
    }
    void Free();

    Block* m_block = nullptr;
};

// Fills "%s" placeholders in order; missing arguments leave the rest empty.
std::string FillLabel(const std::string& format, const std::vector<std::string>& args);
