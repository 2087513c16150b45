#pragma once
// The application with its real document and frame, and a view that records the commands reaching its
// dispatcher before handling them as the editor does.

#include "app/AppState.h"
#include "app/MainFrame.h"
#include "app/QuimbleApp.h"
#include "app/QuimbleDoc.h"
#include "app/QuimbleResource.h"
#include "app/QuimbleView.h"
#include "platform/CommandLineInfo.h"
#include "platform/SingleDocTemplate.h"
#include "support/TempDir.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStringList>
#include <string>
#include <vector>

struct RecordingView : CQuimbleView {
    bool OnControlEvent(int id, WPARAM data) override {
        events.push_back(id);
        return CQuimbleView::OnControlEvent(id, data);
    }
    std::vector<int> events;
};

// A working directory with an empty data folder: the program starts there, though without its pictures.
struct EmptyDataFolder {
    EmptyDataFolder() : cwd(dir.path) { dir.Mkdir("res"); }
    TempDir dir;
    ScopedCwd cwd;
};

// In English, the framework's own language.
struct ShellApp : CQuimbleApp {
    bool Start() {
        AddDocTemplate(std::make_unique<CSingleDocTemplate>(
            QuimbleDocResource(LANG_ENGLISH), [] { return std::make_unique<CQuimbleDoc>(); },
            [] { return std::make_unique<CMainFrame>(); }, [] { return std::make_unique<RecordingView>(); }));
        struct NoArguments : CCommandLineInfo {
            void ParseParam(const char*, BOOL, BOOL) override {}
        } info;
        return ProcessShellCommand(info);
    }
    RecordingView* View() const { return static_cast<RecordingView*>(m_pMainWnd->GetActiveView()); }
    CQuimbleDoc* Doc() const { return static_cast<CQuimbleDoc*>(m_pMainWnd->GetActiveDocument()); }
    QMainWindow* Window() const { return static_cast<QMainWindow*>(m_pMainWnd->GetQWidget()); }
    // The menu bar as shown: each menu's name, then its items indented, "-" for a separator, joined by "|".
    std::string MenuAsShown() const {
        QStringList shown;
        for (QAction* menu : Window()->menuBar()->actions()) {
            shown << menu->text();
            for (QAction* item : menu->menu()->actions())
                shown << (item->isSeparator() ? "-" : "  " + item->text());
        }
        return shown.join("|").toStdString();
    }
    QAction* MenuItem(const QString& text) const {
        for (QAction* menu : Window()->menuBar()->actions())
            for (QAction* item : menu->menu()->actions())
                if (item->text() == text)
                    return item;
        return nullptr;
    }
};
