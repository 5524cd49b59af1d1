// The Run command driven as a user drives it: times typed into the entries, Run pressed, the plan
// read back from the window, and every message box caught and closed.

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QInputMethodEvent>
#include <QTest>

#include <algorithm>

#include "support/modal_answerer.h"
#include "support/open_window.h"

using namespace vantoli;
using vantoli::test::ModalAnswerer;
using vantoli::test::openWindow;

namespace {

// Types the entries as a user does: plain text key by key, full-width text committed by an input
// method, as a Japanese input method hands it to the box.
void type(MainForm& window, const QStringList& entries)
{
    for (int i = 0; i < entries.size(); ++i) {
        window.Tm(i)->clear();
        const QString& text = entries[i];
        if (std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; })) {
            QTest::keyClicks(window.Tm(i), text);
        } else {
            QInputMethodEvent commit;
            commit.setCommitString(text);
            QApplication::sendEvent(window.Tm(i), &commit);
        }
    }
    for (int i = static_cast<int>(entries.size()); i < EntryCount; ++i) window.Tm(i)->clear();
}

QStringList cells(QLabel* (MainForm::*cell)(int) const, const MainForm& window)
{
    QStringList texts;
    for (int i = 0; i < EntryCount; ++i) texts << (window.*cell)(i)->text();
    return texts;
}

// The cell texts of a side: the given track numbers, then empty cells up to 20.
QStringList side(const QStringList& tracks)
{
    QStringList texts = tracks;
    while (texts.size() < EntryCount) texts << QString();
    return texts;
}

// TapeType, then the six time labels in the order timeTotal, sideATotal, aBlankTime, sideBTotal,
// bBlankTime, tBlankTime.
QStringList planLabels(const MainForm& w)
{
    return {w.TapeType()->text(),   w.timeTotal()->text(),  w.sideATotal()->text(), w.aBlankTime()->text(),
            w.sideBTotal()->text(), w.bBlankTime()->text(), w.tBlankTime()->text()};
}

const QStringList SixTracks{"431", "350", "512", "405", "600", "330"};
const QStringList SixTracksPlan{"30分テープ", "27 : 08", "13 : 33", "+0 : 10", "13 : 35", "+0 : 10", "+0 : 20"};

}  // namespace

