#include "shell/RtfReader.h"

#include <gtest/gtest.h>

TEST(RtfReader, EscapesAndCharacters)
{
    struct Case
    {
        const char* name;
        const char* rtf;
        const char* text;
    };
    const Case cases[] = {
        {"empty text", "", ""},
        {"braces and backslash", "{\\rtf1 a\\{b\\}c\\\\d}", "a{b}c\\d"},
        {"code page byte", "{\\rtf1 \\'dc\\'80\\'41}", "\xC3\x9C\xE2\x82\xAC" "A"},
        {"unicode with fallback", "{\\rtf1 \\u937?x}", "\xCE\xA9x"},
        {"negative unicode", "{\\rtf1 \\u-10179?\\u-9011?}", "\xF0\x9F\x93\x8D"},
        {"lone low surrogate", "{\\rtf1 \\u-9011?}", "\xEF\xBF\xBD"},
        {"fallback as a code page byte", "{\\rtf1 \\u937\\'3fy}", "\xCE\xA9y"},
        {"line feeds are not text", "{\\rtf1 a\r\nb}", "ab"},
        {"space ends a control word", "{\\rtf1\\b bold\\b0  x}", "bold x"},
        {"skipped destinations", "{\\rtf1{\\*\\generator X;}{\\colortbl\\red0;}{\\info{\\title T}}z}", "z"},
        {"paragraphs", "{\\rtf1 a\\par b\\par}", "a\nb"},
        {"text after the last paragraph", "{\\rtf1 a\\par b}", "a\nb"},
        {"unknown words and symbols", "{\\rtf1\\foo12 a\\~b\\-c}", "a\xC2\xA0" "bc"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RtfDocument document;
        CRtfReader reader;
        ASSERT_TRUE(reader.Read(c.rtf, document)) << reader.GetError();
        EXPECT_EQ(document.PlainText(), c.text);
    }
}

TEST(RtfReader, StylesFollowGroupsAndPlain)
{
    RtfDocument document;
    CRtfReader reader;
    ASSERT_TRUE(reader.Read("{\\rtf1{\\fonttbl{\\f0\\froman Times;}{\\f1\\fnil Mono;}}"
                            "\\pard\\qc\\plain\\f1\\fs20 {\\ul\\b H}  t\\par\\ql\\b x\\plain y\\par}",
                            document))
        << reader.GetError();
    ASSERT_EQ(document.paragraphs.size(), 2u);
    const RtfParagraph& first = document.paragraphs[0];
    EXPECT_EQ(first.alignment, RtfAlignment::Centre);
    ASSERT_EQ(first.runs.size(), 2u);
    EXPECT_TRUE(first.runs[0].bold);
    EXPECT_TRUE(first.runs[0].underline);
    EXPECT_EQ(first.runs[0].face, "Mono");
    EXPECT_EQ(first.runs[0].fontSize, 20);
    EXPECT_FALSE(first.runs[1].bold);
    EXPECT_EQ(first.runs[1].text, "  t");
    const RtfParagraph& second = document.paragraphs[1];
    EXPECT_EQ(second.alignment, RtfAlignment::Left);
    ASSERT_EQ(second.runs.size(), 2u);
    EXPECT_TRUE(second.runs[0].bold);
    EXPECT_EQ(second.runs[1].fontSize, 24);
    EXPECT_EQ(second.runs[1].face, "");
}

TEST(RtfReader, RefusesWhatIsNotOurRichText)
{
    struct Case
    {
        const char* name;
        std::string rtf;
        size_t offset;
    };
    const Case cases[] = {
        {"plain text", "hello", 0},
        {"unended group", "{\\rtf1 {\\b x}", 13},
        {"text after the end", "{\\rtf1 x}y", 9},
        {"bad hex", "{\\rtf1 \\'zz}", 7},
        {"cut hex", "{\\rtf1 \\'4", 7},
        {"cut control word", "{\\rtf1 \\", 7},
        {"long number", "{\\rtf1\\fs12345678901 x}", 6},
        {"too deep", "{\\rtf1" + std::string(200, '{') + std::string(201, '}'), 6 + CRtfReader::MaxGroupDepth},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RtfDocument document;
        CRtfReader reader;
        EXPECT_FALSE(reader.Read(c.rtf, document));
        EXPECT_FALSE(reader.GetError().empty());
        EXPECT_EQ(reader.GetErrorOffset(), c.offset);
        EXPECT_TRUE(document.paragraphs.empty());
    }
}
