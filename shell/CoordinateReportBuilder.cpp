#include "shell/CoordinateReportBuilder.h"

#include "core/Format.h"
#include "core/Report.h"
#include "model/MorvelSettingsHelpers.h"
#include "model/PointRecord.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <string_view>

namespace {

constexpr int32_t HeadingCentredCellsLeft = ReportHeadingCentre | ReportCellLeft;
constexpr int32_t BlankLineFlags = ReportHeadingLeft | ReportCellLeft;

// The digits of a numeric name without leading zeros; false when the name is not numeric.
bool NumericDigits(const char* name, std::string& digits)
{
    digits.clear();
    std::string_view text(name);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())))
        text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
        text.remove_suffix(1);
    bool any = false;
    for (char c : text) {
        if (c == ',')
            continue;
        if (!std::isdigit(static_cast<unsigned char>(c)))
            return false;
        any = true;
        if (c != '0' || !digits.empty())
            digits.push_back(c);
    }
    return any;
}

int CompareNoCase(const char* a, const char* b)
{
    for (;; ++a, ++b) {
        const int ca = std::tolower(static_cast<unsigned char>(*a));
        const int cb = std::tolower(static_cast<unsigned char>(*b));
        if (ca != cb || ca == 0)
            return ca - cb;
    }
}

} // namespace

std::string CoordinateFieldText(int32_t type)
{
    switch (type) {
    case 0: return "Point Name";
    case 1: return GetPlanYCaption();
    case 2: return GetPlanXCaption();
    case 3: return GetPlanZCaption();
    case 4: return "Description";
    default: return {};
    }
}

int CompareReportPointNames(const char* a, const char* b)
{
    if (a == nullptr || b == nullptr)
        return 0;
    std::string da, db;
    const bool numericA = NumericDigits(a, da);
    const bool numericB = NumericDigits(b, db);
    if (numericA && numericB) {
        if (da.size() != db.size())
            return da.size() < db.size() ? -1 : 1;
        return da.compare(db);
    }
    if (numericA != numericB)
        return numericA ? 1 : -1;
    return CompareNoCase(a, b);
}

void BuildCoordinateReport(CReport& report, std::vector<const CPointRecord*> points,
                           const std::vector<ReportField>& fields, const CFormat& format)
{
    report.Clear(true);
    report.AddHeaderLine("Coordinate Report");
    // A blank line above the table, which also keeps the report from ever being empty.
    report.AddColumn("", BlankLineFlags);
    report.AddRow();
    report.NewSection();
    std::vector<int32_t> columns;
    for (const ReportField& field : fields) {
        if (!field.checked)
            continue;
        columns.push_back(field.type);
        report.AddColumn(CoordinateFieldText(field.type).c_str(), HeadingCentredCellsLeft);
    }

    // Each name's sort key once, not once per comparison: a large selection sorts in n log n
    // comparisons of prepared keys.
    struct Keyed
    {
        const CPointRecord* point;
        bool numeric;
        std::string key; // digits without leading zeros, or the name in lower case
    };
    std::vector<Keyed> keyed;
    keyed.reserve(points.size());
    for (const CPointRecord* point : points) {
        if (point == nullptr)
            continue;
        Keyed k{point, false, {}};
        k.numeric = NumericDigits(point->GetName(), k.key);
        if (!k.numeric) {
            k.key = point->GetName();
            for (char& c : k.key)
                c = char(std::tolower(static_cast<unsigned char>(c)));
        }
        keyed.push_back(std::move(k));
    }
    std::stable_sort(keyed.begin(), keyed.end(), [](const Keyed& a, const Keyed& b) {
        if (a.numeric != b.numeric)
            return !a.numeric;
        if (a.numeric && a.key.size() != b.key.size())
            return a.key.size() < b.key.size();
        return a.key < b.key;
    });
    for (const Keyed& entry : keyed) {
        const CPointRecord* point = entry.point;
        const int32_t row = report.AddRow();
        const CLocation location = point->GetLocation();
        for (size_t c = 0; c < columns.size(); ++c) {
            std::string text;
            switch (columns[c]) {
            case 0: text = point->GetName(); break;
            case 1: text = format.FormatCoordinate(location.y, false, false); break;
            case 2: text = format.FormatCoordinate(location.x, false, false); break;
            case 3: text = format.FormatElevation(location.z, false, false); break;
            case 4:
                text = point->GetDescription() ? point->GetDescription() : "";
                if (text.empty())
                    text = "---";
                break;
            default: break;
            }
            report.SetCell(int32_t(c), row, text, false);
        }
    }
}
