// Stored lines keep short texts beside their records in the container's blocks and long ones
// apart; each way, an edit of a stored line must read back as the same edit of a line of its own.
#include "RawJob.h"

#include <cstring>
#include <gtest/gtest.h>

using morvel::test::RawJob;

TEST(StoredLineTextTest, StoredLinesFollowTheirEditsAtEveryLength)
{
    const std::string texts[] = {
        "",
        "*",
        "SS,1,1.5,10.0,90.0000,90.0000,12:00:00,CURB",
        "*MP,7,100.0,200.0,,FENCE",
        "***SS,3,1.5,10.0,90.0000,90.0000,12:00:00,X",
        "CO," + std::string(4093, 'x'), // the longest text kept beside its record
        "CO," + std::string(4094, 'x'),
        "SS,2," + std::string(70000, 'y'), // longer than a block
    };
    // Each edit on the stored line and on a line of its own.
    using Edit = void (*)(CNikonRawDataRecord&);
    const Edit edits[] = {
        [](CNikonRawDataRecord& r) { r.IsDeleted(); },
        [](CNikonRawDataRecord& r) { r.SetDeleted(true); },
        [](CNikonRawDataRecord& r) { r.ToggleNote(true); },
        [](CNikonRawDataRecord& r) { r.SetDeleted(false); },
        [](CNikonRawDataRecord& r) { r.ToggleNote(false); },
        [](CNikonRawDataRecord& r) { r.RenamePoints({{"1", "100"}, {"2", "200"}}); },
        [](CNikonRawDataRecord& r) { r.SetText(r.GetText().substr(r.GetText().size() / 2)); },
        [](CNikonRawDataRecord& r) { r.SetText(r.GetText()); },
    };
    RawJob job;
    for (int round = 0; round < 2; ++round) {
        job.raw.Clear();
        for (const std::string& text : texts) {
            // A loaded line and an appended copy take different ways into the blocks.
            job.raw.AppendLineText(text);
            job.Append(text);
        }
        for (int32_t line = 0; line < job.raw.GetLineCount(); ++line) {
            SCOPED_TRACE(testing::Message() << "round " << round << ", line " << line);
            CNikonRawDataRecord& stored = *job.raw.GetRecord(line);
            CNikonRawDataRecord own(texts[line / 2]);
            ASSERT_EQ(stored.GetText(), own.GetText());
            for (size_t e = 0; e < std::size(edits); ++e) {
                edits[e](stored);
                edits[e](own);
                const CRawLineText text = stored.GetText();
                ASSERT_EQ(text, own.GetText()) << "edit " << e;
                ASSERT_EQ(std::strlen(text.c_str()), text.size()) << "edit " << e;
                ASSERT_EQ(stored.IsDeletedFlag(), own.IsDeletedFlag()) << "edit " << e;
            }
        }
    }
}
