#pragma once

#include "core/Location.h"

#include <cstdint>
#include <exception>
#include <string>
#include <string_view>
#include <vector>

// Thrown by a CParser built to throw, in place of a false result.
class CUserException : public std::exception
{
public:
    const char* what() const noexcept override { return "text could not be read"; }
};

// Cuts a line into tokens at any of a set of delimiter characters and reads numbers from them.
// The text is consumed as tokens are read.
class CParser
{
public:
    CParser();
    CParser(std::string text, std::string delimiters, bool throwOnError);
    virtual ~CParser() = default;

    void Reset();
    void SetText(std::string text)
    {
        m_text = std::move(text);
        m_pos = 0;
    }
    void SetDelimiters(std::string delimiters) { m_delimiters = std::move(delimiters); }
    void SetThrowOnError(bool on) { m_throwOnError = on; }
    // After each token the rest is left-trimmed; a blank delimiter also swallows one following delimiter.
    void SetMergeDelimiters(bool on) { m_mergeDelimiters = on; }
    void SetTrimLeft(bool on) { m_trimLeft = on; }
    void SetTrimRight(bool on) { m_trimRight = on; }
    void SetTrimBlanks(bool on) { m_trimLeft = m_trimRight = on; }

    bool IsEmpty() const { return m_pos >= m_text.size(); }
    std::string GetRemainingText() const { return m_text.substr(m_pos); }

    virtual bool GetNextToken(std::string& token);

    // Number readers accept plain decimal text only (see core/DecimalText.h).
    // GetNextDouble, GetNextLong and GetNextULong always store (0 when the token was refused);
    // the narrower forms store only on success.
    bool GetNextDouble(double* value);
    // The extreme values 2147483647 and -2147483648 are refused, as they always were.
    bool GetNextLong(int32_t* value);
    bool GetNextInt(int* value);
    // 4294967295 is refused; a '-' sign is refused.
    bool GetNextULong(uint32_t* value);
    bool GetNextUInt(unsigned* value);
    // Refuses values above 65535 instead of truncating them.
    bool GetNextWord(uint16_t* value);

private:
    bool Fail() const;
    bool IsDelimiter(char c) const;

    bool IsBlankAt(size_t i) const;
    void SkipBlanks();

    // The text still to read starts at m_pos: tokens are taken by moving it, not by erasing the
    // front of the text for every field.
    std::string m_text;
    size_t m_pos = 0;
    std::string m_delimiters;
    bool m_throwOnError = false;
    bool m_mergeDelimiters = false;
    bool m_trimLeft = false;
    bool m_trimRight = false;
};

// Reads one point from a delimited line by column codes: 0 name, 1 northing, 2 easting,
// 3 elevation, 4 description. Blanks around each field are dropped. True only when a name, a
// northing and an easting were read; an empty elevation field leaves the elevation absent.
bool ParsePointLine(std::string* name, CLocation* location, std::string* description,
                    std::string_view line, const std::string& delimiters,
                    const std::vector<uint16_t>* columns);

// The non-empty lines of a point file's text: lines end at CR, LF or any run of them, and a NUL
// ends the text. The views point into the text.
std::vector<std::string_view> SplitTextLines(std::string_view text);

// The same lines walked in place, one at a time: a big file needs no list of every line.
class CTextLineWalk
{
public:
    explicit CTextLineWalk(std::string_view text) : m_text(text.substr(0, text.find('\0'))) {}

    // The next line, false past the last.
    bool Next(std::string_view& line);

private:
    std::string_view m_text;
    size_t m_start = 0;
    size_t m_lf = 0;
    bool m_lfKnown = false;
};
