#pragma once
// Small helpers shared by the window tests.

#include <QApplication>
#include <QFile>
#include <QWidget>

#include "gui/twips.h"

namespace vantoli::test {

// The shared libraries this process has loaded, as the kernel lists its mappings: what a window
// must not pull in (a sound library, Qt's print support before the first print).
inline QByteArray loadedLibraries()
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly) ? maps.readAll() : QByteArray();
}

// How many top-level windows of this name are on the screen.
inline int shownWindows(const QString& name)
{
    int count = 0;
    for (QWidget* widget : QApplication::topLevelWidgets())
        count += widget->objectName() == name && widget->isVisible();
    return count;
}

// How many top-level windows of this name exist, shown or not (after deferred deletions have run).
inline int existingWindows(const QString& name)
{
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    int count = 0;
    for (QWidget* widget : QApplication::topLevelWidgets()) count += widget->objectName() == name;
    return count;
}

}  // namespace vantoli::test
