#include "composition/LayeredExtensions.h"

#include "platform/File.h"
#include "platform/LittleEndian.h"

#include <cstring>
#include <string>

namespace {
constexpr char tag[4] = {'Q', 'M', 'F', 'X'};
constexpr std::uint32_t version = 1;
// A text record's fixed part: colour, centring, the font record's five numbers, eight bytes and face name.
constexpr std::size_t textHead = 4 + 4 + 5 * 4 + 8 + LF_FACESIZE;

void Put(std::string& bytes, std::uint32_t value) {
    BYTE word[4];
    PutLittleEndian(word, 0, value);
    bytes.append(reinterpret_cast<const char*>(word), sizeof word);
}

std::string TextBytes(const LayerText& t) {
    std::string b;
    Put(b, t.colour);
    Put(b, std::uint32_t(t.centred != 0));
    const LOGFONT& f = t.font;
    for (const LONG n : {f.lfHeight, f.lfWidth, f.lfEscapement, f.lfOrientation, f.lfWeight})
        Put(b, std::uint32_t(n));
    for (const BYTE n : {f.lfItalic, f.lfUnderline, f.lfStrikeOut, f.lfCharSet, f.lfOutPrecision,
                         f.lfClipPrecision, f.lfQuality, f.lfPitchAndFamily})
        b += char(n);
    b.append(f.lfFaceName, LF_FACESIZE);
    return b + t.text;
}

std::optional<LayerText> TextOf(const std::vector<BYTE>& b) {
    if (b.size() < textHead)
        return std::nullopt;
    LayerText t;
    t.colour = GetLittleEndian(b.data(), 0) & 0xFFFFFF;
    t.centred = GetLittleEndian(b.data(), 4) != 0;
    LOGFONT& f = t.font;
    LONG* numbers[] = {&f.lfHeight, &f.lfWidth, &f.lfEscapement, &f.lfOrientation, &f.lfWeight};
    for (std::size_t i = 0; i < std::size(numbers); ++i)
        *numbers[i] = LONG(std::int32_t(GetLittleEndian(b.data(), 8 + 4 * i)));
    BYTE* small[] = {&f.lfItalic,       &f.lfUnderline,     &f.lfStrikeOut, &f.lfCharSet,
                     &f.lfOutPrecision, &f.lfClipPrecision, &f.lfQuality,   &f.lfPitchAndFamily};
    for (std::size_t i = 0; i < std::size(small); ++i)
        *small[i] = b[28 + i];
    std::memcpy(f.lfFaceName, &b[36], LF_FACESIZE);
    f.lfFaceName[LF_FACESIZE - 1] = 0;
    t.text.assign(reinterpret_cast<const char*>(b.data()) + textHead, b.size() - textHead);
    return t;
}

void PutRecord(std::string& block, std::uint32_t entry, std::uint32_t kind, const std::string& bytes) {
    Put(block, entry);
    Put(block, kind);
    Put(block, std::uint32_t(bytes.size()));
    block += bytes;
}
} // namespace

void CLayeredExtensions::Write(CFile* file, const std::vector<LayeredExtras>& extras) {
    std::string records;
    std::uint32_t count = 0;
    for (std::size_t f = 0; f < extras.size(); ++f) {
        const LayeredExtras& e = extras[f];
        if (e.text) {
            const std::string bytes = TextBytes(*e.text);
            if (bytes.size() <= maxRecordBytes && count < maxRecords) {
                PutRecord(records, std::uint32_t(f), kindText, bytes);
                ++count;
            }
        }
        if (e.attachedTo >= 0 && count < maxRecords) {
            std::string bytes;
            Put(bytes, std::uint32_t(e.attachedTo));
            PutRecord(records, std::uint32_t(f), kindAttachedTo, bytes);
            ++count;
        }
    }
    if (count == 0)
        return;
    std::string block(tag, sizeof tag);
    Put(block, version);
    Put(block, count);
    block += records;
    file->Write(block.data(), UINT(block.size()));
}

bool CLayeredExtensions::Read(CFile* file, std::vector<LayeredExtras>* extras) {
    if (!file || !extras)
        return false;
    BYTE head[12];
    if (file->Read(head, sizeof head) < sizeof head || std::memcmp(head, tag, sizeof tag) != 0 ||
        GetLittleEndian(head, 4) != version)
        return false;
    const std::uint32_t count = GetLittleEndian(head, 8);
    if (count > maxRecords)
        return false;
    std::vector<LayeredExtras> read = *extras;
    std::vector<BYTE> bytes;
    for (std::uint32_t r = 0; r < count; ++r) {
        BYTE record[12];
        if (file->Read(record, sizeof record) < sizeof record)
            return false;
        const std::uint32_t entry = GetLittleEndian(record, 0), kind = GetLittleEndian(record, 4),
                            length = GetLittleEndian(record, 8);
        // Only what the file holds is taken: a length beyond its end is damage, found before the room
        // for it is asked for.
        const std::uint64_t end = file->GetLength(), at = file->GetPosition();
        if (length > maxRecordBytes || length > (end > at ? end - at : 0))
            return false;
        bytes.resize(length);
        if (length && file->Read(bytes.data(), length) < length)
            return false;
        if (entry >= read.size())
            continue;
        LayeredExtras& e = read[entry];
        if (kind == kindText) {
            if (std::optional<LayerText> text = TextOf(bytes))
                e.text = std::move(text);
        } else if (kind == kindAttachedTo && length == 4) {
            const std::uint32_t under = GetLittleEndian(bytes.data(), 0);
            if (under < read.size() && under != entry)
                e.attachedTo = int(under);
        }
    }
    *extras = std::move(read);
    return true;
}
