#pragma once
// Holder for a window of which the program keeps at most one: created on first use, created anew on the
// next use after it was closed, and merely brought to the front while it is open.

#include <QPointer>
#include <QWidget>

#include <utility>

namespace vantoli {

// The window class must delete itself when it is closed (Qt::WA_DeleteOnClose); its constructor does what
// loading the window does. The holder owns the window: destroying the holder (with the main window that
// keeps it) closes the window too.
//
// The main window keeps one holder per kind of window as a member and opens the window through the
// window's own show function (showDialog, showReport, showVersion).
template <typename Window>
class SingleWindow {
public:
    SingleWindow() = default;
    SingleWindow(const SingleWindow&) = delete;
    SingleWindow& operator=(const SingleWindow&) = delete;
    ~SingleWindow() { delete window_.data(); }

    // The open window, or nullptr when it is not loaded. A window that has been closed counts as not
    // loaded even before Qt has got round to deleting it.
    Window* window() const { return window_ && !window_->isHidden() ? window_.data() : nullptr; }

    // The open window, or a new one built from the arguments when none is open. The caller shows the
    // window straight away.
    template <typename... Args>
    Window* load(Args&&... args)
    {
        if (Window* open = window()) return open;
        window_ = new Window(std::forward<Args>(args)...);
        return window_.data();
    }

    // Closes the window if it is open.
    void unload()
    {
        if (Window* open = window()) open->close();
    }

private:
    QPointer<Window> window_;
};

// Shows a modeless window, or brings it to the front when it is already shown.
inline void bringToFront(QWidget* window)
{
    window->show();
    window->raise();
    window->activateWindow();
}

}  // namespace vantoli
