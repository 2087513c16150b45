#pragma once
// Fills the four content folders from the clip-art list: renders each picture, trims its empty borders,
// scales it, writes it as i<name>.bmp with its coverage companion a<name>.bmp (not for backgrounds), and
// adds the tool's own balloons and pictures. A picture whose package is missing is replaced by a drawn one
// of the same kind. Returns the credit lines of everything it wrote.

#include <QHash>
#include <QImage>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

class CContentConverter {
public:
    CContentConverter(const QString& out, const QString& source, const QString& cache,
                      const QString& scratch);
    // False when the list cannot be read or a file cannot be written.
    bool Run();
    const QStringList& Credits() const { return m_credits; }

    // Exposed for the tests: trims rows and columns without coverage from the edges; a null image when
    // nothing is covered.
    static QImage Trim(const QImage& image);
    // Makes every uncovered pixel white, the program's key colour, so that a thumbnail (scaled from the
    // picture alone) shows the figure on white. Covered pixels, soft edges among them, keep their own
    // colour: the picture area blends them through the coverage companion.
    static void PutOnWhite(QImage& image);

private:
    struct Item {
        QString id, folder, package, source, licence, description;
        QString name, author;
        QByteArray svg; // the picture to render, or
        QImage raw;     // the picture as read or rendered
        QString cacheFile;
        QImage finished;
    };

    bool ReadList(QList<Item>& items);
    void Load(Item& item);
    void Render(QList<Item*> items);
    QImage Finish(const QString& folder, const QImage& raw) const;
    // A drawn picture for the folder, and its description.
    std::pair<QImage, QString> StandIn(const QString& folder);
    bool Write(Item& item);
    QString UniqueName(const QString& folder, const QString& description);
    void NoteMissing(const QString& package, const QString& why);

    QString m_out, m_source, m_cache, m_scratch;
    QSet<QString> m_noted;
    QSet<QString> m_resources;
    QHash<QString, QSet<QString>> m_names;
    QHash<QString, int> m_standIns;
    QStringList m_credits;
};
