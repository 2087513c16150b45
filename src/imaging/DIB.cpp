#include "imaging/DIB.h"

#include "platform/Cursor.h"
#include "platform/DC.h"
#include "platform/File.h"
#include "platform/Modal.h"
#include "platform/Palette.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <new>
#include <vector>

namespace {
constexpr WORD bmpType = 0x4D42; // "BM"
constexpr DWORD fileHeaderSize = sizeof(BITMAPFILEHEADER);
constexpr DWORD infoHeaderSize = sizeof(BITMAPINFOHEADER);
constexpr DWORD BI_BITFIELDS = 3;
constexpr UINT maxColours = 256;

UINT ColourCount(const BITMAPINFOHEADER& h) {
    if (h.biClrUsed)
        return h.biClrUsed;
    switch (h.biBitCount) {
    case 1:
        return 2;
    case 4:
        return 16;
    case 8:
        return 256;
    default:
        return 0;
    }
}

std::unique_ptr<BYTE[]> NewBlock(std::size_t size) {
    return std::unique_ptr<BYTE[]>(new (std::nothrow) BYTE[size]());
}

// Whether block starts with a header this program can work with and holds the colour table and every
// pixel row that header describes. Compressed rows cannot be addressed, so only bit fields (which leave
// 16- and 32-bit rows plain) are taken besides uncompressed images.
bool IsSoundBlock(const BYTE* block, DWORD size) {
    if (size < infoHeaderSize)
        return false;
    BITMAPINFOHEADER h;
    std::memcpy(&h, block, infoHeaderSize);
    if (h.biSize < infoHeaderSize || h.biSize > size)
        return false;
    if (h.biWidth <= 0 || h.biWidth > CDIB::maxDimension || h.biHeight == 0 ||
        h.biHeight > CDIB::maxDimension || h.biHeight < -CDIB::maxDimension)
        return false;
    switch (h.biBitCount) {
    case 1:
    case 4:
    case 8:
    case 24:
        if (h.biCompression != BI_RGB)
            return false;
        break;
    case 16:
    case 32:
        if (h.biCompression != BI_RGB && h.biCompression != BI_BITFIELDS)
            return false;
        break;
    default:
        return false;
    }
    if (h.biClrUsed > maxColours)
        return false;
    std::uint64_t rows = std::uint64_t(h.biHeight < 0 ? -h.biHeight : h.biHeight);
    std::uint64_t need = std::uint64_t(h.biSize) + 4u * ColourCount(h) +
                         std::uint64_t(CDIB::StrideOf(h.biWidth, h.biBitCount)) * rows;
    return need <= size;
}

// An 8-bit packed bitmap of the given size whose table holds the palette's first (at most 256) entries,
// the rows following the table directly and zeroed.
std::unique_ptr<BYTE[]> NewIndexedBlock(const BITMAPINFOHEADER& like, const CPalette& palette, DWORD* size) {
    UINT colours = std::min<UINT>(UINT(palette.GetEntryCount()), maxColours);
    DWORD image = CDIB::StrideOf(like.biWidth, 8) * DWORD(like.biHeight);
    *size = infoHeaderSize + 4 * colours + image;
    auto block = NewBlock(*size);
    if (!block)
        return nullptr;
    BITMAPINFOHEADER h{};
    h.biSize = infoHeaderSize;
    h.biWidth = like.biWidth;
    h.biHeight = like.biHeight;
    h.biPlanes = 1;
    h.biBitCount = 8;
    h.biCompression = BI_RGB;
    h.biSizeImage = image;
    h.biXPelsPerMeter = like.biXPelsPerMeter;
    h.biYPelsPerMeter = like.biYPelsPerMeter;
    h.biClrUsed = colours;
    std::memcpy(block.get(), &h, infoHeaderSize);
    std::array<PALETTEENTRY, maxColours> entries{};
    palette.GetPaletteEntries(0, colours, entries.data());
    auto* table = reinterpret_cast<RGBQUAD*>(block.get() + infoHeaderSize);
    for (UINT i = 0; i < colours; ++i)
        table[i] = {entries[i].peBlue, entries[i].peGreen, entries[i].peRed, 0};
    return block;
}
} // namespace

