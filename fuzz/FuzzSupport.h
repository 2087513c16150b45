#pragma once
// What both fuzz targets share: the fuzzer's bytes as a file that the readers open by path, as they open
// every file (one memory file, rewritten for each input), and the uses the program makes of a picture it
// has read, so that the sanitizers see every reader of a loaded picture stay inside it.

#include "imaging/DIB.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <sys/mman.h>
#include <unistd.h>

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

// Every pixel address, straight and mirrored, and a scaled copy as thumbnails are made (small, so that
// the fuzzer stays fast; the sampling reaches every edge all the same).
inline void UsePicture(CDIB& dib) {
    volatile BYTE sink = 0;
    for (int mirror = 0; mirror < 2; ++mirror) {
        dib.SetMirrorHorizontal(mirror);
        dib.SetMirrorVertical(mirror);
        for (int y = 0; y < dib.GetHeight(); ++y)
            for (int x = 0; x < dib.GetWidth(); ++x)
                if (const BYTE* p = dib.PixelAddressDirect(x, y))
                    sink = *p;
    }
    (void)sink;
    dib.CreateScaled(13, 9, 0, nullptr);
}
