#pragma once

#include "core/Location.h"
#include "rawdata/records/RawDataField.h"
#include "rawdata/records/RawLineText.h"
#include "rawdata/records/RecordCode.h"

#include <cstdint>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <string_view>

class CColoredTextLines;
class CDataFileDoc;
class CJobRawData;
class CPointDatabase;
class CPointRecord;
class CRawDataDrawTarget;
class CRawDataFile;
class CRawDataSetup;

// The line written before and after a block of check or setup lines.
inline constexpr const char* RawSeparatorLine = "------------\t------------";

// Old point name to new.
using RenameMap = std::map<std::string, std::string>;

// One raw line: its text, its fields split on demand, its owner job and line number. Typed
// behaviour lives in short-lived typed views built from the record for one operation.
class CRawDataRecord
{
public:
    CRawDataRecord() = default;
    virtual ~CRawDataRecord() = default;
    CRawDataRecord(const CRawDataRecord&) = delete;
    CRawDataRecord& operator=(const CRawDataRecord&) = delete;

    virtual bool ToggleNote(bool toNote) = 0;
    // Reprints the text from the typed members; a generic record cannot.
    virtual bool UpdateText(int32_t line) { return false; }
    virtual bool SplitFields() = 0;
    virtual bool DescribeLong(CColoredTextLines* lines, int32_t lineNumber, bool longLabels, bool withSetup,
                              bool wholeLabels) = 0;
    virtual std::string DescribeShort() = 0;
    virtual bool CheckAgainstJob(CColoredTextLines* lines) = 0;
    virtual bool Canonicalize() = 0;
    virtual bool Validate() { return false; }
    virtual void DrawPreview() {}
    virtual bool SwapNorthingEasting() { return true; }
    virtual std::string GetTypeLabel(int32_t type, bool longLabel) const = 0;
    virtual std::string GetTypeCode(int32_t type) const = 0;
    virtual int32_t GetTypeFromText(const std::string& text) const = 0;
    virtual std::string GetLabel(bool longLabel) const = 0;
    virtual std::string GetCode() const = 0;
    virtual int32_t GetType() const = 0;

    void Reset();
    // Drops the fields and takes the deleted flag from the text.
    // With room, the text is copied into it, kept by the caller for the record's life
    // (CRawTextHold::RoomFor bytes at 4-byte alignment): a stored line's text beside its record.
    void SetText(std::string_view text, void* textRoom = nullptr);
    // The same for a text printed in place in its room (CRawTextHold::Adopt).
    void SetPrintedText(char* chars, size_t size);
    // Valid until the text changes or the record goes.
    CRawLineText GetText() const { return m_text.Text(); }
    // Text, document, line and deleted flag; the fields are split again when needed.
    // Room for the text as SetText takes it.
    void AssignFrom(const CRawDataRecord& other, void* textRoom = nullptr);
    void Clear();
    void SetDocument(CDataFileDoc* doc) { m_doc = doc; }
    bool GetDocument(CDataFileDoc** doc) const;
    CDataFileDoc* GetDocument() const { return m_doc; }
    void SetLine(int32_t line) { m_line = line; }
    int32_t GetLine() const { return m_line; }

    CJobRawData* GetRawDataFile() const;
    CPointDatabase* GetPointDatabase() const;
    // The setup in force at the record's line; null without one.
    CRawDataSetup* GetSetup() const;
    // The job's raw data container and its map drawing target; null without them.
    CRawDataFile* GetRawDataContainer() const;
    CRawDataDrawTarget* GetDrawTarget() const;

    int32_t GetFieldCount();
    bool GetField(int32_t index, CRawDataField& field);
    const CRawDataFieldArray& GetFields() const { return m_fields; }
    void RebuildText();
    bool RenamePoints(const RenameMap& names);
    void DrawOnMap();
    bool CanInterpret(std::string* message);
    void SetDeleted(bool deleted);
    bool IsDeleted();
    bool IsDeletedFlag() const { return m_deleted; }
    bool IsParsed() const { return m_parsed; }
    bool IsValidated() const { return m_validated; }

    // Through the setup at the record's line; NoValue without one.
    double AzimuthToDirection(double v) const;
    double AngleToRadians(double v) const;
    double VerticalAngleToRadians(double v) const;
    double DistanceToMetres(double v) const;
    double DirectionToAzimuth(double v) const;
    double RadiansToAngle(double v) const;
    double RadiansToVerticalAngle(double v) const;
    double MetresToDistance(double v) const;

    // Ten seconds of arc, strictly.
    static bool AnglesAgree(double a, double b);
    // |d| below 0.001 in the setup's distance unit (metres without setup), strictly.
    static bool DistanceNegligible(double d, const CRawDataSetup* setup);
    static bool DistancesAgree(double a, double b, const CRawDataSetup* setup);
    static bool LocationsAgree(const CLocation& p, const CLocation& q, const CRawDataSetup* setup);

protected:
    // After a new text: its fields are split again when asked for, and a leading '*' marks it deleted.
    void ForgetFields();

