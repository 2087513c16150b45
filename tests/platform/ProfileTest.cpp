#include "platform/Profile.h"
#include "platform/RecentFileList.h"

#include <QSettings>
#include <gtest/gtest.h>

TEST(Profile, ValuesLiveInTheIniFileOfTheKey) {
    CProfile profile("QuimbleProfileTest");
    profile.WriteString("Recent File List", "File1", "/tmp/a.qmf");
    profile.WriteInt("Settings", "PreviewPages", 2);
    EXPECT_EQ(profile.GetString("Recent File List", "File1"), "/tmp/a.qmf");
    EXPECT_EQ(profile.GetString("Recent File List", "File2", "none"), "none");
    EXPECT_EQ(profile.GetInt("Settings", "PreviewPages", 0), 2);
    EXPECT_EQ(profile.GetInt("Settings", "Missing", 5), 5);

    QSettings file(QSettings::IniFormat, QSettings::UserScope, "QuimbleProfileTest", "QuimbleProfileTest");
    EXPECT_EQ(file.value("Recent File List/File1").toString(), "/tmp/a.qmf");
    profile.Remove("Recent File List", "File1");
    EXPECT_EQ(profile.GetString("Recent File List", "File1", "gone"), "gone");
}

TEST(RecentFileList, NewestFirstWithoutDuplicatesAndAtMostItsSize) {
    CRecentFileList list(4, "Recent File List", "File");
    for (const char* p : {"/a", "/b", "/c", "/d", "/e"})
        list.Add(p);
    EXPECT_EQ(list.Entries(), (std::vector<std::string>{"/e", "/d", "/c", "/b"}));
    list.Add("/c");
    EXPECT_EQ(list.Entries(), (std::vector<std::string>{"/c", "/e", "/d", "/b"}));
    list.Add("/C"); // paths compare exactly
    list.Add("");
    EXPECT_EQ(list.Entries(), (std::vector<std::string>{"/C", "/c", "/e", "/d"}));
}

TEST(RecentFileList, WrittenAndReadBackInOrder) {
    CProfile profile("QuimbleRecentTest");
    profile.WriteString("Recent File List", "File4", "/stale");
    {
        CRecentFileList list(4, "Recent File List", "File");
        list.Add("/old");
        list.Add("/new");
        list.WriteList(profile);
    }
    EXPECT_EQ(profile.GetString("Recent File List", "File1"), "/new");
    EXPECT_EQ(profile.GetString("Recent File List", "File2"), "/old");
    EXPECT_EQ(profile.GetString("Recent File List", "File4", "removed"), "removed");

    // A hand-edited file with a gap and a repeat still reads as a clean list.
    profile.WriteString("Recent File List", "File3", "/new");
    profile.WriteString("Recent File List", "File4", "/last");
    CRecentFileList list(4, "Recent File List", "File");
    list.ReadList(profile);
    EXPECT_EQ(list.Entries(), (std::vector<std::string>{"/new", "/old", "/last"}));
}
