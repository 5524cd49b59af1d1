// The user's own tapes: the TapeLineup window opened from the Settings menu and answered as a user
// answers it, the lineup it leaves for the Run command, and the settings file that keeps it between
// runs, read back by a new main window.

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>

#include <functional>

#include "core/tape_counter.h"
#include "core/tape_settings.h"
#include "gui/tape_lineup.h"
#include "support/modal_answerer.h"
#include "support/open_window.h"

using namespace vantoli;
using namespace vantoli::test;

Q_DECLARE_METATYPE(vantoli::Lineup)

namespace {

void type(MainForm& window, const QStringList& entries)
{
    for (int i = 0; i < EntryCount; ++i) window.Tm(i)->clear();
    for (int i = 0; i < entries.size(); ++i) QTest::keyClicks(window.Tm(i), entries[i]);
}

// Opens the tapes window from the menu and hands it to `use`, which must close it (OK or cancel).
// Message boxes it raises meanwhile are answered with OK.
void withTapeWindow(MainForm& window, ModalAnswerer& answerer, const std::function<void(TapeLineup&)>& use)
{
    bool opened = false;
    answerer.answerOther = [&](QWidget* shown) {
        auto* tapes = qobject_cast<TapeLineup*>(shown);
        QVERIFY2(tapes, qPrintable(shown->objectName()));
        opened = true;
        use(*tapes);
        if (tapes->isVisible()) {  // a failed check above: leave the window as cancelled
            tapes->TapeCancel()->click();
            QFAIL("the tapes window was left open");
        }
    };
    window.mnuSettingTapes()->trigger();
    answerer.answerOther = nullptr;
    QVERIFY(opened);
}

int rowOf(TapeLineup& tapes, int minutes)
{
    for (int row = 0; row < tapes.TapeList()->rowCount(); ++row)
        if (tapes.TapeList()->item(row, 0)->text() == QStringLiteral("%1分テープ").arg(minutes)) return row;
    return -1;
}

void tick(TapeLineup& tapes, int minutes, bool owned)
{
    tapes.TapeList()->item(rowOf(tapes, minutes), 0)->setCheckState(owned ? Qt::Checked : Qt::Unchecked);
}

// Owns exactly these lengths.
void ownOnly(TapeLineup& tapes, const QList<int>& lengths)
{
    for (int row = 0; row < tapes.TapeList()->rowCount(); ++row) {
        QTableWidgetItem* item = tapes.TapeList()->item(row, 0);
        const bool owned = lengths.contains(item->text().section(QStringLiteral("分"), 0, 0).toInt());
        item->setCheckState(owned ? Qt::Checked : Qt::Unchecked);
    }
}

// Types a capacity into the length's box, as a user does.
void setCapacity(TapeLineup& tapes, int minutes, int seconds)
{
    QSpinBox* box = tapes.capacityBox(rowOf(tapes, minutes));
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, QString::number(seconds));
    box->interpretText();
}

void writeSettings(const QByteArray& content)
{
    QDir().mkpath(QFileInfo(settingsFile()).path());
    QFile file(settingsFile());
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(content);
}

QByteArray settingsText()
{
    QFile file(settingsFile());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Types the two readings into the Counter tab, as a user does.
void typeReadings(TapeLineup& tapes, const QStringList& fields)
{
    tapes.tabTapeLineup()->setCurrentIndex(1);
    const QList<QLineEdit*> edits{tapes.txtCounterTime1(), tapes.txtCounterCount1(), tapes.txtCounterTime2(),
                                  tapes.txtCounterCount2()};
    for (int i = 0; i < edits.size(); ++i) {
        edits[i]->clear();
        QTest::keyClicks(edits[i], fields.value(i));
    }
}

Lineup standardWithout(std::initializer_list<int> lengths)
{
    Lineup lineup;
    for (const Tape& tape : standardLineup())
        if (std::find(lengths.begin(), lengths.end(), tape.minutes) == lengths.end()) lineup.push_back(tape);
    return lineup;
}

}  // namespace

class TestTapeWindow : public QObject {
    Q_OBJECT
private slots:
    void init() { QFile::remove(settingsFile()); }

