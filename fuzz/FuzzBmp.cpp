// The BMP reader on any bytes: a picture it accepts is used as the program uses one, and written out; what
// is written reads back as the same picture, its alpha companion (the file's alpha channel) too.
#include "FuzzSupport.h"
#include "platform/File.h"

#include <cstring>

namespace {
// Writes dib into file and reads it back from there; aborts when that does not give the same bytes.
void WriteAndReadBack(CDIB& dib, FuzzFile& file) {
    const char* path = file.Hold(nullptr, 0);
    CFile out;
    if (!out.Open(path, CFile::modeWrite) || !dib.WriteTo(&out))
        std::abort();
    out.Close();
    CFile in;
    CDIB back;
    if (!in.Open(path, CFile::modeRead) || !back.ReadFrom(&in) || back.GetAlpha() ||
        back.GetSize() < dib.GetStride() * DWORD(dib.GetHeight()) || back.BitCount() != dib.BitCount() ||
        std::memcmp(back.GetBits(), dib.GetBits(), std::size_t(dib.GetStride()) * dib.GetHeight()) != 0)
        std::abort();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static FuzzFile input, output;
    // A budget, as the layered reader has, keeps the huge pictures a small run-length file can describe
    // from slowing the fuzzer down; the reader takes them the same way within it.
    std::uint64_t budget = 64u << 20;
    CFile file;
    CDIB dib;
    if (!file.Open(input.Hold(data, size), CFile::modeRead) || !dib.ReadFrom(&file, &budget))
        return 0;
    UsePicture(dib);
    WriteAndReadBack(dib, output);
    if (CDIB* alpha = dib.GetAlpha()) {
        UsePicture(*alpha);
        WriteAndReadBack(*alpha, output);
    }
    return 0;
}
