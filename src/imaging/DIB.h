#pragma once
// One picture in memory: a packed bitmap (BITMAPINFOHEADER, colour table, pixel rows stored bottom-up and
// padded to four bytes) as in a BMP file without its 14-byte file header. It remembers the path it was
// loaded from, reads and writes BMP files, hands out pixel addresses, and owns the alpha companion read
// from the sibling file whose name starts with "a".
//
// Every block a CDIB holds has been checked to cover its header, colour table and stride x height bytes
// of rows, so pixel addresses and whole-row walks never leave the block, whatever file it came from.
//
// The members live by concern: DIB.cpp (memory, pixels, drawing), DIBFile.cpp (BMP files and alpha
// companions), DIBPalette.cpp (palettes and remapping), DIBScale.cpp (scaled copies).

#include "platform/DC.h"
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class CFile;
class CPalette;

class CDIB {
public:
    // Who tells the user that Save could not make its file: Save itself, in an error box, or the caller,
    // which has its own message for the failure (the detail goes to standard error either way).
    enum SaveReport { saveReportsFailure = 0, callerReportsFailure = 1 };
    // What Save writes: a BMP file, or (for 24-bit images only) a PNG file of the same pixels.
    enum FileFormat { bmpFile = 0, pngFile = 1 };
    enum CompanionMode {
        companionReplaceFirst = 0, // ihouse -> ihouse / ahouse; house -> iouse / aouse
        companionEnsurePrefix = 1, // Ship -> iShip / aShip; IShip -> IShip / aShip
    };

    // Largest width or height accepted, and largest block, so that a file cannot ask for unbounded memory.
    static constexpr LONG maxDimension = 32768;
    static constexpr DWORD maxBlockSize = 512u << 20;
    static constexpr int defaultStretchMode = COLORONCOLOR;

    CDIB();
    // Virtual, so that images of derived classes can be destroyed through a CDIB pointer.
    virtual ~CDIB();
    CDIB(const CDIB&) = delete;
    CDIB& operator=(const CDIB&) = delete;

    // Files. Load and ReadFrom refuse a file whose header does not describe a block it fits, or that
    // they cannot read right; they keep nothing then. Rows stored top-down are turned into bottom-up
    // order, and rows that the file's offset to the pixels places after a gap follow the colour table
    // directly. Files in other layouts are converted on reading (see DIBDecode.h): what an image holds is
    // always uncompressed 1, 4, 8, 16 (5-5-5), 24 or 32 bits, and writes back as a valid BMP file. Load
    // reads a file that is no BMP file with the platform's image readers (see ImageFile.h). A file's own
    // alpha channel becomes the alpha companion, which Load's companion file replaces.
    // ReadFrom catches file errors; with a budget, it refuses a picture that would take more memory
    // than *budget says (before taking it) and takes off what the picture takes. WriteTo and WritePngTo
    // pass file errors on as CFileException.
    BOOL Load(const std::string& path, BOOL withAlpha = FALSE);
    BOOL ReadFrom(CFile* file, std::uint64_t* budget = nullptr);
    BOOL Save(const std::string& path, SaveReport report = saveReportsFailure, FileFormat format = bmpFile);
    BOOL WriteTo(CFile* file);
    BOOL WritePngTo(CFile* file);
    BOOL LoadAlpha();
    // Splits path at its last "/" or "\" (the separator is kept) and derives the image and alpha names.
    static BOOL MakeCompanionNames(const std::string& path, CompanionMode mode, std::string* imageName,
                                   std::string* alphaName);

    // A blank white image: bit count 8 (256-entry table, palette entries copied when one is given) or
    // 0 / 24 and above (24-bit). Fails and keeps the image for a width or height below 1 or beyond
    // maxDimension, or a block beyond maxBlockSize.
    BOOL Create(int width, int height, int bitCount, const CPalette* palette = nullptr);
    // Adopts a packed bitmap; refused (and freed) when its header does not fit its size.
    BOOL Attach(std::unique_ptr<BYTE[]> block, DWORD size, const char* name = nullptr);
    void Free();
    // A byte copy of the packed bitmap, without name or alpha companion; none for an empty image.
    virtual std::unique_ptr<CDIB> Clone() const;
    // Sets every pixel of rect (picture coordinates, half-open; the whole image without one).
    BOOL Fill(COLORREF colour, const RECT* rect = nullptr);
    // Copies each device pixel of 0..width-1 x 0..height-1 that differs from key into this 24-bit image.
    BOOL CopyFromDevice(CDC* dc, int width, int height, COLORREF key);

