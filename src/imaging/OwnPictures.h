#pragma once
// The user's own pictures of one kind of content, in a folder of the user's data folder: adding one
// copies the file there, or, for a picture larger than maxSide on its long side, writes it reduced as a
// PNG file (its alpha channel kept). A name the folder has already gets a number: "cat-2.png".

#include <cstdint>
#include <string>

class COwnPictures {
public:
    static constexpr int maxSide = 2048;
    // The largest file taken, so that reading one cannot ask for unbounded memory.
    static constexpr std::uint64_t maxFileBytes = std::uint64_t(256) << 20;

    enum class Result { added, unreadable, unwritable };

    explicit COwnPictures(std::string folder) : m_folder(std::move(folder)) {}

    // Adds the picture at source; the folder is made on the first one. Nothing is written for a file the
    // image readers do not take in full (unreadable) or when the copy cannot be written (unwritable).
    // *added, when given, is the path the picture is kept under.
    Result Add(const std::string& source, std::string* added = nullptr) const;
    // name + extension when the folder has no such file, else name-2 + extension, name-3, ...
    std::string FreePath(const std::string& name, const std::string& extension) const;

    const std::string& GetFolder() const { return m_folder; }

private:
    std::string m_folder;
};
