#pragma once
// A window's title as the title bar shows it: Qt's "[*]" is "*" while the window is modified, else gone;
// "[*][*]" is a "[*]" of the title's own.

#include <QWidget>
#include <string>

inline std::string ShownTitle(const QWidget* window) {
    const std::string title = window->windowTitle().toStdString(), mark = "[*]";
    std::string shown;
    for (std::size_t i = 0; i < title.size();) {
        if (title.compare(i, 6, mark + mark) == 0) {
            shown += mark;
            i += 6;
        } else if (title.compare(i, 3, mark) == 0) {
            shown += window->isWindowModified() ? "*" : "";
            i += 3;
        } else {
            shown += title[i++];
        }
    }
    return shown;
}
