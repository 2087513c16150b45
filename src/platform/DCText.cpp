#include "platform/DC.h"

#include "platform/DCImpl.h"

#include <QFontMetrics>
#include <limits>

namespace {

int QtTextFlags(UINT format) {
    int flags = format & DT_CENTER ? Qt::AlignHCenter : format & DT_RIGHT ? Qt::AlignRight : Qt::AlignLeft;
    if (format & DT_SINGLELINE)
        flags |= Qt::TextSingleLine | (format & DT_VCENTER ? Qt::AlignVCenter : Qt::AlignTop);
    else
        flags |= Qt::AlignTop;
    if (format & DT_WORDBREAK)
        flags |= Qt::TextWordWrap;
    if (format & DT_NOCLIP)
        flags |= Qt::TextDontClip;
    // An ampersand marks the next letter as a mnemonic, and two of them stand for one.
    if (!(format & DT_NOPREFIX))
        flags |= Qt::TextShowMnemonic;
    return flags;
}

// The extent of text laid out as drawing lays it out, so that measured and drawn text agree.
QSize Measure(const QFont& font, const QString& text, int flags, int width) {
    constexpr int unbounded = std::numeric_limits<int>::max() / 4;
    if (text.isEmpty())
        return {0, 0};
    return QFontMetrics(font)
        .boundingRect(QRect(0, 0, width > 0 ? width : unbounded, unbounded),
                      flags & ~Qt::AlignHorizontal_Mask, text)
        .size();
}

} // namespace

int CDC::DrawText(const std::string& text, RECT* rect, UINT format) {
    if (!rect)
        return 0;
    const QString string = QString::fromUtf8(text.data(), qsizetype(text.size()));
    const QFont font = d->Font();
    const int flags = QtTextFlags(format);
    if (format & DT_CALCRECT) {
        // Without word breaks the lines may be as wide as they are; with them they wrap within the width.
        const bool wrap = format & DT_WORDBREAK && !(format & DT_SINGLELINE);
        const QSize extent = Measure(font, string, flags, wrap ? std::max(ToQRect(*rect).width(), 1) : 0);
        rect->right = LONG(std::min<qint64>(qint64(rect->left) + extent.width(), INT32_MAX));
        rect->bottom = LONG(std::min<qint64>(qint64(rect->top) + extent.height(), INT32_MAX));
        return extent.height();
    }
    QRect drawn;
    d->Paint([&](QPainter& p) {
        d->PrepareText(p, font);
        p.drawText(ToQRect(*rect), flags, string, &drawn);
    });
    return drawn.height();
}

SIZE CDC::GetTextExtent(const std::string& text) {
    const QSize extent =
        Measure(d->Font(), QString::fromUtf8(text.data(), qsizetype(text.size())), Qt::TextSingleLine, 0);
    return {extent.width(), extent.height()};
}

BOOL CDC::ExtTextOut(int x, int y, UINT options, const RECT* clip, const std::string& text) {
    const QString string = QString::fromUtf8(text.data(), qsizetype(text.size()));
    const QFont font = d->Font();
    return d->Paint([&](QPainter& p) {
        if (options & ETO_CLIPPED && clip)
            p.setClipRect(ToQRect(*clip));
        d->PrepareText(p, font);
        p.drawText(QPoint(ToQCoordinate(x), ToQCoordinate(y) + QFontMetrics(font).ascent()), string);
    });
}
