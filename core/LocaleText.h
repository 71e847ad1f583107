#pragma once

#include <functional>
#include <string>

// Locale information types asked for by the value texts.
inline constexpr int LocaleDecimalSeparator = 14;
inline constexpr int LocaleThousandsSeparator = 15;

// The user's locale text of the given type (decimal or thousands separator), asked for on every
// call so that a change shows on the next value. Unknown types give an empty text.
std::string GetLocaleText(int type);

// Replaces where GetLocaleText takes its answers (tests install fixed separators); an empty
// provider goes back to the user's locale.
using LocaleTextProvider = std::function<std::string(int type)>;
void SetLocaleTextProvider(LocaleTextProvider provider);

// Installs fixed separators for the life of the object and restores the previous provider after.
class CLocaleTextOverride
{
public:
    CLocaleTextOverride(std::string decimalSeparator, std::string thousandsSeparator);
    ~CLocaleTextOverride();
    CLocaleTextOverride(const CLocaleTextOverride&) = delete;
    CLocaleTextOverride& operator=(const CLocaleTextOverride&) = delete;

private:
    LocaleTextProvider m_previous;
};
