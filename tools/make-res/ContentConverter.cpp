#include "ContentConverter.h"
#include "BalloonPainter.h"
#include "BmpOut.h"
#include "StandInPainter.h"
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QResource>
#include <QStandardPaths>
#include <QSvgRenderer>
#include <QTextStream>
#include <QThread>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

// Bumped whenever rendering or finishing changes, so that cached pictures are made again.
const QByteArray processVersion = "content-3";
const char* const folders[] = {"bckgnds", "chars", "props", "textblbs"};

bool IsBackground(const QString& folder) {
    return folder == QLatin1String("bckgnds");
}

// The largest side a picture of the folder is rendered at before trimming and scaling.
int RenderSide(const QString& folder) {
    return IsBackground(folder) ? 1600 : 1000;
}

QSize FitInto(const QString& folder) {
    return folder == QLatin1String("textblbs") ? QSize(400, 300) : QSize(400, 400);
}

QString Licence(const QString& id) {
    if (id == QLatin1String("CC-BY-SA-4.0"))
        return QStringLiteral("CC BY-SA 4.0 (https://creativecommons.org/licenses/by-sa/4.0/); "
                              "the converted picture is shared under the same licence");
    if (id == QLatin1String("CC-BY-SA-3.0"))
        return QStringLiteral("CC BY-SA 3.0 (https://creativecommons.org/licenses/by-sa/3.0/); "
                              "the converted picture is shared under the same licence");
    if (id == QLatin1String("CC0-1.0"))
        return QStringLiteral("CC0 1.0 (public domain dedication)");
    if (id == QLatin1String("public-domain"))
        return QStringLiteral("public domain");
    return id;
}

// The artist named in an SVG's metadata (dc:creator), if any.
QString Author(const QByteArray& svg) {
    static const QRegularExpression creator(QStringLiteral("<dc:creator>.*?<dc:title>([^<]+)</dc:title>"),
                                            QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch match = creator.match(QString::fromUtf8(svg.left(1 << 20)));
    return match.hasMatch() ? match.captured(1).simplified() : QString();
}

QString PackageAuthors(const QString& package) {
    return QStringLiteral("the artists of Debian's %1 package (see its copyright file)").arg(package);
}

QImage RenderWithQt(const QByteArray& svg, int side) {
    QSvgRenderer renderer(svg);
    if (!renderer.isValid())
        return {};
    QSize size = renderer.defaultSize();
    if (size.isEmpty())
        size = QSize(side, side);
    size.scale(side, side, Qt::KeepAspectRatio);
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    renderer.render(&p);
    return image;
}

QImage ScaleSmooth(const QImage& image, const QSize& size) {
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied)
        .scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
        .convertToFormat(QImage::Format_ARGB32);
}

} // namespace

CContentConverter::CContentConverter(const QString& out, const QString& source, const QString& cache,
                                     const QString& scratch)
    : m_out(out), m_source(source), m_cache(cache.isEmpty() ? out + "/../res-cache" : cache),
      m_scratch(scratch) {}

