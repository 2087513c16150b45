#include "platform/Cursor.h"

#include <QCursor>
#include <QGuiApplication>

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
