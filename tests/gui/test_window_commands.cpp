// The main window's menu commands end to end: the two option items, the batch settings, the About box,
// the help and the pattern-file commands, chosen from the real menu items.
#include <QtTest>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include "gui/help_window.h"
#include "support/modal_answerer.h"
#include "support/open_window.h"

using namespace vantoli;
using namespace vantoli::test;

namespace {

// Five tracks whose plan shows each option: 30 minutes in order, 20 minutes with the exchange and no
// gap, 30 minutes again with the gap.
const QStringList FiveTracks{"330", "230", "515", "435", "515"};

void typeEntries(MainForm& window, const QStringList& texts)
{
    for (int i = 0; i < texts.size(); ++i) window.Tm(i)->setText(texts[i]);
}

QString runAndReadTape(MainForm& window)
{
    window.Run()->click();
    return window.TapeType()->text();
}

template <typename Window>
QList<Window*> openWindows()
{
    QList<Window*> open;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* window = qobject_cast<Window*>(w); window && window->isVisible()) open << window;
    return open;
}

QCheckBox* box(QWidget* dialog, const char* name) { return dialog->findChild<QCheckBox*>(QLatin1String(name)); }
QPushButton* button(QWidget* dialog, const char* name) { return dialog->findChild<QPushButton*>(QLatin1String(name)); }

}  // namespace

class TestWindowCommands : public QObject {
    Q_OBJECT
private slots:
    void optionItemsFlipTheirTickAndTheNextRunFollows()
    {
        auto window = openWindow();
        QVERIFY(window);
        typeEntries(*window, FiveTracks);
        QCOMPARE(runAndReadTape(*window), QString("30分テープ"));

        window->mnuSettingCD()->trigger();
        window->mnuSetting5sec()->trigger();
        QVERIFY(!window->mnuSettingCD()->isChecked());
        QVERIFY(!window->mnuSetting5sec()->isChecked());
        // The plan on show is not recomputed by the option change.
        QCOMPARE(window->TapeType()->text(), QString("30分テープ"));
        QCOMPARE(runAndReadTape(*window), QString("20分テープ"));
        QCOMPARE(window->A(2)->text(), QString("4"));

        window->mnuSetting5sec()->trigger();
        QVERIFY(window->mnuSetting5sec()->isChecked());
        QCOMPARE(runAndReadTape(*window), QString("30分テープ"));

        // Twice leaves the item as it was.
        window->mnuSettingCD()->trigger();
        window->mnuSettingCD()->trigger();
        QVERIFY(!window->mnuSettingCD()->isChecked());
    }

    void batchSettingsCopyTheTicksAndApplyOnOK()
    {
        auto window = openWindow();
        QVERIFY(window);
        window->mnuSetting5sec()->trigger();
        window->mnuSettingAll()->trigger();
        QCOMPARE(openWindows<Dialog>().size(), 1);
        QWidget* dialog = openWindows<Dialog>().first();
        QVERIFY(box(dialog, "OptChk1")->isChecked());
        QVERIFY(!box(dialog, "OptChk2")->isChecked());

        // Chosen again while open: the same window, the boxes as the user left them.
        box(dialog, "OptChk1")->click();
        window->mnuSettingAll()->trigger();
        QCOMPARE(openWindows<Dialog>(), QList<Dialog*>{qobject_cast<Dialog*>(dialog)});
        QVERIFY(!box(dialog, "OptChk1")->isChecked());

        // A menu change made meanwhile is overridden by OK.
        window->mnuSetting5sec()->trigger();
        QVERIFY(window->mnuSetting5sec()->isChecked());
        button(dialog, "OptOK")->click();
        QVERIFY(!window->mnuSettingCD()->isChecked());
        QVERIFY(!window->mnuSetting5sec()->isChecked());
        QTRY_COMPARE(openWindows<Dialog>().size(), 0);

        typeEntries(*window, FiveTracks);
        QCOMPARE(runAndReadTape(*window), QString("20分テープ"));

        // Loaded afresh, the window copies the ticks again; its close box applies nothing.
        window->mnuSettingAll()->trigger();
        dialog = openWindows<Dialog>().first();
        QVERIFY(!box(dialog, "OptChk1")->isChecked());
        button(dialog, "OptAll")->click();
        dialog->close();
        QVERIFY(!window->mnuSettingCD()->isChecked());
        QVERIFY(!window->mnuSetting5sec()->isChecked());
    }

