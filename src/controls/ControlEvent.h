#pragma once
// The record a control hands to the manager when the user did something. It lives on the sender's
// stack for the duration of one synchronous dispatch.

#include <cstdint>

// Event kinds; anything above EVENT_NONE_3 (compared unsigned) is a custom event.
enum : int { EVENT_NONE = 0, EVENT_COMMAND = 1, EVENT_VALUE = 2, EVENT_NONE_3 = 3 };
// Sub-kinds of a value event, carried in p1.
enum : int { VALUE_INT_A = 0, VALUE_INT_B = 1, VALUE_DOUBLE = 2 };

class CControlEvent {
public:
    CControlEvent(int id, int kind, int p1, int p2, int p3, int p4)
        : m_id(id), m_kind(kind), m_p1(p1), m_p2(p2), m_p3(p3), m_p4(p4) {}
    virtual ~CControlEvent() { m_id = 0; }

    // A double value travels in p3 (low half) and p4 (high half), little-endian.
    static CControlEvent MakeValue(int id, double value);
    double GetDouble() const;

    std::int32_t m_id;
    std::int32_t m_kind;
    std::int32_t m_p1;
    std::int32_t m_p2;
    std::int32_t m_p3;
    std::int32_t m_p4;
};
