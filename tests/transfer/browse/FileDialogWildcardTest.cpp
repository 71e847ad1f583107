#include "transfer/browse/FileDialogWildcard.h"
#include "transfer/browse/FsFileDialog.h"

#include <gtest/gtest.h>

#include <fnmatch.h>

#include <vector>

namespace {

// The pairs of a wildcard, as the toolkit splits them.
std::vector<std::pair<std::string, std::string>> Pairs(const std::string& wildcard)
{
    std::vector<std::pair<std::string, std::string>> pairs;
    size_t start = 0;
    while (start <= wildcard.size()) {
        const size_t bar = wildcard.find('|', start);
        const size_t next = bar == std::string::npos ? std::string::npos : wildcard.find('|', bar + 1);
        pairs.emplace_back(wildcard.substr(start, bar - start),
                           wildcard.substr(bar + 1, next == std::string::npos ? std::string::npos : next - bar - 1));
        if (next == std::string::npos)
            break;
        start = next + 1;
    }
    return pairs;
}

// Whether the filter lists the name, matching each pattern as the file chooser does.
bool Lists(const std::string& patterns, const std::string& name)
{
    size_t start = 0;
    for (;;) {
        const size_t end = patterns.find(';', start);
        const std::string token = patterns.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (!token.empty() && fnmatch(token.c_str(), name.c_str(), 0) == 0)
            return true;
        if (end == std::string::npos)
            return false;
        start = end + 1;
    }
}

} // namespace

TEST(FileDialogWildcard, EveryCodeGivesWellFormedPairsThatIgnoreCase)
{
    struct Case
    {
        int32_t code;
        size_t pairs;
        size_t pair;
        const char* name;
        bool listed;
    };
    const Case cases[] = {
        {FileTypeOpenJob, 3, 0, "a.MVJ", true},
        {FileTypeOpenJob, 3, 0, "a.Mvr", false},
        {FileTypeOpenJob, 3, 2, "b.mvr", true},
        {FileTypeSaveJobAs, 1, 0, "Site.mvj", true},
        {FileTypeSaveJobAs, 1, 0, "Site.mvj.bak", false},
        {FileTypeDxfImport, 2, 0, "PLAN.DXF", true},
        // "*.*" lists names without a dot too.
        {FileTypeDxfImport, 2, 1, "README", true},
        {FileTypeAsciiImport, 6, 0, "pts.CSV", true},
        {FileTypeAsciiImport, 6, 0, "pts.dat", false},
        {FileTypeLandXmlImport, 2, 0, "site.XML", true},
        {FileTypeBackup, 1, 0, "week.MVB", true},
        {FileTypeTransferFile, 1, 0, "FATE.raw", true},
        {FileTypeTransferFile, 1, 0, "fate.trn", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.code) + " " + c.name);
        const std::string wildcard = MakeFileDialogWildcard(CFsFileDialog::GetFilter(c.code));
        EXPECT_EQ(wildcard.find("||"), std::string::npos);
        EXPECT_NE(wildcard.back(), '|');
        const auto pairs = Pairs(wildcard);
        ASSERT_EQ(pairs.size(), c.pairs);
        for (const auto& [description, patterns] : pairs) {
            EXPECT_FALSE(description.empty());
            EXPECT_FALSE(patterns.empty());
            EXPECT_EQ(patterns.find(";;"), std::string::npos);
            EXPECT_NE(patterns.back(), ';');
        }
        EXPECT_EQ(Lists(pairs[c.pair].second, c.name), c.listed);
    }
}

TEST(FileDialogWildcard, FirstPatternKeepsTheExtensionTheSaveDialogAppends)
{
    EXPECT_EQ(MakeFileDialogWildcard("Morvel Job Files (*.Mvj)|*.Mvj||"), "Morvel Job Files (*.Mvj)|*.Mvj;*.[Mm][Vv][Jj]");
    // No filter (the generic save) gives no wildcard, and a pair without patterns is dropped.
    EXPECT_EQ(MakeFileDialogWildcard(CFsFileDialog::GetFilter(FileTypeGenericSaveAs)), "");
    EXPECT_EQ(MakeFileDialogWildcard("Nothing|;|Text|*.txt||"), "Text|*.txt;*.[Tt][Xx][Tt]");
}
