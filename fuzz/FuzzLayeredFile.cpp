// The layered-file reader on any bytes, for a picture of ten layers: the whole picture of a file it accepts
// is read as the editor and the command line read it, every picture used as the layers use it, and composed
// as a thumbnail is, all of it held at once; what the pictures and their composing copies take together
// stays within the reader's budget (a small one, so that the fuzzer stays fast and reaches it).
#include "FuzzSupport.h"
#include "composition/Picture.h"
#include "composition/PictureComposer.h"
#include "composition/PictureFile.h"
#include "imaging/DIBManager.h"

namespace {
constexpr std::uint64_t budget = 64u << 20;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static FuzzFile input;
    CDIBManager store;
    CPicture picture({569, 421});
    if (!CPictureFile::Read(input.Hold(data, size), store, &picture, budget))
        return 0;
    std::uint64_t taken = 0;
    for (const PictureLayer& layer : picture.GetLayers()) {
        if (!layer.HasPicture())
            continue;
        CDIB& image = *layer.picture.get();
        UsePicture(image);
        // With the 24-bit copy the composer makes of it, rows padded to four bytes.
        taken += image.GetSize() + (std::uint64_t(image.GetWidth()) * 3 + 3) / 4 * 4 * image.GetHeight();
        if (CDIB* alpha = image.GetAlpha()) {
            UsePicture(*alpha);
            taken += alpha->GetSize();
        }
    }
    CPictureComposer composer;
    CDIB thumbnail;
    composer.ComposeAt(picture, {96, 71}, &thumbnail);
    if (taken > budget)
        std::abort();
    return 0;
}
