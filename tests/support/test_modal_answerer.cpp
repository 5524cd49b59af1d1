// The modal answerer of the tests answers windows that open one from another, and a modal window
// that nobody answers fails its test within seconds instead of hanging it.

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include "support/modal_answerer.h"

using namespace vantoli::test;

namespace {

int showBox(const QString& title, const QString& text)
{
    QMessageBox box(QMessageBox::Information, title, text, QMessageBox::Ok);
    return box.exec();
}

}  // namespace

class TestModalAnswerer : public QObject {
    Q_OBJECT
private slots:
    void answersAMessageBoxWithOk()
    {
        ModalAnswerer answerer;
        QCOMPARE(showBox("first", "line 1\nline 2"), int(QMessageBox::Ok));
        QCOMPARE(answerer.messages().size(), 1);
        QCOMPARE(answerer.messages().first().title, QStringLiteral("first"));
        QCOMPARE(answerer.messages().first().lines, (QStringList{"line 1", "line 2"}));
        QCOMPARE(answerer.messages().first().icon, QMessageBox::Information);
    }

    // A box that opens another box while it is being answered: the second one is answered inside the
    // first one's event loop.
    void answersABoxOpenedFromABox()
    {
        ModalAnswerer answerer;
        QMessageBox outer(QMessageBox::Warning, "outer", "outer text", QMessageBox::Ok);
        connect(&outer, &QMessageBox::buttonClicked, this, [] { showBox("inner", "inner text"); });
        QCOMPARE(outer.exec(), int(QMessageBox::Ok));
        QCOMPARE(answerer.messages().size(), 2);
        QCOMPARE(answerer.messages()[0].title, QStringLiteral("outer"));
        QCOMPARE(answerer.messages()[1].title, QStringLiteral("inner"));
    }

    // The save dialog asks before it replaces a file; the question is answered too, and a message box
    // after the dialog as well.
    // clang-format off
    void answersTheQuestionBeforeReplacingAFile_data()
    {
        QTest::addColumn<bool>("replace");
        QTest::newRow("replace") << true;
        QTest::newRow("keep the file") << false;
    }
    // clang-format on
    void answersTheQuestionBeforeReplacingAFile()
    {
        QFETCH(bool, replace);
        QTemporaryDir folder;
        const QString path = folder.filePath("existing.vto");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();

        ModalAnswerer answerer({path});
        answerer.replaceFiles = replace;
        const QString chosen = QFileDialog::getSaveFileName(nullptr, QString(), folder.path(), "Vantoli (*.vto)");
        showBox("after", "saved");

        QCOMPARE(chosen, replace ? path : QString());
        QCOMPARE(answerer.fileDialogs(), 1);
        QCOMPARE(answerer.seen().size(), 3);
        QCOMPARE(answerer.seen()[1].kind, SeenModal::Kind::Overwrite);
        QCOMPARE(answerer.messages().size(), 1);
        QCOMPARE(answerer.messages().first().title, QStringLiteral("after"));
    }

    void fileAnswersAreTakenInTurnThenCancelled()
    {
        QTemporaryDir folder;
        ModalAnswerer answerer({folder.filePath("a.vto"), QString()});
        QCOMPARE(QFileDialog::getSaveFileName(nullptr, QString(), folder.path()), folder.filePath("a.vto"));
        QCOMPARE(QFileDialog::getSaveFileName(nullptr, QString(), folder.path()), QString());
        QCOMPARE(QFileDialog::getSaveFileName(nullptr, QString(), folder.path()), QString());
        QCOMPARE(answerer.fileDialogs(), 3);
    }

    // The test program runs itself with nobody answering a box: the run fails, names the window, and
    // ends by itself.
    void anUnansweredWindowFailsTheTest()
    {
        QProcess self;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("VANTOLI_UNANSWERED_BOX", "1");
        environment.insert("VANTOLI_MODAL_DEADLINE_MS", "300");
        self.setProcessEnvironment(environment);
        self.setProcessChannelMode(QProcess::MergedChannels);
        self.start(QCoreApplication::applicationFilePath(), {});
        QVERIFY(self.waitForFinished(60000));
        const QString output = QString::fromUtf8(self.readAll());
        QVERIFY2(self.exitStatus() == QProcess::NormalExit && self.exitCode() != 0, qPrintable(output));
        QVERIFY2(output.contains("a modal window nobody answered: QMessageBox \"nobody answers\""), qPrintable(output));
        QVERIFY2(output.contains("after the box"), qPrintable(output));
    }
};

// Run in a child process by anUnansweredWindowFailsTheTest.
class UnansweredBox : public QObject {
    Q_OBJECT
private slots:
    void showsABoxNobodyAnswers()
    {
        showBox("nobody answers", "text");
        qInfo("after the box");
    }
};

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    ModalWatch watch;
    if (qEnvironmentVariableIsSet("VANTOLI_UNANSWERED_BOX")) {
        UnansweredBox test;
        return QTest::qExec(&test, argc, argv);
    }
    TestModalAnswerer test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_modal_answerer.moc"
