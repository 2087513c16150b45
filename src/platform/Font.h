#pragma once
// A font made from a logical-font record: face name, pixel height (negative: character height),
// weight, italic, underline, strike-out. Drawn without antialiasing unless the record asks for it.

#include "platform/GdiObject.h"
#include "platform/WinTypes.h"
#include <memory>

class QFont;

constexpr int LF_FACESIZE = 32;
struct LOGFONT {
    LONG lfHeight = 0;
    LONG lfWidth = 0;
    LONG lfEscapement = 0;
    LONG lfOrientation = 0;
    LONG lfWeight = 0;
    BYTE lfItalic = 0;
    BYTE lfUnderline = 0;
    BYTE lfStrikeOut = 0;
    BYTE lfCharSet = 0;
    BYTE lfOutPrecision = 0;
    BYTE lfClipPrecision = 0;
    BYTE lfQuality = 0;
    BYTE lfPitchAndFamily = 0;
    char lfFaceName[LF_FACESIZE] = {};

    bool operator==(const LOGFONT&) const = default;
};
constexpr BYTE ANTIALIASED_QUALITY = 4;
constexpr BYTE CLEARTYPE_QUALITY = 5;
constexpr LONG FW_NORMAL = 400;
constexpr LONG FW_BOLD = 700;

class CFont : public CGdiObject {
public:
    CFont();
    ~CFont() override;
    BOOL CreateFontIndirect(const LOGFONT* font);
    bool IsCreated() const;
    // Platform side: the Qt font (the default font when none was created) and whether to smooth glyphs.
    QFont GetQFont() const;
    bool IsAntialiased() const;

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};
