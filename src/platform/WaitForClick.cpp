#include "platform/WaitForClick.h"

#include "platform/Modal.h"

#include <QApplication>
#include <QEventLoop>
#include <QMouseEvent>
#include <QPointer>

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
class ClickSwallower : public QObject {
public:
    explicit ClickSwallower(QEventLoop* loop) : loop(loop) {
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
        if (left && type == QEvent::MouseButtonRelease) {
            released = true;
        } else if (left && type == QEvent::MouseButtonPress && released) {
            loop->quit();
            loop = nullptr;
        }
        return true;
    }

    // Called when the wait is over for another reason (the application quits): nothing more to swallow.
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
    bool released = false;
    bool finished = false;
};
} // namespace

void WaitForClick() {
    ModalQuestion q;
    q.kind = ModalKind::WaitForClick;
    if (ScriptedAnswer(q) || !qApp)
        return;
    QEventLoop loop;
    // The swallower may be gone already: the whole click can pass inside the loop.
    QPointer<ClickSwallower> swallower = new ClickSwallower(&loop);
    loop.exec();
    if (swallower)
        swallower->Abandon();
}