    // The settings live in the test's own folder, never in the user's.
    void settingsStayInTheSandbox()
    {
        QVERIFY(!qEnvironmentVariableIsEmpty("HOME"));
        QVERIFY2(!settingsFile().startsWith(QDir::homePath() + QStringLiteral("/.config")), qPrintable(settingsFile()));
    }

    void opensWithTheStandardTapes()
    {
        auto window = openWindow();
        QVERIFY(window);
        QCOMPARE(window->mnuSettingTapes()->text(), QStringLiteral("テープの種類(&T)..."));
        QCOMPARE(window->lineup(), standardLineup());
        ModalAnswerer answerer;
        withTapeWindow(*window, answerer, [](TapeLineup& tapes) {
            QCOMPARE(tapes.objectName(), QStringLiteral("TapeLineup"));
            QCOMPARE(tapes.windowTitle(), QStringLiteral("テープの種類"));
            QVERIFY(tapes.isModal());
            QVERIFY(tapes.layout());
            QCOMPARE(tapes.TapeList()->rowCount(), 14);
            QCOMPARE(tapes.TapeList()->item(4, 0)->text(), QStringLiteral("46分テープ"));
            QCOMPARE(tapes.TapeList()->item(4, 0)->checkState(), Qt::Checked);
            QCOMPARE(tapes.capacityBox(4)->value(), 1425);
            QCOMPARE(tapes.TapeList()->item(4, 2)->text(), QStringLiteral("23:45"));
            QCOMPARE(tapes.TapeList()->item(13, 0)->text(), QStringLiteral("100分テープ"));
            QCOMPARE(tapes.capacityBox(13)->value(), 3045);
            QVERIFY(!tapes.TapeRemove()->isEnabled());
            for (QPushButton* button :
                 {tapes.TapeAdd(), tapes.TapeRemove(), tapes.TapeStandard(), tapes.TapeOK(), tapes.TapeCancel()})
                QVERIFY(tapes.isAncestorOf(button) && !button->text().isEmpty());
            tapes.TapeCancel()->click();
        });
        QCOMPARE(answerer.messages().size(), 0);
        QVERIFY(!QFile::exists(settingsFile()));
    }

    // The ticked lengths and their capacities become the lineup of the Run command at once.
    void ownTapesPlanTheRun()
    {
        auto window = openWindow();
        QVERIFY(window);
        ModalAnswerer answerer;
        withTapeWindow(*window, answerer, [](TapeLineup& tapes) {
            ownOnly(tapes, {60, 90});
            setCapacity(tapes, 60, 1900);
            QCOMPARE(tapes.TapeList()->item(rowOf(tapes, 60), 2)->text(), QStringLiteral("31:40"));
            tapes.TapeOK()->click();
        });
        QCOMPARE(answerer.messages().size(), 0);
        QCOMPARE(window->lineup(), (Lineup{{60, 1900}, {90, 2745}}));

        // Five tracks of 6:12 a side with four 5-second gaps use 1880 s: the measured C-60 holds them.
        type(*window, QStringList(10, "612"));
        QTest::mouseClick(window->Run(), Qt::LeftButton);
        QCOMPARE(window->TapeType()->text(), QStringLiteral("60分テープ"));
        // Six tracks of 4:31 ... fit 30 minutes on the standard lineup; here the C-60 is the shortest.
        type(*window, {"431", "350", "512", "405", "600", "330"});
        QTest::mouseClick(window->Run(), Qt::LeftButton);
        QCOMPARE(window->TapeType()->text(), QStringLiteral("60分テープ"));
        QCOMPARE(answerer.messages().size(), 0);
    }

    // The choice is kept in the settings file and read by the next main window.
    void keptBetweenRuns()
    {
        {
            auto window = openWindow();
            QVERIFY(window);
            ModalAnswerer answerer;
            withTapeWindow(*window, answerer, [](TapeLineup& tapes) {
                tapes.TapeMinutes()->setValue(120);
                tapes.TapeAdd()->click();
                setCapacity(tapes, 120, 3700);
                tick(tapes, 10, false);
                tapes.TapeOK()->click();
            });
        }
        QVERIFY(QFile::exists(settingsFile()));
        auto window = openWindow();
        QVERIFY(window);
        Lineup expected = standardWithout({10});
        expected.push_back({120, 3700});
        QCOMPARE(window->lineup(), expected);
        QCOMPARE(window->tapeChoices().size(), std::size_t(15));
        QVERIFY(!window->tapeChoices().front().owned);
    }

