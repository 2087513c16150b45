#include "imaging/OwnPictures.h"

#include "platform/File.h"
#include "platform/FullPath.h"
#include "platform/ImageFile.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

COwnPictures::Result COwnPictures::Add(const std::string& source, std::string* added) const {
    PreparedImage prepared;
    if (!PrepareImageFile(source, maxSide, maxFileBytes, &prepared))
        return Result::unreadable;
    std::error_code error;
    std::filesystem::create_directories(m_folder, error);
    std::string name = SplitPath(source).name;
    // A hidden name would be left out of the listing.
    if (name.empty() || name[0] == '.')
        name = "picture" + name;
    const std::string path = FreePath(name, prepared.extension);
    CFile file;
    CFileException failure(CFileException::none, path);
    auto unwritable = [&path](const CFileException& e) {
        std::fprintf(stderr, "quimble: Error: failed to write file <%s>: %s\n", path.c_str(),
                     std::strerror(e.m_lOsError));
        return Result::unwritable;
    };
    if (!file.Open(path.c_str(), CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive, &failure))
        return unwritable(failure);
    try {
        file.Write(prepared.bytes.data(), UINT(prepared.bytes.size()));
        file.Close();
    } catch (const CFileException& e) {
        file.Abort();
        return unwritable(e);
    }
    if (added)
        *added = path;
    return Result::added;
}

std::string COwnPictures::FreePath(const std::string& name, const std::string& extension) const {
    std::string path = m_folder + "/" + name + extension;
    std::error_code error;
    for (int n = 2; std::filesystem::exists(path, error); ++n)
        path = m_folder + "/" + name + "-" + std::to_string(n) + extension;
    return path;
}
