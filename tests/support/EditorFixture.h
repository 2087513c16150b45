#pragma once
// The program started in the folder above the data folder of the build, with the whole editor screen;
// skipped when the build has no data folder.

#include "support/ShellFixture.h"
#include "support/TempDir.h"

#include <QCoreApplication>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>

inline void Settle() {
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

class EditorFixture : public ::testing::Test {
protected:
    void SetUp() override {
        const char* res = std::getenv("QUIMBLE_RES_DIR");
        if (!res || !std::filesystem::exists(std::filesystem::path(res) / "Backg.BMP"))
            GTEST_SKIP() << "QUIMBLE_RES_DIR names no data folder";
        m_cwd = std::make_unique<ScopedCwd>(std::filesystem::path(res).parent_path().string());
        app.LoadStdProfileSettings(4); // the recent-file list, as the program keeps it
        ASSERT_TRUE(app.Start());
        view = app.View();
        Settle();
    }
    template <class Control> Control* Find(int id) const { return view->FindControlAs<Control>(id); }

    std::unique_ptr<ScopedCwd> m_cwd;
    ShellApp app;
    RecordingView* view = nullptr;
};