    void cancelAppliesNothing()
    {
        auto window = openWindow();
        QVERIFY(window);
        ModalAnswerer answerer;
        withTapeWindow(*window, answerer, [](TapeLineup& tapes) {
            ownOnly(tapes, {46});
            tapes.TapeMinutes()->setValue(150);
            tapes.TapeAdd()->click();
            tapes.TapeCancel()->click();
        });
        QCOMPARE(window->lineup(), standardLineup());
        QVERIFY(!QFile::exists(settingsFile()));
        // Esc and the close box cancel too.
        withTapeWindow(*window, answerer, [](TapeLineup& tapes) {
            ownOnly(tapes, {46});
            QTest::keyClick(&tapes, Qt::Key_Escape);
        });
        withTapeWindow(*window, answerer, [](TapeLineup& tapes) {
            ownOnly(tapes, {46});
            tapes.close();
        });
        QCOMPARE(window->lineup(), standardLineup());
    }

    void addAndRemoveLengths()
    {
        auto window = openWindow();
        QVERIFY(window);
        ModalAnswerer answerer;
        withTapeWindow(*window, answerer, [&](TapeLineup& tapes) {
            tapes.TapeMinutes()->setValue(45);
            tapes.TapeAdd()->click();
            const int row = rowOf(tapes, 45);
            QCOMPARE(row, 4);  // between 40 and 46 minutes
            QCOMPARE(tapes.TapeList()->item(row, 0)->checkState(), Qt::Checked);
            QCOMPARE(tapes.capacityBox(row)->value(), 45 * 30 + 45);
            QVERIFY(tapes.TapeList()->item(row, 0)->isSelected());
            QVERIFY(tapes.TapeRemove()->isEnabled());

            // A length already there is not added twice.
            tapes.TapeMinutes()->setValue(46);
            tapes.TapeAdd()->click();
            QCOMPARE(tapes.TapeList()->rowCount(), 15);
            QCOMPARE(answerer.messages().size(), 1);
            QCOMPARE(answerer.messages().last().title, QStringLiteral("テープの種類"));
            QCOMPARE(answerer.messages().last().text, QStringLiteral("46分テープはもう一覧にあります。"));
            QCOMPARE(answerer.messages().last().icon, QMessageBox::Warning);

            // The add box takes 1 to 180 minutes only.
            QCOMPARE(tapes.TapeMinutes()->minimum(), 1);
            QCOMPARE(tapes.TapeMinutes()->maximum(), 180);

            // A standard length cannot be removed, an added one can.
            tapes.TapeList()->selectRow(rowOf(tapes, 46));
            QVERIFY(!tapes.TapeRemove()->isEnabled());
            tapes.TapeList()->selectRow(rowOf(tapes, 45));
            QVERIFY(tapes.TapeRemove()->isEnabled());
            tapes.TapeRemove()->click();
            QCOMPARE(rowOf(tapes, 45), -1);
            QCOMPARE(tapes.TapeList()->rowCount(), 14);

            tapes.TapeMinutes()->setValue(1);
            tapes.TapeAdd()->click();
            tapes.TapeMinutes()->setValue(180);
            tapes.TapeAdd()->click();
            QCOMPARE(rowOf(tapes, 1), 0);
            QCOMPARE(rowOf(tapes, 180), 15);
            tapes.TapeOK()->click();
        });
        QCOMPARE(window->lineup().front(), (Tape{1, 75}));
        QCOMPARE(window->lineup().back(), (Tape{180, 5445}));
    }

