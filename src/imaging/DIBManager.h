#pragma once
// The shared store of pictures named by a path: each file is read once and its CDIB shared by every
// holder, counted with the image's reference count. The collection owns its images and destroys one
// when its last holder releases it.

#include "imaging/DIB.h"
#include <string>
#include <vector>

class CDIBManager {
public:
    CDIBManager() = default;
    virtual ~CDIBManager();
    CDIBManager(const CDIBManager&) = delete;
    CDIBManager& operator=(const CDIBManager&) = delete;

    // Takes an image made elsewhere into the collection (one reference); listing it again changes nothing.
    BOOL Add(CDIB* dib);
    // The shared image of path (compared exactly), loaded with its alpha companion on first use (none
    // for a picture of the user's data folder); one more reference. None when the file cannot be loaded.
    CDIB* GetDIB(const std::string& path);
    // Drops one reference; the last one removes and destroys the image. 0 for an image not listed.
    BOOL Release(CDIB* dib);

    int GetCount() const { return int(m_dibs.size()); }

private:
    std::vector<CDIB*> m_dibs;
};
