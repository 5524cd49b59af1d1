// Start and end of the main window, Exit and Clear.

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

#include "support/modal_answerer.h"
#include "support/open_window.h"

using namespace vantoli;
using vantoli::test::openWindow;

namespace {

QStringList everyText(const MainForm& w)
{
    QStringList texts;
    for (int i = 0; i < EntryCount; ++i) texts << w.Tm(i)->text() << w.A(i)->text() << w.B(i)->text();
    texts << w.TapeType()->text() << w.sideATotal()->text() << w.aBlankTime()->text() << w.sideBTotal()->text()
          << w.bBlankTime()->text() << w.timeTotal()->text() << w.tBlankTime()->text();
    return texts;
}

void runSixTracks(MainForm& window)
{
    const QStringList times{"431", "350", "512", "405", "600", "330"};
    for (int i = 0; i < times.size(); ++i) QTest::keyClicks(window.Tm(i), times[i]);
    QTest::mouseClick(window.Run(), Qt::LeftButton);
}

// Runs the application's event loop as main() does, with `action` as its first event, and gives
// what exec() returned; 99 if the program did not end within five seconds.
int runApplication(const std::function<void()>& action)
{
    QTimer::singleShot(0, action);
    QTimer::singleShot(5000, [] { QCoreApplication::exit(99); });
    return QApplication::exec();
}

}  // namespace

class TestMainWindowLifecycle : public QObject {
    Q_OBJECT
private slots:
    void loadSetsUpTheDeviceWithoutOpeningIt()
    {
        auto device = std::make_unique<test::FakeDevice>();
        const auto log = device->log();
        auto window = openWindow(std::move(device));
        QVERIFY(window);
        QCOMPARE(*log, QStringList{"selectCdAudio"});
        QVERIFY(window->mnuSettingCD()->isChecked());
        QVERIFY(window->mnuSetting5sec()->isChecked());
    }

    // clang-format off
    void clearEmptiesEntriesAndPlan_data()
    {
        QTest::addColumn<bool>("keepOrder");
        QTest::addColumn<bool>("gap");
        QTest::newRow("both options ticked") << true << true;
        QTest::newRow("options unticked during the run") << false << false;
    }
    // clang-format on
    void clearEmptiesEntriesAndPlan()
    {
        QFETCH(bool, keepOrder);
        QFETCH(bool, gap);
        auto device = std::make_unique<test::FakeDevice>();
        const auto log = device->log();
        auto window = openWindow(std::move(device));
        QVERIFY(window);
        window->mnuSettingCD()->setChecked(keepOrder);
        window->mnuSetting5sec()->setChecked(gap);
        window->cdTrackCount = 14;
        runSixTracks(*window);
        QCOMPARE(window->A(0)->text(), QStringLiteral("1"));
        window->Tm(3)->setFocus();

        QTest::mouseClick(window->Clear(), Qt::LeftButton);

        for (const QString& text : everyText(*window)) QVERIFY2(text.isEmpty(), qPrintable(text));
        for (int i = 0; i < EntryCount; ++i) QCOMPARE(window->Label5(i)->text(), QString::number(i + 1));
        QCOMPARE(window->mnuSettingCD()->isChecked(), keepOrder);
        QCOMPARE(window->mnuSetting5sec()->isChecked(), gap);
        QCOMPARE(window->cdTrackCount, 14);
        QCOMPARE(*log, QStringList{"selectCdAudio"});
    }

    void clearCalledDirectlyKeepsTheFocus()
    {
        auto window = openWindow();
        QVERIFY(window);
        runSixTracks(*window);
        window->Tm(5)->setFocus();
        QCOMPARE(QApplication::focusWidget(), window->Tm(5));
        test::ModalAnswerer messages;
        window->Clear_Click();
        QCOMPARE(QApplication::focusWidget(), window->Tm(5));
        QCOMPARE(window->Tm(0)->text(), QString());
        QCOMPARE(window->TapeType()->text(), QString());
        QCOMPARE(messages.messages().size(), 0);  // asks nothing of the user
    }

    // clang-format off
    void altCClearsFromAnEntryBox_data()
    {
        QTest::addColumn<int>("entry");
        QTest::newRow("first") << 0;
        QTest::newRow("fifteenth") << 14;
    }
    // clang-format on
    void altCClearsFromAnEntryBox()
    {
        QFETCH(int, entry);
        auto window = openWindow();
        QVERIFY(window);
        runSixTracks(*window);
        window->Tm(entry)->setFocus();
        QTest::keyClicks(window->Tm(entry), "999");
        QTest::keyClick(window->Tm(entry), Qt::Key_C, Qt::AltModifier);
        QTRY_VERIFY(window->Tm(0)->text().isEmpty());
        for (const QString& text : everyText(*window)) QVERIFY2(text.isEmpty(), qPrintable(text));
    }

    // The program ends when the main window closes, even while another window of it is open, and
    // the device is sent "close" on the way.
    // clang-format off
    void closingTheWindowClosesTheDeviceAndEndsTheProgram_data()
    {
        QTest::addColumn<bool>("otherWindowOpen");
        QTest::newRow("main window alone") << false;
        QTest::newRow("with another window open") << true;
    }
    // clang-format on
    void closingTheWindowClosesTheDeviceAndEndsTheProgram()
    {
        QFETCH(bool, otherWindowOpen);
        auto device = std::make_unique<test::FakeDevice>();
        const auto log = device->log();
        auto window = openWindow(std::move(device));
        QVERIFY(window);
        QWidget other;
        if (otherWindowOpen) other.show();

        const int result = runApplication([&] { window->close(); });
        QCOMPARE(result, 0);
        QCOMPARE(*log, (QStringList{"selectCdAudio", "close"}));
        QVERIFY(!window->isVisible());
    }

    void exitEndsTheProgramWithoutClosingTheDevice()
    {
        auto device = std::make_unique<test::FakeDevice>();
        const auto log = device->log();
        auto window = openWindow(std::move(device));
        QVERIFY(window);
        QWidget other;
        other.show();

        const int result = runApplication([&] { window->mnuExit()->trigger(); });
        QCOMPARE(result, 0);
        QCOMPARE(*log, QStringList{"selectCdAudio"});
    }
};

VANTOLI_GUI_TEST_MAIN(TestMainWindowLifecycle)
#include "test_main_window_lifecycle.moc"