    void standardRestored()
    {
        auto window = openWindow();
        QVERIFY(window);
        ModalAnswerer answerer;
        withTapeWindow(*window, answerer, [](TapeLineup& tapes) {
            ownOnly(tapes, {60});
            setCapacity(tapes, 90, 2900);
            tapes.TapeMinutes()->setValue(120);
            tapes.TapeAdd()->click();
            tapes.TapeOK()->click();
        });
        QCOMPARE(window->lineup(), (Lineup{{60, 1845}, {120, 3645}}));
        withTapeWindow(*window, answerer, [](TapeLineup& tapes) {
            QCOMPARE(tapes.TapeList()->rowCount(), 15);
            QCOMPARE(tapes.capacityBox(rowOf(tapes, 90))->value(), 2900);
            tapes.TapeStandard()->click();
            QCOMPARE(tapes.TapeList()->rowCount(), 14);
            QCOMPARE(tapes.capacityBox(rowOf(tapes, 90))->value(), 2745);
            tapes.TapeOK()->click();
        });
        QCOMPARE(window->lineup(), standardLineup());
    }

    // The Counter tab shows the fit of the readings as they are typed; OK keeps them in the settings
    // file beside the list, and the window shows them again the next time.
    void counterReadingsAreKept()
    {
        auto window = openWindow();
        QVERIFY(window);
        ModalAnswerer answerer;
        withTapeWindow(*window, answerer, [](TapeLineup& tapes) {
            QCOMPARE(tapes.tabTapeLineup()->count(), 2);
            QCOMPARE(tapes.tabTapeLineup()->currentIndex(), 0);
            QVERIFY(!tapes.chkCounter()->isChecked());
            QCOMPARE(tapes.lblCounterFit()->text(), QStringLiteral("2 か所の読みを入力してください。"));
            typeReadings(tapes, {"3:40", "200", "25:0"});
            QCOMPARE(tapes.lblCounterFit()->text(), QString::fromStdString(counterFitText(std::nullopt)));
            typeReadings(tapes, {"3:40", "200", "25:00", "1000"});
            QCOMPARE(tapes.lblCounterFit()->text(),
                     QString::fromStdString(counterFitText(CounterReading{220, 200}, CounterReading{1500, 1000})));
            tapes.chkCounter()->click();
            ownOnly(tapes, {60, 90});
            tapes.TapeOK()->click();
        });
        QCOMPARE(answerer.messages().size(), 0);
        QCOMPARE(window->lineup(), (Lineup{{60, 1845}, {90, 2745}}));
        const std::string text = settingsText().toStdString();
        QCOMPARE(counterSetting(text), (CounterSetting{true, {{220, 200}, {1500, 1000}}}));
        QCOMPARE(parseTapeSettings(text).state, StoredTapeList::State::Read);

        auto next = openWindow();
        QVERIFY(next);
        withTapeWindow(*next, answerer, [](TapeLineup& tapes) {
            QVERIFY(tapes.chkCounter()->isChecked());
            QCOMPARE(tapes.txtCounterTime1()->text(), QStringLiteral("3:40"));
            QCOMPARE(tapes.txtCounterCount1()->text(), QStringLiteral("200"));
            QCOMPARE(tapes.txtCounterTime2()->text(), QStringLiteral("25:00"));
            QCOMPARE(tapes.txtCounterCount2()->text(), QStringLiteral("1000"));
            // Cancel keeps the file as it was.
            tapes.chkCounter()->click();
            tapes.TapeCancel()->click();
        });
        QCOMPARE(settingsText().toStdString(), text);
    }

