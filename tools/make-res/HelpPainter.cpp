#include "HelpPainter.h"
#include "ButtonPainter.h"
#include "Look.h"
#include <QLinearGradient>
#include <QPainter>
#include <cstdio>

namespace {

const QRgb bands[] = {0xff2f8fd8, 0xff3aa55d, 0xff7b61d9, 0xff21a38f, 0xfff08a24, 0xff2f7fd0, 0xffd95fa8};
const QColor ink(0x24, 0x30, 0x48);

QRectF TextBox(const QFont& font, const QRectF& r, const QString& text) {
    return QFontMetricsF(font).boundingRect(r, Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, text);
}

} // namespace

qreal CHelpPainter::Flow(QPainter* p, const QList<CHelpBook::Line>& lines, const QRectF& column,
                         qreal size) const {
    const QFont font = look::Font(size, false);
    qreal y = column.top();
    bool afterGap = true;
    for (const CHelpBook::Line& line : lines) {
        if (line.kind == CHelpBook::Line::gap) {
            if (!afterGap)
                y += size * 0.6;
            afterGap = true;
            continue;
        }
        afterGap = false;
        qreal indent = 0;
        qreal markHeight = 0;
        if (line.kind == CHelpBook::Line::numbered)
            indent = size * 1.9, markHeight = size * 1.45;
        else if (line.kind == CHelpBook::Line::bullet)
            indent = size * 1.2;
        else if (line.kind == CHelpBook::Line::iconLine)
            indent = size * 2.6, markHeight = size * 2.1;
        const QRectF area(column.left() + indent, y, column.width() - indent, 10000);
        const QRectF box = TextBox(font, area, line.text);
        const qreal rowHeight = qMax(box.height(), markHeight);
        // One-line text stands level with its mark.
        const qreal textTop = y + (rowHeight - box.height()) / 2;
        if (p) {
            p->save();
            p->setRenderHint(QPainter::Antialiasing);
            if (line.kind == CHelpBook::Line::numbered) {
                const qreal r = markHeight / 2;
                const QPointF c(column.left() + r, y + r);
                p->setPen(Qt::NoPen);
                p->setBrush(QColor(0xe5, 0x48, 0x4d));
                p->drawEllipse(c, r, r);
                p->setFont(look::Font(size * 0.9));
                p->setPen(Qt::white);
                p->drawText(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r), Qt::AlignCenter,
                            QString::number(line.number));
            } else if (line.kind == CHelpBook::Line::bullet) {
                p->setPen(Qt::NoPen);
                p->setBrush(QColor(0xf0, 0x8a, 0x24));
                p->drawEllipse(QPointF(column.left() + size * 0.4, textTop + size * 0.62), size * 0.22,
                               size * 0.22);
            } else if (line.kind == CHelpBook::Line::iconLine) {
                const QImage tile = CButtonPainter::Tile(line.icon, int(markHeight * 2));
                if (!tile.isNull())
                    p->drawImage(
                        QRectF(column.left(), y + (rowHeight - markHeight) / 2, markHeight, markHeight),
                        tile);
            }
            p->setFont(font);
            p->setPen(ink);
            p->drawText(QRectF(area.left(), textTop, area.width(), box.height() + 2),
                        Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, line.text);
            p->restore();
        }
        y += rowHeight + size * (line.kind == CHelpBook::Line::paragraph ? 0.35 : 0.45);
    }
    return y - column.top();
}

qreal CHelpPainter::FitSize(const QList<CHelpBook::Line>& lines, const QRectF& column) const {
    qreal size = 21;
    while (size > 12 && Flow(nullptr, lines, column, size) > column.height())
        size -= 0.5;
    if (Flow(nullptr, lines, column, size) > column.height())
        std::fprintf(stderr, "make-res: a help text is too long for its page: \"%s...\"\n",
                     qPrintable(lines.isEmpty() ? QString() : lines.first().text.left(40)));
    return size;
}

