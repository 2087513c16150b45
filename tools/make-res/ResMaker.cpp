#include "ResMaker.h"
#include "BmpOut.h"
#include "ButtonPainter.h"
#include "Look.h"
#include "ScreenLayout.h"
#include "ScreenPainter.h"
#include <QDir>
#include <cstdio>

bool CResMaker::Run() {
    if (!QDir().mkpath(m_options.out)) {
        std::fprintf(stderr, "make-res: cannot make %s\n", qPrintable(m_options.out));
        return false;
    }
    return MakeScreen();
}

bool CResMaker::Write24(const QImage& image, const QString& name) {
    const QString path = m_options.out + '/' + name;
    if (bmpout::Write24(image, path))
        return true;
    std::fprintf(stderr, "make-res: cannot write %s\n", qPrintable(path));
    return false;
}

bool CResMaker::MakeScreen() {
    const QImage screen = CScreenPainter::Paint();
    bool ok = Write24(screen, QStringLiteral("Backg.BMP")) &&
              bmpout::Write8(screen, look::GeneralPalette(), m_options.out + "/Backg8.BMP");
    for (const layout::Button& button : layout::buttons)
        ok = Write24(CButtonPainter::Paint(screen, button), QString::fromLatin1(button.file)) && ok;
    ok = Write24(CButtonPainter::PaintHideToggle(), QStringLiteral("bvisib.bmp")) && ok;
    return Write24(CButtonPainter::PaintHold(), QStringLiteral("hold.bmp")) && ok;
}
