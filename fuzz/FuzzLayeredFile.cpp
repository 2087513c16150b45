// The layered-file reader on any bytes, for a strip of ten layers: the whole picture of a file it accepts
// is built as the picture area builds it (every entry's picture used as the layers use it, with its slot's
// copy, all of them held at once), and what they take together stays within the reader's budget (a small
// one, so that the fuzzer stays fast and reaches it).
#include "FuzzSupport.h"
#include "composition/DIBSlot.h"
#include "composition/LayeredFile.h"
#include "platform/File.h"

#include <memory>
#include <vector>

namespace {
constexpr std::uint64_t budget = 64u << 20;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static FuzzFile input;
    CFile file;
    if (!file.Open(input.Hold(data, size), CFile::modeRead | CFile::shareDenyWrite))
        return 0;
    CLayeredFile layered;
    if (layered.Read(&file, 10, budget) != CLayeredFile::ReadResult::read)
        return 0;
    std::vector<std::unique_ptr<CDIBSlot>> slots;
    std::uint64_t taken = 0;
    for (LayeredEntry& entry : layered.GetEntries()) {
        if (!entry.image)
            continue;
        UsePicture(*entry.image);
        taken += entry.image->GetSize();
        if (CDIB* alpha = entry.image->GetAlpha()) {
            UsePicture(*alpha);
            taken += alpha->GetSize();
        }
        auto slot = std::make_unique<CDIBSlot>();
        if (slot->CreateFromLayerDib(entry.image.get(), 1)) {
            UsePicture(*slot);
            taken += slot->GetSize();
            slots.push_back(std::move(slot));
        }
    }
    if (taken > budget)
        std::abort();
    return 0;
}
