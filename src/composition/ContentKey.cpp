#include "composition/ContentKey.h"

namespace {
std::uint32_t counter = 0;
} // namespace

std::uint32_t NewContentKey() {
    if (++counter == 0)
        counter = 1;
    return counter;
}

void SetContentKeyCounter(std::uint32_t value) {
    counter = value;
}
