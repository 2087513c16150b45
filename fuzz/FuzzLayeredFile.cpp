// The layered-file reader on any bytes, for a strip of ten layers: every picture of a file it accepts is
// used as the layers and the picture area use it, a slot's copy among them.
#include "FuzzSupport.h"
#include "composition/DIBSlot.h"
#include "composition/LayeredFile.h"
#include "platform/File.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static FuzzFile input;
    CFile file;
    if (!file.Open(input.Hold(data, size), CFile::modeRead | CFile::shareDenyWrite))
        return 0;
    CLayeredFile layered;
    if (layered.Read(&file, 10) != CLayeredFile::ReadResult::read)
        return 0;
    for (LayeredEntry& entry : layered.GetEntries()) {
        if (!entry.image)
            continue;
        UsePicture(*entry.image);
        if (CDIB* alpha = entry.image->GetAlpha())
            UsePicture(*alpha);
        CDIBSlot slot;
        if (slot.CreateFromLayerDib(entry.image.get(), 1))
            UsePicture(slot);
    }
    return 0;
}
