#pragma once
// The help text of one language, read from a text file of the tool's source: pages with a figure name, a
// title and lines (paragraphs, numbered items, bullets, lines with a button icon), and the two footers.

#include <QList>
#include <QString>

class CHelpBook {
public:
    struct Line {
        enum Kind { paragraph, numbered, bullet, iconLine, gap };
        Kind kind = paragraph;
        int number = 0;
        QString icon; // for icon lines: the button's key (load, save, eye, ...)
        QString text;
    };
    struct Page {
        QString figure;
        QString title;
        QList<Line> lines;
    };

    // The program shows pages 0 to 20 at most.
    static constexpr int maxPages = 21;

    // False when the file cannot be read or holds no page; pages beyond maxPages are dropped with a warning.
    bool Load(const QString& path);

    int language = 0; // the program's number of the book's language
    QString next;     // footer of every page but the last
    QString last;     // footer of the last page
    QList<Page> pages;
};
