#include "shell/RtfReader.h"

#include "core/Utf8.h"
#include "core/TextEncoding.h"

#include <algorithm>
#include <climits>
#include <map>

namespace {

enum class Destination { Text, FontTable, Skip };

struct State
{
    Destination destination = Destination::Text;
    int32_t font = -1;
    int32_t fontSize = 24;
    bool bold = false;
    bool underline = false;
    int32_t unicodeSkip = 1;
};

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

class Builder
{
public:
    explicit Builder(RtfDocument& document) : m_document(document) {}

    void Append(const State& state, std::string_view text)
    {
        if (text.empty())
            return;
        std::vector<RtfRun>& runs = m_current.runs;
        auto face = m_fonts.find(state.font);
        const std::string faceName = face != m_fonts.end() ? face->second : std::string();
        if (runs.empty() || runs.back().bold != state.bold || runs.back().underline != state.underline ||
            runs.back().fontSize != state.fontSize || runs.back().face != faceName) {
            runs.push_back(RtfRun{std::string(), faceName, state.fontSize, state.bold, state.underline});
        }
        runs.back().text += text;
    }

    void EndParagraph()
    {
        m_document.paragraphs.push_back(std::move(m_current));
        m_current = RtfParagraph{};
        m_current.alignment = m_alignment;
    }

    void SetAlignment(RtfAlignment alignment)
    {
        m_alignment = alignment;
        m_current.alignment = alignment;
    }

    void Finish()
    {
        if (!m_current.runs.empty())
            EndParagraph();
    }

    std::map<int32_t, std::string>& Fonts() { return m_fonts; }

private:
    RtfDocument& m_document;
    RtfParagraph m_current;
    RtfAlignment m_alignment = RtfAlignment::Left;
    std::map<int32_t, std::string> m_fonts;
};

} // namespace

std::string RtfParagraph::PlainText() const
{
    std::string text;
    for (const RtfRun& run : runs)
        text += run.text;
    return text;
}

std::string RtfDocument::PlainText() const
{
    std::string text;
    for (size_t i = 0; i < paragraphs.size(); ++i) {
        if (i > 0)
            text += '\n';
        text += paragraphs[i].PlainText();
    }
    return text;
}

bool CRtfReader::Fail(const char* reason, size_t offset)
{
    m_error = reason;
    m_errorOffset = offset;
    return false;
}

