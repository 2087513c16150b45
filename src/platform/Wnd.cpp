#include "platform/Wnd.h"

#include "platform/DC.h"
#include "platform/WndQt.h"

#include <QAbstractButton>
#include <QDropEvent>
#include <QFile>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QUrl>
#include <optional>
#include <utility>

UINT MouseFlags(const QMouseEvent* event) {
    UINT flags = 0;
    if (event->buttons() & Qt::LeftButton)
        flags |= MK_LBUTTON;
    if (event->buttons() & Qt::RightButton)
        flags |= MK_RBUTTON;
    if (event->modifiers() & Qt::ShiftModifier)
        flags |= MK_SHIFT;
    if (event->modifiers() & Qt::ControlModifier)
        flags |= MK_CONTROL;
    return flags;
}

WndEventLink::WndEventLink(CWnd::Impl* impl, QWidget* widget) : QObject(widget), impl(impl) {
    widget->installEventFilter(this);
}

bool WndEventLink::eventFilter(QObject* watched, QEvent* event) {
    if (!impl || watched != impl->widget)
        return false;
    WndHandlerScope scope;
    switch (event->type()) {
    case QEvent::Paint:
        if (!impl->ownSurface)
            return false;
        impl->Paint(static_cast<QPaintEvent*>(event)->rect());
        return true;
    case QEvent::Resize:
        impl->Resized(impl->widget->size());
        return false;
    case QEvent::MouseMove:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
        return impl->Mouse(event->type(), static_cast<QMouseEvent*>(event));
    case QEvent::KeyPress:
        return impl->Key(static_cast<QKeyEvent*>(event));
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
        return impl->Drop(event);
    default:
        return false;
    }
}

namespace {
// The local files among the dragged data, as the file system names them.
std::vector<std::string> LocalFiles(const QMimeData* data) {
    std::vector<std::string> paths;
    if (data)
        for (const QUrl& url : data->urls())
            if (url.isLocalFile())
                paths.push_back(QFile::encodeName(url.toLocalFile()).toStdString());
    return paths;
}
} // namespace

bool CWnd::Impl::Drop(QEvent* event) {
    // Enter and move events are drop events too, that tell what would be dropped.
    auto* drop = static_cast<QDropEvent*>(event);
    const std::vector<std::string> paths = LocalFiles(drop->mimeData());
    if (paths.empty())
        return false;
    CWnd* target = WindowAt(drop->position().toPoint());
    // The drag must be welcome on entering, so that its moves follow; a move or drop over a place that
    // takes no files is refused there.
    if (event->type() != QEvent::DragEnter && !self->CanDropFilesOn(target)) {
        drop->ignore();
        return true;
    }
    drop->acceptProposedAction();
    // The handler may end the window: nothing of it is touched afterwards.
    if (event->type() == QEvent::Drop)
        self->OnDropFiles(paths, target);
    return true;
}

CWnd* CWnd::Impl::WindowAt(const QPoint& pos) const {
    // The link has no meta-object of its own, so findChild would take any child for it.
    for (QWidget* w = widget ? widget->childAt(pos) : nullptr; w && w != widget; w = w->parentWidget())
        for (QObject* child : w->children())
            if (auto* link = dynamic_cast<WndEventLink*>(child); link && link->impl)
                return link->impl->self;
    return self;
}

CWnd::Impl::~Impl() {
    Destroy();
}

void CWnd::Impl::Attach(QWidget* w, DWORD style, const RECT& rect, CWnd* parentWnd, UINT ctrlId,
                        bool showSurface) {
    widget = w;
    parent = parentWnd;
    id = ctrlId;
    ownSurface = showSurface;
    w->setMouseTracking(true);
    // A window hears the mouse over itself only: what its widget ignores (a push button ignores moves
    // without a press) does not travel on to the parent.
    w->setAttribute(Qt::WA_NoMousePropagation);
    w->setGeometry(rect.left, rect.top, std::max(rect.Width(), 0), std::max(rect.Height(), 0));
    surface = std::make_shared<WndSurface>();
    if (ownSurface) {
        // The surface is the whole picture: Qt need not clear behind it.
        w->setAttribute(Qt::WA_OpaquePaintEvent);
    }
    paintPending = erasePending = true;
    link = new WndEventLink(this, w);
    if (w->isWindow()) {
        MINMAXINFO info{};
        info.ptMaxTrackSize = {QWIDGETSIZE_MAX, QWIDGETSIZE_MAX};
        self->OnGetMinMaxInfo(&info);
        // A limit left at zero (or below) is no limit: a window is never made to vanish.
        auto limit = [](LONG v, LONG none) { return v > 0 ? std::min<LONG>(v, QWIDGETSIZE_MAX) : none; };
        w->setMinimumSize(limit(info.ptMinTrackSize.x, 0), limit(info.ptMinTrackSize.y, 0));
        w->setMaximumSize(limit(info.ptMaxTrackSize.x, QWIDGETSIZE_MAX),
                          limit(info.ptMaxTrackSize.y, QWIDGETSIZE_MAX));
    }
    w->setEnabled(!(style & WS_DISABLED));
    w->setVisible(style & WS_VISIBLE);
}

