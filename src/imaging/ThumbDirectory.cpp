#include "imaging/ThumbDirectory.h"

#include "platform/ImageFile.h"

#include <algorithm>
#include <cctype>
#include <string>

BOOL CThumbDirectory::Filter(const CFileInfo& info) const {
    const char* name = info.GetName();
    if (m_kind == installedContent)
        return name[0] != 0 && std::tolower(static_cast<unsigned char>(name[0])) != 'a';
    if (name[0] == 0 || name[0] == '.' || info.IsFolder())
        return FALSE;
    std::string extension = name;
    const std::size_t dot = extension.rfind('.');
    if (dot == std::string::npos)
        return FALSE;
    extension.erase(0, dot);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    const auto& known = ImageFileExtensions();
    return std::find(known.begin(), known.end(), extension) != known.end();
}
