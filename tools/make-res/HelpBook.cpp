#include "HelpBook.h"
#include <QFile>
#include <QRegularExpression>
#include <QTextStream>
#include <cstdio>

bool CHelpBook::Load(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        std::fprintf(stderr, "make-res: cannot read %s\n", qPrintable(path));
        return false;
    }
    QTextStream in(&file);
    in.setEncoding(QStringConverter::Utf8);
    static const QRegularExpression numbered(QStringLiteral("^(\\d{1,2})\\.\\s+(.*)$"));
    static const QRegularExpression icon(QStringLiteral("^\\[([a-z]+)\\]\\s+(.*)$"));
    pages.clear();
    bool wantTitle = false;
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (line.startsWith('#'))
            continue;
        if (line.startsWith(QLatin1String("@next "))) {
            next = line.mid(6).trimmed();
        } else if (line.startsWith(QLatin1String("@last "))) {
            last = line.mid(6).trimmed();
        } else if (line.startsWith(QLatin1String("=="))) {
            pages.append(Page{line.mid(2).trimmed(), {}, {}});
            wantTitle = true;
        } else if (pages.isEmpty()) {
            continue;
        } else if (wantTitle) {
            if (!line.isEmpty()) {
                pages.last().title = line;
                wantTitle = false;
            }
        } else {
            Line item;
            QRegularExpressionMatch match;
            if (line.isEmpty()) {
                item.kind = Line::gap;
            } else if ((match = numbered.match(line)).hasMatch()) {
                item.kind = Line::numbered;
                item.number = match.captured(1).toInt();
                item.text = match.captured(2);
            } else if ((match = icon.match(line)).hasMatch()) {
                item.kind = Line::iconLine;
                item.icon = match.captured(1);
                item.text = match.captured(2);
            } else if (line.startsWith(QLatin1String("- "))) {
                item.kind = Line::bullet;
                item.text = line.mid(2);
            } else {
                item.text = line;
            }
            // A button named inside the text shows as the line's icon.
            static const QRegularExpression token(QStringLiteral("\\[([a-z]+)\\]\\s*"));
            if ((match = token.match(item.text)).hasMatch()) {
                if (item.kind == Line::paragraph)
                    item.kind = Line::iconLine;
                if (item.icon.isEmpty())
                    item.icon = match.captured(1);
                item.text.remove(token);
            }
            pages.last().lines.append(item);
        }
    }
    if (pages.size() > maxPages) {
        std::fprintf(stderr, "make-res: %s has more than %d pages; the rest are left out\n", qPrintable(path),
                     maxPages);
        pages = pages.mid(0, maxPages);
    }
    return !pages.isEmpty();
}
