#include "composition/LayeredFile.h"

#include "composition/DIBSlot.h"
#include "platform/File.h"
#include "platform/LittleEndian.h"
#include "platform/Memory.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace {
constexpr BYTE magic[4] = {'Q', 'M', 'F', 0};

// Offsets of the record's fields.
enum : std::size_t {
    atKey = 0,
    atX = 4,
    atY = 8,
    atWidth = 12,
    atHeight = 16,
    atStretchMode = 20,
    atMirrorHorizontal = 24,
    atMirrorVertical = 28,
    atVisible = 32,
    atHasAlpha = 36,
    atNoImage = 40,
    atImageName = 44,
    atAlphaName = 304,
};
static_assert(atAlphaName + CLayeredFile::nameSize == CLayeredFile::recordSize);

// A name too long for its field loses whole characters (UTF-8) from its end, so that what is kept
// stays a valid name; the zero after it ends it.
void PutName(BYTE* bytes, std::size_t at, const std::string& name) {
    std::size_t length = std::min(name.size(), CLayeredFile::nameSize - 1);
    if (length < name.size())
        while (length > 0 && (BYTE(name[length]) & 0xC0) == 0x80)
            --length;
    std::memcpy(bytes + at, name.data(), length);
}

// Up to the terminating zero, or 259 characters when the field has none there.
std::string GetName(const BYTE* bytes, std::size_t at) {
    const char* field = reinterpret_cast<const char*>(bytes + at);
    return std::string(field, strnlen(field, CLayeredFile::nameSize - 1));
}

LayeredRecord ParseRecord(const BYTE* bytes) {
    LayeredRecord r;
    r.key = GetLittleEndian(bytes, atKey);
    r.x = std::int32_t(GetLittleEndian(bytes, atX));
    r.y = std::int32_t(GetLittleEndian(bytes, atY));
    r.width = std::int32_t(GetLittleEndian(bytes, atWidth));
    r.height = std::int32_t(GetLittleEndian(bytes, atHeight));
    r.stretchMode = std::int32_t(GetLittleEndian(bytes, atStretchMode));
    // The stored flags repeat the signs in every file the program writes; where another writer made them
    // disagree, the signs win, since placing and changed areas follow the signs.
    r.mirrorHorizontal = r.width < 0;
    r.mirrorVertical = r.height < 0;
    r.visible = GetLittleEndian(bytes, atVisible) != 0;
    r.hasAlpha = GetLittleEndian(bytes, atHasAlpha) != 0;
    r.noImage = GetLittleEndian(bytes, atNoImage) != 0;
    r.imageName = GetName(bytes, atImageName);
    r.alphaName = GetName(bytes, atAlphaName);
    return r;
}

// The next BMP file image of file, named name, its memory taken off budget; none when it cannot be read in
// full or within the budget.
std::unique_ptr<CDIB> ReadImage(CFile* file, const std::string& name, std::uint64_t* budget) {
    std::unique_ptr<CDIB> image(new (std::nothrow) CDIB);
    if (!image || !image->ReadFrom(file, budget))
        return nullptr;
    image->SetName(name);
    return image;
}

// Takes the memory of the picture area's copy of image off budget; false when it does not fit.
bool TakeCopy(const CDIB& image, std::uint64_t* budget) {
    const std::uint64_t copy = CDIBSlot::CopySize(image);
    if (copy > *budget)
        return false;
    *budget -= copy;
    return true;
}
} // namespace

std::uint64_t CLayeredFile::DefaultBudget() {
    constexpr std::uint64_t most = std::uint64_t(1) << 30;
    const std::uint64_t physical = PhysicalMemorySize();
    return physical ? std::min(most, physical / 2) : most;
}

CLayeredFile::ReadResult CLayeredFile::Read(CFile* file, int maxEntries, std::uint64_t budget) {
    m_entries.clear();
    if (!file)
        return ReadResult::damaged;
    try {
        BYTE head[8];
        if (file->Read(head, 4) < 4 || std::memcmp(head, magic, sizeof magic) != 0)
            return ReadResult::notLayered;
        if (file->Read(head + 4, 4) < 4)
            return ReadResult::damaged;
        const std::int32_t stored = std::int32_t(GetLittleEndian(head, 4));
        const int count = std::clamp(stored, 0, std::max(maxEntries, 0));
        std::vector<LayeredEntry> entries;
        entries.reserve(std::size_t(count));
        for (int f = 0; f < count; ++f) {
            BYTE bytes[recordSize];
            if (file->Read(bytes, recordSize) < recordSize)
                return ReadResult::damaged;
            LayeredEntry& entry = entries.emplace_back();
            entry.record = ParseRecord(bytes);
            if (entry.record.noImage)
                continue;
            entry.image = ReadImage(file, entry.record.imageName, &budget);
            if (!entry.image || !TakeCopy(*entry.image, &budget))
                return ReadResult::damaged;
            if (entry.record.hasAlpha) {
                std::unique_ptr<CDIB> alpha = ReadImage(file, entry.record.alphaName, &budget);
                if (!alpha)
                    return ReadResult::damaged;
                entry.image->SetAlpha(std::move(alpha));
            }
        }
        if (count == stored) {
            std::vector<LayeredExtras> extras(entries.size());
            // Whatever stops the block leaves the entries as they are.
            try {
                if (CLayeredExtensions::Read(file, &extras))
                    for (std::size_t f = 0; f < entries.size(); ++f)
                        entries[f].extras = std::move(extras[f]);
            } catch (const CFileException&) {
            } catch (const std::bad_alloc&) {
            }
        }
        m_entries = std::move(entries);
        return ReadResult::read;
    } catch (const CFileException&) {
        return ReadResult::damaged;
    } catch (const std::bad_alloc&) {
        return ReadResult::damaged;
    }
}

void CLayeredFile::WriteHeader(CFile* file, std::int32_t count) {
    BYTE head[8];
    std::memcpy(head, magic, sizeof magic);
    PutLittleEndian(head, 4, std::uint32_t(count));
    file->Write(head, sizeof head);
}

BOOL CLayeredFile::WriteEntry(CFile* file, const LayeredRecord& record, CDIB* image) {
    BYTE bytes[recordSize] = {};
    PutLittleEndian(bytes, atKey, record.key);
    PutLittleEndian(bytes, atX, std::uint32_t(record.x));
    PutLittleEndian(bytes, atY, std::uint32_t(record.y));
    PutLittleEndian(bytes, atWidth, std::uint32_t(record.width));
    PutLittleEndian(bytes, atHeight, std::uint32_t(record.height));
    PutLittleEndian(bytes, atStretchMode, std::uint32_t(record.stretchMode));
    PutLittleEndian(bytes, atMirrorHorizontal, record.mirrorHorizontal);
    PutLittleEndian(bytes, atMirrorVertical, record.mirrorVertical);
    PutLittleEndian(bytes, atVisible, record.visible);
    PutLittleEndian(bytes, atHasAlpha, record.hasAlpha);
    PutLittleEndian(bytes, atNoImage, record.noImage);
    PutName(bytes, atImageName, record.imageName);
    PutName(bytes, atAlphaName, record.alphaName);
    file->Write(bytes, recordSize);
    if (record.noImage)
        return TRUE;
    if (!image || !image->WriteTo(file))
        return FALSE;
    return !record.hasAlpha || (image->GetAlpha() && image->GetAlpha()->WriteTo(file));
}
