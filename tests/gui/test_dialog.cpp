#include <QAction>
#include <QCheckBox>
#include <QPushButton>
#include <QWindow>
#include <QtTest>

#include "gui/dialog.h"
#include "gui/fonts.h"
#include "support/modal_answerer.h"
#include "support/window_checks.h"

using namespace vantoli;
using vantoli::test::existingWindows;
using vantoli::test::shownWindows;

namespace {

// The main window's two option items, ticked as at every start.
struct OptionItems {
    QAction mnuSettingCD{QStringLiteral("オリジナルの曲順にこだわる")};
    QAction mnuSetting5sec{QStringLiteral("曲の間に 5秒のブランクをいれる")};
    OptionItems(bool keepOrder = true, bool fiveSecondGap = true)
    {
        mnuSettingCD.setCheckable(true);
        mnuSetting5sec.setCheckable(true);
        mnuSettingCD.setChecked(keepOrder);
        mnuSetting5sec.setChecked(fiveSecondGap);
    }
    QPair<bool, bool> ticks() const { return {mnuSettingCD.isChecked(), mnuSetting5sec.isChecked()}; }
};

QCheckBox* box(QWidget* dialog, const char* name) { return dialog->findChild<QCheckBox*>(name); }
QPushButton* button(QWidget* dialog, const char* name) { return dialog->findChild<QPushButton*>(name); }
QPair<bool, bool> boxes(QWidget* dialog)
{
    return {box(dialog, "OptChk1")->isChecked(), box(dialog, "OptChk2")->isChecked()};
}

}  // namespace