    // Pixel access in picture coordinates (x from the left, y from the top), honouring the mirror flags.
    BOOL BeginPixelAccess();
    void EndPixelAccess() { m_pixelAccess = 0; }
    BYTE* PixelAddress(int x, int y) const {
        if (!m_pixelAccess || UINT(x) >= m_accessWidth || UINT(y) >= m_accessHeight)
            return nullptr;
        return AddressOf(m_firstRow, m_accessWidth, m_accessHeight, m_accessStride, m_accessBitCount, x, y);
    }
    BYTE* PixelAddressDirect(int x, int y) const;
    // The colours of stored row storedRow (0 the bottom row) as width blue, green, red triples into out:
    // 5-5-5 pixels widened to the full range, indexes beyond the colour table black. Nothing for a row
    // outside the image.
    void CopyRowAs24Bit(int storedRow, BYTE* out) const;

    UINT NumColors() const;
    WORD PaletteSize() const;
    WORD BitCount() const;

    // Palettes, drawing and scaled copies.
    BOOL CreatePalette(CPalette* palette) const;
    BOOL MapToPalette(const CPalette* palette);
    BOOL ConvertTo8Bit(const CPalette* palette);
    BOOL Draw(CDC* dc, const RECT* dest, const RECT* source, CPalette* palette, BOOL forceBackground) const;
    // A new width x height image (8-bit on the palette when bitCount is 8, else 24-bit) sampled from this
    // one with a 3 x 3 weighted filter; none when it cannot be created.
    std::unique_ptr<CDIB> CreateScaled(int width, int height, int bitCount, const CPalette* palette) const;

    // The count of the CDIBRef shares of a stored picture. Release returns 1 when the last one went.
    void AddRef() { ++m_refCount; }
    DWORD GetRefCount() const { return m_refCount; }
    BOOL Release();

    bool IsEmpty() const { return !m_block; }
    BITMAPINFOHEADER* GetHeader() { return reinterpret_cast<BITMAPINFOHEADER*>(m_block.get()); }
    const BITMAPINFOHEADER* GetHeader() const {
        return reinterpret_cast<const BITMAPINFOHEADER*>(m_block.get());
    }
    const BYTE* GetBlock() const { return m_block.get(); }
    DWORD GetSize() const { return m_size; }
    // The first stored pixel row (the bottom row of the picture), or none.
    BYTE* GetBits() const;
    // Width, height (always positive) and row stride in bytes; 0 for an empty image.
    int GetWidth() const;
    int GetHeight() const;
    DWORD GetStride() const;

    const std::string& GetName() const { return m_name; }
    void SetName(const std::string& name) { m_name = name; }
    CDIB* GetAlpha() const { return m_alpha.get(); }
    void SetAlpha(std::unique_ptr<CDIB> alpha) { m_alpha = std::move(alpha); }
    int GetStretchMode() const { return m_stretchMode; }
    void SetStretchMode(int mode) { m_stretchMode = mode; }
    int GetMirrorHorizontal() const { return m_mirrorHorizontal; }
    int GetMirrorVertical() const { return m_mirrorVertical; }
    void SetMirrorHorizontal(int on) { m_mirrorHorizontal = on ? 1 : 0; }
    void SetMirrorVertical(int on) { m_mirrorVertical = on ? 1 : 0; }

    // Stride of a row of width pixels at bitCount bits, padded to four bytes.
    static DWORD StrideOf(int width, int bitCount) { return BitmapStride(width, bitCount); }

private:
    BYTE* AddressOf(BYTE* firstRow, UINT width, UINT height, UINT stride, WORD bitCount, int x, int y) const {
        if (m_mirrorHorizontal)
            x = int(width) - 1 - x;
        BYTE* row = firstRow + std::size_t(m_mirrorVertical ? UINT(y) : height - 1 - UINT(y)) * stride;
        switch (bitCount) {
        case 8:
            return row + x;
        case 24:
            return row + 3 * std::size_t(x);
        case 16:
            return row + 2 * std::size_t(x);
        case 32:
            return row + 4 * std::size_t(x);
        case 1:
            return row + x / 8;
        case 4:
            return row + x / 2;
        default:
            return nullptr;
        }
    }
    // Installs a checked block in place of the current image (Free first), or swaps in a new layout of
    // the same picture (name, alpha companion, reference count, stretch mode and mirror flags kept).
    void Install(std::unique_ptr<BYTE[]> block, DWORD size);
    void Adopt(std::unique_ptr<BYTE[]> block, DWORD size);
    // Lays the picture out anew as an 8-bit image on the palette, each row made by convertRow from the
    // old stored row of that number; false (nothing changed) when memory runs out.
    BOOL RebuildIndexed(const CPalette& palette,
                        const std::function<void(int storedRow, BYTE* to, int width)>& convertRow);

    std::unique_ptr<BYTE[]> m_block;
    DWORD m_size = 0;
    std::string m_name;
    DWORD m_refCount = 0;
    int m_stretchMode = defaultStretchMode;
    std::unique_ptr<CDIB> m_alpha;
    int m_mirrorHorizontal = 0;
    int m_mirrorVertical = 0;
    int m_pixelAccess = 0;
    UINT m_accessWidth = 0;
    UINT m_accessHeight = 0;
    UINT m_accessStride = 0;
    WORD m_accessBitCount = 0;
    BYTE* m_firstRow = nullptr;
};
