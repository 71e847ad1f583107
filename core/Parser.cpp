#include "core/Parser.h"

#include "core/DecimalText.h"

#include <cstring>

namespace {

// The C locale's blanks, whatever locale the program runs in.
bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

void TrimLeft(std::string& s)
{
    size_t i = 0;
    while (i < s.size() && IsBlank(s[i]))
        ++i;
    s.erase(0, i);
}

void TrimRight(std::string& s)
{
    size_t n = s.size();
    while (n > 0 && IsBlank(s[n - 1]))
        --n;
    s.erase(n);
}

// Where the field starting at pos ends: its delimiter, or the end of the text.
size_t FieldEnd(std::string_view text, size_t pos, const std::string& delimiters)
{
    // One delimiter is the common case; a scan of the set would cost a call per character.
    if (delimiters.size() == 1) {
        const char delimiter = delimiters[0];
        while (pos < text.size() && text[pos] != delimiter)
            ++pos;
        return pos;
    }
    while (pos < text.size() && delimiters.find(text[pos]) == std::string::npos)
        ++pos;
    return pos;
}

} // namespace

CParser::CParser()
{
    Reset();
}

CParser::CParser(std::string text, std::string delimiters, bool throwOnError)
{
    Reset();
    m_text = std::move(text);
    m_delimiters = std::move(delimiters);
    m_throwOnError = throwOnError;
}

void CParser::Reset()
{
    m_delimiters = ",";
    m_throwOnError = false;
    m_mergeDelimiters = false;
    m_trimLeft = false;
    m_trimRight = false;
}

bool CParser::Fail() const
{
    if (m_throwOnError)
        throw CUserException();
    return false;
}

bool CParser::IsDelimiter(char c) const
{
    return m_delimiters.find(c) != std::string::npos;
}

bool CParser::IsBlankAt(size_t i) const
{
    return i < m_text.size() && IsBlank(m_text[i]);
}

void CParser::SkipBlanks()
{
    while (IsBlankAt(m_pos))
        ++m_pos;
}

bool CParser::GetNextToken(std::string& token)
{
    if (m_trimLeft)
        SkipBlanks();
    if (m_pos >= m_text.size()) {
        m_text.clear();
        m_pos = 0;
        return Fail();
    }

    const size_t size = m_text.size();
    const size_t p = FieldEnd(m_text, m_pos, m_delimiters);
    if (p == size) {
        if (m_pos == 0) {
            token = std::move(m_text);
        } else {
            token.assign(m_text, m_pos, std::string::npos);
        }
        m_text.clear();
        m_pos = 0;
    } else {
        const bool blankDelimiter = IsBlank(m_text[p]);
        token.assign(m_text, m_pos, p - m_pos);
        m_pos = p + 1;
        if (m_mergeDelimiters && m_pos < size) {
            SkipBlanks();
            if (blankDelimiter && m_pos < size && IsDelimiter(m_text[m_pos])) {
                ++m_pos;
                SkipBlanks();
            }
        }
        if (m_trimLeft)
            TrimLeft(token);
    }
    if (m_trimRight)
        TrimRight(token);
    return true;
}

bool CParser::GetNextDouble(double* value)
{
    std::string token;
    if (!GetNextToken(token))
        return false;
    double v = 0.0;
    const bool ok = ReadDecimalDouble(token, v);
    *value = v;
    return ok ? true : Fail();
}

bool CParser::GetNextLong(int32_t* value)
{
    std::string token;
    if (!GetNextToken(token))
        return false;
    int32_t v = 0;
    const bool ok = ReadDecimalInt32(token, v, INT32_MIN + 1, INT32_MAX - 1);
    *value = v;
    return ok ? true : Fail();
}

bool CParser::GetNextInt(int* value)
{
    int32_t v = 0;
    if (!GetNextLong(&v))
        return false;
    *value = v;
    return true;
}

bool CParser::GetNextULong(uint32_t* value)
{
    std::string token;
    if (!GetNextToken(token))
        return false;
    uint32_t v = 0;
    const bool ok = ReadDecimalUInt32(token, v, UINT32_MAX - 1);
    *value = v;
    return ok ? true : Fail();
}

