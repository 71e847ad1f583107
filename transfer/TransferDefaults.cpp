#include "transfer/TransferDefaults.h"

#include "core/MathConversions.h"
#include "core/NoValue.h"
#include "core/NikonColumnCollection.h"
#include "core/PointName.h"
#include "model/JobFileHeader.h"
#include "model/MorvelFileDoc.h"
#include "model/PointDatabase.h"
#include "model/PointRecord.h"

#include <string_view>

namespace {

double ToMetres(const CMathConversions& conversions, double value)
{
    return value > NoValueLimit ? conversions.DisplayToMetres(value) : value;
}

} // namespace

int32_t ReadTransferCoordinateLines(CMorvelFileDoc& doc, const std::string& text,
                                    const CNikonColumnCollection& columns)
{
    const CMathConversions& conversions = static_cast<const CDataFileDoc&>(doc).GetMathConversions();
    int32_t taken = 0;
    std::string_view rest = text;
    while (!rest.empty()) {
        const size_t end = rest.find('\n');
        std::string line(rest.substr(0, end));
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        std::string name;
        std::string description;
        CLocation location;
        if (!columns.ParseLine(line, name, location, description) || !location.HasPlaneCoordinates())
            continue;
        const double e = ToMetres(conversions, location.x);
        const double n = ToMetres(conversions, location.y);
        const double z = ToMetres(conversions, location.z);
        if (CPointRecord* existing = doc.GetPointDatabase()->FindPoint(name, true)) {
            existing->SetCoordinates(e, n, z, true);
            existing->SetDescription(description.c_str());
            ++taken;
            continue;
        }
        if (!IsValidPointName(name.c_str()))
            name = doc.MakeUniquePointName("");
        auto* point = new CPointRecord(name.c_str(), description.c_str(), CLocation(e, n, z), true);
        if (doc.AddRecord(point))
            ++taken;
        else
            delete point;
    }
    return taken;
}

bool ExportCoordinateLinesJob(const std::string& text, const CNikonColumnCollection& columns,
                              const JobSettingsValues& defaults, const std::string& jobPath)
{
    CMorvelFileDoc doc;
    JobFileHeader header;
    InitJobFileHeader(header);
    ApplyTransferDefaultsToJob(defaults, header);
    doc.ApplyJobSettings(header);
    ReadTransferCoordinateLines(doc, text, columns);
    return doc.ExportSelection(jobPath, false, true, nullptr);
}