void CWnd::Impl::Destroy() {
    if (link)
        link->impl = nullptr;
    link = nullptr;
    if (widget && WndHandlerScope::Active()) {
        // Until it goes, the widget shows nothing and tells nobody anything.
        widget->hide();
        widget->blockSignals(true);
        widget->deleteLater();
    } else {
        delete widget.data();
    }
    widget = nullptr;
    parent = nullptr;
    id = 0;
    surface = std::make_shared<WndSurface>();
    paintPending = erasePending = false;
}

QImage* CWnd::Impl::Surface() {
    if (surface->image.isNull() && widget && !widget->size().isEmpty()) {
        surface->image = QImage(widget->size(), QImage::Format_RGB32);
        surface->image.fill(widget->palette().color(QPalette::Window));
    }
    return &surface->image;
}

void CWnd::Impl::Invalidate(bool erase) {
    if (!widget)
        return;
    paintPending = true;
    erasePending = erasePending || erase;
    if (!surface->inPaint)
        widget->update();
}

bool CWnd::Impl::Alive(const QPointer<WndEventLink>& guard) {
    return guard && guard->impl;
}

void CWnd::Impl::RunPaintMessage() {
    if (!paintPending || !widget)
        return;
    QPointer<WndEventLink> guard = link;
    paintPending = false;
    if (erasePending) {
        erasePending = false;
        std::shared_ptr<WndSurface> target = surface;
        std::unique_ptr<CDC> dc = CDC::ForImage(Surface());
        self->OnEraseBkgnd(dc.get());
    }
    if (Alive(guard))
        self->OnPaint();
}

void CWnd::Impl::Paint(const QRect& area) {
    QPointer<WndEventLink> guard = link;
    std::shared_ptr<WndSurface> painting = surface;
    painting->inPaint = true;
    RunPaintMessage();
    painting->inPaint = false;
    if (!Alive(guard))
        return;
    QPainter painter(widget);
    painter.drawImage(area, *Surface(), area);
}

void CWnd::Impl::Resized(const QSize& size) {
    // Pixels not made yet are made at the new size when first used.
    if (!surface->image.isNull() && size != surface->image.size()) {
        auto resized = std::make_shared<WndSurface>();
        resized->image = QImage(size, QImage::Format_RGB32);
        // A window without area (a control not yet laid out) has nothing to keep.
        if (!resized->image.isNull()) {
            resized->image.fill(widget->palette().color(QPalette::Window));
            QPainter copy(&resized->image);
            copy.setCompositionMode(QPainter::CompositionMode_Source);
            copy.drawImage(0, 0, surface->image);
        }
        resized->inPaint = surface->inPaint;
        surface = std::move(resized);
    }
    QPointer<WndEventLink> guard = link;
    self->OnSize(widget->isMaximized() ? SIZE_MAXIMIZED : SIZE_RESTORED, size.width(), size.height());
    if (Alive(guard))
        Invalidate(true);
}

bool CWnd::Impl::Mouse(QEvent::Type type, QMouseEvent* event) {
    QPoint p = event->position().toPoint();
    POINT point{p.x(), p.y()};
    UINT flags = MouseFlags(event);
    // Read before the handler runs: it may end this object.
    bool done = keepMouse;
    switch (type) {
    case QEvent::MouseMove:
        self->OnMouseMove(flags, point);
        break;
    case QEvent::MouseButtonPress:
        if (event->button() == Qt::LeftButton)
            self->OnLButtonDown(flags, point);
        break;
    case QEvent::MouseButtonRelease:
        if (event->button() == Qt::LeftButton)
            self->OnLButtonUp(flags, point);
        break;
    default:
        if (event->button() == Qt::LeftButton)
            self->OnLButtonDblClk(flags, point);
        break;
    }
    return done;
}

namespace {
// The modifiers of the key event a handler runs for: what the event says is what the user held.
std::optional<Qt::KeyboardModifiers> keyEventModifiers;
} // namespace

