#pragma once
// The common base of the drawing objects a device context selects: pens, brushes, fonts and bitmaps.

class CGdiObject {
public:
    virtual ~CGdiObject() = default;
};
