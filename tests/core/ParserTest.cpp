#include "core/DecimalText.h"
#include "core/Parser.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>
#include <vector>

namespace {

std::vector<std::string> Tokens(CParser& p)
{
    std::vector<std::string> out;
    std::string t;
    while (p.GetNextToken(t))
        out.push_back(t);
    return out;
}

} // namespace

TEST(ParserTokens, EmptyFieldsAndTrailingDelimiter)
{
    CParser a("1,2,3", ",", false);
    EXPECT_EQ(Tokens(a), (std::vector<std::string> {"1", "2", "3"}));
    CParser b("a,,b", ",", false);
    EXPECT_EQ(Tokens(b), (std::vector<std::string> {"a", "", "b"}));
    CParser c("a,", ",", false);
    EXPECT_EQ(Tokens(c), (std::vector<std::string> {"a"}));
    CParser d("\"a,b\"", ",", false);
    EXPECT_EQ(Tokens(d), (std::vector<std::string> {"\"a", "b\""}));
}

TEST(ParserTokens, MergingBlanks)
{
    CParser p("   1   2   ", " ", false);
    p.SetMergeDelimiters(true);
    p.SetTrimLeft(true);
    EXPECT_EQ(Tokens(p), (std::vector<std::string> {"1", "2"}));

    CParser q("a , b", " ,", false);
    q.SetMergeDelimiters(true);
    EXPECT_EQ(Tokens(q), (std::vector<std::string> {"a", "b"}));

    // Two non-blank delimiters keep the empty field between them.
    CParser r("a,,b", " ,", false);
    r.SetMergeDelimiters(true);
    EXPECT_EQ(Tokens(r), (std::vector<std::string> {"a", "", "b"}));
}

TEST(ParserTokens, TrimAndSwitchDelimiters)
{
    CParser p(" 5 3/4 ", " ", false);
    p.SetTrimBlanks(true);
    std::string t;
    ASSERT_TRUE(p.GetNextToken(t));
    EXPECT_EQ(t, "5");
    p.SetDelimiters("/");
    ASSERT_TRUE(p.GetNextToken(t));
    EXPECT_EQ(t, "3");
    ASSERT_TRUE(p.GetNextToken(t));
    EXPECT_EQ(t, "4");
    EXPECT_TRUE(p.IsEmpty());
}

TEST(ParserTokens, ThrowingParserThrowsAtEndAndOnBadNumber)
{
    CParser p("x", ",", true);
    std::string t;
    ASSERT_TRUE(p.GetNextToken(t));
    EXPECT_THROW(p.GetNextToken(t), CUserException);
    CParser q("abc", ",", true);
    double d = 0;
    EXPECT_THROW(q.GetNextDouble(&d), CUserException);
}

TEST(ParserNumbers, DoubleRefusals)
{
    const char* refused[] = {"12.5x", "1e999", "0.001e312", "", "nan", "inf", "-inf", "0x10", "1e", ".", "+", "1.5 ", "1,5"};
    for (const char* text : refused) {
        CParser p(text, ";", false);
        double d = 0;
        EXPECT_FALSE(p.GetNextDouble(&d)) << text;
    }
    const std::pair<const char*, double> accepted[] = {
        {"0", 0.0}, {"12.5", 12.5}, {" -3", -3.0}, {"+2.5e2", 250.0}, {".5", 0.5}, {"5.", 5.0}, {"1E-3", 0.001},
        {"1e-999", 0.0}, {"0.0001e-400", 0.0}, {"-1e-400", 0.0}, {"1000e-310", 1e-307}};
    for (const auto& [text, value] : accepted) {
        CParser p(text, ";", false);
        double d = 0;
        EXPECT_TRUE(p.GetNextDouble(&d)) << text;
        EXPECT_DOUBLE_EQ(d, value) << text;
    }
}

