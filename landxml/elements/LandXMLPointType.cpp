#include "landxml/elements/LandXMLPointType.h"

#include "core/DecimalText.h"
#include "core/NoValue.h"
#include "landxml/LandXML.h"
#include "landxml/LandXMLText.h"
#include "landxml/elements/LandXMLCgPoint.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <unordered_set>

namespace {

constexpr double kSameCoordinate = 0.0001;

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The common word of a coordinate text, [-]digits[.digits] of at most 24 characters ending at
// white space or the end, read in one pass from position end (moved past it). Such a word is
// one the general reader takes, with the same value, and it can neither overflow nor underflow;
// any other word is left to the general reader (false).
bool ReadPlainDecimal(std::string_view text, std::size_t& end, double& value)
{
    const std::size_t begin = end;
    std::size_t i = begin;
    const bool negative = i < text.size() && text[i] == '-';
    if (negative)
        ++i;
    // The digits gathered as one integer on the way; at most 19 of them cannot overflow it.
    uint64_t digits = 0;
    const std::size_t digitsFrom = i;
    while (i < text.size() && IsDigit(text[i]))
        digits = digits * 10 + uint64_t(text[i++] - '0');
    if (i == digitsFrom)
        return false;
    std::size_t fraction = 0;
    if (i < text.size() && text[i] == '.') {
        const std::size_t fractionFrom = ++i;
        while (i < text.size() && IsDigit(text[i]))
            digits = digits * 10 + uint64_t(text[i++] - '0');
        fraction = i - fractionFrom;
        if (fraction == 0)
            return false;
    }
    if ((i < text.size() && !landxml::IsXmlSpace(text[i])) || i - begin > 24)
        return false;
    // The usual coordinate has fewer than 16 digits: one exact division reads it. More than 19
    // digits may have overflowed the integer, so those go to the full reader.
    const std::size_t digitCount = i - digitsFrom - (fraction != 0 ? 1 : 0);
    double magnitude = 0;
    if (digitCount <= 19 && ExactDecimalQuotient(digits, fraction, magnitude)) {
        value = negative ? -magnitude : magnitude;
        end = i;
        return true;
    }
    const auto [stop, error] = std::from_chars(text.data() + begin, text.data() + i, value);
    if (error != std::errc() || stop != text.data() + i)
        return false;
    end = i;
    return true;
}

} // namespace

CLandXMLPointType::CLandXMLPointType(const char* tagName)
    : m_tagName(tagName), m_x(NoValue), m_y(NoValue), m_z(NoValue)
{
}

bool CLandXMLPointType::Validate(pugi::xml_node element)
{
    return IsTag(element, m_tagName);
}

void CLandXMLPointType::Reset()
{
    m_reference = nullptr;
    m_hasCoordinates = false;
    m_x = m_y = m_z = NoValue;
    CXMLElement::Reset();
}

bool CLandXMLPointType::ParseCoordinates(std::string_view text, double& x, double& y, double& z)
{
    x = y = z = NoValue;
    double values[4];
    int count = 0;
    std::size_t i = 0;
    while (count < 4) {
        while (i < text.size() && landxml::IsXmlSpace(text[i]))
            ++i;
        if (i >= text.size())
            break;
        std::size_t end = i;
        double v = 0.0;
        if (ReadPlainDecimal(text, end, v)) {
            values[count++] = v;
            i = end;
            continue;
        }
        while (end < text.size() && !landxml::IsXmlSpace(text[end]))
            ++end;
        if (!ReadDecimalDouble(text.substr(i, end - i), v))
            break;
        values[count++] = v;
        i = end;
    }
    if (count < 2 || count > 3)
        return false;
    y = values[0];
    x = values[1];
    if (count == 3)
        z = values[2];
    return true;
}

bool CLandXMLPointType::Read(pugi::xml_node element, CLandXML* document)
{
    if (!Load(element, document))
        return false;

    double ownX, ownY, ownZ;
    std::string storage;
    const bool ownValid = ParseCoordinates(GetTextView(GetElement(), storage), ownX, ownY, ownZ);
    if (ownValid) {
        m_x = ownX;
        m_y = ownY;
        m_z = ownZ;
        m_hasCoordinates = true;
    }

    const pugi::xml_attribute reference = GetPntRefAttribute();
    if (!reference || reference.value()[0] == '\0')
        return ownValid;

    const std::string name = landxml::TrimXmlSpace(reference.value());
    CLandXMLCgPoint* found = m_document != nullptr ? m_document->FindCgPoint(name, true) : nullptr;
    if (found == nullptr)
        RaiseError(landxml::FormatText("Point %s does not exist.", {name}));

    double refX, refY, refZ;
    if (!found->GetCoordinates(refX, refY, refZ, 1.0))
        return false;

    if (!ownValid) {
        m_reference = found;
        m_x = refX;
        m_y = refY;
        m_z = refZ;
        m_hasCoordinates = true;
        return true;
    }
    // Own coordinates that differ from the referenced point stand on their own.
    if (std::fabs(ownX - refX) >= kSameCoordinate || std::fabs(ownY - refY) >= kSameCoordinate)
        return true;
    const bool ownHasZ = ownZ >= NoValueLimit;
    const bool refHasZ = refZ >= NoValueLimit;
    if (ownHasZ != refHasZ)
        return true;
    if (ownHasZ && std::fabs(ownZ - refZ) >= kSameCoordinate)
        return true;
    m_reference = found;
    return true;
}

bool CLandXMLPointType::GetCoordinates(double& x, double& y, double& z, double scale) const
{
    if (!m_hasCoordinates)
        return false;
    x = m_x * scale;
    y = m_y * scale;
    z = m_z > NoValueLimit ? m_z * scale : m_z;
    return true;
}

bool CLandXMLPointType::HasValidReference() const
{
    if (m_reference == nullptr)
        return false;
    std::unordered_set<const CLandXMLPointType*> visited;
    for (const CLandXMLPointType* p = m_reference; p != nullptr; p = p->m_reference)
        if (!visited.insert(p).second)
            return false;
    return true;
}

bool CLandXMLPointType::GetReferencedCoordinates(double& x, double& y, double& z, double scale) const
{
    if (!HasValidReference())
        return false;
    return m_reference->GetCoordinates(x, y, z, scale);
}

std::string CLandXMLPointType::GetPntRef() const
{
    std::string text;
    GetAttributeText("pntRef", text);
    return text;
}

std::string CLandXMLPointType::GetDesc() const
{
    std::string text;
    GetAttributeText("desc", text);
    return text;
}

std::string CLandXMLPointType::GetCode() const
{
    std::string text;
    GetAttributeText("code", text);
    return text;
}