CDIB::CDIB() = default;

CDIB::~CDIB() = default;

// --- memory --------------------------------------------------------------------------------------

void CDIB::Free() {
    m_block.reset();
    m_size = 0;
    m_refCount = 0;
    m_stretchMode = 0;
    m_alpha.reset();
    m_mirrorHorizontal = 0;
    m_mirrorVertical = 0;
    m_pixelAccess = 0;
    m_accessWidth = m_accessHeight = m_accessStride = 0;
    m_accessBitCount = 0;
    m_firstRow = nullptr;
}

void CDIB::Install(std::unique_ptr<BYTE[]> block, DWORD size) {
    if (m_block)
        Free();
    Adopt(std::move(block), size);
}

void CDIB::Adopt(std::unique_ptr<BYTE[]> block, DWORD size) {
    m_block = std::move(block);
    m_size = size;
    m_pixelAccess = 0;
    // Rows stored top-down (negative height) are turned round, so that every picture is stored bottom-up.
    BITMAPINFOHEADER* h = GetHeader();
    if (h->biHeight < 0) {
        h->biHeight = -h->biHeight;
        DWORD stride = GetStride();
        std::vector<BYTE> spare(stride);
        BYTE* bits = GetBits();
        for (LONG top = 0, bottom = h->biHeight - 1; top < bottom; ++top, --bottom) {
            BYTE* a = bits + std::size_t(top) * stride;
            BYTE* b = bits + std::size_t(bottom) * stride;
            std::memcpy(spare.data(), a, stride);
            std::memcpy(a, b, stride);
            std::memcpy(b, spare.data(), stride);
        }
    }
}

BOOL CDIB::Attach(std::unique_ptr<BYTE[]> block, DWORD size, const char* name) {
    if (!block || !IsSoundBlock(block.get(), size))
        return FALSE;
    Install(std::move(block), size);
    if (name)
        m_name = name;
    return TRUE;
}

BOOL CDIB::Create(int width, int height, int bitCount, const CPalette* palette) {
    if (width <= 0 || height <= 0 || width > maxDimension || height > maxDimension)
        return FALSE;
    if (bitCount != 8 && bitCount != 0 && bitCount < 24)
        return FALSE;
    const WORD bits = bitCount == 8 ? 8 : 24;
    UINT used = 0;
    std::array<PALETTEENTRY, maxColours> entries{};
    if (palette && bits == 8) {
        used = std::min<UINT>(UINT(palette->GetEntryCount()), maxColours);
        palette->GetPaletteEntries(0, used, entries.data());
    }
    const UINT colours = bits == 8 ? (used ? used : maxColours) : 0;
    const std::uint64_t image = std::uint64_t(StrideOf(width, bits)) * DWORD(height);
    if (infoHeaderSize + 4 * colours + image > maxBlockSize)
        return FALSE;
    const DWORD size = DWORD(infoHeaderSize + 4 * colours + image);
    auto block = NewBlock(size);
    if (!block)
        return FALSE;
    BITMAPINFOHEADER h{};
    h.biSize = infoHeaderSize;
    h.biWidth = width;
    h.biHeight = height;
    h.biPlanes = 1;
    h.biBitCount = bits;
    h.biCompression = BI_RGB;
    h.biSizeImage = DWORD(image);
    h.biClrUsed = used;
    std::memcpy(block.get(), &h, infoHeaderSize);
    auto* table = reinterpret_cast<RGBQUAD*>(block.get() + infoHeaderSize);
    for (UINT i = 0; i < used; ++i)
        table[i] = {entries[i].peBlue, entries[i].peGreen, entries[i].peRed, 0};
    Install(std::move(block), size);
    return Fill(RGB(255, 255, 255));
}