bool CContentConverter::Run() {
    // Pictures of an earlier run whose names changed must not linger.
    for (const char* folder : folders) {
        QDir dir(m_out + '/' + folder);
        if (!dir.mkpath(QStringLiteral(".")))
            return false;
        for (const QString& name : dir.entryList({QStringLiteral("*.bmp")}, QDir::Files))
            dir.remove(name);
    }
    QDir().mkpath(m_cache + "/content");

    QList<Item> items;
    if (!ReadList(items))
        return false;
    QList<Item*> toRender;
    for (Item& item : items) {
        Load(item);
        if (!item.finished.isNull() || (item.svg.isEmpty() && item.raw.isNull()))
            continue;
        if (!item.svg.isEmpty())
            toRender.append(&item);
    }
    Render(toRender);

    bool ok = true;
    for (Item& item : items) {
        if (item.finished.isNull() && !item.raw.isNull()) {
            item.finished = Finish(item.folder, item.raw);
            if (!item.finished.isNull())
                item.finished.save(item.cacheFile, "PNG");
        }
        if (item.finished.isNull()) {
            // Missing or unreadable: a drawn picture of the same kind keeps the folder full.
            const auto [image, description] = StandIn(item.folder);
            item.finished = Finish(item.folder, image);
            item.author = QStringLiteral("drawn by Quimble's resource tool in place of: ") + item.description;
            item.description = description;
            item.licence = QStringLiteral("CC0-1.0");
            item.package.clear();
        }
        ok = Write(item) && ok;
    }

    // The tool's own pictures round off the folders.
    QList<Item> own;
    const auto addOwn = [&own](const QString& folder, const QString& description, const QImage& image) {
        Item item;
        item.folder = folder;
        item.description = description;
        item.raw = image;
        item.author = QStringLiteral("drawn by Quimble's resource tool");
        item.licence = QStringLiteral("CC0-1.0");
        own.append(item);
    };
    addOwn(QStringLiteral("bckgnds"), CStandInPainter::Name(CStandInPainter::background, 0),
           CStandInPainter::Background(0));
    addOwn(QStringLiteral("bckgnds"), CStandInPainter::Name(CStandInPainter::background, 2),
           CStandInPainter::Background(2));
    addOwn(QStringLiteral("props"), CStandInPainter::Name(CStandInPainter::prop, 5),
           CStandInPainter::Prop(5));
    addOwn(QStringLiteral("props"), CStandInPainter::Name(CStandInPainter::prop, 3),
           CStandInPainter::Prop(3));
    for (int kind = 0; kind < CBalloonPainter::kindCount; ++kind)
        addOwn(QStringLiteral("textblbs"), CBalloonPainter::Name(CBalloonPainter::Kind(kind)),
               CBalloonPainter::Paint(CBalloonPainter::Kind(kind)));
    for (Item& item : own) {
        item.finished = Finish(item.folder, item.raw);
        ok = Write(item) && ok;
    }
    return ok;
}

bool CContentConverter::ReadList(QList<Item>& items) {
    QFile file(m_source + "/picks.tsv");
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        std::fprintf(stderr, "make-res: cannot read %s\n", qPrintable(file.fileName()));
        return false;
    }
    QTextStream in(&file);
    in.readLine(); // the column names
    while (!in.atEnd()) {
        const QStringList fields = in.readLine().split('\t');
        if (fields.size() < 6)
            continue;
        Item item;
        item.id = fields[0];
        item.folder = fields[1];
        item.package = fields[2];
        item.source = fields[3];
        item.licence = fields[4];
        item.description = fields[5];
        if (std::find(std::begin(folders), std::end(folders), item.folder) != std::end(folders))
            items.append(item);
    }
    return true;
}

void CContentConverter::NoteMissing(const QString& package, const QString& why) {
    if (m_noted.contains(package))
        return;
    m_noted.insert(package);
    std::fprintf(stderr, "make-res: %s %s; drawing stand-ins for its pictures\n", qPrintable(package),
                 qPrintable(why));
}

