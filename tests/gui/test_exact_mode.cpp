// The Settings item that plans with the exact planner, driven through the menu: ticked or not, with
// the CD's order kept or not, for the Run command and for a long disc read from the drive.

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "gui/report.h"
#include "support/modal_answerer.h"
#include "support/open_window.h"
#include "support/sample_discs.h"

using namespace vantoli;
using namespace vantoli::test;

namespace {

void type(MainForm& window, const QStringList& entries)
{
    for (int i = 0; i < EntryCount; ++i) window.Tm(i)->clear();
    for (int i = 0; i < entries.size(); ++i) QTest::keyClicks(window.Tm(i), entries[i]);
}

QStringList cells(QLabel* (MainForm::*cell)(int) const, const MainForm& window)
{
    QStringList texts;
    for (int i = 0; i < EntryCount; ++i)
        if (const QString text = (window.*cell)(i)->text(); !text.isEmpty()) texts << text;
    return texts;
}

// TapeType, then sideATotal, aBlankTime, sideBTotal, bBlankTime, tBlankTime.
QStringList planLabels(const MainForm& w)
{
    return {w.TapeType()->text(),   w.sideATotal()->text(), w.aBlankTime()->text(),
            w.sideBTotal()->text(), w.bBlankTime()->text(), w.tBlankTime()->text()};
}

// Sets a ticked menu item by choosing it, as the user does, when its tick is not as wanted.
void choose(QAction* item, bool ticked)
{
    if (item->isChecked() != ticked) item->trigger();
    QCOMPARE(item->isChecked(), ticked);
}

}  // namespace

class TestExactMode : public QObject {
    Q_OBJECT
private slots:
    void itemStartsUnticked()
    {
        auto window = openWindow();
        QVERIFY(window);
        QAction* item = window->mnuSettingOptimal();
        QCOMPARE(item->objectName(), QStringLiteral("mnuSettingOptimal"));
        QCOMPARE(item->text(), QStringLiteral("最短のテープを探す（曲の組み合わせを最適化）"));
        QVERIFY(item->isCheckable());
        QVERIFY(!item->isChecked());
        QVERIFY(item->isEnabled());
        QVERIFY(item->shortcut().isEmpty());
        QVERIFY(item->statusTip().contains(QStringLiteral("A面とB面の時間もなるべくそろえます")));
        // Choosing it flips its tick; ticking it unticks the keep-order item, which nothing then
        // ticks again behind the user's back.
        item->trigger();
        QVERIFY(item->isChecked());
        QVERIFY(!window->mnuSettingCD()->isChecked());
        item->trigger();
        QVERIFY(!item->isChecked());
        QVERIFY(!window->mnuSettingCD()->isChecked());
        QVERIFY(window->mnuSetting5sec()->isChecked());
    }

    // Ticking the keep-order item, from the menu or through the batch-settings window, unticks the
    // exact item: the exact planner never sits ticked doing nothing.
    void keepOrderUnticksTheItem_data()
    {
        QTest::addColumn<bool>("fromDialog");
        QTest::newRow("menu") << false;
        QTest::newRow("batch settings") << true;
    }
    void keepOrderUnticksTheItem()
    {
        QFETCH(bool, fromDialog);
        auto window = openWindow();
        QVERIFY(window);
        choose(window->mnuSettingOptimal(), true);
        if (fromDialog) {
            window->mnuSettingAll()->trigger();
            Dialog* dialog = window->dialogWindow().window();
            QVERIFY(dialog);
            QTest::mouseClick(dialog->findChild<QPushButton*>("OptAll"), Qt::LeftButton);
            QTest::mouseClick(dialog->findChild<QPushButton*>("OptOK"), Qt::LeftButton);
        } else {
            window->mnuSettingCD()->trigger();
        }
        QVERIFY(window->mnuSettingCD()->isChecked());
        QVERIFY(!window->mnuSettingOptimal()->isChecked());
    }

