#include "core/FormatPreferences.h"

#include <utility>

namespace {

FormatPreferencesProvider& Provider()
{
    static FormatPreferencesProvider provider;
    return provider;
}

} // namespace

FormatPreferences GetFormatPreferences()
{
    const FormatPreferencesProvider& p = Provider();
    return p ? p() : FormatPreferences();
}

void SetFormatPreferencesProvider(FormatPreferencesProvider provider)
{
    Provider() = std::move(provider);
}