std::unique_ptr<CDIB> CDIB::Clone() const {
    if (!m_block)
        return nullptr;
    auto copy = NewBlock(m_size);
    auto dib = std::unique_ptr<CDIB>(new (std::nothrow) CDIB);
    if (!copy || !dib)
        return nullptr;
    std::memcpy(copy.get(), m_block.get(), m_size);
    dib->Install(std::move(copy), m_size);
    return dib;
}

BOOL CDIB::Release() {
    // An image nobody registered has no reference to drop: it goes as the last one.
    if (m_refCount > 0)
        --m_refCount;
    return m_refCount == 0;
}

// --- geometry and pixels -------------------------------------------------------------------------

int CDIB::GetWidth() const {
    return m_block ? GetHeader()->biWidth : 0;
}

int CDIB::GetHeight() const {
    return m_block ? GetHeader()->biHeight : 0;
}

WORD CDIB::BitCount() const {
    return m_block ? GetHeader()->biBitCount : 0;
}

DWORD CDIB::GetStride() const {
    return m_block ? StrideOf(GetWidth(), BitCount()) : 0;
}

UINT CDIB::NumColors() const {
    return m_block ? ColourCount(*GetHeader()) : 0;
}

WORD CDIB::PaletteSize() const {
    return WORD(NumColors() * 4);
}

BYTE* CDIB::GetBits() const {
    return m_block ? m_block.get() + GetHeader()->biSize + PaletteSize() : nullptr;
}

BOOL CDIB::BeginPixelAccess() {
    if (!m_block)
        return FALSE;
    m_accessWidth = UINT(GetWidth());
    m_accessHeight = UINT(GetHeight());
    m_accessStride = GetStride();
    m_accessBitCount = BitCount();
    m_firstRow = GetBits();
    m_pixelAccess = 1;
    return TRUE;
}

BYTE* CDIB::PixelAddressDirect(int x, int y) const {
    if (!m_block || UINT(x) >= UINT(GetWidth()) || UINT(y) >= UINT(GetHeight()))
        return nullptr;
    return AddressOf(GetBits(), UINT(GetWidth()), UINT(GetHeight()), GetStride(), BitCount(), x, y);
}

BOOL CDIB::Fill(COLORREF colour, const RECT* rect) {
    if (!BeginPixelAccess())
        return FALSE;
    RECT r = rect ? *rect : RECT{0, 0, GetWidth(), GetHeight()};
    NormalizeRect(r);
    // Pixels outside the image are skipped; clipping first only saves the time of asking for them.
    r.left = std::max<LONG>(r.left, 0);
    r.top = std::max<LONG>(r.top, 0);
    r.right = std::min<LONG>(r.right, GetWidth());
    r.bottom = std::min<LONG>(r.bottom, GetHeight());
    const WORD bits = BitCount();
    for (LONG y = r.top; y < r.bottom; ++y) {
        for (LONG x = r.left; x < r.right; ++x) {
            BYTE* p = PixelAddress(x, y);
            if (!p)
                continue;
            if (bits == 24) {
                p[0] = GetBValue(colour);
                p[1] = GetGValue(colour);
                p[2] = GetRValue(colour);
            } else if (bits == 8) {
                p[0] = GetBValue(colour);
            }
        }
    }
    EndPixelAccess();
    return TRUE;
}

BOOL CDIB::CopyFromDevice(CDC* dc, int width, int height, COLORREF key) {
    if (!dc)
        return FALSE;
    // Three bytes go into each pixel, which only a 24-bit row has room for.
    if (BitCount() == 24 && BeginPixelAccess()) {
        width = std::min(width, GetWidth());
        height = std::min(height, GetHeight());
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                COLORREF c = dc->GetPixel(x, y);
                BYTE* p = c != key ? PixelAddress(x, y) : nullptr;
                if (p) {
                    p[0] = GetBValue(c);
                    p[1] = GetGValue(c);
                    p[2] = GetRValue(c);
                }
            }
        }
        EndPixelAccess();
    }
    return TRUE;
}

// --- BMP files -----------------------------------------------------------------------------------

