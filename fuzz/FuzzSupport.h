#pragma once
// What both fuzz targets share: the fuzzer's bytes as a file that the readers open by path, as they open
// every file (one memory file, rewritten for each input), and the uses the program makes of a picture it
// has read, so that the sanitizers see every reader of a loaded picture stay inside it.

#include "imaging/DIB.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <sys/mman.h>
#include <unistd.h>
#include <vector>

class FuzzFile {
public:
    FuzzFile()
        : m_fd(memfd_create("fuzz-input", MFD_CLOEXEC)), m_path("/proc/self/fd/" + std::to_string(m_fd)) {
        if (m_fd < 0)
            std::abort();
    }
    // The path of a file that holds exactly data.
    const char* Hold(const std::uint8_t* data, std::size_t size) {
        if (ftruncate(m_fd, 0) != 0)
            std::abort();
        for (std::size_t done = 0; done < size;) {
            const ssize_t n = pwrite(m_fd, data + done, size - done, off_t(done));
            if (n <= 0)
                std::abort();
            done += std::size_t(n);
        }
        return m_path.c_str();
    }

private:
    int m_fd;
    std::string m_path;
};

// Every pixel address, straight and mirrored (only the edges of a big picture, which a small run-length
// file can describe, so that the fuzzer stays fast), every row in 24 bits, and a scaled copy as thumbnails
// are made (small, the sampling reaching every edge all the same).
inline void UsePicture(CDIB& dib) {
    volatile BYTE sink = 0;
    const int width = dib.GetWidth(), height = dib.GetHeight();
    const bool big = std::int64_t(width) * height > (1 << 20);
    for (int mirror = 0; mirror < 2; ++mirror) {
        dib.SetMirrorHorizontal(mirror);
        dib.SetMirrorVertical(mirror);
        for (int y = 0; y < height; ++y) {
            const int step = !big || y == 0 || y == height - 1 ? 1 : std::max(1, width - 1);
            for (int x = 0; x < width; x += step)
                if (const BYTE* p = dib.PixelAddressDirect(x, y))
                    sink = *p;
        }
    }
    std::vector<BYTE> row(3 * std::size_t(width));
    for (int y = 0; y < height; y += big ? std::max(1, height - 1) : 1)
        dib.CopyRowAs24Bit(y, row.data());
    (void)sink;
    dib.CreateScaled(13, 9, 0, nullptr);
}
