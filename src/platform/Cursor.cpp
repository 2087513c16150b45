#include "platform/Cursor.h"

#include "platform/Wnd.h"
#include <QCursor>
#include <QGuiApplication>
#include <QWidget>
#include <iterator>

namespace {
constexpr Qt::CursorShape shapes[] = {Qt::ArrowCursor,   Qt::SizeAllCursor,   Qt::SizeHorCursor,
                                      Qt::SizeVerCursor, Qt::SizeFDiagCursor, Qt::SizeBDiagCursor};
} // namespace

void ShowWaitCursor() {
    if (qGuiApp && !QGuiApplication::overrideCursor())
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

void ShowArrowCursor() {
    if (!qGuiApp)
        return;
    while (QGuiApplication::overrideCursor())
        QGuiApplication::restoreOverrideCursor();
}

void SetWindowCursor(CWnd* wnd, StandardCursor cursor) {
    QWidget* widget = wnd ? wnd->GetQWidget() : nullptr;
    const Qt::CursorShape shape = shapes[int(cursor)];
    // Setting the same shape again would make the platform ask the screen for nothing on every move.
    if (widget && widget->cursor().shape() != shape)
        widget->setCursor(shape);
}

StandardCursor GetWindowCursor(const CWnd* wnd) {
    const QWidget* widget = wnd ? wnd->GetQWidget() : nullptr;
    if (widget)
        for (std::size_t i = 0; i < std::size(shapes); ++i)
            if (widget->cursor().shape() == shapes[i])
                return StandardCursor(i);
    return StandardCursor::arrow;
}
