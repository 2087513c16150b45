#include "platform/FontDialog.h"

#include "platform/Modal.h"
#include "platform/Wnd.h"

#include <QApplication>
#include <QFontDialog>
#include <QScreen>
#include <algorithm>
#include <cmath>
#include <cstring>

namespace {
double PixelsPerInch() {
    QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->logicalDotsPerInchY() : 96.0;
}

QFont ToQFont(const LOGFONT& lf) {
    QFont font;
    char face[LF_FACESIZE + 1] = {};
    std::memcpy(face, lf.lfFaceName, LF_FACESIZE);
    if (face[0])
        font.setFamily(QString::fromUtf8(face));
    // Negative: the character height; positive: the cell height, near enough for a starting point.
    if (LONG pixels = lf.lfHeight < 0 ? -lf.lfHeight : lf.lfHeight; pixels > 0)
        font.setPointSizeF(std::clamp(pixels * 72.0 / PixelsPerInch(), 1.0, 1000.0));
    if (lf.lfWeight > 0)
        font.setWeight(QFont::Weight(std::clamp<LONG>(lf.lfWeight, 1, 1000)));
    font.setItalic(lf.lfItalic);
    font.setUnderline(lf.lfUnderline);
    font.setStrikeOut(lf.lfStrikeOut);
    return font;
}

LOGFONT ToLogFont(const QFont& font) {
    LOGFONT lf;
    QByteArray face = font.family().toUtf8();
    // Cut at a character boundary, leaving room for the terminating zero.
    qsizetype n = std::min<qsizetype>(face.size(), LF_FACESIZE - 1);
    while (n > 0 && n < face.size() && (BYTE(face[n]) & 0xC0) == 0x80)
        --n;
    std::memcpy(lf.lfFaceName, face.constData(), size_t(n));
    double points = font.pointSizeF() > 0 ? font.pointSizeF() : font.pixelSize() * 72.0 / PixelsPerInch();
    lf.lfHeight = -LONG(std::lround(points * PixelsPerInch() / 72.0));
    lf.lfWeight = LONG(font.weight());
    lf.lfItalic = font.italic();
    lf.lfUnderline = font.underline();
    lf.lfStrikeOut = font.strikeOut();
    return lf;
}
} // namespace

CFontDialog::CFontDialog(const LOGFONT* initial, DWORD flags, CWnd* parent)
    : m_hasInitial(initial != nullptr), m_flags(flags), m_parent(parent) {
    if (initial)
        m_lf = *initial;
}

int CFontDialog::DoModal() {
    ModalQuestion q;
    q.kind = ModalKind::Font;
    q.style = m_flags;
    if (auto answer = ScriptedAnswer(q)) {
        if (answer->result != IDOK)
            return IDCANCEL;
        m_lf = answer->font;
        m_lf.lfFaceName[LF_FACESIZE - 1] = 0;
        return IDOK;
    }
    if (!qApp)
        return IDCANCEL;

    QWidget* owner =
        m_parent && m_parent->GetQWidget() ? m_parent->GetQWidget() : QApplication::activeWindow();
    QFontDialog dialog(m_hasInitial ? ToQFont(m_lf) : QApplication::font(), owner);
    dialog.setOption(QFontDialog::DontUseNativeDialog);
    if (dialog.exec() != QDialog::Accepted)
        return IDCANCEL;
    m_lf = ToLogFont(dialog.selectedFont());
    // This Qt always shows the effects; without CF_EFFECTS they are not part of the answer.
    if (!(m_flags & CF_EFFECTS))
        m_lf.lfUnderline = m_lf.lfStrikeOut = 0;
    return IDOK;
}

void CFontDialog::GetCurrentFont(LOGFONT* font) const {
    if (font)
        *font = m_lf;
}