void CContentConverter::Load(Item& item) {
    QByteArray bytes;
    const int split = item.source.indexOf(QLatin1String(" :/"));
    if (split > 0) {
        // A picture inside a Qt resource bundle.
        const QString bundle = item.source.left(split);
        if (!QFileInfo::exists(bundle))
            return NoteMissing(item.package, QStringLiteral("is not installed"));
        if (!m_resources.contains(bundle) && QResource::registerResource(bundle))
            m_resources.insert(bundle);
        QFile file(item.source.mid(split + 1));
        if (file.open(QIODevice::ReadOnly))
            bytes = file.readAll();
    } else {
        QString path = item.source;
        if (!QFileInfo::exists(path) && !m_scratch.isEmpty())
            path = m_scratch + item.source;
        if (!QFileInfo::exists(path))
            return NoteMissing(item.package,
                               item.package == QLatin1String("scratch")
                                   ? QStringLiteral("is not unpacked (scripts/fetch-scratch-media)")
                                   : QStringLiteral("is not installed"));
        QFile file(path);
        if (file.size() < (64 << 20) && file.open(QIODevice::ReadOnly))
            bytes = file.readAll();
    }
    if (bytes.isEmpty()) {
        std::fprintf(stderr, "make-res: cannot read %s\n", qPrintable(item.source));
        return;
    }
    const bool svg = item.source.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive);
    item.author = svg ? Author(bytes) : QString();
    if (item.author.isEmpty())
        item.author = PackageAuthors(item.package);

    QCryptographicHash hash(QCryptographicHash::Md5);
    hash.addData(processVersion);
    hash.addData(item.folder.toUtf8());
    hash.addData(bytes);
    item.cacheFile = QStringLiteral("%1/content/%2-%3.png")
                         .arg(m_cache, item.id, QString::fromLatin1(hash.result().toHex().left(16)));
    if (item.finished.load(item.cacheFile, "PNG")) {
        item.finished = item.finished.convertToFormat(QImage::Format_ARGB32);
        return;
    }
    if (svg)
        item.svg = bytes;
    else
        item.raw = QImage::fromData(bytes).convertToFormat(QImage::Format_ARGB32);
}

void CContentConverter::Render(QList<Item*> items) {
    const QString rsvg = QStandardPaths::findExecutable(QStringLiteral("rsvg-convert"));
    if (rsvg.isEmpty() && !items.isEmpty())
        std::fprintf(stderr, "make-res: rsvg-convert not found; rendering the clip art with QtSvg\n");
    const QString work = m_cache + "/render";
    QDir().mkpath(work);
    struct Job {
        Item* item;
        std::unique_ptr<QProcess> process;
        QString output;
    };
    std::vector<Job> running;
    const std::size_t parallel = std::size_t(qMax(2, QThread::idealThreadCount()));
    const auto finish = [](Job& job) {
        job.process->waitForFinished(120000);
        if (job.process->exitStatus() == QProcess::NormalExit && job.process->exitCode() == 0)
            job.item->raw = QImage(job.output).convertToFormat(QImage::Format_ARGB32);
        if (job.item->raw.isNull())
            job.item->raw = RenderWithQt(job.item->svg, RenderSide(job.item->folder))
                                .convertToFormat(QImage::Format_ARGB32);
        QFile::remove(job.output);
        QFile::remove(job.output + ".svg");
    };
    for (Item* item : items) {
        const int side = RenderSide(item->folder);
        if (rsvg.isEmpty()) {
            item->raw = RenderWithQt(item->svg, side).convertToFormat(QImage::Format_ARGB32);
            continue;
        }
        if (running.size() >= parallel) {
            finish(running.front());
            running.erase(running.begin());
        }
        Job job{item, std::make_unique<QProcess>(), work + '/' + item->id + ".png"};
        QFile svg(job.output + ".svg");
        if (svg.open(QIODevice::WriteOnly))
            svg.write(item->svg);
        svg.close();
        job.process->start(rsvg, {QStringLiteral("-w"), QString::number(side), QStringLiteral("-h"),
                                  QString::number(side), QStringLiteral("--keep-aspect-ratio"),
                                  QStringLiteral("-o"), job.output, job.output + ".svg"});
        running.push_back(std::move(job));
    }
    for (Job& job : running)
        finish(job);
}

QImage CContentConverter::Trim(const QImage& image) {
    const QImage source = image.convertToFormat(QImage::Format_ARGB32);
    int left = source.width(), right = -1, top = source.height(), bottom = -1;
    for (int y = 0; y < source.height(); ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        for (int x = 0; x < source.width(); ++x) {
            if (qAlpha(row[x]) > 8) {
                left = qMin(left, x);
                right = qMax(right, x);
                top = qMin(top, y);
                bottom = y;
            }
        }
    }
    if (right < 0)
        return {};
    return source.copy(left, top, right - left + 1, bottom - top + 1);
}

void CContentConverter::PutOnWhite(QImage& image) {
    image = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(row[x]) == 0)
                row[x] = qRgba(255, 255, 255, 0);
    }
}

