#include "platform/Screen.h"

#include <QGuiApplication>
#include <QScreen>
#include <cstdio>
#include <cstdlib>

namespace {
std::uint32_t displayFlags = 0;
} // namespace

int GetScreenColors() {
    if (const char* v = std::getenv("QUIMBLE_SCREEN_COLORS"); v && *v) {
        int n = std::atoi(v);
        return n > 0 && n <= 256 ? n : -1;
    }
    int depth = qGuiApp && QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->depth() : 24;
    return depth <= 8 ? 1 << depth : -1;
}

SIZE GetScreenSize() {
    if (const char* v = std::getenv("QUIMBLE_SCREEN_SIZE"); v && *v) {
        int w = 0, h = 0;
        if (std::sscanf(v, "%dx%d", &w, &h) == 2 && w > 0 && h > 0)
            return {w, h};
    }
    if (qGuiApp && QGuiApplication::primaryScreen()) {
        QSize s = QGuiApplication::primaryScreen()->size();
        return {s.width(), s.height()};
    }
    return {800, 600};
}

int TestDisplayFlag(std::uint32_t mask) {
    return (displayFlags & mask) ? 1 : 0;
}

void SetDisplayFlag(std::uint32_t mask) {
    displayFlags |= mask;
}

void ClearDisplayFlag(std::uint32_t mask) {
    displayFlags &= ~mask;
}
