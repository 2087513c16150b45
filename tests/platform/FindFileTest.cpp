#include "platform/FindFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {
std::vector<std::string> Search(const std::string& searchPath) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA(searchPath.c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE)
        return names;
    do
        names.push_back(fd.cFileName);
    while (FindNextFileA(h, &fd));
    EXPECT_TRUE(FindClose(h));
    return names;
}
} // namespace

TEST(FindFile, ListsByNameIgnoringCaseWithDotEntries) {
    TempDir dir;
    dir.Write("b.bmp", "1");
    dir.Write("A.BMP", "22");
    dir.Write("c.txt", "");
    dir.Mkdir("sub.bmp");
    EXPECT_EQ(Search(dir.path + "/*.*"),
              (std::vector<std::string>{".", "..", "A.BMP", "b.bmp", "c.txt", "sub.bmp"}));
    EXPECT_EQ(Search(dir.path + "/*.bmp"), (std::vector<std::string>{"A.BMP", "b.bmp", "sub.bmp"}));
    EXPECT_EQ(Search(dir.path + "/?.b*"), (std::vector<std::string>{"A.BMP", "b.bmp"}));
    EXPECT_TRUE(Search(dir.path + "/*.gif").empty());
    EXPECT_TRUE(Search(dir.path + "/missing/*.*").empty());
}

TEST(FindFile, ReportsAttributesAndSize) {
    TempDir dir;
    dir.Write("f.bin", "12345");
    dir.Mkdir("d");
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((dir.path + "/f.bin").c_str(), &fd);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    EXPECT_EQ(fd.nFileSizeLow, 5u);
    EXPECT_FALSE(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_FALSE(FindNextFileA(h, &fd));
    FindClose(h);
    h = FindFirstFileA((dir.path + "/d").c_str(), &fd);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
    FindClose(h);
}

TEST(FindFile, WildcardRules) {
    EXPECT_TRUE(WildcardMatch("*.*", "noextension"));
    EXPECT_TRUE(WildcardMatch("*.bmp", "x.BMP"));
    EXPECT_TRUE(WildcardMatch("i*", "iHouse.bmp"));
    EXPECT_TRUE(WildcardMatch("*a*b*", "xxaxxbxx"));
    EXPECT_FALSE(WildcardMatch("*.bmp", "x.bmpx"));
    EXPECT_FALSE(WildcardMatch("?", ""));
    EXPECT_TRUE(WildcardMatch("*", ""));
}

TEST(FindFile, CurrentDirectory) {
    TempDir dir;
    ScopedCwd cwd(dir.path);
    char buf[MAX_PATH];
    DWORD n = GetCurrentDirectoryA(sizeof buf, buf);
    EXPECT_EQ(std::string(buf, n), dir.path);
    char tiny[2];
    EXPECT_EQ(GetCurrentDirectoryA(sizeof tiny, tiny), dir.path.size() + 1);
}
