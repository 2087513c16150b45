#pragma once
// The shared store of pictures: each file is read once and its CDIB shared by every holder, and pictures
// made elsewhere (a text, an entry of a layered file) are kept the same way. A holder's share is a
// CDIBRef; the store destroys a picture when its last reference goes.

#include "imaging/DIB.h"
#include "imaging/DIBRef.h"
#include <memory>
#include <string>
#include <vector>

class CDIBManager {
public:
    CDIBManager() = default;
    virtual ~CDIBManager();
    CDIBManager(const CDIBManager&) = delete;
    CDIBManager& operator=(const CDIBManager&) = delete;

    // Takes a picture made elsewhere into the store. It is never handed out for a path: a picture of a
    // layered file keeps the name it was stored under, which may now name another file. None for none,
    // or when the store cannot grow (the picture goes).
    CDIBRef Adopt(std::unique_ptr<CDIB> dib);
    // The shared picture of the file at path (compared exactly), loaded with its alpha companion on first
    // use (none for a picture of the user's data folder). None when the file cannot be loaded.
    CDIBRef GetDIB(const std::string& path);

    int GetCount() const { return int(m_entries.size()); }

private:
    friend class CDIBRef;
    struct Entry {
        std::unique_ptr<CDIB> dib;
        bool fromFile;
    };
    CDIBRef Keep(std::unique_ptr<CDIB> dib, bool fromFile);
    // Drops one reference; the last one destroys the picture.
    void Release(CDIB* dib);

    std::vector<Entry> m_entries;
};
