#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QWindow>
#include <QtTest>

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
};

VANTOLI_GUI_TEST_MAIN(TestReportWindow)
#include "test_report_window.moc"
