#pragma once
// The block after the last entry of a layered picture file, for what the entries' fixed layout has no room
// for. A reader that knows only the entries stops before it. Layout (32-bit little-endian numbers): the
// tag "QMFX", the version 1, the number of records, then each record: the index of the entry it belongs
// to (0 is the first entry of the file), its kind, the length of its bytes, and the bytes.
//
// Kinds: 1, the text a text layer was drawn from (colour, centring, the font record, then the text as
// UTF-8); 2, the entry of the picture a text lies on. A kind this reader does not know, or a record of an
// entry the file has not, is passed over; a damaged block is ignored as a whole.

#include "composition/LayerText.h"
#include <cstdint>
#include <optional>
#include <vector>

class CFile;

// What the block keeps of one entry.
struct LayeredExtras {
    std::optional<LayerText> text;
    int attachedTo = -1; // the entry of the picture a text lies on, or -1
    bool operator==(const LayeredExtras&) const = default;
};

class CLayeredExtensions {
public:
    enum Kind : std::uint32_t { kindText = 1, kindAttachedTo = 2 };
    // The most a record or the whole block may hold; beyond it a block is damaged.
    static constexpr std::uint32_t maxRecordBytes = 1u << 20;
    static constexpr std::uint32_t maxRecords = 1024;

    // Writes the block of extras, one per entry in the file's order; nothing when none holds anything.
    // A text longer than a record holds is left out. File errors pass on as CFileException.
    static void Write(CFile* file, const std::vector<LayeredExtras>& extras);
    // Reads the block that follows the entries into extras (one per entry). False, with extras as they
    // were, when there is no block or it is damaged. File errors pass on as CFileException.
    static bool Read(CFile* file, std::vector<LayeredExtras>* extras);
};
