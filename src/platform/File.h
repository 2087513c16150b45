#pragma once
// Files as the program's readers and writers use them: open for reading (others may not write), create
// for writing, read that reports its count, write that throws. A file created for writing is written
// beside its final name and moved into place by Close, so a save that fails half-way never destroys
// what was there; Abort throws the half-written file away. The new file takes the place of the file a
// symbolic link points to (the link stays) and keeps the old file's owner and permissions.

#include "platform/WinTypes.h"
#include <string>

class CFileException {
public:
    enum Cause { none = 0, generic, fileNotFound, badPath, accessDenied, diskFull, endOfFile };
    CFileException(Cause cause, std::string path, int osError = 0)
        : m_cause(cause), m_strFileName(std::move(path)), m_lOsError(osError) {}
    Cause m_cause;
    std::string m_strFileName;
    int m_lOsError;
};

class CFile {
public:
    enum OpenFlags : UINT {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        shareDenyNone = 0x0040,
        modeCreate = 0x1000,
    };

    CFile() = default;
    ~CFile();
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;

    // False when the file cannot be opened; the reason goes to error when one is given. Creating fails
    // where the folder takes no new file, and where the file already there may not be written.
    BOOL Open(const char* path, UINT flags, CFileException* error = nullptr);
    // Whether a file created at path could take its place now (what Open with modeCreate asks).
    static BOOL CanReplace(const char* path);
    std::uint64_t GetLength() const;
    std::uint64_t GetPosition() const;
    // Reads up to count bytes; returns how many were read (fewer at the end of the file).
    UINT Read(void* buffer, UINT count);
    // Writes all count bytes or throws CFileException.
    void Write(const void* buffer, UINT count);
    // Finishes the file; a file created for writing takes its final name now. Throws on failure.
    void Close();
    // Closes without reporting errors; a file created for writing is discarded.
    void Abort();
    const std::string& GetFilePath() const { return m_path; }

private:
    int m_fd = -1;
    std::string m_path;
    std::string m_tempPath;   // set while a created file is written beside its final name
    std::string m_targetPath; // the final name: the path, or the file its symbolic links lead to
};
