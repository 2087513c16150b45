#include "imaging/DIB.h"

#include "imaging/DIBDecode.h"
#include "platform/Cursor.h"
#include "platform/File.h"
#include "platform/FullPath.h"
#include "platform/ImageFile.h"
#include "platform/Memory.h"
#include "platform/Modal.h"
#include "platform/PngFile.h"

#include <cstdio>
#include <cstring>
#include <new>

namespace {
constexpr WORD bmpType = 0x4D42; // "BM"
constexpr DWORD fileHeaderSize = sizeof(BITMAPFILEHEADER);

// Whether the file is one for the platform's readers: it can be read and does not start as a BMP file
// does (such a file is this reader's to read or refuse).
bool IsOtherFormat(const std::string& path) {
    CFile file;
    BYTE type[2];
    try {
        return file.Open(path.c_str(), CFile::modeRead | CFile::shareDenyWrite) && file.Read(type, 2) == 2 &&
               !(type[0] == BYTE(bmpType) && type[1] == BYTE(bmpType >> 8));
    } catch (const CFileException&) {
        return false;
    }
}

// A file of another format, through the platform's readers: its alpha channel becomes the companion.
BOOL ReadOtherFormat(const std::string& path, CDIB* image) {
    PackedImage packed;
    if (!ReadImageFile(path, CDIB::maxDimension, CDIB::maxBlockSize, &packed))
        return FALSE;
    auto alpha = std::unique_ptr<CDIB>(new (std::nothrow) CDIB);
    if (!alpha || !alpha->Attach(std::move(packed.coverage), packed.coverageSize) ||
        !image->Attach(std::move(packed.block), packed.size))
        return FALSE;
    image->SetAlpha(std::move(alpha));
    return TRUE;
}
} // namespace

BOOL CDIB::ReadFrom(CFile* file, std::uint64_t* budget) {
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
        const DWORD fileSize = fh.bfSize - fileHeaderSize;
        // Not cleared first: the read fills every byte, or the block is dropped.
        std::unique_ptr<BYTE[]> block(new (std::nothrow) BYTE[fileSize]);
        if (!block)
            return FALSE;
        PrefaultMemory(block.get(), fileSize);
        if (file->Read(block.get(), fileSize) < fileSize)
            return FALSE;
        dibdecode::Picture picture;
        if (!dibdecode::Decode(std::move(block), fileSize, fh.bfOffBits, budget, &picture))
            return FALSE;
        Install(std::move(picture.block), picture.size);
        if (picture.alpha) {
            auto alpha = std::unique_ptr<CDIB>(new (std::nothrow) CDIB);
            if (!alpha || !alpha->Attach(std::move(picture.alpha), picture.alphaSize)) {
                Free();
                return FALSE;
            }
            m_alpha = std::move(alpha);
        }
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
    const BOOL ok = ReadFrom(&file) || (IsOtherFormat(path) && ReadOtherFormat(path, this));
    ShowArrowCursor();
    file.Abort(); // only read from: nothing to finish
    if (!ok)
        return FALSE;
    m_name = path;
    // The file's own alpha channel serves where no companion file is found.
    std::unique_ptr<CDIB> own = std::move(m_alpha);
    if (own)
        own->SetName(path);
    if (withAlpha)
        LoadAlpha();
    if (!m_alpha)
        m_alpha = std::move(own);
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

BOOL CDIB::WritePngTo(CFile* file) {
    if (!file || !m_block || BitCount() != 24)
        return FALSE;
    return WritePng24(file, GetBits(), GetWidth(), GetHeight(), GetStride());
}

BOOL CDIB::Save(const std::string& path, SaveReport report, FileFormat format) {
    CFile file;
    CFileException error(CFileException::none, path);
    if (!file.Open(path.c_str(), CFile::modeCreate | CFile::modeReadWrite | CFile::shareExclusive, &error)) {
        const std::string message = "Error: failed to open file <" + path + "> for writing";
        std::fprintf(stderr, "quimble: %s: %s\n", message.c_str(), std::strerror(error.m_lOsError));
        if (report == saveReportsFailure)
            AfxMessageBox(message.c_str(), MB_OK);
        return FALSE;
    }
    try {
        // An image that writes nothing (an empty one, or one PNG cannot take) leaves no file: dropping
        // the new file keeps what the path held before.
        if (!(format == pngFile ? WritePngTo(&file) : WriteTo(&file))) {
            file.Abort();
            return FALSE;
        }
        file.Close();
        return TRUE;
    } catch (const CFileException& e) {
        std::fprintf(stderr, "quimble: Error: failed to write file <%s>: %s\n", path.c_str(),
                     std::strerror(e.m_lOsError));
        file.Abort();
        return FALSE;
    }
}

BOOL CDIB::MakeCompanionNames(const std::string& path, CompanionMode mode, std::string* imageName,
                              std::string* alphaName) {
    if (!imageName || !alphaName)
        return FALSE;
    const auto [folder, base, extension] = SplitPath(path);
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
