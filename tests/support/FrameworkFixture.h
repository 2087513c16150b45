#pragma once
// A small program on the framework for its tests: a document, view and frame that record what reaches
// them, under an application that owns them through a single-document template.

#include "platform/CommandLineInfo.h"
#include "platform/DC.h"
#include "platform/Document.h"
#include "platform/FrameWnd.h"
#include "platform/PrintInfo.h"
#include "platform/SingleDocTemplate.h"
#include "platform/View.h"
#include "platform/WinApp.h"

#include <memory>
#include <string>
#include <vector>

constexpr UINT ID_VIEW_THING = 1001;
constexpr UINT ID_FRAME_THING = 1002;
constexpr UINT ID_APP_THING = 1003;

struct TestDoc : CDocument {
    BOOL OnSaveDocument(const char* path) override {
        saved.push_back(path);
        return saveWorks;
    }
    std::vector<std::string> saved;
    BOOL saveWorks = TRUE;
};

struct TestView : CView {
    void OnDraw(CDC* dc) override {
        if (dc->IsPrinting()) {
            printDpi = dc->GetDeviceCaps(LOGPIXELSX);
            printWidth = dc->GetDeviceCaps(HORZRES);
            RECT r{0, 0, printWidth / 2, printWidth / 4};
            dc->FillSolidRect(r, RGB(200, 0, 0));
        }
        draws.push_back(dc->IsPrinting());
    }
    void OnInitialUpdate() override {
        ++initialUpdates;
        CView::OnInitialUpdate();
    }
    void OnBeginPrinting(CDC*, CPrintInfo* info) override {
        events.push_back(info->m_bPreview ? "begin preview" : "begin");
    }
    void OnEndPrinting(CDC*, CPrintInfo*) override { events.push_back("end"); }
    BOOL OnCmdMsg(UINT id) override {
        if (id != ID_VIEW_THING)
            return CView::OnCmdMsg(id);
        events.push_back("view thing");
        return TRUE;
    }
    std::vector<bool> draws; // one entry per OnDraw: whether it was on a printer
    std::vector<std::string> events;
    int initialUpdates = 0;
    int printDpi = 0;
    int printWidth = 0;
};

struct TestFrame : CFrameWnd {
    BOOL PreCreateWindow(CREATESTRUCT& cs) override {
        cs.x = 30, cs.y = 40, cs.cx = 500, cs.cy = 400;
        return TRUE;
    }
    void OnGetMinMaxInfo(MINMAXINFO* info) override { info->ptMinTrackSize = {210, 220}; }
    BOOL OnCmdMsg(UINT id) override {
        if (id == ID_FRAME_THING || id == ID_VIEW_THING)
            ++frameCommands;
        return id == ID_FRAME_THING || id == ID_VIEW_THING;
    }
    int frameCommands = 0;
};

struct TestApp : CWinApp {
    TestApp() : CWinApp("Quimble") {}
    BOOL OnCmdMsg(UINT id) override {
        if (id != ID_APP_THING)
            return CWinApp::OnCmdMsg(id);
        ++appCommands;
        return TRUE;
    }
    // Makes the document, frame and view as the program does at start-up.
    bool Start() {
        DOCRESOURCE r;
        r.docString = "Quimble\n\n\n\n\nTest.Document\nTest Document";
        r.menu.AddPopup("&File")
            .AddItem("&Thing\tCtrl+T", ID_VIEW_THING)
            .AddSeparator()
            .AddItem("&Save\tCtrl+S", ID_FILE_SAVE)
            .AddPopup("&Help")
            .AddItem("&App thing", ID_APP_THING);
        r.accelerators = {{FCONTROL, 'T', ID_VIEW_THING}, {FCONTROL, 'S', ID_FILE_SAVE}};
        AddDocTemplate(std::make_unique<CSingleDocTemplate>(
            std::move(r), [] { return std::make_unique<TestDoc>(); },
            [] { return std::make_unique<TestFrame>(); }, [] { return std::make_unique<TestView>(); }));
        struct NoArguments : CCommandLineInfo {
            void ParseParam(const char*, BOOL, BOOL) override {}
        } info;
        return ProcessShellCommand(info);
    }
    TestFrame* Frame() const { return static_cast<TestFrame*>(m_pMainWnd); }
    TestView* View() const { return static_cast<TestView*>(m_pMainWnd->GetActiveView()); }
    TestDoc* Doc() const { return static_cast<TestDoc*>(m_pMainWnd->GetActiveDocument()); }
    int appCommands = 0;
};