bool CParser::GetNextUInt(unsigned* value)
{
    uint32_t v = 0;
    if (!GetNextULong(&v))
        return false;
    *value = v;
    return true;
}

bool CParser::GetNextWord(uint16_t* value)
{
    uint32_t v = 0;
    if (!GetNextULong(&v))
        return false;
    if (v > UINT16_MAX)
        return Fail();
    *value = static_cast<uint16_t>(v);
    return true;
}

namespace {

// The fields of one point line, read as CParser reads them with blanks trimmed and delimiters
// not merged, but as views of the line: an import reads every line of a file this way.
class PointLineFields
{
public:
    PointLineFields(std::string_view text, const std::string& delimiters) : m_text(text), m_delimiters(delimiters) {}

    bool IsEmpty() const { return m_pos >= m_text.size(); }

    bool Next(std::string_view& token)
    {
        // A blank delimiter is skipped here too, as the parser's left trim skips it.
        while (m_pos < m_text.size() && IsBlank(m_text[m_pos]))
            ++m_pos;
        if (m_pos >= m_text.size()) {
            m_text = {};
            m_pos = 0;
            return false;
        }
        const size_t p = FieldEnd(m_text, m_pos, m_delimiters);
        token = m_text.substr(m_pos, p - m_pos);
        if (p == m_text.size()) {
            m_text = {};
            m_pos = 0;
        } else {
            m_pos = p + 1;
        }
        while (!token.empty() && IsBlank(token.back()))
            token.remove_suffix(1);
        return true;
    }

private:
    std::string_view m_text;
    size_t m_pos = 0;
    const std::string& m_delimiters;
};

} // namespace

bool ParsePointLine(std::string* name, CLocation* location, std::string* description,
                    std::string_view line, const std::string& delimiters,
                    const std::vector<uint16_t>* columns)
{
    PointLineFields fields(line, delimiters);
    name->clear();
    description->clear();
    location->SetAllNull();
    bool haveName = false;
    bool haveNorthing = false;
    bool haveEasting = false;
    std::string_view token;
    // As the parser's number read: the value is stored even when the text is refused.
    const auto number = [&](double* value) {
        if (!fields.Next(token))
            return false;
        double v = 0.0;
        const bool ok = ReadDecimalDouble(token, v);
        *value = v;
        return ok;
    };
    if (columns) {
        for (uint16_t code : *columns) {
            if (fields.IsEmpty())
                break;
            switch (code) {
            case 0:
                if (!fields.Next(token))
                    return false;
                name->assign(token);
                haveName = true;
                break;
            case 1:
                if (!number(&location->y))
                    return false;
                haveNorthing = true;
                break;
            case 2:
                if (!number(&location->x))
                    return false;
                haveEasting = true;
                break;
            case 3: {
                // An empty elevation field (as the export writes for a point without one) means
                // no elevation; only a field with text in it must be a number.
                if (!fields.Next(token) || token.empty())
                    break;
                double z = 0.0;
                if (!ReadDecimalDouble(token, z))
                    return false;
                location->z = z;
                break;
            }
            case 4:
                if (!fields.Next(token))
                    return false;
                description->assign(token);
                break;
            default:
                return false;
            }
        }
    }
    return haveName && haveNorthing && haveEasting;
}

std::vector<std::string_view> SplitTextLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    std::string_view line;
    for (CTextLineWalk walk(text); walk.Next(line);)
        lines.push_back(line);
    return lines;
}

bool CTextLineWalk::Next(std::string_view& line)
{
    const char* const data = m_text.data();
    const size_t size = m_text.size();
    while (m_start < size) {
        // The next LF is kept until passed, so a file without any is not searched to its end for
        // every line; memchr finds the ends without a test of each character in turn.
        if (!m_lfKnown || m_lf < m_start) {
            const void* lf = std::memchr(data + m_start, '\n', size - m_start);
            m_lf = lf != nullptr ? size_t(static_cast<const char*>(lf) - data) : size;
            m_lfKnown = true;
        }
        size_t end = m_lf;
        if (const void* cr = std::memchr(data + m_start, '\r', end - m_start))
            end = size_t(static_cast<const char*>(cr) - data);
        const size_t from = m_start;
        m_start = end + 1;
        if (end > from) {
            line = m_text.substr(from, end - from);
            return true;
        }
    }
    return false;
}
