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

    std::erase(points, nullptr);
    std::stable_sort(points.begin(), points.end(), [](const CPointRecord* a, const CPointRecord* b) {
        return CompareReportPointNames(a->GetName(), b->GetName()) < 0;
    });
    for (const CPointRecord* point : points) {
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
