#pragma once
// The listing of a content folder for the thumb strip. In an installed folder alpha companions (names
// starting with "a" or "A") are left out, so they never show as pictures of their own. In the user's
// folder every file the image readers take (by its name's ending) is a picture, whatever its name;
// hidden files and folders are left out.

#include "imaging/Directory.h"

class CThumbDirectory : public CDirectory {
public:
    enum Kind { installedContent, ownPictures };
    explicit CThumbDirectory(Kind kind = installedContent) : m_kind(kind) {}

    BOOL Filter(const CFileInfo& info) const override;

private:
    Kind m_kind;
};
