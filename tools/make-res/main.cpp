// make-res: draws and converts every picture Quimble reads into one res/ folder.

#include "ResMaker.h"
#include "platform/Modal.h"
#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLoggingCategory>
#include <cstdio>
#include <unistd.h>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Builds often run without a session; a private runtime folder keeps Qt from warning about it.
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const QByteArray runtime =
            QDir::tempPath().toLocal8Bit() + "/quimble-make-res-" + QByteArray::number(getuid());
        if (QDir().mkpath(QString::fromLocal8Bit(runtime)) &&
            QFile::setPermissions(QString::fromLocal8Bit(runtime),
                                  QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner))
            qputenv("XDG_RUNTIME_DIR", runtime);
    }
    QGuiApplication app(argc, argv);
    // QtSvg, the fallback renderer, reports every SVG feature it skips; the pictures still come out.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.svg*=false"));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Makes Quimble's data folder res/."));
    parser.addHelpOption();
    const QCommandLineOption out(QStringLiteral("out"), QStringLiteral("The res folder to fill."), "dir");
    const QCommandLineOption source(QStringLiteral("source"), QStringLiteral("The tool's source folder."),
                                    "dir");
    const QCommandLineOption cache(QStringLiteral("cache"), QStringLiteral("Cache of converted clip art."),
                                   "dir");
    const QCommandLineOption scratch(QStringLiteral("scratch"), QStringLiteral("Unpacked scratch package."),
                                     "dir");
    const QCommandLineOption icons(QStringLiteral("icons"),
                                   QStringLiteral("Where the desktop icons go (hicolor/NxN/apps)."), "dir");
    parser.addOptions({out, source, cache, scratch, icons});
    parser.process(app);
    if (!parser.isSet(out) || !parser.isSet(source)) {
        std::fprintf(stderr, "make-res: --out and --source are needed\n");
        return 2;
    }
    // The bitmap class reports write errors in a message box: here they go to the build's output instead.
    SetModalResponder([](const ModalQuestion& question) {
        std::fprintf(stderr, "make-res: %s\n", question.text.c_str());
        ModalAnswer answer;
        answer.result = IDOK;
        return answer;
    });
    CResMaker maker({parser.value(out), parser.value(source), parser.value(cache), parser.value(scratch),
                     parser.value(icons)});
    return maker.Run() ? 0 : 1;
}
