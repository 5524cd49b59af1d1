#pragma once
// The batch-settings window: both planning options at once. Its two check boxes are a working copy of
// the tick marks of the main window's option items, which OptOK writes back.

#include <QPointer>

#include "gui/secondary_window.h"
#include "gui/single_window.h"

class QAction;
class QCheckBox;

namespace vantoli {

class Dialog : public SecondaryWindow {
    Q_OBJECT
public:
    // keepOrder and fiveSecondGap are the main window's option items mnuSettingCD and mnuSetting5sec.
    Dialog(QAction* keepOrder, QAction* fiveSecondGap);

    // Copies the tick marks of the option items into the boxes.
    void Form_Load();
    // Ticks both boxes; the option items do not change yet.
    void OptAll_Click();
    // Clears both boxes; the option items do not change yet.
    void OptClr_Click();
    // Sets both option items from the boxes, then closes the window.
    void OptOK_Click();

private:
    QPointer<QAction> keepOrder_;
    QPointer<QAction> fiveSecondGap_;
    QCheckBox* OptChk1;
    QCheckBox* OptChk2;
};

// The settings command of the main window (mnuSettingAll_Click):
//     showDialog(dialog_, mnuSettingCD, mnuSetting5sec);
// with `SingleWindow<Dialog> dialog_` a member of the main window. Loads the window, copying the tick
// marks, only when it is not open; an open window is just brought to the front with its boxes as they
// are. The main window stays usable meanwhile; a change made from the menu while the window is open is
// overridden by OptOK, and closing the window by its close box applies nothing.
Dialog* showDialog(SingleWindow<Dialog>& dialog, QAction* keepOrder, QAction* fiveSecondGap);

}  // namespace vantoli