BOOL CDIB::ReadFrom(CFile* file) {
    if (m_block)
        Free();
    if (!file)
        return FALSE;
    try {
        const std::uint64_t length = file->GetLength();
        const std::uint64_t position = file->GetPosition();
        if (length == 0 || position >= length)
            return FALSE;
        BITMAPFILEHEADER fh;
        if (file->Read(&fh, fileHeaderSize) < fileHeaderSize)
            return FALSE;
        // The size field must fit what the file still holds before anything is allocated.
        const std::uint64_t remaining = length - position;
        if (fh.bfSize <= fileHeaderSize || fh.bfSize > remaining || fh.bfSize - fileHeaderSize > maxBlockSize)
            return FALSE;
        const DWORD size = fh.bfSize - fileHeaderSize;
        if (size < infoHeaderSize)
            return FALSE;
        auto block = NewBlock(size);
        if (!block || file->Read(block.get(), size) < size || !IsSoundBlock(block.get(), size))
            return FALSE;
        Install(std::move(block), size);
        return TRUE;
    } catch (const CFileException&) {
        return FALSE;
    }
}

BOOL CDIB::Load(const std::string& path, BOOL withAlpha) {
    if (m_block)
        Free();
    CFile file;
    if (!file.Open(path.c_str(), CFile::modeRead | CFile::shareDenyWrite))
        return FALSE;
    ShowWaitCursor();
    const BOOL ok = ReadFrom(&file);
    ShowArrowCursor();
    file.Abort(); // only read from: nothing to finish
    if (!ok)
        return FALSE;
    m_name = path;
    if (withAlpha)
        LoadAlpha();
    return TRUE;
}

BOOL CDIB::WriteTo(CFile* file) {
    if (!file || !m_block)
        return FALSE;
    BITMAPINFOHEADER* h = GetHeader();
    const DWORD image = GetStride() * DWORD(GetHeight());
    h->biSizeImage = image;
    const DWORD length = h->biSize + PaletteSize() + image;
    BITMAPFILEHEADER fh;
    fh.bfType = bmpType;
    fh.bfSize = fileHeaderSize + length;
    fh.bfReserved1 = 0;
    fh.bfReserved2 = 0;
    fh.bfOffBits = fileHeaderSize + h->biSize + PaletteSize();
    file->Write(&fh, fileHeaderSize);
    file->Write(m_block.get(), length);
    return TRUE;
}

BOOL CDIB::Save(const std::string& path) {
    CFile file;
    if (!file.Open(path.c_str(), CFile::modeCreate | CFile::modeReadWrite | CFile::shareExclusive)) {
        AfxMessageBox(("Error: failed to open file <" + path + "> for writing").c_str(), MB_OK);
        return FALSE;
    }
    try {
        // An empty image writes nothing; dropping the new file keeps what the path held before.
        if (!WriteTo(&file)) {
            file.Abort();
            return FALSE;
        }
        file.Close();
        return TRUE;
    } catch (const CFileException&) {
        file.Abort();
        return FALSE;
    }
}

BOOL CDIB::MakeCompanionNames(const std::string& path, CompanionMode mode, std::string* imageName,
                              std::string* alphaName) {
    if (!imageName || !alphaName)
        return FALSE;
    const std::size_t nameStart = path.find_last_of("/\\") + 1; // 0 without a folder
    std::size_t dot = path.rfind('.');
    if (dot == std::string::npos || dot < nameStart)
        dot = path.size();
    const std::string folder = path.substr(0, nameStart);
    const std::string base = path.substr(nameStart, dot - nameStart);
    const std::string extension = path.substr(dot);
    std::string a = base, b = base;
    if (mode == companionReplaceFirst) {
        if (!base.empty()) {
            a[0] = 'i';
            b[0] = 'a';
        }
    } else if (!base.empty() && (base[0] == 'i' || base[0] == 'I')) {
        b[0] = 'a';
    } else {
        a = "i" + base;
        b = "a" + base;
    }
    *imageName = folder + a + extension;
    *alphaName = folder + b + extension;
    return TRUE;
}

