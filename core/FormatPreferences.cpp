#include "core/FormatPreferences.h"

#include <utility>

namespace {

FormatPreferencesProvider& Provider()
{
    static FormatPreferencesProvider provider;
    return provider;
}

FormatPreferencesProvider& ApplicationReader()
{
    static FormatPreferencesProvider reader;
    return reader;
}

} // namespace

FormatPreferences GetFormatPreferences()
{
    if (const FormatPreferencesProvider& p = Provider())
        return p();
    if (const FormatPreferencesProvider& r = ApplicationReader())
        return r();
    return FormatPreferences{};
}

void SetFormatPreferencesProvider(FormatPreferencesProvider provider)
{
    Provider() = std::move(provider);
}

void SetApplicationFormatPreferencesReader(FormatPreferencesProvider reader)
{
    ApplicationReader() = std::move(reader);
}