int GetKeyState(int key) {
    const Qt::KeyboardModifiers held = keyEventModifiers.value_or(QGuiApplication::keyboardModifiers());
    const bool down = (key == int(VK_SHIFT) && (held & Qt::ShiftModifier)) ||
                      (key == int(VK_CONTROL) && (held & Qt::ControlModifier)) ||
                      (key == int(VK_LBUTTON) && (QGuiApplication::mouseButtons() & Qt::LeftButton));
    return down ? -128 : 0;
}

bool CWnd::Impl::Key(QKeyEvent* event) {
    if (!ownKeys)
        return false;
    static constexpr std::pair<int, UINT> keys[] = {{Qt::Key_Tab, VK_TAB},       {Qt::Key_Backtab, VK_TAB},
                                                    {Qt::Key_Escape, VK_ESCAPE}, {Qt::Key_PageUp, VK_PRIOR},
                                                    {Qt::Key_PageDown, VK_NEXT}, {Qt::Key_Left, VK_LEFT},
                                                    {Qt::Key_Up, VK_UP},         {Qt::Key_Right, VK_RIGHT},
                                                    {Qt::Key_Down, VK_DOWN},     {Qt::Key_Delete, VK_DELETE}};
    for (const auto& [qt, vk] : keys) {
        if (event->key() == qt) {
            const std::optional<Qt::KeyboardModifiers> outer = keyEventModifiers;
            keyEventModifiers = event->modifiers();
            self->OnKeyDown(vk, UINT(std::max(event->count(), 1)), 0);
            keyEventModifiers = outer;
            return true;
        }
    }
    return false;
}

CWnd::CWnd() : d(std::make_unique<Impl>(this)) {}

const CWnd CWnd::wndBottom;

CWnd::~CWnd() = default;

BOOL CWnd::Create(const std::string& title, DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    if (d->widget || (parent && !parent->d->widget))
        return FALSE;
    auto* w = new QWidget(parent ? parent->d->widget.data() : nullptr);
    w->setWindowTitle(QString::fromStdString(title));
    d->keepMouse = true;
    d->ownKeys = true;
    d->Attach(w, style, rect, parent, id, true);
    return TRUE;
}

BOOL CWnd::AdoptWidget(QWidget* widget, DWORD style, const RECT& rect, CWnd* parent, UINT id,
                       bool ownSurface) {
    if (!widget || d->widget) {
        // Taking ownership means deleting what cannot be used.
        if (widget != d->widget)
            delete widget;
        return FALSE;
    }
    // A new Qt parent, keeping the widget's kind (a dialog stays a window of its own). A widget made
    // without a parent counts as a plain window and becomes a child.
    if (parent && parent->d->widget && widget->parentWidget() != parent->d->widget)
        widget->setParent(parent->d->widget,
                          widget->windowType() == Qt::Window ? Qt::Widget : widget->windowFlags());
    d->keepMouse = false;
    d->ownKeys = false;
    // What the widget leaves of a mouse message never reaches the parent window: a move over a button
    // is not a move over the view.
    widget->setAttribute(Qt::WA_NoMousePropagation);
    d->Attach(widget, style, rect, parent, id, ownSurface);
    return TRUE;
}

BOOL CWnd::DestroyWindow() {
    if (!d->widget)
        return FALSE;
    d->Destroy();
    return TRUE;
}

CWnd* CWnd::GetSafeHwnd() const {
    return d->widget ? const_cast<CWnd*>(this) : nullptr;
}
UINT CWnd::GetDlgCtrlID() const {
    return d->widget ? d->id : 0;
}
CWnd* CWnd::GetParent() const {
    return d->widget ? d->parent : nullptr;
}
QWidget* CWnd::GetQWidget() const {
    return d->widget;
}

void CWnd::MoveWindow(int x, int y, int width, int height, BOOL repaint) {
    SetWindowPos(nullptr, x, y, width, height, SWP_NOZORDER | (repaint ? 0 : SWP_NOREDRAW));
}

void CWnd::MoveWindow(const RECT& rect, BOOL repaint) {
    MoveWindow(rect.left, rect.top, rect.Width(), rect.Height(), repaint);
}