BOOL CDIB::LoadAlpha() {
    std::string imageName, alphaName;
    if (m_name.empty() || !MakeCompanionNames(m_name, companionReplaceFirst, &imageName, &alphaName))
        return FALSE;
    m_alpha.reset();
    auto alpha = std::unique_ptr<CDIB>(new (std::nothrow) CDIB);
    if (!alpha || !alpha->Load(alphaName, FALSE))
        return FALSE;
    m_alpha = std::move(alpha);
    return TRUE;
}

// --- palettes, drawing and scaled copies ---------------------------------------------------------

BOOL CDIB::CreatePalette(CPalette* palette) const {
    const UINT colours = NumColors();
    if (!palette || colours == 0)
        return FALSE;
    std::vector<BYTE> memory(sizeof(LOGPALETTE) + colours * sizeof(PALETTEENTRY));
    auto* description = reinterpret_cast<LOGPALETTE*>(memory.data());
    description->palVersion = 0x300;
    description->palNumEntries = WORD(colours);
    PALETTEENTRY* entries = description->palPalEntry;
    const auto* table = reinterpret_cast<const RGBQUAD*>(m_block.get() + GetHeader()->biSize);
    for (UINT i = 0; i < colours; ++i)
        entries[i] = {table[i].rgbRed, table[i].rgbGreen, table[i].rgbBlue, 0};
    return palette->CreatePalette(description);
}

BOOL CDIB::MapToPalette(const CPalette* palette) {
    if (!palette || palette->GetEntryCount() == 0 || !m_block)
        return FALSE;
    const WORD bits = BitCount();
    if (bits == 24)
        return ConvertTo8Bit(palette);
    if (bits != 8 && bits != 4)
        return FALSE;
    // One nearest-colour question per table entry; indexes beyond the table map to entry 0.
    std::array<BYTE, maxColours> map{};
    const auto* table = reinterpret_cast<const RGBQUAD*>(m_block.get() + GetHeader()->biSize);
    const UINT colours = std::min(NumColors(), maxColours);
    for (UINT i = 0; i < colours; ++i)
        map[i] =
            BYTE(palette->GetNearestPaletteIndex(RGB(table[i].rgbRed, table[i].rgbGreen, table[i].rgbBlue)));
    // The result is laid out anew as an 8-bit image whose table is exactly the palette, so the rows
    // start where the header says whatever the palette's size, and a 4-bit image can take indexes
    // beyond 15.
    return RebuildIndexed(*palette, [&](const BYTE* from, BYTE* to, int width) {
        if (bits == 8) {
            for (int x = 0; x < width; ++x)
                to[x] = map[from[x]];
        } else {
            for (int x = 0; x < width; ++x)
                to[x] = map[(x & 1) ? from[x / 2] & 0x0F : from[x / 2] >> 4];
        }
    });
}

BOOL CDIB::ConvertTo8Bit(const CPalette* palette) {
    // Only plain 24-bit rows can be read as blue, green, red.
    if (!palette || palette->GetEntryCount() == 0 || BitCount() != 24 || NumColors() != 0)
        return FALSE;
    ShowWaitCursor();
    BOOL done = RebuildIndexed(*palette, [&](const BYTE* from, BYTE* to, int width) {
        for (int x = 0; x < width; ++x, from += 3)
            to[x] = BYTE(palette->GetNearestPaletteIndex(RGB(from[2], from[1], from[0])));
    });
    ShowArrowCursor();
    return done;
}

BOOL CDIB::RebuildIndexed(const CPalette& palette,
                          const std::function<void(const BYTE* from, BYTE* to, int width)>& convertRow) {
    DWORD size = 0;
    auto block = NewIndexedBlock(*GetHeader(), palette, &size);
    if (!block)
        return FALSE;
    const auto* out = reinterpret_cast<const BITMAPINFOHEADER*>(block.get());
    BYTE* to = block.get() + size - out->biSizeImage;
    const DWORD toStride = StrideOf(out->biWidth, 8), fromStride = GetStride();
    const BYTE* from = GetBits();
    const int width = GetWidth(), height = GetHeight();
    for (int y = 0; y < height; ++y, from += fromStride, to += toStride)
        convertRow(from, to, width);
    Adopt(std::move(block), size);
    return TRUE;
}

