// The BMP reader on any bytes: a picture it accepts is used as the program uses one, and written out.
#include "FuzzSupport.h"
#include "platform/File.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static FuzzFile input;
    CDIB dib;
    if (!dib.Load(input.Hold(data, size)))
        return 0;
    UsePicture(dib);
    CFile out;
    if (out.Open("/dev/null", CFile::modeWrite)) {
        try {
            dib.WriteTo(&out);
        } catch (const CFileException&) {
        }
    }
    return 0;
}
