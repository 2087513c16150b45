#include "controls/ControlEvent.h"

#include <cstring>

CControlEvent CControlEvent::MakeValue(int id, double value) {
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return CControlEvent(id, EVENT_VALUE, VALUE_DOUBLE, 0, std::int32_t(std::uint32_t(bits)),
                         std::int32_t(std::uint32_t(bits >> 32)));
}

double CControlEvent::GetDouble() const {
    const std::uint64_t bits =
        std::uint64_t(std::uint32_t(m_p3)) | (std::uint64_t(std::uint32_t(m_p4)) << 32);
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}
