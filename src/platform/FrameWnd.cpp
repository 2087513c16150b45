#include "platform/FrameWnd.h"

#include "platform/Document.h"
#include "platform/View.h"
#include "platform/WinApp.h"

#include <QAction>
#include <QCloseEvent>
#include <QMainWindow>
#include <QMenuBar>
#include <QPointer>

namespace {
// The frame's Qt window: it passes closing, activation and colour changes on to the frame.
class FrameWindow : public QMainWindow {
public:
    explicit FrameWindow(CFrameWnd* frame) : frame(frame) {}

    CFrameWnd* frame;

protected:
    void closeEvent(QCloseEvent* event) override {
        // The frame decides and hides the window itself when it goes.
        event->ignore();
        if (frame)
            frame->OnClose();
    }

    void changeEvent(QEvent* event) override {
        QMainWindow::changeEvent(event);
        if (!frame)
            return;
        switch (event->type()) {
        case QEvent::ActivationChange:
            if (isActiveWindow()) {
                frame->OnActivate(WA_ACTIVE, nullptr, isMinimized());
                frame->OnQueryNewPalette();
            } else {
                frame->OnActivate(WA_INACTIVE, nullptr, isMinimized());
                // Whatever comes to the front now may bring its own colours.
                frame->OnPaletteChanged(nullptr);
            }
            break;
        case QEvent::ApplicationPaletteChange:
        case QEvent::ThemeChange:
            frame->OnSysColorChange();
            break;
        default:
            break;
        }
    }
};

QKeySequence ShortcutOf(const ACCEL& accel) {
    int key = accel.key;
    if (accel.modifiers & FCONTROL)
        key |= Qt::ControlModifier;
    if (accel.modifiers & FSHIFT)
        key |= Qt::ShiftModifier;
    if (accel.modifiers & FALT)
        key |= Qt::AltModifier;
    return QKeySequence(key);
}
} // namespace

struct CFrameWnd::FrameImpl {
    QPointer<FrameWindow> window;
    std::vector<std::pair<UINT, QPointer<QAction>>> actions; // the menu items and shortcuts, by command
};

CFrameWnd::CFrameWnd() : m_impl(std::make_unique<FrameImpl>()) {}

CFrameWnd::~CFrameWnd() {
    // The view goes while its frame is whole; then the window stops calling back into this object.
    m_view.reset();
    if (m_impl->window)
        m_impl->window->frame = nullptr;
}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCT&) {
    return TRUE;
}

BOOL CFrameWnd::LoadFrame(const std::string& title, const CMenu& menu, const std::vector<ACCEL>& accelerators,
                          CDocument* doc, std::unique_ptr<CView> view) {
    if (GetSafeHwnd() || !view)
        return FALSE;
    CREATESTRUCT cs;
    if (!PreCreateWindow(cs))
        return FALSE;
    m_created = cs;
    m_strTitle = title;

    auto* window = new FrameWindow(this);
    m_impl->window = window;
    int cx = cs.cx == CW_USEDEFAULT ? 640 : cs.cx;
    int cy = cs.cy == CW_USEDEFAULT ? 480 : cs.cy;
    if (!AdoptWidget(window, cs.style & ~WS_VISIBLE, {0, 0, cx, cy}, nullptr, 0, false))
        return FALSE;
    if (cs.x != CW_USEDEFAULT && cs.y != CW_USEDEFAULT)
        window->move(cs.x, cs.y);

    for (const MENUPOPUP& popup : menu.Popups()) {
        QMenu* qmenu = window->menuBar()->addMenu(QString::fromStdString(popup.text));
        for (const MENUITEM& item : popup.items) {
            if (item.command == 0) {
                qmenu->addSeparator();
                continue;
            }
            // The text after "\t" is shown at the right; the shortcut itself comes from the table.
            QAction* action = qmenu->addAction(QString::fromStdString(item.text));
            QObject::connect(action, &QAction::triggered, window,
                             [this, id = item.command] { RouteCommand(id); });
            m_impl->actions.emplace_back(item.command, action);
        }
    }
    for (const ACCEL& accel : accelerators) {
        auto* action = new QAction(window);
        action->setShortcut(ShortcutOf(accel));
        action->setShortcutContext(Qt::WindowShortcut);
        QObject::connect(action, &QAction::triggered, window,
                         [this, id = accel.command] { RouteCommand(id); });
        window->addAction(action);
        m_impl->actions.emplace_back(accel.command, action);
    }

    RECT client{0, 0, cx, cy};
    if (!view->Create("", WS_CHILD | WS_VISIBLE, client, this, AFX_IDW_PANE_FIRST))
        return FALSE;
    window->setCentralWidget(view->GetQWidget());
    view->m_pFrame = this;
    m_view = std::move(view);
    if (doc)
        doc->AddView(m_view.get());
    OnUpdateFrameTitle();
    return TRUE;
}

