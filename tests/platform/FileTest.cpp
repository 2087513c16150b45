#include "platform/File.h"
#include "support/TempDir.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>

TEST(File, ReadReportsCountAndLength) {
    TempDir dir;
    std::string path = dir.Write("a.bin", "hello");
    CFile f;
    ASSERT_TRUE(f.Open(path.c_str(), CFile::modeRead | CFile::shareDenyWrite));
    EXPECT_EQ(f.GetLength(), 5u);
    char buf[16] = {};
    EXPECT_EQ(f.Read(buf, 3), 3u);
    EXPECT_EQ(f.GetPosition(), 3u);
    EXPECT_EQ(f.Read(buf, 16), 2u);
    EXPECT_EQ(f.Read(buf, 16), 0u);
}

TEST(File, OpenFailsForMissingFilesAndFolders) {
    TempDir dir;
    CFile f;
    CFileException error(CFileException::none, "");
    EXPECT_FALSE(f.Open((dir.path + "/missing").c_str(), CFile::modeRead, &error));
    EXPECT_EQ(error.m_cause, CFileException::fileNotFound);
    EXPECT_FALSE(f.Open(dir.path.c_str(), CFile::modeRead));
    EXPECT_FALSE(f.Open(dir.path.c_str(), CFile::modeCreate | CFile::modeReadWrite));
    EXPECT_FALSE(
        f.Open((dir.path + "/no/such/folder.bin").c_str(), CFile::modeCreate | CFile::modeReadWrite));
}

TEST(File, CreatedFileAppearsOnlyWhenClosed) {
    TempDir dir;
    std::string path = dir.Write("keep.bin", "old contents");
    {
        CFile f;
        ASSERT_TRUE(f.Open(path.c_str(), CFile::modeCreate | CFile::modeReadWrite | CFile::shareExclusive));
        f.Write("new", 3);
        EXPECT_EQ(dir.Read("keep.bin"), "old contents");
        f.Close();
    }
    EXPECT_EQ(dir.Read("keep.bin"), "new");
    {
        CFile f;
        ASSERT_TRUE(f.Open(path.c_str(), CFile::modeCreate | CFile::modeReadWrite));
        f.Write("half", 4);
        f.Abort();
    }
    EXPECT_EQ(dir.Read("keep.bin"), "new");
    EXPECT_EQ(dir.List(), std::vector<std::string>{"keep.bin"}) << "no temporary file is left behind";
}

TEST(File, WriteFailureThrowsFileError) {
    CFile f;
    ASSERT_TRUE(f.Open("/dev/full", CFile::modeReadWrite));
    char block[4096] = {};
    EXPECT_THROW(f.Write(block, sizeof block), CFileException);
    CFile closed;
    EXPECT_THROW(closed.Write(block, 1), CFileException);
}
