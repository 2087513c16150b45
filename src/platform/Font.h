#pragma once
// A font made from a logical-font record: face name, pixel height (negative: character height),
// weight, italic, underline, strike-out. Drawn without antialiasing unless the record asks for it.

#include "platform/GdiObject.h"
#include "platform/WinTypes.h"
#include <memory>

class QFont;

class CFont : public CGdiObject {
public:
    CFont();
    ~CFont() override;
    BOOL CreateFontIndirect(const LOGFONT* font);
    bool IsCreated() const;
    // Platform side: the Qt font (the default font when none was created) and whether to smooth glyphs.
    QFont GetQFont() const;
    bool IsAntialiased() const;
    struct Impl;
    std::unique_ptr<Impl> d;
};