    void aboutBoxOpensOnce()
    {
        auto window = openWindow();
        QVERIFY(window);
        window->mnuHelpVersion()->trigger();
        window->mnuHelpVersion()->trigger();
        QCOMPARE(openWindows<Version>().size(), 1);
        auto* text = openWindows<Version>().first()->findChild<QLabel*>("lblVersion");
        QCOMPARE(text->text(), QString("Version 1. 10. 2000 Beta 1"));
        // The main window stays usable while it is open.
        typeEntries(*window, {"431"});
        window->Run()->click();
        QCOMPARE(window->timeTotal()->text(), QString("4 : 31"));
    }

    void helpWithoutItsPagesSaysNothing()
    {
        // A folder with no help pages in it.
        qputenv("VANTOLI_HELP", "/nonexistent/help");
        auto window = openWindow();
        QVERIFY(window);
        ModalAnswerer catcher;
        window->mnuHelpTopic()->trigger();
        QTest::qWait(30);
        QVERIFY(catcher.messages().isEmpty());
        QCOMPARE(openWindows<HelpWindow>().size(), 0);
        QVERIFY(window->isEnabled());
        qunsetenv("VANTOLI_HELP");
    }

    void saveThenOpenThroughTheMenu()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath("pattern.vto");
        auto window = openWindow();
        QVERIFY(window);
        typeEntries(*window, {"431", "", "1205"});
        {
            ModalAnswerer driver({path});
            window->mnuFileSave()->trigger();
            QCOMPARE(driver.fileDialogs(), 1);
            QVERIFY(driver.messages().isEmpty());
        }
        QFile saved(path);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll(), QByteArray("431\r\n\r\n1205\r\n"));

        // A plan on show and other entries go; the file's entries come back; the focus moves to Run.
        window->Tm(5)->setText("999");
        window->Run()->click();
        window->Tm(0)->setFocus();
        {
            ModalAnswerer driver({path});
            window->mnuFileOpen()->trigger();
        }
        QCOMPARE(window->Tm(0)->text(), QString("431"));
        QCOMPARE(window->Tm(1)->text(), QString());
        QCOMPARE(window->Tm(2)->text(), QString("1205"));
        QCOMPARE(window->Tm(5)->text(), QString());
        QCOMPARE(window->timeTotal()->text(), QString());
        QCOMPARE(window->TapeType()->text(), QString());
        QCOMPARE(window->focusWidget(), static_cast<QWidget*>(window->Run()));
    }

    void openThatFailsLeavesTheWindowAlone()
    {
        QTemporaryDir folder;
        auto window = openWindow();
        QVERIFY(window);
        typeEntries(*window, {"431"});
        window->Run()->click();
        // A line far longer than any entry: the file is refused as not a pattern file.
        QFile tooLong(folder.filePath("long.vto"));
        QVERIFY(tooLong.open(QIODevice::WriteOnly));
        tooLong.write(QByteArray(1 << 20, '1'));
        tooLong.close();
        ModalAnswerer driver({tooLong.fileName()});
        window->mnuFileOpen()->trigger();
        QCOMPARE(driver.messages().size(), 1);
        QCOMPARE(window->Tm(0)->text(), QString("431"));
        QCOMPARE(window->TapeType()->text(), QString("10分テープ"));
    }
};

VANTOLI_GUI_TEST_MAIN(TestWindowCommands)
#include "test_window_commands.moc"