class TestRunCommand : public QObject {
    Q_OBJECT
private slots:
    // clang-format off
    void showsThePlan_data()
    {
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<bool>("keepOrder");
        QTest::addColumn<bool>("gap");
        QTest::addColumn<QStringList>("sideA");
        QTest::addColumn<QStringList>("sideB");
        QTest::addColumn<QStringList>("labels");  // as planLabels()

        QTest::newRow("six tracks, 5 s gaps, 30 minutes")
            << SixTracks << true << true << QStringList{"1", "2", "3"} << QStringList{"4", "5", "6"} << SixTracksPlan;
        const QStringList five{"330", "230", "515", "435", "515"};
        QTest::newRow("keep order: 30 minutes")
            << five << true << false << QStringList{"1", "2", "3"} << QStringList{"4", "5"}
            << QStringList{"30分テープ", "21 : 05", "11 : 15", "+0 : 00", "9 : 50", "+0 : 00", "+0 : 00"};
        QTest::newRow("exchange from side A: 20 minutes")
            << five << false << false << QStringList{"1", "2", "4"} << QStringList{"3", "5"}
            << QStringList{"20分テープ", "21 : 05", "10 : 35", "+0 : 00", "10 : 30", "+0 : 00", "+0 : 00"};
        QTest::newRow("exchange from side B: 20 minutes")
            << QStringList{"220", "255", "505", "530", "525"} << false << false << QStringList{"1", "2", "5"}
            << QStringList{"3", "4"}
            << QStringList{"20分テープ", "21 : 15", "10 : 40", "+0 : 00", "10 : 35", "+0 : 00", "+0 : 00"};
        QTest::newRow("no tracks: 10 minutes, empty sides")
            << QStringList{} << true << true << QStringList{} << QStringList{}
            << QStringList{"10分テープ", "0 : 00", "0 : 00", "+0 : 00", "0 : 00", "+0 : 00", "+0 : 00"};
        QTest::newRow("twenty tracks all on side A")
            << QStringList(20, "10") << true << true
            << QStringList{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10",
                           "11", "12", "13", "14", "15", "16", "17", "18", "19", "20"}
            << QStringList{}
            << QStringList{"10分テープ", "3 : 20", "3 : 20", "+1 : 35", "0 : 00", "+0 : 00", "+1 : 35"};
        QTest::newRow("one track of 5:45 fills the 10-minute side A")
            << QStringList{"545"} << true << true << QStringList{"1"} << QStringList{}
            << QStringList{"10分テープ", "5 : 45", "5 : 45", "+0 : 00", "0 : 00", "+0 : 00", "+0 : 00"};
        QTest::newRow("entries after the first empty one are not read")
            << QStringList{"431", "350", "", "abc"} << true << true << QStringList{"1"} << QStringList{"2"}
            << QStringList{"10分テープ", "8 : 21", "4 : 31", "+0 : 00", "3 : 50", "+0 : 00", "+0 : 00"};
        QTest::newRow("blanks around a number")
            << QStringList{" 431 ", "2500"} << true << false << QStringList{"1"} << QStringList{"2"}
            << QStringList{"50分テープ", "29 : 31", "4 : 31", "+0 : 00", "25 : 00", "+0 : 00", "+0 : 00"};
        QTest::newRow("full-width entries as an input method types them")
            << QStringList{"　４３１　", "２５００"} << true << false << QStringList{"1"} << QStringList{"2"}
            << QStringList{"50分テープ", "29 : 31", "4 : 31", "+0 : 00", "25 : 00", "+0 : 00", "+0 : 00"};
    }
    // clang-format on
    void showsThePlan()
    {
        QFETCH(QStringList, entries);
        QFETCH(bool, keepOrder);
        QFETCH(bool, gap);
        QFETCH(QStringList, sideA);
        QFETCH(QStringList, sideB);
        QFETCH(QStringList, labels);

        auto window = openWindow();
        QVERIFY(window);
        window->mnuSettingCD()->setChecked(keepOrder);
        window->mnuSetting5sec()->setChecked(gap);
        type(*window, entries);
        ModalAnswerer messages;
        QTest::mouseClick(window->Run(), Qt::LeftButton);

        QCOMPARE(messages.messages().size(), 0);
        QCOMPARE(cells(&MainForm::A, *window), side(sideA));
        QCOMPARE(cells(&MainForm::B, *window), side(sideB));
        QCOMPARE(planLabels(*window), labels);
        for (int i = 0; i < entries.size(); ++i) QCOMPARE(window->Tm(i)->text(), entries[i]);
    }

    void aShorterPlanLeavesNoCellOfTheLongerOne()
    {
        auto window = openWindow();
        QVERIFY(window);
        type(*window, QStringList(20, "10"));
        QTest::mouseClick(window->Run(), Qt::LeftButton);
        QCOMPARE(window->A(19)->text(), QStringLiteral("20"));

        type(*window, {"2500", "2500"});
        QTest::mouseClick(window->Run(), Qt::LeftButton);
        QCOMPARE(cells(&MainForm::A, *window), side({"1"}));
        QCOMPARE(cells(&MainForm::B, *window), side({"2"}));
        QCOMPARE(window->TapeType()->text(), QStringLiteral("50分テープ"));
    }

    // "100分テープ" and "+0 : 10" are wider than their cells in the substitute font: each result
    // narrows to fit whole, clear of its frame's right edge, and a shorter caption afterwards is drawn
    // at full width again.
    void resultsFitTheirCells()
    {
        auto window = openWindow();
        QVERIFY(window);
        QLabel* tape = window->TapeType();
        type(*window, {"4900", "4900", "10", "10", "10", "10"});
        QTest::mouseClick(window->Run(), Qt::LeftButton);
        QCOMPARE(tape->text(), QStringLiteral("100分テープ"));
        QCOMPARE(window->bBlankTime()->text(), QStringLiteral("+0 : 20"));
        for (QLabel* label : {tape, window->sideATotal(), window->aBlankTime(), window->sideBTotal(),
                              window->bBlankTime(), window->timeTotal(), window->tBlankTime()})
            QVERIFY2(QFontMetrics(label->font()).horizontalAdvance(label->text()) <=
                         label->contentsRect().width() - label->indent(),
                     qPrintable(label->objectName()));

        type(*window, {"431"});
        QTest::mouseClick(window->Run(), Qt::LeftButton);
        QCOMPARE(tape->text(), QStringLiteral("10分テープ"));
        QCOMPARE(tape->font().stretch(), int(QFont::Unstretched));
    }

