#pragma once
// The listing of a content folder for the thumb strip: alpha companions (names starting with "a" or
// "A") are left out, so they never show as pictures of their own.

#include "imaging/Directory.h"

class CThumbDirectory : public CDirectory {
public:
    BOOL Filter(const CFileInfo& info) const override;
};
