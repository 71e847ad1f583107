#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// A stretch of text in one style.
struct RtfRun
{
    std::string text; // UTF-8
    std::string face; // from the font table; empty when the font is not listed
    int32_t fontSize = 24; // half-points
    bool bold = false;
    bool underline = false;
};

enum class RtfAlignment { Left, Centre, Right };

struct RtfParagraph
{
    RtfAlignment alignment = RtfAlignment::Left;
    std::vector<RtfRun> runs;

    std::string PlainText() const;
};

struct RtfDocument
{
    std::vector<RtfParagraph> paragraphs;

    // Paragraphs joined by '\n'.
    std::string PlainText() const;
};

// Reads the rich text the program's report writer makes: groups, control words and their
// numbers, "\\", "\{", "\}", "\'hh" (Windows-1252) and "\uN" with one fallback character. The
// font and colour tables and "{\*...}" groups are read or skipped, other control words ignored.
// Input that is not such rich text is refused with a reason and the byte offset; nesting deeper
// than MaxGroupDepth is refused, so hostile input cannot exhaust the stack. The empty text reads
// as an empty document; refused input leaves the document empty.
class CRtfReader
{
public:
    static constexpr int MaxGroupDepth = 64;

    bool Read(std::string_view rtf, RtfDocument& document);
    const std::string& GetError() const { return m_error; }
    size_t GetErrorOffset() const { return m_errorOffset; }

private:
    bool Fail(const char* reason, size_t offset);

    std::string m_error;
    size_t m_errorOffset = 0;
};
