#include "platform/FullPath.h"
#include "platform/Screen.h"
#include "support/TempDir.h"

#include <filesystem>
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

// The data folder res/ is taken from the working directory when it holds one, else from the installed
// data beside the program, <prefix>/share/quimble for <prefix>/bin; neither holding one finds none.
TEST(FullPath, DataRootIsTheWorkingDirectoryElseTheInstalledData) {
    TempDir dir;
    const std::string work = dir.Mkdir("work"), bin = dir.Mkdir("prefix/bin");
    const std::string installed = dir.Join("prefix/share/quimble");
    const std::vector<std::string> places = DataRootCandidates(work, bin);
    EXPECT_EQ(places, (std::vector<std::string>{work, installed}));
    EXPECT_EQ(DataRootCandidates("", "/usr/bin/"), std::vector<std::string>{"/usr/share/quimble"});
    EXPECT_EQ(DataRootCandidates("/", "/bin"), (std::vector<std::string>{"/", "/share/quimble"}));
    EXPECT_EQ(DataRootCandidates(work, ""), std::vector<std::string>{work});

    EXPECT_EQ(FindDataRoot(places), "");
    dir.Write("work/res", "a file, not a folder");
    dir.Mkdir("prefix/share/quimble/res");
    EXPECT_EQ(FindDataRoot(places), installed);
    std::filesystem::remove(dir.Join("work/res"));
    dir.Mkdir("work/res");
    EXPECT_EQ(FindDataRoot(places), work);
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
        {"res/v1.2/iDog", {"res/v1.2/", "iDog", ""}},
        {"res/chars/", {"res/chars/", "", ""}},
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
