#include "gui/secondary_window.h"

#include <QApplication>
#include <QKeyEvent>
#include <QScreen>

#include <algorithm>

#include "gui/fonts.h"

namespace vantoli {

namespace {

// A tool window stays out of the task bar; the customised hints leave only the title and the close box.
constexpr Qt::WindowFlags FrameFlags = Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                       Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint;

}  // namespace

SecondaryWindow::SecondaryWindow(const QString& name, const QString& title, QSize clientTwips)
    : QWidget(nullptr, FrameFlags)
{
    setObjectName(name);
    setWindowTitle(title);
    setAttribute(Qt::WA_DeleteOnClose);
    // Closing the main window ends the program even while this window is open.
    setAttribute(Qt::WA_QuitOnClose, false);
    setFont(windowFont());
    setFixedSize(twipsSize(clientTwips.width(), clientTwips.height()));
}

SecondaryWindow::SecondaryWindow(const QString& name, Ja title, QSize clientTwips)
    : SecondaryWindow(name, QString(), clientTwips)
{
    showText(this, title);
}

void SecondaryWindow::placeClientAt(QPoint screenTwips)
{
    // setGeometry places the client area (move() would place the frame).
    QRect client(QPoint(twips(screenTwips.x()), twips(screenTwips.y())), size());
    const QWidgetList windows = QApplication::topLevelWidgets();
    const auto main = std::find_if(windows.begin(), windows.end(), [](const QWidget* w) {
        return w->objectName() == QLatin1String("MainForm") && w->isVisible() && !w->isMinimized();
    });
    if (main != windows.end()) {
        // The frame is taken to be the main window's, since this window has not been framed yet.
        const QRect ownerFrame = (*main)->frameGeometry();
        const QRect ownerClient = (*main)->geometry();
        const QMargins frame(ownerClient.left() - ownerFrame.left(), ownerClient.top() - ownerFrame.top(),
                             ownerFrame.right() - ownerClient.right(), ownerFrame.bottom() - ownerClient.bottom());
        const QRect screen = (*main)->screen()->availableGeometry();
        QRect framed = client.marginsAdded(frame);
        framed.moveCenter(ownerFrame.center());
        framed.moveLeft(std::clamp(framed.left(), screen.left(), std::max(screen.left(), screen.right() + 1 - framed.width())));
        framed.moveTop(std::clamp(framed.top(), screen.top(), std::max(screen.top(), screen.bottom() + 1 - framed.height())));
        client = framed.marginsRemoved(frame);
    }
    setGeometry(client);
}

void SecondaryWindow::setDefaultButton(QPushButton* button)
{
    defaultButton_ = button;
    button->setDefault(true);
}

void SecondaryWindow::setCancelButton(QPushButton* button) { cancelButton_ = button; }

void SecondaryWindow::keyPressEvent(QKeyEvent* event)
{
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    QPushButton* button = nullptr;
    if (plain && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter))
        button = defaultButton_;
    else if (plain && event->key() == Qt::Key_Escape)
        button = cancelButton_;
    if (button && button->isEnabled()) {
        button->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

}  // namespace vantoli