    // 5:30, 5:30, 0:10, 0:10 (680 s): the walk ends on 20 minutes with 1 | 2 3 4; with one track out
    // of place, 1 3 | 2 4 (340 | 340 s) fits 10 minutes.
    // clang-format off
    void runCommand_data()
    {
        QTest::addColumn<bool>("optimal");
        QTest::addColumn<QStringList>("sideA");
        QTest::addColumn<QStringList>("sideB");
        QTest::addColumn<QStringList>("labels");

        const QStringList walk{"20分テープ", "5 : 30", "+0 : 00", "5 : 50", "+0 : 00", "+0 : 00"};
        QTest::newRow("exact") << true << QStringList{"1", "3"} << QStringList{"2", "4"}
                               << QStringList{"10分テープ", "5 : 40", "+0 : 00", "5 : 40", "+0 : 00", "+0 : 00"};
        QTest::newRow("not ticked: one exchange at most") << false << QStringList{"1"}
                                                          << QStringList{"2", "3", "4"} << walk;
    }
    // clang-format on
    void runCommand()
    {
        QFETCH(bool, optimal);
        auto window = openWindow();
        QVERIFY(window);
        choose(window->mnuSettingCD(), false);
        choose(window->mnuSetting5sec(), false);
        choose(window->mnuSettingOptimal(), optimal);
        type(*window, {"530", "530", "10", "10"});
        ModalAnswerer answerer;
        QTest::mouseClick(window->Run(), Qt::LeftButton);

        QCOMPARE(answerer.seen().size(), 0);
        QTEST(cells(&MainForm::A, *window), "sideA");
        QTEST(cells(&MainForm::B, *window), "sideB");
        QTEST(planLabels(*window), "labels");
        QCOMPARE(window->timeTotal()->text(), QStringLiteral("11 : 20"));
    }

    // The gap counts as in every plan: 4:31 3:50 5:12 4:05 6:00 3:30 fit 30 minutes in order, and no
    // shorter tape holds them.
    void runCommandWithGaps()
    {
        auto window = openWindow();
        QVERIFY(window);
        choose(window->mnuSettingCD(), false);
        choose(window->mnuSettingOptimal(), true);
        type(*window, {"431", "350", "512", "405", "600", "330"});
        QTest::mouseClick(window->Run(), Qt::LeftButton);
        QCOMPARE(cells(&MainForm::A, *window), (QStringList{"1", "2", "3"}));
        QCOMPARE(cells(&MainForm::B, *window), (QStringList{"4", "5", "6"}));
        QCOMPARE(planLabels(*window),
                 (QStringList{"30分テープ", "13 : 33", "+0 : 10", "13 : 35", "+0 : 10", "+0 : 20"}));
    }

    // A long disc read from the drive is planned the same way, and its report lists each side.
    void longDiscReport()
    {
        auto window = openWindow();
        QVERIFY(window);
        choose(window->mnuSettingCD(), false);
        choose(window->mnuSetting5sec(), false);
        choose(window->mnuSettingOptimal(), true);
        fakeDrive(*window).insertDisc(std::vector<std::int32_t>(21, 180500));
        ModalAnswerer answerer;
        QVERIFY(readCd(*window));

        QCOMPARE(answerer.messages().size(), 1);  // the information box before the report
        Report* report = window->reportWindow().window();
        QVERIFY(report);
        // 21 tracks of 3 minutes: no split fits 64 minutes; on 70, 11 | 10 tracks keep the order.
        QCOMPARE(report->text(),
                 reportHead(70, 21) +
                     crlfLines({"トータル： 33:00", "ブランク：  0:00",
                                "収録：  1， 2， 3， 4， 5， 6， 7， 8， 9，10，", "        11", "", "＜B面＞",
                                "トータル： 30:00", "ブランク：  0:00", "収録： 12，13，14，15，16，17，18，19，20，21",
                                "", "＜両面＞", "トータル：  63:00", "ブランク：   0:00"}));

        // Unticked, the same disc gives the report in ranges again.
        choose(window->mnuSettingOptimal(), false);
        QVERIFY(readCd(*window));
        QVERIFY(window->reportWindow().window()->text().contains(QStringLiteral("収録：  1 ～ 11\r\n")));
    }

    // The batch-settings window knows only the two options; it leaves the exact item alone.
    void batchSettingsLeaveTheItem()
    {
        auto window = openWindow();
        QVERIFY(window);
        choose(window->mnuSettingOptimal(), true);
        window->mnuSettingAll()->trigger();
        Dialog* dialog = window->dialogWindow().window();
        QVERIFY(dialog);
        QTest::mouseClick(dialog->findChild<QPushButton*>("OptClr"), Qt::LeftButton);
        QTest::mouseClick(dialog->findChild<QPushButton*>("OptOK"), Qt::LeftButton);
        QVERIFY(!window->mnuSettingCD()->isChecked());
        QVERIFY(window->mnuSettingOptimal()->isChecked());
    }
};

VANTOLI_GUI_TEST_MAIN(TestExactMode)
#include "test_exact_mode.moc"
