#include "core/NoValue.h"
#include "framework/PersistentFields.h"

#include <gtest/gtest.h>

namespace {

// A panel class that keeps a distance, a mode and a name, as a command panel does.
class KeepingPanel : public CPersistentFields
{
public:
    static CPersistDataList& List()
    {
        static CPersistDataList list;
        return list;
    }
    KeepingPanel() { RestorePersistentFields(); }
    CPersistDataList* GetPersistDataList() override { return &List(); }
    void PersistFields() override
    {
        CPersistentFields::PersistFields();
        PersistField(distance);
        PersistField(mode);
        PersistField(name);
    }

    double distance = 10.0;
    int mode = 1;
    std::string name = "P1";
};

// The same list read by a class that lists another type in the first place.
class ChangedPanel : public CPersistentFields
{
public:
    ChangedPanel() { RestorePersistentFields(); }
    CPersistDataList* GetPersistDataList() override { return &KeepingPanel::List(); }
    void PersistFields() override
    {
        PersistField(flag);
        PersistField(mode);
    }

    char flag = 'x';
    int mode = 0;
};

TEST(PersistentFields, KeepsValuesBetweenInstancesOfARun)
{
    {
        KeepingPanel first; // fills the list, keeps its own values
        EXPECT_EQ(first.distance, 10.0);
        EXPECT_EQ(KeepingPanel::List().GetCount(), 3u);
        EXPECT_FALSE(KeepingPanel::List().HasData());

        KeepingPanel early; // before any save: untouched
        EXPECT_EQ(early.name, "P1");
        first.distance = NoValue;
        first.mode = 7;
        first.name = "B12";
        first.SavePersistentFields();
    }
    KeepingPanel second;
    EXPECT_EQ(second.distance, NoValue);
    EXPECT_EQ(second.mode, 7);
    EXPECT_EQ(second.name, "B12");

    // Closed without saving: the kept values stay.
    second.mode = 99;
    KeepingPanel third;
    EXPECT_EQ(third.mode, 7);

    // Two open at once: the last to save wins.
    KeepingPanel a, b;
    a.name = "A";
    b.name = "B";
    b.SavePersistentFields();
    a.SavePersistentFields();
    EXPECT_EQ(KeepingPanel().name, "A");

    // A slot of another type copies nothing and writes nothing past it.
    ChangedPanel changed;
    EXPECT_EQ(changed.flag, 'x');
    EXPECT_EQ(changed.mode, 7); // the int slot still lines up
    changed.SavePersistentFields();
    KeepingPanel after;
    EXPECT_EQ(after.distance, NoValue);
    EXPECT_EQ(after.mode, 7);
}

} // namespace
