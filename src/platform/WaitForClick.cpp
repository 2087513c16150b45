#include "platform/WaitForClick.h"

#include "platform/Modal.h"
#include "platform/Wnd.h"

#include <QApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QWidget>

namespace {
bool IsInput(QEvent::Type type) {
    switch (type) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TabletPress:
    case QEvent::TabletMove:
    case QEvent::TabletRelease:
        return true;
    default:
        return false;
    }
}

bool IsLeft(QEvent* event) {
    return static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
}

// Swallows input for the whole application. It ends the wait on the press that follows a release, and then
// also swallows the mouse input of that click up to its release, so that no window sees half a click.
// Escape ends the wait at once.
class ClickSwallower : public QObject {
public:
    // end, written while the loop runs, says how the wait ended.
    ClickSwallower(QEventLoop* loop, QWidget* window, WaitEnd* end) : loop(loop), window(window), end(end) {
        released = !(QGuiApplication::mouseButtons() & Qt::LeftButton);
        qApp->installEventFilter(this);
    }

    bool eventFilter(QObject*, QEvent* event) override {
        QEvent::Type type = event->type();
        if (finished || !IsInput(type))
            return false;
        bool left = (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease ||
                     type == QEvent::MouseButtonDblClick) &&
                    IsLeft(event);
        if (!loop) {
            // The rest of the click that ended the wait. A new press means its release was lost.
            if (left && type == QEvent::MouseButtonPress) {
                Finish();
                return false;
            }
            if (left && type == QEvent::MouseButtonRelease)
                Finish();
            return left || type == QEvent::MouseMove || type == QEvent::Wheel;
        }
        if (type == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
            *end = WaitEnd::escape;
            loop->quit();
            Abandon();
        } else if (left && type == QEvent::MouseButtonRelease) {
            released = true;
        } else if (left && type == QEvent::MouseButtonPress && released) {
            const QPoint at = static_cast<QMouseEvent*>(event)->globalPosition().toPoint();
            *end = window && QRect(window->mapToGlobal(QPoint(0, 0)), window->size()).contains(at)
                       ? WaitEnd::clickOnWindow
                       : WaitEnd::clickElsewhere;
            loop->quit();
            loop = nullptr;
        }
        return true;
    }

    // Called when the wait is over without a click (Escape, or the application quits): nothing more to
    // swallow.
    void Abandon() {
        if (loop)
            Finish();
        loop = nullptr;
    }

    void Finish() {
        finished = true;
        deleteLater();
    }

    QEventLoop* loop;
    QPointer<QWidget> window;
    WaitEnd* end;
    bool released = false;
    bool finished = false;
};
} // namespace

WaitEnd WaitForClick(const CWnd* window) {
    ModalQuestion q;
    q.kind = ModalKind::WaitForClick;
    if (const auto answer = ScriptedAnswer(q))
        return answer->result == IDOK   ? WaitEnd::clickOnWindow
               : answer->result == IDNO ? WaitEnd::clickElsewhere
                                        : WaitEnd::escape;
    if (!qApp)
        return WaitEnd::escape;
    QEventLoop loop;
    // Escape unless a click ends it, also when the application quits.
    WaitEnd end = WaitEnd::escape;
    // The swallower may be gone already: the whole click can pass inside the loop.
    QPointer<ClickSwallower> swallower =
        new ClickSwallower(&loop, window ? window->GetQWidget() : nullptr, &end);
    loop.exec();
    if (swallower)
        swallower->Abandon();
    return end;
}
