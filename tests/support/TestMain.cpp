#include <QApplication>
#include <QTemporaryDir>
#include <cstdlib>
#include <gtest/gtest.h>

// Every test program runs headless, with its own settings, data and state folders, whatever the caller's
// environment holds.
int main(int argc, char** argv) {
    if (!std::getenv("QUIMBLE_TEST_ON_DISPLAY"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    unsetenv("QT_SCALE_FACTOR");
    unsetenv("QT_SCREEN_SCALE_FACTORS");
    // The program speaks the desktop's language unless told otherwise: the tests start it in its default.
    setenv("LANGUAGE", "nl", 1);
    QTemporaryDir config, state;
    setenv("XDG_CONFIG_HOME", config.path().toLocal8Bit().constData(), 1);
    // Nor does a test add to the caller's own pictures.
    QTemporaryDir data;
    setenv("XDG_DATA_HOME", data.path().toLocal8Bit().constData(), 1);
    // Autosaves of the tests' pictures go there too.
    setenv("XDG_STATE_HOME", state.path().toLocal8Bit().constData(), 1);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
