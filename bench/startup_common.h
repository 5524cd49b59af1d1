#pragma once
// The common end of the two start-up programs: show the window, wait until the window system has
// exposed it (which paints it), and end the process.

#include <QCoreApplication>
#include <QWidget>
#include <QWindow>

inline int showAndEnd(QWidget& window)
{
    window.show();
    QWindow* handle = window.windowHandle();
    while (!handle || !handle->isExposed()) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        handle = window.windowHandle();
    }
    QCoreApplication::processEvents();
    return 0;
}
