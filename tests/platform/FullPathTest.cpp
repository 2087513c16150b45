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
