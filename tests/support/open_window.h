#pragma once
// Opens the main window the way the program does: fonts registered, window shown and active. The
// window gets the fake drive, empty unless the test gives it another.

#include <QAction>
#include <QSignalSpy>
#include <QTest>

#include <memory>

#include "gui/fonts.h"
#include "gui/main_form.h"
#include "support/fake_device.h"

namespace vantoli::test {

inline std::unique_ptr<MainForm> openWindow(std::unique_ptr<CdAudioDevice> device = std::make_unique<FakeDevice>())
{
    registerFontSubstitutions();
    auto window = std::make_unique<MainForm>(std::move(device));
    window->show();
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window.get())) return nullptr;
    return window;
}

// Waits until the window's read of files is over (it runs off the window's thread); true when it is.
inline bool waitForRead(MainForm& window)
{
    if (!window.isReading()) return true;
    QSignalSpy read(&window, &MainForm::filesRead);
    return read.wait(20000);
}

// Chooses File > Read from CD and waits until the read is over (the drive is read off the window's
// thread); true when it is.
inline bool readCd(MainForm& window)
{
    QSignalSpy read(&window, &MainForm::discRead);
    window.mnuFileReadCD()->trigger();
    return !read.isEmpty() || read.wait(20000);
}

// The fake drive of a window opened with openWindow.
inline FakeDevice& fakeDrive(MainForm& window) { return static_cast<FakeDevice&>(window.RCD1()); }

}  // namespace vantoli::test
