#include "platform/Font.h"

#include <QFont>
#include <QFontMetrics>
#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

// Present on every Debian desktop; used when a record names no face.
const char* const defaultFace = "DejaVu Sans";
constexpr int defaultPixelHeight = 13;

bool AsksForAntialias(const LOGFONT& lf) {
    return lf.lfQuality == ANTIALIASED_QUALITY || lf.lfQuality == CLEARTYPE_QUALITY;
}

QFont MakeFont(const LOGFONT& lf) {
    std::size_t nameLength = strnlen(lf.lfFaceName, LF_FACESIZE);
    QFont font(nameLength ? QString::fromUtf8(lf.lfFaceName, qsizetype(nameLength)) : QString(defaultFace));
    // Text layers are cut out by colour key, so unasked-for grey fringes would show as dark halos.
    font.setStyleStrategy(AsksForAntialias(lf) ? QFont::PreferAntialias : QFont::NoAntialias);
    font.setHintingPreference(QFont::PreferFullHinting);
    font.setWeight(QFont::Weight(std::clamp<LONG>(lf.lfWeight ? lf.lfWeight : FW_NORMAL, 1, 1000)));
    font.setItalic(lf.lfItalic);
    font.setUnderline(lf.lfUnderline);
    font.setStrikeOut(lf.lfStrikeOut);
    // Negative: the character height (the em); positive: the cell height, ascent plus descent.
    LONG height = lf.lfHeight == 0 ? -defaultPixelHeight : std::clamp<LONG>(lf.lfHeight, -4096, 4096);
    if (height < 0) {
        font.setPixelSize(-height);
    } else {
        font.setPixelSize(height);
        int cell = QFontMetrics(font).height();
        if (cell > 0)
            font.setPixelSize(std::max(1, int(std::lround(double(height) * height / cell))));
    }
    return font;
}

} // namespace

struct CFont::Impl {
    QFont font;
    bool antialias = false;
};

CFont::CFont() = default;
CFont::~CFont() = default;

BOOL CFont::CreateFontIndirect(const LOGFONT* font) {
    if (!font)
        return FALSE;
    d = std::make_unique<Impl>(Impl{MakeFont(*font), AsksForAntialias(*font)});
    return TRUE;
}

bool CFont::IsCreated() const {
    return d != nullptr;
}

QFont CFont::GetQFont() const {
    return d ? d->font : MakeFont(LOGFONT{});
}

bool CFont::IsAntialiased() const {
    return d && d->antialias;
}