QImage CHelpPainter::Paint(const CHelpBook& book, int index) const {
    const CHelpBook::Page& page = book.pages[index];
    QImage image(pageWidth, pageHeight, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    // Paper and a title band in the page's colour.
    p.fillRect(image.rect(), QColor(0xff, 0xfb, 0xf2));
    const QColor band(bands[index % 7]);
    QLinearGradient g(0, 0, 0, 64);
    g.setColorAt(0, band.lighter(115));
    g.setColorAt(1, band);
    p.fillRect(QRectF(0, 0, pageWidth, 64), g);
    p.setFont(look::Font(30));
    p.setPen(QColor(0, 0, 0, 60));
    p.drawText(QRectF(30, 2, pageWidth - 220, 64), Qt::AlignVCenter | Qt::AlignLeft, page.title);
    p.setPen(Qt::white);
    p.drawText(QRectF(28, 0, pageWidth - 220, 64), Qt::AlignVCenter | Qt::AlignLeft, page.title);
    look::Logo(p, QRectF(pageWidth - 190, 4, 176, 56), 34);

    // The body: text beside the figure (above it for the screen, in two columns for the list).
    const QRectF body(28, 84, pageWidth - 56, pageHeight - 84 - 56);
    const qreal aspect = CHelpFigures::Aspect(page.figure);
    if (page.figure == QLatin1String("screen")) {
        int split = 0;
        while (split < page.lines.size() && page.lines[split].kind != CHelpBook::Line::numbered)
            ++split;
        const QList<CHelpBook::Line> intro = page.lines.mid(0, split), rest = page.lines.mid(split);
        const qreal introSize = 20;
        const qreal introHeight = Flow(nullptr, intro, body, introSize);
        Flow(&p, intro, body, introSize);
        const QRectF below(body.left(), body.top() + introHeight + 6, body.width(),
                           body.height() - introHeight - 6);
        const qreal figureWidth = qMin(below.width() * 0.58, below.height() * aspect);
        m_figures.Draw(p, page.figure, QRectF(below.left(), below.top(), figureWidth, figureWidth / aspect),
                       book.language);
        const QRectF column(below.left() + figureWidth + 20, below.top(), below.width() - figureWidth - 20,
                            below.height());
        Flow(&p, rest, column, FitSize(rest, column));
    } else if (aspect > 0) {
        const qreal share = page.figure == QLatin1String("steps") ? 0.5 : 0.42;
        const qreal figureWidth = qMin(body.width() * share, body.height() * aspect);
        const QRectF column(body.left(), body.top(), body.width() - figureWidth - 26, body.height());
        Flow(&p, page.lines, column, FitSize(page.lines, column));
        m_figures.Draw(p, page.figure,
                       QRectF(body.right() - figureWidth, body.top(), figureWidth, body.height()),
                       book.language);
    } else {
        const int half = int(page.lines.size() + 1) / 2;
        const QRectF left(body.left(), body.top(), body.width() / 2 - 12, body.height());
        const QRectF right(body.center().x() + 12, body.top(), body.width() / 2 - 12, body.height());
        const QList<CHelpBook::Line> first = page.lines.mid(0, half), second = page.lines.mid(half);
        const qreal size = qMin(FitSize(first, left), FitSize(second, right));
        Flow(&p, first, left, size);
        Flow(&p, second, right, size);
    }

    // Page dots and the footer.
    const int count = int(book.pages.size());
    for (int i = 0; i < count; ++i) {
        p.setPen(Qt::NoPen);
        p.setBrush(i == index ? band : QColor(0xd4, 0xda, 0xe4));
        p.drawEllipse(QPointF(pageWidth - 28 - (count - 1 - i) * 18, pageHeight - 28), 5.5, 5.5);
    }
    p.setFont(look::Font(16, false));
    p.setPen(QColor(0x6a, 0x74, 0x88));
    p.drawText(QRectF(28, pageHeight - 46, pageWidth - 60 - count * 18, 36), Qt::AlignVCenter | Qt::AlignLeft,
               index + 1 < count ? book.next : book.last);
    p.end();
    return image;
}
