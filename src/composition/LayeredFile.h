#pragma once
// The layered picture file (.qmf) as bytes, without any window: the magic "QMF" and a zero byte, a signed
// entry count, then one entry per slot of the picture, back-most first. An entry is a 564-byte record of
// the slot's placement, flags and the names of its pictures, followed (unless it has no image) by the
// layer picture and, when flagged, its alpha companion, each as a BMP file image. Numbers are 32-bit
// little-endian. What the entries have no room for follows them in one block (LayeredExtensions.h).
//
// Reading checks the whole file before anyone uses what it holds, so that a damaged file changes nothing.

#include "composition/LayeredExtensions.h"
#include "imaging/DIB.h"
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CFile;

// The fixed part of an entry.
struct LayeredRecord {
    std::uint32_t key = 0;                            // written, not used on reading
    std::int32_t x = 0, y = 0, width = 0, height = 0; // design units; negative sizes reach left or up
    std::int32_t stretchMode = 0;
    bool mirrorHorizontal = false;
    bool mirrorVertical = false;
    bool visible = false;
    bool hasAlpha = false;
    bool noImage = false;  // nothing follows the record
    std::string imageName; // the path the layer picture was loaded from
    std::string alphaName; // empty without an alpha companion
};

struct LayeredEntry {
    LayeredRecord record;
    // The layer picture named by the record, its alpha companion chained to it; none for no image.
    std::unique_ptr<CDIB> image;
    LayeredExtras extras;
};

class CLayeredFile {
public:
    static constexpr std::size_t recordSize = 564;
    static constexpr std::size_t nameSize = 260; // a name and its terminating zero

    enum class ReadResult { read, notLayered, damaged };

    // The memory a file's pictures may take together, their slots' copies included: 1 GiB, or half the
    // machine's memory where that is less.
    static std::uint64_t DefaultBudget();

    // Reads the magic, the count and up to maxEntries entries (a negative count reads none; entries
    // beyond maxEntries are left unread, and so is the block after them). Only when all of them read in
    // full are they kept, and the result is read; a damaged block after them is passed over. A file that does
    // not start with the magic is notLayered. One whose pictures, with the 24-bit copies the picture area
    // makes of them, would take more than budget bytes is damaged as far as the user is concerned: that is
    // found out before the picture that goes beyond it is made.
    ReadResult Read(CFile* file, int maxEntries, std::uint64_t budget = DefaultBudget());
    std::vector<LayeredEntry>& GetEntries() { return m_entries; }

    static void WriteHeader(CFile* file, std::int32_t count);
    // Writes the record, then (unless it has no image) image as a BMP file image and, when the record
    // says so, image's alpha companion. False when an image writes nothing (the file is unusable then).
    // File errors pass on as CFileException.
    static BOOL WriteEntry(CFile* file, const LayeredRecord& record, CDIB* image);

private:
    std::vector<LayeredEntry> m_entries;
};
