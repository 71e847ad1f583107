#include "model/MorvelSettingsHelpers.h"

#include "core/JobValueSource.h"
#include "core/MathConversions.h"
#include "model/MorvelSettings.h"

#include <cmath>

std::string GetPlanXCaption()
{
    return GetMorvelSettings().GetXCaption();
}

std::string GetPlanYCaption()
{
    return GetMorvelSettings().GetYCaption();
}

std::string GetPlanZCaption()
{
    return GetMorvelSettings().GetZCaption();
}

bool ColorIndicesMatch(int32_t a, int32_t b)
{
    int32_t size = GetMorvelSettings().GetColorMode() == 1 ? 16 : 64;
    // Differences are taken in 64 bits so extreme indices cannot overflow.
    return (static_cast<int64_t>(a) - b) % size == 0;
}

std::optional<std::string> GetUnitOrCaptionLabel(int32_t id, const CMathConversions& conversions)
{
    auto in = [id](int32_t first, int32_t last) { return id >= first && id <= last; };
    bool northingFirst = GetMorvelSettings().GetCoordOrder();
    if (in(6926, 6941) || in(7018, 7027) || id == 2313)
        return conversions.GetDistanceUnitLabel();
    if (in(6967, 6974))
        return conversions.GetAngleUnitLabel();
    if (id == 7028)
        return conversions.GetLargeAreaUnitLabel();
    if (id == 7029)
        return conversions.GetAreaUnitLabel();
    if (in(6975, 6981))
        return northingFirst ? GetPlanYCaption() : GetPlanXCaption();
    if (in(6986, 6992))
        return northingFirst ? GetPlanXCaption() : GetPlanYCaption();
    if (in(7001, 7008))
        return GetPlanZCaption();
    return std::nullopt;
}

void ApplyUnitAndCaptionLabels(const std::vector<int32_t>& controlIds,
                               const std::function<void(std::size_t index, const std::string& text)>& setText)
{
    const CJobValueSource* job = GetActiveJobValueSource();
    if (controlIds.empty() || job == nullptr)
        return;
    const CMathConversions& conversions = job->GetMathConversions();
    for (std::size_t i = 0; i < controlIds.size(); ++i) {
        if (auto label = GetUnitOrCaptionLabel(controlIds[i], conversions))
            setText(i, *label);
    }
}

void UpdatePickTolerance(CPickToleranceMap& map)
{
    int32_t size = GetMorvelSettings().GetPickBoxSize();
    CLocation half = map.DeviceToWorld(size / 2, size / 2);
    CLocation whole = map.DeviceToWorld(size, size);
    map.SetPickTolerances(std::fabs(whole.x - half.x), std::fabs(whole.y - half.y));
}
