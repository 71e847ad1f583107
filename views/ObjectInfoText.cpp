#include "views/ObjectInfoText.h"

#include "core/Format.h"
#include "core/MathConversions.h"
#include "model/MorvelSettings.h"
#include "model/MorvelSettingsHelpers.h"
#include "model/PointRecord.h"
#include "views/ObjectIdOwner.h"

namespace {

constexpr const char* SeparatorLine = "------------\t------------\n";

std::string UnitLabelFor(CDataFileDoc& doc, CObjectIdOwner* owner)
{
    std::string label;
    if (!owner || !owner->GetObjectUnitLabel(label))
        return {};
    // Architectural values carry their own feet and inches marks.
    if (GetMorvelSettings().GetUseArchitecturalUnits() &&
        static_cast<const CDataFileDoc&>(doc).GetMathConversions().GetDistanceUnits() != ClassUnitMetres)
        return {};
    return label;
}

} // namespace

void AppendCoordinateLines(std::string& text, const std::string& unitLabel, double northing, double easting,
                           double elevation, const std::string& captionPrefix)
{
    const CDataFileDoc* doc = CDataFileDoc::GetActiveDoc();
    if (!doc)
        return;
    const CFormat& format = doc->GetDataFileFormat();
    const std::string northLine =
        captionPrefix + GetPlanYCaption() + "\t" + format.FormatCoordinate(northing, false, false) + " " + unitLabel + "\n";
    const std::string eastLine =
        captionPrefix + GetPlanXCaption() + "\t" + format.FormatCoordinate(easting, false, false) + " " + unitLabel + "\n";
    text += SeparatorLine;
    if (GetMorvelSettings().GetCoordOrder())
        text += northLine + eastLine;
    else
        text += eastLine + northLine;
    if (HasValue(elevation))
        text += captionPrefix + GetPlanZCaption() + "\t" + format.FormatElevation(elevation, false, false) + " " +
                unitLabel + "\n";
}

bool BuildObjectInfoText(std::string& text, const RecordRef& object, double, double, CObjectIdOwner* owner)
{
    CDataFileDoc* doc = CDataFileDoc::GetActiveDoc();
    // The pick may be older than the job's last change: a record the job no longer holds is never read.
    if (!doc || !doc->ContainsRecord(object.record, kRecordTypePoint))
        return false;
    const auto* point = static_cast<const CPointRecord*>(object.record);
    const std::string label = UnitLabelFor(*doc, owner);
    const std::string description = point->GetDescription();
    std::string out = "Object type\tPoint\n";
    out += SeparatorLine;
    out += std::string("Name\t") + point->GetName() + "\n";
    out += "Description\t" + (description.empty() ? std::string("---") : description) + "\n";
    const CLocation at = point->GetLocation();
    AppendCoordinateLines(out, label, at.y, at.x, at.z, "");
    text = std::move(out);
    return true;
}

std::string GetObjectChoiceText(const RecordRef& object)
{
    if (object.record && object.record->GetType() == kRecordTypePoint)
        return std::string("Point: ") + static_cast<const CPointRecord*>(object.record)->GetName();
    return "Unknown: ???";
}