QImage CContentConverter::Finish(const QString& folder, const QImage& raw) const {
    if (raw.isNull())
        return {};
    if (IsBackground(folder)) {
        // On white, cropped to 4:3 around the middle, at 800 x 600.
        QImage flat(raw.size(), QImage::Format_RGB32);
        flat.fill(Qt::white);
        QPainter(&flat).drawImage(0, 0, raw);
        QSize crop(flat.width(), flat.width() * 3 / 4);
        if (crop.height() > flat.height())
            crop = QSize(flat.height() * 4 / 3, flat.height());
        const QImage cropped = flat.copy((flat.width() - crop.width()) / 2,
                                         (flat.height() - crop.height()) / 2, crop.width(), crop.height());
        return cropped.scaled(800, 600, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
            .convertToFormat(QImage::Format_ARGB32);
    }
    const QImage trimmed = Trim(raw);
    if (trimmed.isNull())
        return {};
    QSize size = trimmed.size();
    size.scale(FitInto(folder), Qt::KeepAspectRatio);
    return ScaleSmooth(trimmed, size.expandedTo(QSize(1, 1)));
}

std::pair<QImage, QString> CContentConverter::StandIn(const QString& folder) {
    const int n = m_standIns[folder]++;
    if (IsBackground(folder))
        return {CStandInPainter::Background(n + 1),
                CStandInPainter::Name(CStandInPainter::background, n + 1)};
    if (folder == QLatin1String("chars"))
        return {CStandInPainter::Character(n), CStandInPainter::Name(CStandInPainter::character, n)};
    if (folder == QLatin1String("props"))
        return {CStandInPainter::Prop(n), CStandInPainter::Name(CStandInPainter::prop, n)};
    const auto kind = CBalloonPainter::Kind(n % CBalloonPainter::kindCount);
    return {CBalloonPainter::Paint(kind), CBalloonPainter::Name(kind)};
}

QString CContentConverter::UniqueName(const QString& folder, const QString& description) {
    // The first few words of the description, before any remark.
    QString text = description.section(QRegularExpression(QStringLiteral("[;(]")), 0, 0).toLower();
    QStringList words = text.split(QRegularExpression(QStringLiteral("[^a-z0-9]+")), Qt::SkipEmptyParts);
    words.removeIf([](const QString& word) { return word.front().isDigit(); }); // sizes such as 480x360
    static const QStringList joining = {"a", "and", "in", "of", "on", "the", "with"};
    while (words.size() > 3 || (words.size() > 1 && words.join('-').size() > 18) ||
           (words.size() > 1 && joining.contains(words.last())))
        words.removeLast();
    QString name = words.isEmpty() ? QStringLiteral("picture") : words.join('-');
    QSet<QString>& used = m_names[folder];
    QString unique = name;
    for (int n = 2; used.contains(unique); ++n)
        unique = name + QString::number(n);
    used.insert(unique);
    return unique;
}

bool CContentConverter::Write(Item& item) {
    item.name = UniqueName(item.folder, item.description);
    const QString base = m_out + '/' + item.folder + '/';
    const QString image = 'i' + item.name + ".bmp";
    QImage picture = item.finished;
    bool ok;
    if (IsBackground(item.folder)) {
        ok = bmpout::Write24(picture, base + image);
    } else {
        PutOnWhite(picture);
        ok = bmpout::Write24(picture, base + image) &&
             bmpout::WriteCoverage(picture, base + 'a' + item.name + ".bmp");
    }
    if (!ok) {
        std::fprintf(stderr, "make-res: cannot write %s\n", qPrintable(base + image));
        return false;
    }
    QString line = QStringLiteral("%1/%2  %3\n").arg(item.folder, image, item.description.section(';', 0, 0));
    if (!item.package.isEmpty())
        line += QStringLiteral("    source: Debian package %1, %2\n").arg(item.package, item.source);
    line += QStringLiteral("    author: %1\n    licence: %2\n").arg(item.author, Licence(item.licence));
    m_credits.append(line);
    return true;
}