    // Ordered so that a stored line packs without padding: a long file holds one per line.
    CRawTextHold m_text;
    CRawDataFieldArray m_fields;
    CDataFileDoc* m_doc = nullptr;
    int32_t m_line = -1;
    bool m_parsed = false;
    bool m_validated = false;
    bool m_deleted = false;
};

// A record of the raw layout: the class of the records a job stores, and the base of the typed
// views.
class CNikonRawDataRecord : public CRawDataRecord
{
public:
    CNikonRawDataRecord() = default;
    explicit CNikonRawDataRecord(const std::string& text) { SetText(text); }
    CNikonRawDataRecord(const CRawDataRecord& other) { AssignFrom(other); }
    CNikonRawDataRecord(const CNikonRawDataRecord& other) : CRawDataRecord() { AssignFrom(other); }
    CNikonRawDataRecord(const CRawDataRecord& other, CDataFileDoc* doc, int32_t line)
    {
        AssignFrom(other);
        m_doc = doc;
        m_line = line;
    }
    CNikonRawDataRecord& operator=(const CNikonRawDataRecord& other)
    {
        if (this != &other)
            AssignFrom(other);
        return *this;
    }

    bool ToggleNote(bool toNote) override;
    bool SplitFields() override;
    // Whether SplitFields would succeed, without keeping the fields: a check over every line of a
    // large file would otherwise hold each line's fields after it.
    bool SplitsIntoFields() const;
    bool DescribeLong(CColoredTextLines* lines, int32_t lineNumber, bool longLabels, bool withSetup,
                      bool wholeLabels) override;
    std::string DescribeShort() override;
    bool CheckAgainstJob(CColoredTextLines* lines) override;
    bool Canonicalize() override;
    bool Validate() override;
    bool SwapNorthingEasting() override;
    std::string GetTypeLabel(int32_t type, bool longLabel) const override;
    std::string GetTypeCode(int32_t type) const override;
    int32_t GetTypeFromText(const std::string& text) const override;
    std::string GetLabel(bool longLabel) const override;
    std::string GetCode() const override;
    int32_t GetType() const override;

    // The field lines of a description: one labelled line per field. A typed view validates
    // first; without lines only the result counts.
    virtual bool DescribeFields(CColoredTextLines* lines, bool longLabels, bool wholeLabels);
    // For the views whose field lines are their layout's (shots, stations, coordinates): those
    // lines joined by ", " at the end of `out`, built in place; the answer is DescribeFields'.
    bool AppendLayoutFieldTexts(std::string& out, bool longLabels, bool wholeLabels);

    // The line against the validity rules of its type's layout: the split, the type (any
    // coordinate type for a coordinate view), the field count and each field's test.
    bool CheckLayout(int32_t expectedType);

protected:
    // Typed views answer for themselves; only a stored (generic) record builds views.
    virtual bool IsTypedView() const { return false; }
    // Lists the fields after the typed view's validation.
    bool DescribeFieldList(CColoredTextLines* lines, bool longLabels, bool wholeLabels);
    // Lists the fields when each has the code of its place in the layout; false at the first
    // that does not (lines already added stay), else whether the count matches.
    bool DescribeLayoutFields(CColoredTextLines* lines, bool longLabels, bool wholeLabels);
    // The "Job Pt Mismatch" block: the job point's values, then azimuth, horizontal distance,
    // elevation difference and slope distance from the raw location to it, in the line's units.
    // A shot names the job point in a "Job Pt Name: " line and shows its description as a comment.
    void AppendMismatchBlock(CColoredTextLines& lines, const CPointRecord& jobPoint, const CLocation& raw,
                             const CRawDataSetup& setup, bool shotStyle = false);
    // A separator, the message in the problem colour, a separator.
    static void AppendProblemBlock(CColoredTextLines& lines, const std::string& message);
    // A value of a field of the record's line shown as its labelled text.
    std::string FieldText(int32_t code, const std::string& value, bool longLabels = true,
                          bool wholeLabels = true) const;
};

// The typed view of the record's type, built from the record; null for IN, unknown lines and
// types without a view.
std::unique_ptr<CNikonRawDataRecord> CreateTypedView(const CNikonRawDataRecord& record);

// The most values a line's layout has.
inline constexpr size_t MaxRawValues = 8;
// The values after a line's type code as a record's split finds them, trimmed of blanks and tabs,
// the rest of the span left empty; how many the line holds, or -1 when it holds more than fit.
int32_t SplitRawValues(std::string_view text, std::span<std::string_view> values);
// A value as the split gives it back: blanks and tabs off both ends.
inline std::string_view TrimRawValue(std::string_view item)
{
    const char* start = item.data();
    const char* stop = start + item.size();
    while (start != stop && (*start == ' ' || *start == '\t'))
        ++start;
    while (stop != start && (stop[-1] == ' ' || stop[-1] == '\t'))
        --stop;
    return std::string_view(start, size_t(stop - start));
}

// A number of a raw field: '.' as the decimal point whatever the locale, present (above the
// no-value limit); an empty text gives NoValue when allowed.
bool ReadRawNumber(std::string_view text, bool allowEmpty, double* value);
// A text printed into a raw line: commas (unless kept) and line ends become blanks.
std::string CleanRawText(const std::string& text, bool keepCommas);
