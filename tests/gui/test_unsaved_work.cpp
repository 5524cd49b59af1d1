// The main window as a document program: the title names the tape and marks unsaved changes, work
// beyond typed entries is asked about (Save, Discard, Cancel) before it is ended or replaced, and a
// time typed over a track's audio says so in the entry's tooltip.

#include <QtTest>

#include <QLineEdit>
#include <QTemporaryDir>

#include "gui/main_form.h"
#include "support/audio_files.h"
#include "support/modal_answerer.h"
#include "support/open_window.h"

using namespace vantoli;
using namespace vantoli::test;

class TestUnsavedWork : public QObject {
    Q_OBJECT
private slots:
    void init() { QVERIFY(dir_.isValid()); }

    // A tape read from files is a document: "Untitled" with the changed mark until saved, then its
    // file's name without the mark; entries alone keep the plain title.
    void titleNamesTheTapeAndMarksChanges()
    {
        auto window = openWindow();
        QVERIFY(window);
        window->Tm(0)->setText("431");
        QCOMPARE(window->windowTitle(), QString("Vantoli"));

        readAlbum(*window);
        QCOMPARE(window->windowTitle(), QString("無題[*] — Vantoli"));
        QVERIFY(window->isWindowModified());

        QVERIFY(window->SaveTape(path("Side by side.vantoli")));
        QCOMPARE(window->windowTitle(), QString("Side by side[*] — Vantoli"));
        QVERIFY(!window->isWindowModified());
        window->Tm(1)->setText("100");
        QVERIFY(window->isWindowModified());
    }

    // Cancel keeps the work; Discard lets it go; Save writes the tape's own file first. Entries alone
    // go without a question. (Closing for real would end the test program: the close box is checked
    // with Cancel only.)
    void unsavedWorkIsAskedAbout_data()
    {
        QTest::addColumn<bool>("filesRead");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("goesOn");
        QTest::addColumn<bool>("asked");
        QTest::newRow("entries alone") << false << int(QMessageBox::Cancel) << true << false;
        QTest::newRow("cancel") << true << int(QMessageBox::Cancel) << false << true;
        QTest::newRow("discard") << true << int(QMessageBox::Discard) << true << true;
        QTest::newRow("save") << true << int(QMessageBox::Save) << true << true;
    }
    void unsavedWorkIsAskedAbout()
    {
        QFETCH(bool, filesRead);
        QFETCH(int, answer);
        QFETCH(bool, goesOn);
        QFETCH(bool, asked);
        auto window = openWindow();
        QVERIFY(window);
        if (filesRead) {
            readAlbum(*window);
            QVERIFY(window->SaveTape(path("t.vantoli")));
            const QByteArray saved = contentOf(path("t.vantoli"));
            window->Tm(0)->setText("200");
            QCOMPARE(contentOf(path("t.vantoli")), saved);
        } else {
            window->Tm(0)->setText("431");
        }
        ModalAnswerer answerer;
        answerer.answerUnsaved = QMessageBox::StandardButton(answer);
        QCOMPARE(window->maySetAside(), goesOn);
        QCOMPARE(answerer.unsavedQuestions(), asked ? 1 : 0);
        if (answer == QMessageBox::Save) {
            QVERIFY(contentOf(path("t.vantoli")).contains("\"200\""));
            QVERIFY(!window->hasUnsavedChanges());
        }
        if (answer == QMessageBox::Cancel && filesRead) {
            QVERIFY(!window->close());
            QVERIFY(window->isVisible());
            QCOMPARE(answerer.unsavedQuestions(), 2);
        }
    }

    // Cancelled, opening another tape changes nothing and asks for no file.
    void openTapeCancelledLeavesTheWork()
    {
        auto window = openWindow();
        QVERIFY(window);
        readAlbum(*window);
        window->Tm(0)->setText("222");
        ModalAnswerer answerer;
        answerer.answerUnsaved = QMessageBox::Cancel;
        window->mnuFileOpenTape()->trigger();
        QCOMPARE(answerer.unsavedQuestions(), 1);
        QCOMPARE(answerer.fileDialogs(), 0);
        QCOMPARE(window->Tm(0)->text(), QString("222"));
        QVERIFY(window->hasUnsavedChanges());
    }

    // More than a second away from the audio, the entry's tooltip says the audio is not used.
    void typedTimeShowsInTheTooltip()
    {
        auto window = openWindow();
        QVERIFY(window);
        readAlbum(*window);
        const QString read = window->Tm(0)->toolTip();
        QVERIFY(read.contains("first"));
        window->Tm(0)->setText("10");
        QVERIFY(window->Tm(0)->toolTip().contains("first"));
        QVERIFY(window->Tm(0)->toolTip().contains("音声ファイルは使いません"));
        window->Tm(0)->setText("3");
        QCOMPARE(window->Tm(0)->toolTip(), read);
    }

private:
    void readAlbum(MainForm& window)
    {
        const QString file = writeEncoded(Encoder::Flac, dir_.path(), "first.flac", 3000, {"first", "Band", "Album"});
        QVERIFY(!file.isEmpty());
        window.ReadFiles({file});
        QVERIFY(waitForRead(window));
        QCOMPARE(window.Tm(0)->text(), QString("3"));
    }
    static QByteArray contentOf(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QString path(const QString& name) const { return QDir(dir_.path()).filePath(name); }
    QTemporaryDir dir_;
};

VANTOLI_GUI_TEST_MAIN(TestUnsavedWork)
#include "test_unsaved_work.moc"