bool CRtfReader::Read(std::string_view rtf, RtfDocument& result)
{
    // Built aside, so that refused input leaves an empty document rather than a part of one.
    result = RtfDocument{};
    RtfDocument document;
    m_error.clear();
    m_errorOffset = 0;
    if (rtf.empty())
        return true;
    if (rtf.substr(0, 5) != "{\\rtf")
        return Fail("not rich text: it does not begin with {\\rtf", 0);

    Builder builder(document);
    std::vector<State> stack;
    State state;
    bool started = false;
    bool ended = false;
    int32_t fontTableNumber = -1;
    std::string fontName;
    size_t skipChars = 0; // fallback characters still to drop after \uN
    std::string pending;
    uint32_t highSurrogate = 0; // waits for its partner in the next \u

    auto flush = [&] {
        builder.Append(state, pending);
        pending.clear();
    };
    auto emit = [&](std::string_view text) {
        if (skipChars > 0) {
            --skipChars;
            return;
        }
        if (state.destination == Destination::Text)
            pending += text;
        else if (state.destination == Destination::FontTable)
            fontName += text;
    };

    size_t i = 0;
    const size_t n = rtf.size();
    while (i < n) {
        const char c = rtf[i];
        if (ended) {
            // Only blank space may follow the document's closing brace.
            if (c != '\r' && c != '\n' && c != ' ' && c != '\0')
                return Fail("text after the end of the document", i);
            ++i;
            continue;
        }
        if (c == '{') {
            flush();
            if (started) {
                if (int(stack.size()) >= MaxGroupDepth)
                    return Fail("groups nested too deeply", i);
                stack.push_back(state);
            }
            started = true;
            skipChars = 0;
            ++i;
            continue;
        }
        if (c == '}') {
            flush();
            if (state.destination == Destination::FontTable && fontTableNumber >= 0 && !fontName.empty()) {
                builder.Fonts()[fontTableNumber] = fontName;
                fontName.clear();
            }
            if (stack.empty()) {
                ended = true;
            } else {
                state = stack.back();
                stack.pop_back();
            }
            skipChars = 0;
            ++i;
            continue;
        }
        if (c == '\r' || c == '\n') {
            ++i;
            continue;
        }
        if (c != '\\') {
            size_t end = i;
            while (end < n && rtf[end] != '\\' && rtf[end] != '{' && rtf[end] != '}' && rtf[end] != '\r' &&
                   rtf[end] != '\n')
                ++end;
            std::string_view text = rtf.substr(i, end - i);
            while (!text.empty() && skipChars > 0) {
                size_t k = 0;
                DecodeUtf8(text, k);
                text.remove_prefix(k);
                --skipChars;
            }
            if (state.destination == Destination::FontTable) {
                // A font entry ends at ';'.
                for (char ch : text) {
                    if (ch == ';') {
                        if (fontTableNumber >= 0)
                            builder.Fonts()[fontTableNumber] = fontName;
                        fontName.clear();
                    } else {
                        fontName += ch;
                    }
                }
            } else if (state.destination == Destination::Text) {
                pending += text;
            }
            i = end;
            continue;
        }

        // A control symbol or word.
        if (i + 1 >= n)
            return Fail("the text ends inside a control word", i);
        const char next = rtf[i + 1];
        if (next == '\\' || next == '{' || next == '}') {
            emit(std::string_view(&rtf[i + 1], 1));
            i += 2;
            continue;
        }
        if (next == '\'') {
            const int hi = i + 2 < n ? HexValue(rtf[i + 2]) : -1;
            const int lo = i + 3 < n ? HexValue(rtf[i + 3]) : -1;
            if (hi < 0 || lo < 0)
                return Fail("\\' is not followed by two hexadecimal digits", i);
            const char byte = char(hi * 16 + lo);
            emit(Windows1252ToUtf8(std::string_view(&byte, 1)));
            i += 4;
            continue;
        }
        if (next == '*') {
            state.destination = Destination::Skip;
            i += 2;
            continue;
        }
        if (next == '~') {
            emit("\xC2\xA0");
            i += 2;
            continue;
        }
        if (next == '-' || next == '_' || next == ':' || next == '|') {
            i += 2;
            continue;
        }
        if (!IsLetter(next)) {
            // Any other control symbol stands for nothing we show.
            i += 2;
            continue;
        }
        size_t end = i + 1;
        while (end < n && IsLetter(rtf[end]) && end - i <= 32)
            ++end;
        if (end - i > 33)
            return Fail("a control word is too long", i);
        const std::string_view word = rtf.substr(i + 1, end - i - 1);
        bool hasNumber = false;
        int64_t number = 0;
        bool negative = false;
        if (end < n && rtf[end] == '-' && end + 1 < n && IsDigit(rtf[end + 1])) {
            negative = true;
            ++end;
        }
        size_t digits = 0;
        while (end < n && IsDigit(rtf[end])) {
            if (++digits > 10)
                return Fail("a control word's number is too long", i);
            number = number * 10 + (rtf[end] - '0');
            hasNumber = true;
            ++end;
        }
        if (negative)
            number = -number;
        if (end < n && rtf[end] == ' ')
            ++end;
        i = end;
        const int32_t value = int32_t(std::clamp<int64_t>(number, INT32_MIN, INT32_MAX));

        if (word == "fonttbl") {
            flush();
            state.destination = Destination::FontTable;
            fontTableNumber = -1;
            fontName.clear();
        } else if (word == "colortbl" || word == "stylesheet" || word == "info" || word == "pict") {
            flush();
            state.destination = Destination::Skip;
        } else if (word == "f") {
            if (state.destination == Destination::FontTable) {
                fontTableNumber = value;
                fontName.clear();
            } else {
                flush();
                state.font = value;
            }
        } else if (state.destination != Destination::Text) {
            continue;
        } else if (word == "par" || word == "line" || word == "page") {
            flush();
            builder.EndParagraph();
        } else if (word == "pard") {
            flush();
            builder.SetAlignment(RtfAlignment::Left);
        } else if (word == "plain") {
            flush();
            state.bold = state.underline = false;
            state.fontSize = 24;
            state.font = -1;
        } else if (word == "b") {
            flush();
            state.bold = !hasNumber || value != 0;
        } else if (word == "ul") {
            flush();
            state.underline = !hasNumber || value != 0;
        } else if (word == "ulnone") {
            flush();
            state.underline = false;
        } else if (word == "fs") {
            flush();
            if (hasNumber && value > 0 && value < 10000)
                state.fontSize = value;
        } else if (word == "ql") {
            flush();
            builder.SetAlignment(RtfAlignment::Left);
        } else if (word == "qc") {
            flush();
            builder.SetAlignment(RtfAlignment::Centre);
        } else if (word == "qr") {
            flush();
            builder.SetAlignment(RtfAlignment::Right);
        } else if (word == "tab") {
            emit("\t");
        } else if (word == "uc") {
            if (hasNumber && value >= 0 && value <= 10)
                state.unicodeSkip = value;
        } else if (word == "u" && hasNumber) {
            uint32_t unit = uint32_t(value < 0 ? value + 0x10000 : value) & 0xFFFF;
            std::string utf8;
            if (unit >= 0xD800 && unit < 0xDC00) {
                highSurrogate = unit;
            } else if (unit >= 0xDC00 && unit < 0xE000) {
                if (highSurrogate != 0)
                    AppendUtf8(utf8, char32_t(0x10000 + ((highSurrogate - 0xD800) << 10) + (unit - 0xDC00)));
                else
                    AppendUtf8(utf8, U'\xFFFD');
                highSurrogate = 0;
            } else {
                highSurrogate = 0;
                AppendUtf8(utf8, char32_t(unit));
            }
            skipChars = 0;
            emit(utf8);
            skipChars = size_t(state.unicodeSkip);
        }
    }
    flush();
    if (!started)
        return Fail("no group", 0);
    if (!ended)
        return Fail("the document ends before its closing brace", n);
    builder.Finish();
    result = std::move(document);
    return true;
}
