// The program's outputs pinned byte for byte: the built program renders every layered picture of
// data/golden to PNG and to BMP and makes its thumbnail, and each output's SHA-256 must be the one
// digests.txt pins. Only the command line is used, so this stays as it is while the code behind it is
// reworked.
//
// When outputs are meant to change, QUIMBLE_GOLDEN_UPDATE=1 makes the test write digests.txt anew from
// what the program writes now instead of comparing; look at the new renders before committing it:
//     QUIMBLE_GOLDEN_UPDATE=1 build/tests/test_golden

#include "support/TempDir.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTextStream>
#include <cstdlib>
#include <gtest/gtest.h>
#include <map>
#include <string>

namespace {
const QString golden = QUIMBLE_GOLDEN_DIR;
const QString digestsFile = golden + "/digests.txt";

// What is made of every file, named as digests.txt names it: the command, and the thumbnail's size.
struct Output {
    const char* name;
    const char* command;
    const char* size = nullptr;
    QStringList Arguments(const QString& picture, const QString& out) const {
        QStringList arguments{command, picture, out};
        if (size)
            arguments << size;
        return arguments;
    }
};
const Output outputs[] = {
    {"render.png", "--render"},
    {"render.bmp", "--render"},
    // Named as a file manager names its previews: a PNG whatever the name.
    {"thumbnail-96", "--thumbnail", "96"},
};

struct Outcome {
    int status = -1; // -1: did not start or end by itself
    std::string err;
    std::string digest; // of the output, hex; empty when none was written
};

// Runs the program in folder (a fresh one: the render needs nothing beside it) and takes out's digest.
Outcome RunProgram(const QStringList& arguments, const QString& folder, const QString& out) {
    QProcess program;
    program.setWorkingDirectory(folder);
    program.start(QUIMBLE_PROGRAM, arguments);
    Outcome run;
    if (program.waitForFinished(60000) && program.exitStatus() == QProcess::NormalExit)
        run.status = program.exitCode();
    run.err = program.readAllStandardError().toStdString();
    QFile written(out);
    if (written.open(QIODevice::ReadOnly))
        run.digest =
            QCryptographicHash::hash(written.readAll(), QCryptographicHash::Sha256).toHex().toStdString();
    return run;
}

// "file output" -> digest, from lines "file output digest"; '#' starts a comment line.
std::map<std::string, std::string> ReadDigests() {
    std::map<std::string, std::string> digests;
    QFile file(digestsFile);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return digests;
    QTextStream in(&file);
    while (!in.atEnd()) {
        const QStringList words = in.readLine().split(' ', Qt::SkipEmptyParts);
        if (words.size() == 3 && !words[0].startsWith('#'))
            digests[(words[0] + ' ' + words[1]).toStdString()] = words[2].toStdString();
    }
    return digests;
}

bool WriteDigests(const std::map<std::string, std::string>& digests) {
    QFile file(digestsFile);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text))
        return false;
    QTextStream out(&file);
    out << "# SHA-256 of what the program makes of each file here: file, output, digest.\n"
           "# Written by QUIMBLE_GOLDEN_UPDATE=1 test_golden (tests/golden/GoldenTest.cpp).\n";
    for (const auto& [fileAndOutput, digest] : digests)
        out << QString::fromStdString(fileAndOutput) << ' ' << QString::fromStdString(digest) << '\n';
    return file.flush();
}
} // namespace

TEST(Golden, EveryFileRendersAndThumbnailsToThePinnedBytes) {
    const bool update =
        std::getenv("QUIMBLE_GOLDEN_UPDATE") && std::string(std::getenv("QUIMBLE_GOLDEN_UPDATE")) == "1";
    const QStringList files = QDir(golden).entryList({"*.qmf"}, QDir::Files, QDir::Name);
    ASSERT_FALSE(files.isEmpty()) << golden.toStdString() << " holds no layered pictures";
    std::map<std::string, std::string> pinned = ReadDigests(), made;
    if (!update) {
        ASSERT_FALSE(pinned.empty()) << digestsFile.toStdString()
                                     << " pins nothing: QUIMBLE_GOLDEN_UPDATE=1 writes it";
    }
    for (const QString& file : files) {
        for (const Output& output : outputs) {
            const TempDir dir;
            const QString folder = QString::fromStdString(dir.path), out = folder + '/' + output.name;
            const Outcome run = RunProgram(output.Arguments(golden + '/' + file, out), folder, out);
            const std::string what = file.toStdString() + ' ' + output.name;
            EXPECT_EQ(run.status, 0) << what << ": the program failed: " << run.err;
            made[what] = run.digest;
            if (update)
                continue;
            const auto it = pinned.find(what);
            if (it == pinned.end())
                ADD_FAILURE() << what << ": no digest pinned (QUIMBLE_GOLDEN_UPDATE=1 pins it)";
            else
                EXPECT_EQ(run.digest, it->second) << what << ": differs from the pinned digest";
        }
    }
    if (update) {
        EXPECT_TRUE(WriteDigests(made)) << "cannot write " << digestsFile.toStdString();
        return;
    }
    for (const auto& [what, digest] : pinned)
        EXPECT_TRUE(made.contains(what)) << what << ": pinned, but no such file or output is made";
}
