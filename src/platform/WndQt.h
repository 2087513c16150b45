#pragma once
// Platform side of CWnd: the link between a window object and its widget. Only src/platform includes this.

#include "platform/Wnd.h"
#include <QEvent>
#include <QImage>
#include <QObject>
#include <QPointer>
#include <QWidget>
#include <memory>

class QKeyEvent;
class QMouseEvent;

// Watches the widget of a window and turns its Qt events into the window's messages. A child of the
// widget, so it goes when the widget goes; the window cuts the link before it dies itself.
class WndEventLink : public QObject {
public:
    explicit WndEventLink(CWnd::Impl* impl, QWidget* widget);
    bool eventFilter(QObject* watched, QEvent* event) override;
    CWnd::Impl* impl;
};

// The pixels of a window. Contexts share it, so that one still open when its window is resized or gone
// draws into the old pixels instead of freed memory.
struct WndSurface {
    QImage image;
    // Inside the Qt paint event: contexts released now are copied by this very paint.
    bool inPaint = false;
};

struct CWnd::Impl {
    explicit Impl(CWnd* self) : self(self) {}
    ~Impl();

    void Attach(QWidget* w, DWORD style, const RECT& rect, CWnd* parentWnd, UINT ctrlId, bool showSurface);
    // Deletes the widget (and with it its children) after cutting the link to this object.
    void Destroy();

    // The surface's pixels, made at the window's size on first use (none while it has no area): a window
    // is placed and sized several times before anything is drawn, and a window that paints itself
    // never needs them.
    QImage* Surface();
    void Invalidate(bool erase);
    // The paint message: erase when asked, then OnPaint, into the surface.
    void RunPaintMessage();
    void Paint(const QRect& area);
    void Resized(const QSize& size);
    // Returns whether the event is done with (the widget must not see it).
    bool Mouse(QEvent::Type type, QMouseEvent* event);
    // Returns whether the key was one of OnKeyDown's, for a plain window (a widget of Qt's keeps its own).
    bool Key(QKeyEvent* event);
    // A drag of local files is welcome; a drop of them goes to OnDropFiles. Returns whether the event
    // was one.
    bool Drop(QEvent* event);
    // The window whose widget is the innermost at pos (widget coordinates): a child's, or this one.
    CWnd* WindowAt(const QPoint& pos) const;
    // Whether the window of the link a handler started from still exists: handlers may end the window,
    // and the object with it, so nothing of the object is touched after one unless this holds.
    static bool Alive(const QPointer<WndEventLink>& guard);

    CWnd* self;
    QPointer<QWidget> widget;
    QPointer<WndEventLink> link;
    CWnd* parent = nullptr;
    UINT id = 0;
    // The widget shows the surface (else it paints itself, like a push button drawn by Qt).
    bool ownSurface = true;
    // Mouse presses stop here instead of travelling on to the parent widget.
    bool keepMouse = true;
    // Keys pressed while it has the focus go to OnKeyDown.
    bool ownKeys = false;
    std::shared_ptr<WndSurface> surface = std::make_shared<WndSurface>();
    bool paintPending = false;
    bool erasePending = false;
};

// Marks the time a window's handler runs. A window may be destroyed from inside a handler (its own or
// another's), while Qt is still delivering an event to its widget or to an ancestor; so then widgets are
// hidden at once and deleted when the event is over.
class WndHandlerScope {
public:
    WndHandlerScope() { ++depth; }
    ~WndHandlerScope() { --depth; }
    WndHandlerScope(const WndHandlerScope&) = delete;
    WndHandlerScope& operator=(const WndHandlerScope&) = delete;
    static bool Active() { return depth > 0; }

private:
    static inline int depth = 0;
};

// The key and button state of a mouse event as MK_* flags.
UINT MouseFlags(const QMouseEvent* event);
