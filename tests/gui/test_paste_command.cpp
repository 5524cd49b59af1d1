// The paste command: the PasteTracks window reads the text as it is typed, marks what it cannot read,
// and OK brings the tracks into the main window as a read of files does.

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include "gui/paste_tracks.h"
#include "gui/report.h"
#include "support/modal_answerer.h"
#include "support/open_window.h"

using namespace vantoli;
using namespace vantoli::test;

namespace {

QString longList(int count)
{
    QString text;
    for (int i = 1; i <= count; ++i)
        text += QStringLiteral("%1. Song %1 – Band 3:%2\n").arg(i).arg(i % 60, 2, 10, QChar('0'));
    return text;
}

}  // namespace

class TestPasteCommand : public QObject {
    Q_OBJECT
private slots:
    // The table follows the text, unreadable lines in it too, numbered as pasted.
    void windowReadsAsYouType()
    {
        auto window = openWindow();
        QVERIFY(window);

        PasteTracks paste(window.get());
        QVERIFY(!paste.cmdOK()->isEnabled());
        paste.txtPaste()->setPlainText("Tracklist\n1. One – A 4:31\n\n２．Two　３：０５");
        QTableWidget* table = paste.tblParsed();
        QCOMPARE(table->rowCount(), 3);
        QCOMPARE(table->item(0, 0)->text(), "1");
        QVERIFY(table->item(0, 2)->text().contains("Tracklist"));
        QCOMPARE(table->item(1, 1)->text(), "4:31");
        QCOMPARE(table->item(2, 0)->text(), "4");
        QCOMPARE(table->item(2, 2)->text(), "Two");
        QVERIFY(paste.cmdOK()->isEnabled());
        QCOMPARE(paste.tracks().tracks.size(), std::size_t(2));
    }

    // Up to 20 tracks: a cleared window with the times in the entries and the titles in the tips.
    void okFillsTheEntries()
    {
        auto window = openWindow();
        window->Tm(5)->setText("999");
        ModalAnswerer answerer;
        answerer.answerOther = [](QWidget* shown) {
            auto* paste = qobject_cast<PasteTracks*>(shown);
            QVERIFY(paste);
            paste->txtPaste()->insertPlainText("1. One - A 4:31\nTwo\t3:05");
            paste->cmdOK()->click();
        };
        window->mnuFilePaste()->trigger();
        QCOMPARE(window->Tm(0)->text(), "431");
        QCOMPARE(window->Tm(1)->text(), "305");
        QCOMPARE(window->Tm(5)->text(), "");
        QCOMPARE(window->trackTitles().tracks[0].artist, std::string("A"));
        QVERIFY(window->Tm(1)->toolTip().contains("Two"));
    }

    // 21 to 99 tracks go to the report after the message; Cancel changes nothing.
    void longListAndCancel()
    {
        auto window = openWindow();
        window->Tm(0)->setText("111");
        ModalAnswerer answerer;
        answerer.answerOther = [](QWidget* shown) {
            if (auto* paste = qobject_cast<PasteTracks*>(shown)) paste->cmdCancel()->click();
        };
        window->mnuFilePaste()->trigger();
        QCOMPARE(window->Tm(0)->text(), "111");

        answerer.answerOther = [](QWidget* shown) {
            auto* paste = qobject_cast<PasteTracks*>(shown);
            paste->txtPaste()->setPlainText(longList(24));
            paste->cmdOK()->click();
        };
        window->mnuFilePaste()->trigger();
        QCOMPARE(answerer.messages().size(), 1);
        QCOMPARE(answerer.messages()[0].title, "21曲以上");
        Report* report = window->reportWindow().window();
        QVERIFY(report && report->text().contains("総トラック数： 24"));
        QCOMPARE(window->Tm(0)->text(), "111");
    }
};

VANTOLI_GUI_TEST_MAIN(TestPasteCommand)
#include "test_paste_command.moc"
