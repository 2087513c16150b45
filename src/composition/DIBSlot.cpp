#include "composition/DIBSlot.h"

#include "platform/Memory.h"

#include <cstring>
#include <new>

CDIBSlot::~CDIBSlot() = default;

BOOL CDIBSlot::CreateFromLayerDib(CDIB* source, std::uint32_t key) {
    if (!source || key == 0 || source->IsEmpty() || source->GetSize() == 0)
        return FALSE;
    if (source->BitCount() == 24) {
        std::unique_ptr<BYTE[]> copy(new (std::nothrow) BYTE[source->GetSize()]);
        if (!copy)
            return FALSE;
        PrefaultMemory(copy.get(), source->GetSize());
        std::memcpy(copy.get(), source->GetBlock(), source->GetSize());
        if (!Attach(std::move(copy), source->GetSize()))
            return FALSE;
    } else if (!CopyAs24Bit(*source)) {
        return FALSE;
    }
    m_key = key;
    m_x = m_y = 0;
    m_width = std::int32_t(GetWidth() * placedScale);
    m_height = std::int32_t(GetHeight() * placedScale);
    m_source = source;
    return TRUE;
}

std::uint64_t CDIBSlot::CopySize(const CDIB& source) {
    if (source.BitCount() == 24)
        return source.GetSize();
    return sizeof(BITMAPINFOHEADER) +
           std::uint64_t(StrideOf(source.GetWidth(), 24)) * std::uint64_t(source.GetHeight());
}

BOOL CDIBSlot::CopyAs24Bit(const CDIB& source) {
    const int height = source.GetHeight();
    if (!Create(source.GetWidth(), height, 24))
        return FALSE;
    for (int row = 0; row < height; ++row)
        source.CopyRowAs24Bit(row, GetBits() + std::size_t(row) * GetStride());
    return TRUE;
}

SlotState CDIBSlot::GetPlace() const {
    return {m_key,
            m_x,
            m_y,
            m_width,
            m_height,
            GetStretchMode(),
            GetMirrorHorizontal() != 0,
            GetMirrorVertical() != 0};
}

void CDIBSlot::SetPlace(const SlotState& place) {
    m_x = place.x;
    m_y = place.y;
    m_width = place.width;
    m_height = place.height;
    SetStretchMode(place.stretchMode);
    SetMirrorHorizontal(place.mirrorHorizontal);
    SetMirrorVertical(place.mirrorVertical);
}