    // Readings to be used that give no fit get a message and the Counter tab; readings not used may
    // be left as they are, and are kept when they can be read.
    // clang-format off
    void counterReadingsAreChecked_data()
    {
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<bool>("readable");
        QTest::newRow("counts down") << QStringList{"1:00", "300", "10:00", "100"} << true;
        QTest::newRow("same time") << QStringList{"1:00", "100", "1:00", "200"} << true;
        QTest::newRow("runs backwards") << QStringList{"1:00", "100", "50:00", "200"} << true;
        QTest::newRow("zero") << QStringList{"0:00", "0", "10:00", "200"} << true;
        QTest::newRow("seconds in one digit") << QStringList{"1:0", "100", "10:00", "200"} << false;
        QTest::newRow("a count missing") << QStringList{"1:00", "", "10:00", "200"} << false;
    }
    // clang-format on
    void counterReadingsAreChecked()
    {
        QFETCH(QStringList, fields);
        QFETCH(bool, readable);
        const std::optional<CounterReadings> readings =
            parseCounterReadings((fields[0] + "@" + fields[1] + "," + fields[2] + "@" + fields[3]).toStdString());
        QCOMPARE(readings.has_value(), readable);
        auto window = openWindow();
        QVERIFY(window);
        ModalAnswerer answerer;
        withTapeWindow(*window, answerer, [&](TapeLineup& tapes) {
            typeReadings(tapes, fields);
            tapes.chkCounter()->click();
            tapes.tabTapeLineup()->setCurrentIndex(0);
            tapes.TapeOK()->click();
            QVERIFY(tapes.isVisible());
            QCOMPARE(answerer.messages().size(), 1);
            QCOMPARE(answerer.messages().front().title, QStringLiteral("テープの種類"));
            QCOMPARE(answerer.messages().front().lines,
                     (QStringList{"カウンターの読みを使えません。", QString::fromStdString(counterFitText(readings))}));
            QCOMPARE(tapes.lblCounterFit()->text(), QString::fromStdString(counterFitText(readings)));
            QCOMPARE(tapes.tabTapeLineup()->currentIndex(), 1);
            QCOMPARE(tapes.focusWidget(), tapes.txtCounterTime1());
            tapes.chkCounter()->click();
            tapes.TapeOK()->click();
        });
        QCOMPARE(answerer.messages().size(), 1);
        const std::optional<CounterSetting> kept = counterSetting(settingsText().toStdString());
        QCOMPARE(kept.has_value(), readable);
        if (readable) QCOMPARE(*kept, (CounterSetting{false, *readings}));
    }

    // A list that breaks a rule gets a message and stays in the window; nothing is applied.
    // clang-format off
    void badListsAreRefused_data()
    {
        QTest::addColumn<QList<int>>("owned");
        QTest::addColumn<int>("minutes");   // the length whose capacity is typed, 0 for none
        QTest::addColumn<int>("seconds");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("row");       // the row selected afterwards

        QTest::newRow("nothing ticked") << QList<int>{} << 0 << 0
                                        << "使うテープに 1 つ以上チェックを付けてください。" << 0;
        QTest::newRow("C-64 not longer than C-60") << QList<int>{60, 64} << 60 << 1965
                                                   << "64分テープの片面の時間（1965 秒）を、60分テープ（1965 秒）より長くしてください。"
                                                   << 8;
        QTest::newRow("no capacity") << QList<int>{60, 90} << 90 << 0
                                     << "90分テープの片面の時間は 1～9999 秒にしてください。" << 12;
    }
    // clang-format on
    void badListsAreRefused()
    {
        QFETCH(QList<int>, owned);
        QFETCH(int, minutes);
        QFETCH(int, seconds);
        QFETCH(QString, text);
        QFETCH(int, row);
        auto window = openWindow();
        QVERIFY(window);
        ModalAnswerer answerer;
        withTapeWindow(*window, answerer, [&](TapeLineup& tapes) {
            ownOnly(tapes, owned);
            if (minutes) setCapacity(tapes, minutes, seconds);
            tapes.TapeOK()->click();
            QVERIFY(tapes.isVisible());
            QCOMPARE(answerer.messages().size(), 1);
            QCOMPARE(answerer.messages().front().title, QStringLiteral("テープの種類"));
            QCOMPARE(answerer.messages().front().text, text);
            QCOMPARE(answerer.messages().front().icon, QMessageBox::Warning);
            QCOMPARE(answerer.messages().front().buttonCount, 1);
            QVERIFY(tapes.TapeList()->item(row, 0)->isSelected());
            tapes.TapeCancel()->click();
        });
        QCOMPARE(window->lineup(), standardLineup());
        QVERIFY(!QFile::exists(settingsFile()));
    }

    // A check that fails once can be mended in the same window.
    void mendedAfterAMessage()
    {
        auto window = openWindow();
        QVERIFY(window);
        ModalAnswerer answerer;
        withTapeWindow(*window, answerer, [&](TapeLineup& tapes) {
            setCapacity(tapes, 54, 1900);
            tapes.TapeOK()->click();
            QCOMPARE(answerer.messages().size(), 1);
            QCOMPARE(tapes.focusWidget(), tapes.capacityBox(rowOf(tapes, 60)));
            tick(tapes, 60, false);
            tick(tapes, 64, false);
            tapes.TapeOK()->click();
        });
        QCOMPARE(answerer.messages().size(), 1);
        QCOMPARE(window->lineup(), [] {
            Lineup l = standardWithout({60, 64});
            l[6].sideCapacity = 1900;
            return l;
        }());
    }

