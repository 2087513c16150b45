#pragma once
// The product table of alpha blending: entry a * 256 + b holds (a * b) >> 8, so that mixing a colour
// byte with a weight is one look-up instead of a multiplication and a shift. The table is symmetric, so
// Row(w) is also the row of weight w over every colour byte.

#include "platform/WinTypes.h"
#include <cstddef>
#include <memory>

class CBlendTable {
public:
    static constexpr std::size_t size = 65536;

    // Allocates and fills the table; false (and no table) when the memory cannot be had.
    bool Build();
    void Free() { m_table.reset(); }
    const BYTE* Data() const { return m_table.get(); }

private:
    std::unique_ptr<BYTE[]> m_table;
};
