#include "platform/FullPath.h"
#include "platform/Screen.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

TEST(FullPath, JoinsTheWorkingDirectoryWithOneSlash) {
    TempDir dir;
    {
        ScopedCwd cwd(dir.path);
        EXPECT_EQ(MakeFullPath("res/chars"), dir.path + "/res/chars");
    }
    ScopedCwd root("/");
    EXPECT_EQ(MakeFullPath("res/chars"), "/res/chars");
}

TEST(FullPath, SplitPathCutsAtTheLastSeparatorOfEitherSystemAndTheNamesLastDot) {
    const struct {
        const char* path;
        PathParts parts;
    } cases[] = {
        {"/home/me/beach.qmf", {"/home/me/", "beach", ".qmf"}},
        {"pics\\ballon.x.BMP", {"pics\\", "ballon.x", ".BMP"}},
        {"a.dir/picture", {"a.dir/", "picture", ""}},
        {"/tmp/.bmp", {"/tmp/", "", ".bmp"}},
        {"picture.", {"", "picture", "."}},
        {"", {"", "", ""}},
    };
    for (const auto& c : cases) {
        const PathParts parts = SplitPath(c.path);
        EXPECT_EQ(parts.folder, c.parts.folder) << c.path;
        EXPECT_EQ(parts.name, c.parts.name) << c.path;
        EXPECT_EQ(parts.extension, c.parts.extension) << c.path;
    }
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
