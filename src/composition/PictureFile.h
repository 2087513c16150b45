#pragma once
// A picture kept as a layered picture file (LayeredFile.h): every layer with content, back-most first,
// with its place, flags and pictures, and what the entries have no room for in the block after them.
// Neither reading nor writing shows a message; why a file could not be opened goes to standard error, and
// the caller tells the user.

#include "composition/LayeredFile.h"

#include <cstdint>
#include <string>

class CDIBManager;
class CPicture;

class CPictureFile {
public:
    // Writes picture to path; false when the file cannot be written, and then the file that was there stays
    // as it was.
    static bool Write(const std::string& path, const CPicture& picture);
    // Reads the whole file before it changes anything: only a file that reads completely replaces picture,
    // its first entry on the back-most layer, each picture kept by store under a fresh content key, no layer
    // selected. False, with picture as it was, for a file that cannot be opened, is no layered file, or is
    // damaged. What the pictures and their composing copies would take together is bounded by budget
    // (LayeredFile.h).
    static bool Read(const std::string& path, CDIBManager& store, CPicture* picture,
                     std::uint64_t budget = CLayeredFile::DefaultBudget());
};
