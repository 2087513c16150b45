#include "ResMaker.h"
#include "AppIconPainter.h"
#include "BmpOut.h"
#include "ButtonPainter.h"
#include "ContentConverter.h"
#include "DialogPainter.h"
#include "HelpBook.h"
#include "HelpFigures.h"
#include "HelpPainter.h"
#include "Look.h"
#include "ScreenLayout.h"
#include "ScreenPainter.h"
#include "app/AppState.h"
#include <QDir>
#include <QFile>
#include <QTextStream>
#include <cstdio>

bool CResMaker::Run() {
    if (!QDir().mkpath(m_options.out)) {
        std::fprintf(stderr, "make-res: cannot make %s\n", qPrintable(m_options.out));
        return false;
    }
    bool ok = MakeScreen();
    ok = MakeDialogs() && ok;
    ok = MakeHelp() && ok;
    ok = MakeContent() && ok;
    return MakeIcons() && ok;
}

bool CResMaker::Write(const QImage& image, const QString& name, int bits) {
    const QString path = m_options.out + '/' + name;
    if (bits == 8 ? bmpout::Write8(image, look::GeneralPalette(), path) : bmpout::Write24(image, path))
        return true;
    std::fprintf(stderr, "make-res: cannot write %s\n", qPrintable(path));
    return false;
}

bool CResMaker::MakeScreen() {
    const QImage screen = CScreenPainter::Paint();
    // The 8-bit screen's colour table becomes the screen palette on a 256-colour display.
    using layout::ResName;
    bool ok =
        Write(screen, ResName(SCREEN_BACKGROUND)) && Write(screen, ResName(SCREEN_BACKGROUND_PALETTE), 8);
    for (const layout::Button& button : layout::Buttons())
        ok = Write(CButtonPainter::Paint(screen, button), button.file) && ok;
    ok = Write(CButtonPainter::PaintHideToggle(), ResName(HIDE_TOGGLE_PICTURE)) && ok;
    return Write(CButtonPainter::PaintHold(), ResName(HOLD_OVERLAY)) && ok;
}

bool CResMaker::MakeDialogs() {
    // Earlier runs wrote one start-up picture for every language; it would be installed with the rest.
    QFile::remove(m_options.out + QStringLiteral("/startup.bmp"));
    bool ok = true;
    for (int language = LANG_DUTCH; language <= LANG_GERMAN; ++language) {
        const QString name = QString::fromLatin1(StartupPicturePath(language)).section('/', -1);
        ok = Write(CDialogPainter::PaintStartup(language), name, 8) && ok;
    }
    ok = Write(CDialogPainter::PaintTextDialog(), QStringLiteral("textdlg.bmp")) && ok;
    return Write(CDialogPainter::PaintInfoDialog(), QStringLiteral("infodlg.bmp")) && ok;
}

bool CResMaker::MakeContent() {
    CContentConverter converter(m_options.out, m_options.source, m_options.cache, m_options.scratch);
    const bool ok = converter.Run();
    QFile credits(m_options.out + "/CREDITS.txt");
    if (!credits.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        std::fprintf(stderr, "make-res: cannot write %s\n", qPrintable(credits.fileName()));
        return false;
    }
    QTextStream out(&credits);
    out << "Quimble: where the pictures come from\n"
           "======================================\n\n"
           "The screen, buttons, dialog and help pictures, the balloons named speech-*, thought, shout,\n"
           "whisper and caption, and the pictures marked as drawn were drawn by Quimble's resource tool\n"
           "(tools/make-res) and are dedicated to the public domain (CC0 1.0). All other content pictures\n"
           "are free clip art from Debian's archive, converted: rendered, trimmed, scaled, and their\n"
           "transparency written as the a*.bmp companion. Pictures under CC BY-SA keep that licence.\n\n";
    for (const QString& line : converter.Credits())
        out << line << '\n';
    return ok;
}

bool CResMaker::MakeHelp() {
    // Language letters of the page names, and the text file of each.
    static const struct {
        const char *letter, *code;
        int number;
    } languages[] = {{"n", "nl", LANG_DUTCH},
                     {"f", "fr", LANG_FRENCH},
                     {"e", "en", LANG_ENGLISH},
                     {"g", "de", LANG_GERMAN}};
    // Pages of an earlier run beyond today's last page would be shown after it.
    QDir out(m_options.out);
    for (const QString& name : out.entryList({QStringLiteral("help*.bmp")}, QDir::Files))
        out.remove(name);
    const CHelpFigures figures(CScreenPainter::Paint());
    const CHelpPainter painter(figures);
    bool ok = true;
    for (const auto& language : languages) {
        CHelpBook book;
        book.language = language.number;
        if (!book.Load(
                QStringLiteral("%1/texts/help-%2.txt").arg(m_options.source, QLatin1String(language.code)))) {
            ok = false;
            continue;
        }
        for (int page = 0; page < book.pages.size(); ++page)
            ok = Write(painter.Paint(book, page),
                       QStringLiteral("help%1%2.bmp").arg(QLatin1String(language.letter)).arg(page)) &&
                 ok;
    }
    return ok;
}

bool CResMaker::MakeIcons() {
    if (m_options.icons.isEmpty())
        return true;
    bool ok = true;
    for (int size : {16, 32, 48, 64, 128, 256}) {
        const QString folder = QStringLiteral("%1/hicolor/%2x%2/apps").arg(m_options.icons).arg(size);
        const QString path = folder + QStringLiteral("/quimble.png");
        if (!QDir().mkpath(folder) || !CAppIconPainter::Paint(size).save(path, "PNG")) {
            std::fprintf(stderr, "make-res: cannot write %s\n", qPrintable(path));
            ok = false;
        }
    }
    return ok;
}