class TestDialog : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { registerFontSubstitutions(); }
    void cleanup() { QCOMPARE(existingWindows("Dialog"), 0); }

    // Fixed size and place, close box only, out of the task bar, modeless.
    void frame()
    {
        OptionItems items;
        SingleWindow<Dialog> holder;
        Dialog* dialog = showDialog(holder, &items.mnuSettingCD, &items.mnuSetting5sec);
        QCOMPARE(dialog->windowTitle(), QString("設定"));
        QCOMPARE(dialog->geometry(), twipsRect(2760, 3750, 4410, 2025));
        QCOMPARE(dialog->minimumSize(), dialog->maximumSize());
        QCOMPARE(dialog->windowFlags() &
                     (Qt::WindowType_Mask | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint),
                 Qt::Tool | Qt::WindowCloseButtonHint);
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
    }

    // clang-format off
    void loadCopiesTheMenuTicks_data()
    {
        QTest::addColumn<bool>("keepOrder");
        QTest::addColumn<bool>("fiveSecondGap");
        QTest::newRow("both ticked, as at start") << true << true;
        QTest::newRow("keep order only") << true << false;
        QTest::newRow("gap only") << false << true;
        QTest::newRow("neither") << false << false;
    }
    // clang-format on
    void loadCopiesTheMenuTicks()
    {
        QFETCH(bool, keepOrder);
        QFETCH(bool, fiveSecondGap);
        OptionItems items(keepOrder, fiveSecondGap);
        SingleWindow<Dialog> holder;
        Dialog* dialog = showDialog(holder, &items.mnuSettingCD, &items.mnuSetting5sec);
        QCOMPARE(boxes(dialog), qMakePair(keepOrder, fiveSecondGap));
    }

    // Buttons and box clicks change only the boxes; OptOK writes them to the menu items and closes.
    // clang-format off
    void roundTripThroughTheWindow_data()
    {
        QTest::addColumn<bool>("keepOrder");
        QTest::addColumn<bool>("fiveSecondGap");
        QTest::addColumn<QStringList>("clicks");
        QTest::addColumn<bool>("keepOrderAfter");
        QTest::addColumn<bool>("fiveSecondGapAfter");
        QTest::newRow("clear unticks both") << true << true << QStringList{"OptClr"} << false << false;
        QTest::newRow("all ticks both") << false << false << QStringList{"OptAll"} << true << true;
        QTest::newRow("OK alone keeps the ticks") << false << true << QStringList{} << false << true;
        QTest::newRow("clear, then tick order") << true << true << QStringList{"OptClr", "OptChk1"} << true << false;
        QTest::newRow("all, then untick gap") << false << false << QStringList{"OptAll", "OptChk2"} << true << false;
        QTest::newRow("box clicked twice") << true << false << QStringList{"OptChk2", "OptChk2"} << true << false;
    }
    // clang-format on
    void roundTripThroughTheWindow()
    {
        QFETCH(bool, keepOrder);
        QFETCH(bool, fiveSecondGap);
        QFETCH(QStringList, clicks);
        QFETCH(bool, keepOrderAfter);
        QFETCH(bool, fiveSecondGapAfter);
        OptionItems items(keepOrder, fiveSecondGap);
        SingleWindow<Dialog> holder;
        Dialog* dialog = showDialog(holder, &items.mnuSettingCD, &items.mnuSetting5sec);
        for (const QString& name : clicks) QTest::mouseClick(dialog->findChild<QAbstractButton*>(name), Qt::LeftButton);
        QCOMPARE(items.ticks(), qMakePair(keepOrder, fiveSecondGap));

        QTest::mouseClick(button(dialog, "OptOK"), Qt::LeftButton);
        QCOMPARE(items.ticks(), qMakePair(keepOrderAfter, fiveSecondGapAfter));
        QCOMPARE(holder.window(), nullptr);
    }

    void closeBoxAppliesNothing()
    {
        OptionItems items;
        SingleWindow<Dialog> holder;
        Dialog* dialog = showDialog(holder, &items.mnuSettingCD, &items.mnuSetting5sec);
        QTest::mouseClick(button(dialog, "OptClr"), Qt::LeftButton);
        dialog->windowHandle()->close();
        QCOMPARE(items.ticks(), qMakePair(true, true));
        QCOMPARE(holder.window(), nullptr);
        QCOMPARE(existingWindows("Dialog"), 0);

        // The next opening copies the menu again.
        dialog = showDialog(holder, &items.mnuSettingCD, &items.mnuSetting5sec);
        QCOMPARE(boxes(dialog), qMakePair(true, true));
    }

    void okOverridesMenuChangesMadeWhileOpen()
    {
        OptionItems items;
        SingleWindow<Dialog> holder;
        Dialog* dialog = showDialog(holder, &items.mnuSettingCD, &items.mnuSetting5sec);
        items.mnuSetting5sec.trigger();  // the user unticks the item from the menu
        QCOMPARE(items.mnuSetting5sec.isChecked(), false);
        QCOMPARE(boxes(dialog), qMakePair(true, true));  // the boxes do not follow

        QTest::mouseClick(button(dialog, "OptOK"), Qt::LeftButton);
        QCOMPARE(items.ticks(), qMakePair(true, true));
    }

    void oneWindowHoweverOftenOpened()
    {
        OptionItems items;
        SingleWindow<Dialog> holder;
        Dialog* first = showDialog(holder, &items.mnuSettingCD, &items.mnuSetting5sec);
        QTest::mouseClick(button(first, "OptClr"), Qt::LeftButton);
        for (int i = 0; i < 3; ++i) {
            // Opened again while open: the same window, its boxes as the user left them.
            QCOMPARE(showDialog(holder, &items.mnuSettingCD, &items.mnuSetting5sec), first);
            QCOMPARE(boxes(first), qMakePair(false, false));
        }
        QCOMPARE(existingWindows("Dialog"), 1);
        QCOMPARE(shownWindows("Dialog"), 1);
    }

    void reopenedAfterOkLoadsAfresh()
    {
        OptionItems items;
        SingleWindow<Dialog> holder;
        Dialog* dialog = showDialog(holder, &items.mnuSettingCD, &items.mnuSetting5sec);
        QTest::mouseClick(button(dialog, "OptClr"), Qt::LeftButton);
        QTest::mouseClick(button(dialog, "OptOK"), Qt::LeftButton);
        items.mnuSettingCD.trigger();

        // Opened again in the same turn of the event loop, before the closed window is deleted.
        dialog = showDialog(holder, &items.mnuSettingCD, &items.mnuSetting5sec);
        QCOMPARE(boxes(dialog), qMakePair(true, false));
        QCOMPARE(existingWindows("Dialog"), 1);
        QCOMPARE(holder.window(), dialog);
        QVERIFY(dialog->isVisible());
    }

    void focusOrder()
    {
        OptionItems items;
        SingleWindow<Dialog> holder;
        Dialog* dialog = showDialog(holder, &items.mnuSettingCD, &items.mnuSetting5sec);
        QVERIFY(QTest::qWaitForWindowActive(dialog));
        const QStringList order{"OptOK", "OptChk1", "OptChk2", "OptClr", "OptAll", "OptOK"};
        QCOMPARE(QApplication::focusWidget()->objectName(), order.first());
        for (qsizetype i = 1; i < order.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(), order.at(i));
        }
        for (qsizetype i = order.size() - 2; i >= 0; --i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
            QCOMPARE(QApplication::focusWidget()->objectName(), order.at(i));
        }
    }

    // OptOK is neither the default nor the cancel button: Enter on a check box and Esc do nothing. A
    // focused button takes Enter itself.
    void enterAndEscape()
    {
        OptionItems items;
        SingleWindow<Dialog> holder;
        Dialog* dialog = showDialog(holder, &items.mnuSettingCD, &items.mnuSetting5sec);
        QVERIFY(QTest::qWaitForWindowActive(dialog));
        QTest::mouseClick(button(dialog, "OptClr"), Qt::LeftButton);
        box(dialog, "OptChk1")->setFocus();
        QTest::keyClick(box(dialog, "OptChk1"), Qt::Key_Return);
        QTest::keyClick(box(dialog, "OptChk1"), Qt::Key_Escape);
        QCOMPARE(holder.window(), dialog);
        QCOMPARE(items.ticks(), qMakePair(true, true));
        QCOMPARE(boxes(dialog), qMakePair(false, false));

        button(dialog, "OptAll")->setFocus();
        QTest::keyClick(button(dialog, "OptAll"), Qt::Key_Return);
        QCOMPARE(boxes(dialog), qMakePair(true, true));
        button(dialog, "OptClr")->setFocus();
        QTest::keyClick(button(dialog, "OptClr"), Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(boxes(dialog), qMakePair(false, false));
        QCOMPARE(items.ticks(), qMakePair(true, true));

        button(dialog, "OptOK")->setFocus();
        QTest::keyClick(button(dialog, "OptOK"), Qt::Key_Return);
        QCOMPARE(items.ticks(), qMakePair(false, false));
        QCOMPARE(holder.window(), nullptr);
    }
};

VANTOLI_GUI_TEST_MAIN(TestDialog)
#include "test_dialog.moc"