TEST(ParserNumbers, DecimalPointWhateverTheLocale)
{
    const char* old = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = old ? old : "C";
    if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8") && !std::setlocale(LC_NUMERIC, "fr_FR.UTF-8"))
        GTEST_SKIP() << "no comma-decimal locale installed";
    double d = 0;
    const bool dot = ReadDecimalDouble("1.5", d);
    const double value = d;
    const bool comma = ReadDecimalDouble("1,5", d);
    std::setlocale(LC_NUMERIC, saved.c_str());
    EXPECT_TRUE(dot);
    EXPECT_DOUBLE_EQ(value, 1.5);
    EXPECT_FALSE(comma);
}

TEST(ParserNumbers, IntegerRanges)
{
    auto readLong = [](const char* text, int32_t* v) { return CParser(text, ";", false).GetNextLong(v); };
    int32_t l = 0;
    EXPECT_FALSE(readLong("2147483647", &l));
    EXPECT_FALSE(readLong("-2147483648", &l));
    EXPECT_FALSE(readLong("99999999999", &l));
    EXPECT_TRUE(readLong("2147483646", &l));
    EXPECT_EQ(l, 2147483646);
    EXPECT_TRUE(readLong("-17", &l));
    EXPECT_EQ(l, -17);
    EXPECT_FALSE(readLong("1.0", &l));

    auto readULong = [](const char* text, uint32_t* v) { return CParser(text, ";", false).GetNextULong(v); };
    uint32_t u = 0;
    EXPECT_FALSE(readULong("-5", &u));
    EXPECT_FALSE(readULong("4294967295", &u));
    EXPECT_FALSE(readULong("4294967296", &u));
    EXPECT_TRUE(readULong("4294967294", &u));
    EXPECT_EQ(u, 4294967294u);

    uint16_t w = 7;
    EXPECT_FALSE(CParser("65536", ";", false).GetNextWord(&w));
    EXPECT_EQ(w, 7); // untouched on failure
    EXPECT_TRUE(CParser("65535", ";", false).GetNextWord(&w));
    EXPECT_EQ(w, 65535);

    int i = 3;
    EXPECT_FALSE(CParser("x", ";", false).GetNextInt(&i));
    EXPECT_EQ(i, 3);
}

TEST(ParsePointLine, ColumnsAndMissingFields)
{
    const std::vector<uint16_t> neCols {0, 1, 2};
    std::string name, desc;
    CLocation loc;
    ASSERT_TRUE(ParsePointLine(&name, &loc, &desc, "P1,100.5,200.25", ",", &neCols));
    EXPECT_EQ(name, "P1");
    EXPECT_DOUBLE_EQ(loc.y, 100.5);
    EXPECT_DOUBLE_EQ(loc.x, 200.25);
    EXPECT_EQ(loc.z, NoValue);
    EXPECT_FALSE(ParsePointLine(&name, &loc, &desc, "P1,100.5", ",", &neCols));

    const std::vector<uint16_t> all {0, 1, 2, 3, 4};
    ASSERT_TRUE(ParsePointLine(&name, &loc, &desc, " P2 , 1 , 2 , 3 , fence post , extra", ",", &all));
    EXPECT_EQ(desc, "fence post");
    EXPECT_DOUBLE_EQ(loc.z, 3.0);
    EXPECT_FALSE(ParsePointLine(&name, &loc, &desc, "P3,1,x", ",", &neCols));
    const std::vector<uint16_t> bad {0, 5};
    EXPECT_FALSE(ParsePointLine(&name, &loc, &desc, "P3,1", ",", &bad));

    // An empty or blank elevation field is no elevation, so exported points without one read back;
    // an empty northing or easting still fails.
    ASSERT_TRUE(ParsePointLine(&name, &loc, &desc, "P1,1000,2000,,CP", ",", &all));
    EXPECT_EQ(loc.z, NoValue);
    EXPECT_EQ(desc, "CP");
    ASSERT_TRUE(ParsePointLine(&name, &loc, &desc, "P1,1000,2000, ", ",", &all));
    EXPECT_EQ(loc.z, NoValue);
    ASSERT_TRUE(ParsePointLine(&name, &loc, &desc, "P1,1000,2000,\t,", ",", &all));
    EXPECT_EQ(loc.z, NoValue);
    EXPECT_FALSE(ParsePointLine(&name, &loc, &desc, "P1,,2000,5", ",", &all));
    EXPECT_FALSE(ParsePointLine(&name, &loc, &desc, "P1,1000, ,5", ",", &all));
    EXPECT_FALSE(ParsePointLine(&name, &loc, &desc, "P1,1000,2000,5x", ",", &all));
}

