#include "app/AppState.h"
#include "support/TempDir.h"

#include <climits>
#include <gtest/gtest.h>

TEST(AppState, ContentKeysCountFromOneAndSkipZeroOnTheWrap) {
    appstate::contentKeyCounter = 0;
    EXPECT_EQ(NewContentKey(), 1u);
    EXPECT_EQ(NewContentKey(), 2u);
    appstate::contentKeyCounter = UINT32_MAX - 1;
    EXPECT_EQ(NewContentKey(), UINT32_MAX);
    EXPECT_EQ(NewContentKey(), 1u);
    EXPECT_EQ(NewContentKey(), 2u);
}

TEST(AppState, FullPathJoinsTheWorkingDirectoryWithOneSlash) {
    TempDir dir;
    {
        ScopedCwd cwd(dir.path);
        EXPECT_EQ(MakeFullPath("res/chars"), dir.path + "/res/chars");
    }
    ScopedCwd root("/");
    EXPECT_EQ(MakeFullPath("res/chars"), "/res/chars");
}

TEST(AppState, DisplayFlagsAndLanguage) {
    ClearDisplayFlag(0xFFFFFFFF);
    EXPECT_EQ(TestDisplayFlag(DISPLAY_PALETTE), 0);
    SetDisplayFlag(DISPLAY_PALETTE | 4);
    EXPECT_EQ(TestDisplayFlag(DISPLAY_PALETTE), 1);
    EXPECT_EQ(TestDisplayFlag(2), 0);
    ClearDisplayFlag(DISPLAY_PALETTE);
    EXPECT_EQ(TestDisplayFlag(DISPLAY_PALETTE), 0);
    EXPECT_EQ(TestDisplayFlag(4), 1);
    ClearDisplayFlag(4);

    SetLanguage(42);
    EXPECT_EQ(GetLanguage(), 42);
    SetLanguage(LANG_NONE);
}