BOOL CDIB::Draw(CDC* dc, const RECT* dest, const RECT* source, CPalette* palette,
                BOOL forceBackground) const {
    if (!m_block || !dc || !dest || !source)
        return FALSE;
    if (palette && palette->IsCreated()) {
        dc->SelectPalette(palette, forceBackground);
        dc->RealizePalette();
    }
    dc->SetStretchBltMode(m_stretchMode);
    const int rows =
        dc->StretchDIBits(dest->left, dest->top, dest->Width(), dest->Height(), source->left, source->top,
                          source->Width(), source->Height(), GetBits(),
                          reinterpret_cast<const BITMAPINFO*>(m_block.get()), DIB_RGB_COLORS, SRCCOPY);
    return rows != GDI_ERROR;
}

std::unique_ptr<CDIB> CDIB::CreateScaled(int width, int height, int bitCount, const CPalette* palette) const {
    // Indexes only when there is a palette to take them from; three bytes otherwise.
    const bool indexed = bitCount == 8 && palette && palette->GetEntryCount() > 0;
    auto result = std::unique_ptr<CDIB>(new (std::nothrow) CDIB);
    if (!result || !result->Create(width, height, indexed ? 8 : 24, indexed ? palette : nullptr))
        return nullptr;
    const bool fromTable = BitCount() == 8 && NumColors() == maxColours;
    const bool fromRgb = BitCount() == 24 && NumColors() == 0;
    if (!fromTable && !fromRgb)
        return result;

    // Each output position samples one source pixel, one scale step from its neighbours' samples.
    const int w = GetWidth(), h = GetHeight();
    const DWORD sourceStride = GetStride();
    std::vector<DWORD> columnOffset(width), rowOffset(height);
    for (int j = 0; j < width; ++j)
        columnOffset[j] = DWORD(std::uint64_t(j) * w / width) * (fromTable ? 1 : 3);
    for (int i = 0; i < height; ++i)
        rowOffset[i] = DWORD(std::uint64_t(i) * h / height) * sourceStride;
    const BYTE* source = GetBits();
    const auto* table = reinterpret_cast<const RGBQUAD*>(m_block.get() + GetHeader()->biSize);
    static constexpr unsigned weights[3][3] = {{7, 106, 7}, {106, 500, 106}, {7, 106, 7}};

    // A table source leaves the one-pixel border white; a true-colour source clips the neighbourhood.
    const int border = fromTable ? 1 : 0;
    BYTE* out = result->GetBits();
    const DWORD outStride = result->GetStride();
    for (int i = border; i < height - border; ++i) {
        BYTE* o = out + std::size_t(i) * outStride + std::size_t(border) * (indexed ? 1 : 3);
        for (int j = border; j < width - border; ++j) {
            unsigned blue = 0, green = 0, red = 0, total = 0;
            for (int dy = -1; dy <= 1; ++dy) {
                const int y = i + dy;
                if (y < 0 || y >= height)
                    continue;
                const BYTE* row = source + rowOffset[y];
                for (int dx = -1; dx <= 1; ++dx) {
                    const int x = j + dx;
                    if (x < 0 || x >= width)
                        continue;
                    const BYTE* p = row + columnOffset[x];
                    const unsigned weight = weights[dy + 1][dx + 1];
                    if (fromTable) {
                        const RGBQUAD& q = table[*p];
                        blue += weight * q.rgbBlue, green += weight * q.rgbGreen, red += weight * q.rgbRed;
                    } else {
                        blue += weight * p[0], green += weight * p[1], red += weight * p[2];
                    }
                    total += weight;
                }
            }
            const BYTE b = BYTE(blue / total), g = BYTE(green / total), r = BYTE(red / total);
            if (indexed) {
                *o++ = BYTE(palette->GetNearestPaletteIndex(RGB(r, g, b)));
            } else {
                o[0] = b, o[1] = g, o[2] = r;
                o += 3;
            }
        }
    }
    return result;
}
