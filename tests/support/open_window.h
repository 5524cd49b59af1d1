#pragma once
// Opens the main window the way the program does: fonts registered, window shown and active.

#include <QStringList>
#include <QTest>

#include <memory>

#include "gui/fonts.h"
#include "gui/main_form.h"
#include "support/no_disc_device.h"
#include "support/recording_device.h"

namespace vantoli::test {

inline std::unique_ptr<MainForm> openWindow(std::unique_ptr<CdAudioDevice> device = std::make_unique<NoDiscDevice>())
{
    registerFontSubstitutions();
    auto window = std::make_unique<MainForm>(std::move(device));
    window->show();
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window.get())) return nullptr;
    return window;
}

}  // namespace vantoli::test
