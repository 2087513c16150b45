#include "imaging/ThumbDirectory.h"

#include <cctype>

BOOL CThumbDirectory::Filter(const CFileInfo& info) const {
    const char* name = info.GetName();
    return name[0] != 0 && std::tolower(static_cast<unsigned char>(name[0])) != 'a';
}