    // The lineup failure names the longest tape the user owns.
    void failureNamesTheLongestOwnedTape()
    {
        auto window = openWindow();
        QVERIFY(window);
        ModalAnswerer answerer;
        withTapeWindow(*window, answerer, [](TapeLineup& tapes) {
            ownOnly(tapes, {46, 60});
            tapes.TapeOK()->click();
        });
        type(*window, {"3500", "3500"});
        QTest::mouseClick(window->Run(), Qt::LeftButton);
        QCOMPARE(answerer.messages().size(), 1);
        QCOMPARE(answerer.messages().front().title, QStringLiteral("テープのラインナップ"));
        QCOMPARE(answerer.messages().front().lines,
                 (QStringList{"正確な計算ができません。", "60分以上のテープを使用する必要があるか、",
                              "入力した値に誤りがあります。"}));
    }

    // A list that cannot be written is used for the rest of the run, and the user is told; a file
    // that was damaged before is replaced by the list without such a message.
    void aListThatCannotBeSavedHoldsForTheRun()
    {
        const QString folder = QFileInfo(settingsFile()).path();
        QDir(folder).removeRecursively();
        QDir().mkpath(QFileInfo(folder).path());
        QFile blocker(folder);  // a file where the settings folder should be
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();

        auto window = openWindow();
        QVERIFY(window);
        ModalAnswerer answerer;
        withTapeWindow(*window, answerer, [](TapeLineup& tapes) {
            ownOnly(tapes, {60, 90});
            tapes.TapeOK()->click();
        });
        QCOMPARE(answerer.messages().size(), 1);
        QCOMPARE(answerer.messages().front().lines.value(0), QStringLiteral("テープの種類を保存できませんでした。"));
        QCOMPARE(window->lineup(), (Lineup{{60, 1845}, {90, 2745}}));
        QVERIFY(QFile::remove(folder));
    }

    // A file edited by hand that still holds a right list is used as it is; a standard length left
    // out of it comes back unticked.
    void handEditedFileIsRead()
    {
        writeSettings(
            "[Tapes]\n"
            "1\\minutes=60\n1\\sideCapacity=1900\n1\\owned=true\n"
            "2\\minutes=120\n2\\sideCapacity=3700\n2\\owned=true\n"
            "size=2\n");
        ModalAnswerer answerer;
        auto window = openWindow();
        QVERIFY(window);
        QCOMPARE(answerer.seen().size(), 0);
        QCOMPARE(window->lineup(), (Lineup{{60, 1900}, {120, 3700}}));
        QCOMPARE(window->tapeChoices().size(), std::size_t(15));
    }

    // A settings file that holds no list of tapes (other settings only) is no reason for a message.
    void fileWithoutTapes()
    {
        writeSettings("[Other]\nsomething=1\n");
        ModalAnswerer answerer;
        auto window = openWindow();
        QVERIFY(window);
        QTest::qWait(0);
        QCOMPARE(answerer.seen().size(), 0);
        QCOMPARE(window->lineup(), standardLineup());
    }

