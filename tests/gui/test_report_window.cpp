#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QWindow>
#include <QtTest>

#include "core/long_disc_plan.h"
#include "core/plan_report.h"
#include "gui/fonts.h"
#include "gui/report.h"
#include "support/modal_answerer.h"
#include "support/window_checks.h"

using namespace vantoli;
using vantoli::test::existingWindows;
using vantoli::test::shownWindows;

namespace {

QString crlf(const QStringList& lines) { return lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"); }

const QString FirstReport = crlf(
    {"", "***************   TAPE の構成   ***************", "", "使用するテープ： 90分テープ", "総トラック数： 24"});
const QString SecondReport = crlf(
    {"", "***************   TAPE の構成   ***************", "", "使用するテープ： 60分テープ", "総トラック数： 21"});

QLabel* label(QWidget* report) { return report->findChild<QLabel*>("lblReport"); }
QPushButton* okButton(QWidget* report) { return report->findChild<QPushButton*>("cmdReportOK"); }

}  // namespace

class TestReportWindow : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { registerFontSubstitutions(); }
    void cleanup() { QCOMPARE(existingWindows("Report"), 0); }

    void layout()
    {
        SingleWindow<Report> holder;
        Report* report = showReport(holder, FirstReport);
        QCOMPARE(report->windowTitle(), QString("結果レポート"));
        QCOMPARE(report->size(), twipsSize(4320, 6315));
        QCOMPARE(report->minimumSize(), report->maximumSize());
        QCOMPARE(report->windowFlags() &
                     (Qt::WindowType_Mask | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint),
                 Qt::Tool | Qt::WindowCloseButtonHint);
        QCOMPARE(okButton(report)->text(), QString("O K"));
    }

