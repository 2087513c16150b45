#include "composition/BlendTable.h"

#include <new>

bool CBlendTable::Build() {
    m_table.reset(new (std::nothrow) BYTE[size]);
    if (!m_table)
        return false;
    // A running sum per row keeps the build free of multiplications.
    for (unsigned a = 0; a < 256; ++a) {
        unsigned sum = 0;
        for (unsigned b = 0; b < 256; ++b) {
            m_table[a * 256 + b] = BYTE(sum >> 8);
            sum += a;
        }
    }
    return true;
}