    // A damaged file gives the standard lineup and a message once the window is up; never a crash.
    // clang-format off
    void damagedFileFallsBack_data()
    {
        QTest::addColumn<QByteArray>("content");
        const QByteArray good = "1\\minutes=60\n1\\sideCapacity=1845\n1\\owned=true\n";
        QTest::newRow("capacity not a number") << QByteArray("[Tapes]\n1\\minutes=60\n1\\sideCapacity=abc\n1\\owned=true\nsize=1\n");
        QTest::newRow("owned neither true nor false") << QByteArray("[Tapes]\n1\\minutes=60\n1\\sideCapacity=1845\n1\\owned=yes\nsize=1\n");
        QTest::newRow("no size") << QByteArray("[Tapes]\n") + good;
        QTest::newRow("size past the entries") << QByteArray("[Tapes]\n") + good + "size=2\n";
        QTest::newRow("size huge") << QByteArray("[Tapes]\n") + good + "size=99999999999\n";
        QTest::newRow("nothing owned") << QByteArray("[Tapes]\n1\\minutes=60\n1\\sideCapacity=1845\n1\\owned=false\nsize=1\n");
        QTest::newRow("capacities shrink") << QByteArray("[Tapes]\n" + good +
                                                         "2\\minutes=90\n2\\sideCapacity=1800\n2\\owned=true\nsize=2\n");
        QTest::newRow("length 0") << QByteArray("[Tapes]\n1\\minutes=0\n1\\sideCapacity=100\n1\\owned=true\nsize=1\n");
        QTest::newRow("a length twice") << QByteArray("[Tapes]\n" + good +
                                                      "2\\minutes=60\n2\\sideCapacity=1900\n2\\owned=false\nsize=2\n");
        QTest::newRow("bytes of another file") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR[Tapes\n\xff\xfe=", 25);
        QTest::newRow("a section left open") << QByteArray("[Tapes]\n[Tapes\nsize=1\n");
    }
    // clang-format on
    void damagedFileFallsBack()
    {
        QFETCH(QByteArray, content);
        writeSettings(content);
        ModalAnswerer answerer;
        // The message takes the focus, so the window is not waited for as the active one.
        registerFontSubstitutions();
        auto window = std::make_unique<MainForm>(std::make_unique<FakeDevice>());
        window->show();
        QTRY_COMPARE(answerer.messages().size(), 1);
        const SeenModal message = answerer.messages().front();
        QCOMPARE(message.title, QStringLiteral("テープの種類"));
        QCOMPARE(message.icon, QMessageBox::Warning);
        QCOMPARE(message.lines.mid(0, 2), (QStringList{"保存されているテープの種類を読み込めませんでした。",
                                                       "標準の 14 種類のテープ（10～100分）で計算します。"}));
        QCOMPARE(message.lines.value(2), QStringLiteral("設定ファイル： ") + settingsFile());
        QCOMPARE(window->lineup(), standardLineup());
        QCOMPARE(window->tapeChoices(), standardTapeChoices());

        // The window shows the standard list, and OK writes a right file over the damaged one.
        withTapeWindow(*window, answerer, [](TapeLineup& tapes) { tapes.TapeOK()->click(); });
        auto next = openWindow();
        QVERIFY(next);
        QTest::qWait(0);
        QCOMPARE(answerer.messages().size(), 1);
        QCOMPARE(next->lineup(), standardLineup());
    }

    // A file just over 1 MiB was wiped by the next write: the window says once that it cannot read it,
    // works with the standard list, and never writes it; a bad line is named and costs only itself.
    void settingsFileProblemsAreSaidOnce_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("firstLine");
        QTest::addColumn<bool>("written");
        QTest::newRow("too long to read whole") << "[Tapes]\nsize=1\n;" + QByteArray(1 << 20, 'x') + "\n"
                                                << "設定ファイルを読み込めません。標準の設定で動作し、このファイルには書き込みません。"
                                                << false;
        QTest::newRow("a bad line") << QByteArray("[General]\nlanguage=ja\njunk\n")
                                    << "設定ファイルの次の行を読み取れないため、読み飛ばしました。" << true;
    }
    void settingsFileProblemsAreSaidOnce()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, firstLine);
        QFETCH(bool, written);
        writeSettings(content);
        ModalAnswerer answerer;
        registerFontSubstitutions();
        auto window = std::make_unique<MainForm>(std::make_unique<FakeDevice>());
        window->show();
        QTRY_COMPARE(answerer.messages().size(), 1);
        QCOMPARE(answerer.messages().front().title, QStringLiteral("設定ファイル"));
        QCOMPARE(answerer.messages().front().lines.value(0), firstLine);
        window->mnuSettingOnline()->trigger();
        QTest::qWait(0);
        QCOMPARE(answerer.messages().size(), 1);
        QFile file(settingsFile());
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray after = file.readAll();
        QCOMPARE(after == content, !written);
        if (written) QVERIFY(after.startsWith("[General]\nlanguage=ja\njunk\n"));
        QCOMPARE(window->lineup(), standardLineup());
    }
};

VANTOLI_GUI_TEST_MAIN(TestTapeWindow)
#include "test_tape_window.moc"
