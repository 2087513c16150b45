#pragma once
// A layer of the picture inside the compositor: a private 24-bit copy of the layer's content picture,
// placed and sized in design units. A negative width or height means an edge was dragged past the
// opposite one; the picture's mirror flags then follow the signs.

#include "composition/PictureState.h"
#include "composition/SlotPlacement.h"
#include "imaging/DIB.h"
#include <cstdint>

class CDIBSlot : public CDIB {
public:
    // A new slot shows its picture at 5/9 of its pixel size, in design units.
    static constexpr double placedScale = 5.0 / 9.0;

    CDIBSlot() = default;
    ~CDIBSlot() override;

    // Copies source into this slot and places it at 0, 0 at 5/9 of its pixel size. The copy is always
    // 24-bit (a picture with a colour table is expanded through it, 5-5-5 pixels widened), so composing reads
    // whole pixels. Fails for no source, key 0, an empty source, or when memory runs out. Visible and changed
    // stay.
    BOOL CreateFromLayerDib(CDIB* source, std::uint32_t key);
    // The bytes that copy of source takes.
    static std::uint64_t CopySize(const CDIB& source);
    // Key, place, size, stretch mode and mirror flags, as a value; and the slot placed as one says (its
    // key stays).
    SlotState GetPlace() const;
    void SetPlace(const SlotState& place);
    // Place and size alone, signs kept.
    SlotPlacement GetPlacement() const { return {m_x, m_y, m_width, m_height}; }

    CDIB* m_source = nullptr; // the layer's content picture; its alpha companion blends this slot
    std::uint32_t m_key = 0;
    std::int32_t m_x = 0;
    std::int32_t m_y = 0;
    std::int32_t m_width = 0;
    std::int32_t m_height = 0;
    std::int32_t m_visible = 0;
    std::int32_t m_changed = 1;
    RECT m_changedArea;

private:
    BOOL CopyAs24Bit(const CDIB& source);
};