BOOL CWnd::SetWindowPos(const CWnd* insertAfter, int x, int y, int width, int height, UINT flags) {
    QWidget* w = d->widget;
    if (!w)
        return FALSE;
    if (!(flags & SWP_NOZORDER) && insertAfter == &wndBottom)
        w->lower();
    if (!(flags & SWP_NOMOVE))
        w->move(x, y);
    if (!(flags & SWP_NOSIZE))
        w->resize(std::max(width, 0), std::max(height, 0));
    if (flags & SWP_SHOWWINDOW)
        w->show();
    if (flags & SWP_HIDEWINDOW)
        w->hide();
    return TRUE;
}

BOOL CWnd::EnableWindow(BOOL enable) {
    if (!d->widget)
        return FALSE;
    BOOL wasDisabled = !IsWindowEnabled();
    d->widget->setEnabled(enable);
    return wasDisabled;
}

BOOL CWnd::IsWindowEnabled() const {
    // The window's own state, whatever its parent's.
    return d->widget && !d->widget->testAttribute(Qt::WA_ForceDisabled);
}

void CWnd::SetFocus() {
    if (d->widget)
        d->widget->setFocus(Qt::OtherFocusReason);
}

void CWnd::Invalidate(BOOL erase) {
    d->Invalidate(erase);
}

void CWnd::InvalidateRect(const RECT*, BOOL erase) {
    d->Invalidate(erase);
}

void CWnd::ValidateRect(const RECT*) {
    d->paintPending = d->erasePending = false;
}

void CWnd::UpdateWindow() {
    if (d->widget && d->paintPending && !d->surface->inPaint && d->widget->isVisible())
        d->widget->repaint();
}

void CWnd::GetClientRect(RECT* rect) const {
    if (!rect)
        return;
    *rect = {};
    if (d->widget)
        *rect = {0, 0, d->widget->width(), d->widget->height()};
}

void CWnd::SetWindowText(const std::string& text) {
    QWidget* w = d->widget;
    QString s = QString::fromStdString(text);
    if (auto* button = qobject_cast<QAbstractButton*>(w))
        button->setText(s);
    else if (auto* label = qobject_cast<QLabel*>(w))
        label->setText(s);
    else if (auto* line = qobject_cast<QLineEdit*>(w))
        line->setText(s);
    else if (auto* edit = qobject_cast<QPlainTextEdit*>(w))
        edit->setPlainText(s);
    else if (w)
        w->setWindowTitle(s);
}

std::string CWnd::GetWindowText() const {
    QWidget* w = d->widget;
    QString s;
    if (auto* button = qobject_cast<QAbstractButton*>(w))
        s = button->text();
    else if (auto* label = qobject_cast<QLabel*>(w))
        s = label->text();
    else if (auto* line = qobject_cast<QLineEdit*>(w))
        s = line->text();
    else if (auto* edit = qobject_cast<QPlainTextEdit*>(w))
        s = edit->toPlainText();
    else if (w)
        s = w->windowTitle();
    return s.toStdString();
}

CDC* CWnd::GetDC() {
    if (!d->widget)
        return nullptr;
    // Inside a paint the surface is copied right after; otherwise the screen needs a fresh copy.
    return CDC::ForImage(d->Surface(),
                         [surface = d->surface, widget = d->widget] {
                             if (widget && !surface->inPaint)
                                 widget->update();
                         })
        .release();
}

int CWnd::ReleaseDC(CDC* dc) {
    delete dc;
    return dc ? 1 : 0;
}

void CWnd::OnPaint() {
    ValidateRect(nullptr);
}

BOOL CWnd::OnEraseBkgnd(CDC* dc) {
    if (!dc || !d->widget)
        return FALSE;
    QColor c = d->widget->palette().color(QPalette::Window);
    RECT client;
    GetClientRect(&client);
    dc->FillSolidRect(client, RGB(c.red(), c.green(), c.blue()));
    return TRUE;
}

void CWnd::OnMouseMove(UINT, POINT) {}
void CWnd::OnLButtonDown(UINT, POINT) {}
void CWnd::OnLButtonUp(UINT, POINT) {}
// A window that does not tell double clicks apart sees the second press as a press.
void CWnd::OnLButtonDblClk(UINT flags, POINT point) {
    OnLButtonDown(flags, point);
}
void CWnd::OnKeyDown(UINT, UINT, UINT) {}
void CWnd::OnSize(UINT, int, int) {}
bool CWnd::CanDropFilesOn(CWnd*) const {
    return true;
}
void CWnd::OnDropFiles(const std::vector<std::string>&, CWnd*) {}

void CWnd::DragAcceptFiles(BOOL accept) {
    if (d->widget)
        d->widget->setAcceptDrops(accept);
}
void CWnd::OnGetMinMaxInfo(MINMAXINFO*) {}