TEST(ParsePointLine, SplitTextLines)
{
    EXPECT_EQ(SplitTextLines("a\r\nb\n\n\rc"), (std::vector<std::string_view>{"a", "b", "c"}));
    EXPECT_EQ(SplitTextLines(std::string_view("a\nb\0c\n", 6)), (std::vector<std::string_view>{"a", "b"}));
    EXPECT_TRUE(SplitTextLines("\r\n\r\n").empty());
    EXPECT_EQ(SplitTextLines("last"), (std::vector<std::string_view>{"last"}));
}

// The point line is read over a view of the line; it must cut and trim fields exactly as the
// token parser does, blank delimiters and delimiter sets included.
TEST(ParsePointLine, FieldsAsTheTokenParserCutsThem)
{
    struct Case
    {
        const char* line;
        const char* delimiters;
    };
    const Case cases[] = {
        {" P2 , 1 , 2 , 3 , fence post , extra", ","}, {"A\t\t1\t2\t\t3\tD", "\t"}, {"A  1 2   3 D E", " "},
        {"A;1,2;;D", ",;"},   {"A,1,2,,", ","},          {"A,1,2,3,", ","},       {"  ,1,2", ","},
        {"A,1e3,2", ","},     {"A,1,2,\t", ","},          {"A|1|2|3|x y |", "|"},  {"A 1\t2 3", " \t"},
        {"A,-1.5,+2,0x1", ","}, {"A,1,2", ""},
    };
    const std::vector<uint16_t> layouts[] = {{0, 1, 2, 3, 4}, {4, 2, 1, 0}, {1, 2, 0, 3}};
    for (const Case& c : cases)
        for (const std::vector<uint16_t>& columns : layouts) {
            SCOPED_TRACE(std::string(c.line) + " / " + c.delimiters);
            // The reference: the token parser, field by field, as the reader worked before.
            CParser parser(c.line, c.delimiters, false);
            parser.SetTrimBlanks(true);
            std::string name, description, token;
            CLocation expected;
            expected.SetAllNull();
            bool ok = true, haveName = false, haveY = false, haveX = false;
            for (uint16_t code : columns) {
                if (parser.IsEmpty())
                    break;
                if (code == 1 || code == 2) {
                    ok = parser.GetNextDouble(code == 1 ? &expected.y : &expected.x);
                    (code == 1 ? haveY : haveX) = ok;
                } else if (code == 3) {
                    double z = 0;
                    if (parser.GetNextToken(token) && !token.empty()) {
                        ok = ReadDecimalDouble(token, z);
                        if (ok)
                            expected.z = z;
                    }
                } else {
                    ok = parser.GetNextToken(code == 0 ? name : description);
                    haveName = haveName || (ok && code == 0);
                }
                if (!ok)
                    break;
            }
            std::string gotName, gotDescription;
            CLocation got;
            const bool read = ParsePointLine(&gotName, &got, &gotDescription, c.line, c.delimiters, &columns);
            EXPECT_EQ(read, ok && haveName && haveY && haveX);
            if (read) {
                EXPECT_EQ(gotName, name);
                EXPECT_EQ(gotDescription, description);
                EXPECT_EQ(got.x, expected.x);
                EXPECT_EQ(got.y, expected.y);
                EXPECT_EQ(got.z, expected.z);
            }
        }
}