void CFrameWnd::InitialUpdateFrame() {
    ActivateFrame();
    if (m_view)
        m_view->OnInitialUpdate();
    RecalcMinMaxInfo();
    OnUpdateFrameTitle();
}

void CFrameWnd::ActivateFrame() {
    FrameWindow* window = m_impl->window;
    if (!window)
        return;
    window->show();
    window->raise();
    window->activateWindow();
    // The size asked for is the outer frame's; the window's own size leaves room for the decoration,
    // which is known only once the window is shown.
    QSize border = window->frameGeometry().size() - window->geometry().size();
    if (m_created.cx != CW_USEDEFAULT && m_created.cy != CW_USEDEFAULT && border != QSize(0, 0))
        window->resize(m_created.cx - border.width(), m_created.cy - border.height());
}

CDocument* CFrameWnd::GetActiveDocument() const {
    return m_view ? m_view->GetDocument() : nullptr;
}

void CFrameWnd::EnableCommand(UINT id, bool enable) {
    for (const auto& [command, action] : m_impl->actions)
        if (command == id && action)
            action->setEnabled(enable);
}

BOOL CFrameWnd::RouteCommand(UINT id) {
    if (m_view && m_view->OnCmdMsg(id))
        return TRUE;
    if (CDocument* doc = GetActiveDocument(); doc && doc->OnCmdMsg(id))
        return TRUE;
    if (OnCmdMsg(id))
        return TRUE;
    return AfxGetApp() && AfxGetApp()->OnCmdMsg(id);
}

void CFrameWnd::OnUpdateFrameTitle() {
    CDocument* doc = GetActiveDocument();
    if (!doc) {
        SetWindowText(m_strTitle);
        return;
    }
    // Qt shows "[*]" as a mark while the window is modified; a title's own "[*]" is written doubled.
    std::string title = doc->GetTitle();
    for (std::size_t at = 0; (at = title.find("[*]", at)) != std::string::npos; at += 6)
        title.insert(at, "[*]");
    SetWindowText(title + "[*] - " + m_strTitle);
    if (m_impl->window)
        m_impl->window->setWindowModified(doc->IsModified());
}

void CFrameWnd::OnClose() {
    if (CDocument* doc = GetActiveDocument(); doc && !doc->SaveModified())
        return;
    if (m_impl->window)
        m_impl->window->hide();
    CWinApp* app = AfxGetApp();
    if (app && app->m_pMainWnd == this)
        PostQuitMessage(0);
}

BOOL CFrameWnd::OnQueryNewPalette() {
    return FALSE;
}
void CFrameWnd::OnPaletteChanged(CWnd*) {}
void CFrameWnd::OnSysColorChange() {}
void CFrameWnd::OnActivate(UINT, CWnd*, BOOL) {}

void CFrameWnd::RecalcMinMaxInfo() {
    FrameWindow* window = m_impl->window;
    if (!window)
        return;
    MINMAXINFO info{};
    OnGetMinMaxInfo(&info);
    // The limits count the outer frame, as the size does.
    QSize border = window->frameGeometry().size() - window->geometry().size();
    window->setMinimumSize(std::max(0, int(info.ptMinTrackSize.x) - border.width()),
                           std::max(0, int(info.ptMinTrackSize.y) - border.height()));
}
