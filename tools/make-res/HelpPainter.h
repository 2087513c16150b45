#pragma once
// Lays out one help page: a coloured title band, the text with numbered items, bullets and button icons,
// the page's figure, page dots and the footer. The page is 1.5 times the picture area's design size, so
// that it stays sharp where the window is larger than the design screen.

#include "HelpBook.h"
#include "HelpFigures.h"
#include <QImage>

class CHelpPainter {
public:
    static constexpr int pageWidth = 854;
    static constexpr int pageHeight = 632;

    explicit CHelpPainter(const CHelpFigures& figures) : m_figures(figures) {}
    QImage Paint(const CHelpBook& book, int index) const;

private:
    // Lays out lines in column at the given text size; draws them when p is given. Returns the height used.
    qreal Flow(QPainter* p, const QList<CHelpBook::Line>& lines, const QRectF& column, qreal size) const;
    // The largest text size (down to a floor) at which lines fit the column.
    qreal FitSize(const QList<CHelpBook::Line>& lines, const QRectF& column) const;

    const CHelpFigures& m_figures;
};
