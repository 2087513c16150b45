#include "platform/FullPath.h"
#include "platform/Screen.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <utility>

TEST(FullPath, JoinsTheWorkingDirectoryWithOneSlash) {
    TempDir dir;
    {
        ScopedCwd cwd(dir.path);
        EXPECT_EQ(MakeFullPath("res/chars"), dir.path + "/res/chars");
    }
    ScopedCwd root("/");
    EXPECT_EQ(MakeFullPath("res/chars"), "/res/chars");
}

TEST(Screen, DisplayFlagsSetTestAndClearBits) {
    ClearDisplayFlag(0xFFFFFFFF);
    EXPECT_EQ(TestDisplayFlag(DISPLAY_PALETTE), 0);
    SetDisplayFlag(DISPLAY_PALETTE | 4);
    EXPECT_EQ(TestDisplayFlag(DISPLAY_PALETTE), 1);
    EXPECT_EQ(TestDisplayFlag(2), 0);
    ClearDisplayFlag(DISPLAY_PALETTE);
    EXPECT_EQ(TestDisplayFlag(DISPLAY_PALETTE), 0);
    EXPECT_EQ(TestDisplayFlag(4), 1);
    ClearDisplayFlag(4);
}

TEST(FullPath, FileTitleIsTheNameWithoutFolderAndExtension) {
    const std::pair<const char*, const char*> cases[] = {
        {"/work/res/chars/iDog.bmp", "iDog"},
        {"C:\\res\\chars\\iCat.BMP", "iCat"},
        {"iDog.bmp", "iDog"},
        {"res/chars/iDog", "iDog"},
        {"res/v1.2/iDog", "iDog"},
        {"res/chars/", ""},
        {"", ""},
        {"a.b.bmp", "a.b"},
    };
    for (const auto& [path, title] : cases)
        EXPECT_EQ(FileTitle(path), title) << path;
}