    // After a message nothing more is written: the cells stay empty, the entries keep what was typed,
    // the labels keep the previous plan; only the lineup failure has already shown the new total.
    // clang-format off
    void messagesStopTheCommand_data()
    {
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("timeTotal");  // empty: the previous plan's total stays

        const QString entryError = "入力エラー";
        const QStringList format{"入力の形式に誤りがあります。", "必ず数値で入力してください。", "(例)  4:31 → 431"};
        const QStringList tooLarge{"値が大きすぎます。", "入力した値を見直してください。"};
        const QStringList seconds{"秒の値が不正です。", "修正してください。"};
        QTest::newRow("colon") << QStringList{"431", "4:31"} << entryError << QStringList{"トラック 2の"} + format
                               << QString();
        QTest::newRow("letters") << QStringList{"abc"} << entryError << QStringList{"トラック 1の"} + format << QString();
        QTest::newRow("only blanks") << QStringList{"431", "350", "  "} << entryError
                                     << QStringList{"トラック 3の"} + format << QString();
        QTest::newRow("8001") << QStringList{"8001"} << entryError << QStringList{"トラック 1の"} + tooLarge << QString();
        QTest::newRow("beyond 16 bits") << QStringList{"100", "200", "300", "40000"} << entryError
                                        << QStringList{"トラック 4の"} + tooLarge << QString();
        QTest::newRow("60 seconds") << QStringList{"431", "350", "7960"} << entryError
                                    << QStringList{"トラック 3の"} + seconds << QString();
        QTest::newRow("track 20") << QStringList(19, "100") + QStringList{"99"} << entryError
                                  << QStringList{"トラック 20の"} + seconds << QString();
        QTest::newRow("first bad entry only") << QStringList{"x", "99999"} << entryError
                                              << QStringList{"トラック 1の"} + format << QString();

        const QStringList lineup{"正確な計算ができません。", "100分以上のテープを使用する必要があるか、",
                                 "入力した値に誤りがあります。"};
        QTest::newRow("100 minutes in total") << QStringList{"5000", "5000"} << "テープのラインナップ" << lineup
                                              << "100 : 00";
        QTest::newRow("8000 is read, but no tape holds 80 minutes on one side")
            << QStringList{"8000"} << "テープのラインナップ" << lineup << "80 : 00";
        QTest::newRow("one track longer than a 100-minute side")
            << QStringList{"5046"} << "テープのラインナップ" << lineup << "50 : 46";
    }
    // clang-format on
    void messagesStopTheCommand()
    {
        QFETCH(QStringList, entries);
        QFETCH(QString, title);
        QFETCH(QStringList, lines);
        QFETCH(QString, timeTotal);

        auto window = openWindow();
        QVERIFY(window);
        type(*window, SixTracks);
        QTest::mouseClick(window->Run(), Qt::LeftButton);
        QCOMPARE(planLabels(*window), SixTracksPlan);

        type(*window, entries);
        ModalAnswerer messages;
        QTest::mouseClick(window->Run(), Qt::LeftButton);

        QCOMPARE(messages.messages().size(), 1);
        const auto shown = messages.messages().front();
        QCOMPARE(shown.title, title);
        QCOMPARE(shown.lines, lines);
        QCOMPARE(shown.textFormat, Qt::PlainText);  // each line on a line of its own
        QCOMPARE(shown.icon, QMessageBox::Warning);
        QCOMPARE(shown.standardButtons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QCOMPARE(shown.buttonCount, 1);
        QVERIFY(shown.modal);

        QCOMPARE(cells(&MainForm::A, *window), side({}));
        QCOMPARE(cells(&MainForm::B, *window), side({}));
        QStringList expected = SixTracksPlan;
        if (!timeTotal.isEmpty()) expected[1] = timeTotal;
        QCOMPARE(planLabels(*window), expected);
        for (int i = 0; i < entries.size(); ++i) QCOMPARE(window->Tm(i)->text(), entries[i]);
    }

    void optionsAreReadAfreshOnEveryRun()
    {
        auto window = openWindow();
        QVERIFY(window);
        type(*window, {"330", "230", "515", "435", "515"});
        QTest::mouseClick(window->Run(), Qt::LeftButton);
        QCOMPARE(window->TapeType()->text(), QStringLiteral("30分テープ"));
        QCOMPARE(window->tBlankTime()->text(), QStringLiteral("+0 : 15"));

        window->mnuSettingCD()->setChecked(false);
        window->mnuSetting5sec()->setChecked(false);
        QTest::mouseClick(window->Run(), Qt::LeftButton);
        QCOMPARE(window->TapeType()->text(), QStringLiteral("20分テープ"));
        QCOMPARE(cells(&MainForm::A, *window), side({"1", "2", "4"}));
        QCOMPARE(window->tBlankTime()->text(), QStringLiteral("+0 : 00"));
    }

    // clang-format off
    void altRRunsFromAnEntryBox_data()
    {
        QTest::addColumn<int>("entry");
        QTest::newRow("first") << 0;
        QTest::newRow("seventh") << 6;
        QTest::newRow("last") << 19;
    }
    // clang-format on
    void altRRunsFromAnEntryBox()
    {
        QFETCH(int, entry);
        auto window = openWindow();
        QVERIFY(window);
        type(*window, SixTracks);
        window->Tm(entry)->setFocus();
        QTest::keyClick(window->Tm(entry), Qt::Key_R, Qt::AltModifier);
        QTRY_COMPARE(planLabels(*window), SixTracksPlan);
        QCOMPARE(window->Tm(entry)->text(), entry < SixTracks.size() ? SixTracks[entry] : QString());
    }

    // clang-format off
    void showTimeLabelWritesOnlyTheLabelItsSelectorNames_data()
    {
        QTest::addColumn<int>("seconds");
        QTest::addColumn<int>("selector");
        QTest::addColumn<QStringList>("labels");  // as planLabels()
        QTest::newRow("0 timeTotal") << 6000 << 0 << QStringList{"", "100 : 00", "", "", "", "", ""};
        QTest::newRow("2 aBlankTime") << 0 << 2 << QStringList{"", "", "", "+0 : 00", "", "", ""};
        QTest::newRow("3 sideBTotal") << 65 << 3 << QStringList{"", "", "", "", "1 : 05", "", ""};
        QTest::newRow("5 tBlankTime") << 20 << 5 << QStringList{"", "", "", "", "", "", "+0 : 20"};
        QTest::newRow("6 names no label") << 20 << 6 << QStringList{"", "", "", "", "", "", ""};
        QTest::newRow("-1 names no label") << 20 << -1 << QStringList{"", "", "", "", "", "", ""};
    }
    // clang-format on
    void showTimeLabelWritesOnlyTheLabelItsSelectorNames()
    {
        QFETCH(int, seconds);
        QFETCH(int, selector);
        QFETCH(QStringList, labels);
        auto window = openWindow();
        QVERIFY(window);
        window->ShowTimeLabel(seconds, selector);
        QCOMPARE(planLabels(*window), labels);
    }

    // A focused Run or Clear is pressed by Enter, the main keyboard's or the keypad's, as by Space; in an
    // entry box Enter does nothing, as the window has no default button.
    // clang-format off
    void enterPressesTheFocusedButton_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::newRow("Return") << int(Qt::Key_Return) << int(Qt::NoModifier);
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier);
    }
    // clang-format on
    void enterPressesTheFocusedButton()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        auto window = openWindow();
        QVERIFY(window);
        type(*window, SixTracks);
        ModalAnswerer messages;

        QTest::keyClick(window->Tm(5), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(window->TapeType()->text(), QString());

        window->Tm(19)->setFocus();
        QTest::keyClick(window->Tm(19), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), window->Run());
        QTest::keyClick(window->Run(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(planLabels(*window), SixTracksPlan);

        QTest::keyClick(window->Run(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), window->Clear());
        QTest::keyClick(window->Clear(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(window->Tm(0)->text(), QString());
        QCOMPARE(window->TapeType()->text(), QString());
        QCOMPARE(messages.seen().size(), 0);
    }
};

VANTOLI_GUI_TEST_MAIN(TestRunCommand)
#include "test_run_command.moc"
