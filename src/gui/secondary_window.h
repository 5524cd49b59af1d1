#pragma once
// What the three small windows (settings, report, About) have in common: a fixed-size frame with a
// title bar and a close box, no minimise or maximise button, not listed in the task bar, the window
// font, controls placed from a layout table in twips, and the keys Enter and Esc.

#include <QPoint>
#include <QPushButton>
#include <QSize>
#include <QString>
#include <QWidget>

#include "gui/layout_table.h"
#include "gui/translation.h"

class QKeyEvent;

namespace vantoli {

class SecondaryWindow : public QWidget {
    Q_OBJECT
public:
    // The window deletes itself when it is closed, so that the next use loads it anew.
    SecondaryWindow(const QString& name, const QString& title, QSize clientTwips);
    // The same with a title shown in the user's language.
    SecondaryWindow(const QString& name, Ja title, QSize clientTwips);

protected:
    // Centres the window over the program's main window when it is shown, within its screen; without
    // one, puts the client area's top-left corner at a fixed point of the screen, given in twips.
    void placeClientAt(QPoint screenTwips);
    // Enter presses the default button and Esc the cancel button, wherever the focus is; a window
    // without them ignores the key. A focused push button takes Enter itself (see addControl).
    void setDefaultButton(QPushButton* button);
    void setCancelButton(QPushButton* button);

    void keyPressEvent(QKeyEvent* event) override;

private:
    QPushButton* defaultButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
};

}  // namespace vantoli