    void onlyTheButtonTakesFocus()
    {
        SingleWindow<Report> holder;
        Report* report = showReport(holder, FirstReport);
        QVERIFY(QTest::qWaitForWindowActive(report));
        QCOMPARE(QApplication::focusWidget(), okButton(report));
        QCOMPARE(label(report)->focusPolicy(), Qt::NoFocus);
        QTest::keyClick(okButton(report), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), okButton(report));
    }

    void newReportReplacesTheTextInTheSameWindow()
    {
        SingleWindow<Report> holder;
        Report* first = showReport(holder, FirstReport);
        QCOMPARE(label(first)->text(), FirstReport);  // CR LF kept
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
        Report* second = showReport(holder, SecondReport);
        QCOMPARE(second, first);
        QCOMPARE(first->text(), SecondReport);
        QCOMPARE(existingWindows("Report"), 1);
        QCOMPARE(shownWindows("Report"), 1);
    }

    // clang-format off
    void closingEmptiesTheReport_data()
    {
        QTest::addColumn<bool>("byButton");
        QTest::newRow("O K button") << true;
        QTest::newRow("close box") << false;
    }
    // clang-format on
    void closingEmptiesTheReport()
    {
        QFETCH(bool, byButton);
        SingleWindow<Report> holder;
        Report* report = showReport(holder, FirstReport);
        QPointer<QLabel> lblReport = label(report);
        if (byButton)
            QTest::mouseClick(okButton(report), Qt::LeftButton);
        else
            report->windowHandle()->close();
        QVERIFY(lblReport);  // the window is deleted only once control returns to the event loop
        QCOMPARE(lblReport->text(), QString());
        QCOMPARE(holder.window(), nullptr);
        QCOMPARE(existingWindows("Report"), 0);

        Report* again = showReport(holder, SecondReport);
        QCOMPARE(again->text(), SecondReport);
        QCOMPARE(existingWindows("Report"), 1);
    }

    void reportShownAgainBeforeTheClosedWindowIsDeleted()
    {
        SingleWindow<Report> holder;
        Report* report = showReport(holder, FirstReport);
        QTest::mouseClick(okButton(report), Qt::LeftButton);
        report = showReport(holder, SecondReport);
        QCOMPARE(existingWindows("Report"), 1);
        QCOMPARE(holder.window(), report);
        QVERIFY(report->isVisible());
        QCOMPARE(report->text(), SecondReport);
    }

    void enterPressesTheFocusedButtonAndEscDoesNothing()
    {
        SingleWindow<Report> holder;
        Report* report = showReport(holder, FirstReport);
        QVERIFY(QTest::qWaitForWindowActive(report));
        QTest::keyClick(okButton(report), Qt::Key_Escape);
        QCOMPARE(holder.window(), report);
        QTest::keyClick(okButton(report), Qt::Key_Return);
        QCOMPARE(holder.window(), nullptr);
    }

    void fixedPitchFont()
    {
        SingleWindow<Report> holder;
        Report* report = showReport(holder, FirstReport);
        // "ＭＳ ゴシック" where it is installed, else the IPA font standing in for it.
        const QString asked = label(report)->font().family();
        QVERIFY2(asked == "ＭＳ ゴシック" || asked == "IPAGothic", qPrintable(asked));
        QCOMPARE(QFontInfo(label(report)->font()).family(), QString("IPAGothic"));
        const QFontMetrics metrics(label(report)->font());
        const int cell = metrics.horizontalAdvance(QLatin1Char('0'));
        QVERIFY(cell > 0);
        for (QChar half : QStringLiteral(" *0159:,ABPTEil"))
            QVERIFY2(metrics.horizontalAdvance(half) == cell, qPrintable(QString(half)));
        for (QChar full : QStringLiteral("：＜＞～，使用面構成トータルブランク"))
            QVERIFY2(metrics.horizontalAdvance(full) == 2 * cell, qPrintable(QString(full)));
    }

    // Report lines with the same number of half-width cells (a full-width character takes two) end at
    // the same place, and the widest line fits in the label.
    // clang-format off
    void columnsLineUp_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("sameWidth");
        QTest::newRow("heading") << "***************   TAPE の構成   ***************" << QString(47, 'x');
        QTest::newRow("side totals") << "トータル： 41:04,   ブランク：  0:50" << "トータル： 41:57,   ブランク：  1:00";
        QTest::newRow("both sides") << "トータル： 83:01" << "ブランク：  1:50";
        QTest::newRow("lists") << "収録：  1， 2， 3， 4， 5， 6， 7， 8，10，11，" << "収録：  9，12，13，14，15，16，17，18，20，21，";
        QTest::newRow("list break") << "        19" << "収録：  19";
    }
    // clang-format on
    void columnsLineUp()
    {
        QFETCH(QString, line);
        QFETCH(QString, sameWidth);
        SingleWindow<Report> holder;
        Report* report = showReport(holder, crlf({line, sameWidth}));
        const QFontMetrics metrics(label(report)->font());
        QCOMPARE(metrics.horizontalAdvance(line), metrics.horizontalAdvance(sameWidth));
        QVERIFY(metrics.horizontalAdvance(line) <= label(report)->contentsRect().width());
    }

    // CR LF line ends show exactly as plain line breaks would.
    void crLfShowsAsLineBreaks()
    {
        SingleWindow<Report> holder;
        Report* report = showReport(holder, FirstReport);
        const QImage withCrLf = label(report)->grab().toImage();
        report->setText(QString(FirstReport).replace("\r\n", "\n"));
        const QImage withLf = label(report)->grab().toImage();
        report->setText(QString(FirstReport).replace("\r\n", " "));
        const QImage oneLine = label(report)->grab().toImage();
        QCOMPARE(withCrLf, withLf);
        QVERIFY(withCrLf != oneLine);
    }

    // Lines are measured in cells of the fixed-pitch report font: half-width characters take one cell,
    // full-width ones two.
    // clang-format off
    void wrapsLinesWiderThanTheLabel_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("cells");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("fits") << "abc def\r\n" << 7 << QStringList{"abc def"};
        QTest::newRow("breaks at the blank") << "abc def\r\n" << 6 << QStringList{"abc", "def"};
        QTest::newRow("last blank that fits") << "ab cd ef gh" << 7 << QStringList{"ab cd", "ef gh"};
        QTest::newRow("blank right after what fits") << "abcd efgh" << 4 << QStringList{"abcd", "efgh"};
        QTest::newRow("blanks at the break dropped") << "ab   cd" << 4 << QStringList{"ab", "cd"};
        QTest::newRow("no blank: after the last character that fits") << "abcdefgh" << 3 << QStringList{"abc", "def", "gh"};
        QTest::newRow("leading blanks are no place to break") << "   abcdef" << 6 << QStringList{"   abc", "def"};
        QTest::newRow("full-width characters are two cells") << "収録：  1， 2" << 9 << QStringList{"収録：", "1， 2"};
        QTest::newRow("empty lines kept") << "\r\nab\r\n\r\ncd\r\n" << 5 << QStringList{"", "ab", "", "cd"};
        QTest::newRow("a line of blanks that fits") << "        \r\n" << 8 << QStringList{"        "};
    }
    // clang-format on
    void wrapsLinesWiderThanTheLabel()
    {
        QFETCH(QString, text);
        QFETCH(int, cells);
        QFETCH(QStringList, shown);
        const QFontMetricsF metrics(reportFont());
        QCOMPARE(wrapLines(text, metrics, cells * metrics.horizontalAdvance(QLatin1Char('0'))), shown);
    }

    // A long disc whose side A gives away its twelfth track lists eleven numbers on the first line of
    // side A, 51 cells: the line breaks at a blank and every track is still shown. Every other line,
    // the row of 47 asterisks among them, fits and is shown as it stands.
    void showsEveryLineWhole()
    {
        const std::vector<int> seconds{260, 169, 104, 143, 161, 101, 167, 228, 264, 228, 128, 293, 169, 291,
                                       129, 235, 179, 114, 134, 239, 157, 114, 228, 267, 246, 148, 266};
        const std::optional<LongDiscPlan> plan = planLongDisc(seconds, {true, false}, 27);
        QVERIFY(plan && plan->plan.exchange && plan->plan.exchange->outgoingA == 11);
        const QString text = QString::fromStdString(PlanReportText(*plan));

        SingleWindow<Report> holder;
        Report* report = showReport(holder, text);
        QVERIFY(QTest::qWaitForWindowExposed(report));
        QCOMPARE(report->text(), text);
        const QStringList shown = report->shownLines();
        const QFontMetricsF metrics(label(report)->font());
        const int room = label(report)->contentsRect().width();
        for (const QString& line : shown) QVERIFY2(metrics.horizontalAdvance(line) <= room, qPrintable(line));

        QStringList written = text.split("\r\n");
        written.removeLast();
        const QString wide = written.at(written.indexOf(QRegularExpression("^収録：  1， 2.*")));
        QVERIFY(metrics.horizontalAdvance(wide) > room);
        for (const QString& line : written)
            if (line != wide) QVERIFY2(shown.contains(line), qPrintable(line));
        QCOMPARE(shown.size(), written.size() + 1);
        QVERIFY(shown.contains(QString(15, '*') + "   TAPE の構成   " + QString(15, '*')));

        // Every track number of both sides, as the report lists them, is on the screen.
        static const QRegularExpression number("\\d+");
        QStringList listed;
        for (const QString& line : shown.mid(shown.indexOf(QRegularExpression("^収録：.*"))))
            for (const auto& match : number.globalMatch(line.section("：", -1))) listed << match.captured();
        for (int track = 1; track <= 27; ++track)
            QVERIFY2(listed.contains(QString::number(track)), qPrintable(QString::number(track)));

        // The picture shows it too: no line reaches into the label's frame.
        const QImage picture = label(report)->grab().toImage();
        const QColor frame = picture.pixelColor(0, picture.height() / 2);
        for (int y = 1; y < picture.height() - 1; ++y) QCOMPARE(picture.pixelColor(picture.width() - 1, y), frame);
    }
};

VANTOLI_GUI_TEST_MAIN(TestReportWindow)
#include "test_report_window.moc"
