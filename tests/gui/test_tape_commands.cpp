// The tape as a document in the main window: what a tape holds comes back into the window, the plan is
// made anew, files gone or changed are named, a bad file changes nothing, the recent tapes, a dropped
// tape, and the copy of unsaved work that a killed program offers back at the next start.

#include <QtTest>

#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QProcess>
#include <QTableWidget>
#include <QTemporaryDir>

#include <sys/stat.h>

#include <csignal>
#include <variant>

#include "core/exact_planner.h"
#include "core/tape_document.h"
#include "device/tape_document_file.h"
#include "gui/dubbing.h"
#include "gui/main_form.h"
#include "gui/report.h"
#include "support/file_size_limit.h"
#include "support/modal_answerer.h"
#include "support/open_window.h"

using namespace vantoli;
using vantoli::test::ModalAnswerer;

namespace {

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray contentOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<cannot read>");
}

std::string native(const QString& path) { return QFile::encodeName(path).toStdString(); }

TapeDocument parsed(const QString& path)
{
    const ParsedTapeDocument read = readTapeDocumentFile(native(path));
    if (!std::holds_alternative<TapeDocument>(read)) qFatal("%s does not read back", qPrintable(path));
    return std::get<TapeDocument>(read);
}

// A tape of typed entries whose tracks play from files in folder, with the plan the options give.
TapeDocument entriesTape(const QString& folder)
{
    TapeDocument d;
    d.entries = {"431", "350", "512", "405"};
    d.tracks.album = "Album";
    d.tracks.artist = "Band";
    const char* titles[] = {"一", "二", "三", "四"};
    // The audio's lengths as the entries have them: no time typed over the audio.
    const int milliseconds[] = {271'400, 230'000, 312'900, 245'000};
    for (int i = 0; i < 4; ++i) {
        const QString file = QStringLiteral("%1/%2.flac").arg(folder).arg(i + 1);
        writeFile(file, QByteArray(100 + i, 'x'));
        d.tracks.tracks.push_back(
            Track{milliseconds[i], titles[i], "", AudioSource{AudioSource::Kind::File, native(file), 0, -1, 0}});
    }
    d.sources = {native(folder)};
    d.options = PlanOptions{false, false, false};
    d.lineup = standardLineup();
    d.plan = savedPlanOf(*planTracks({271, 230, 312, 245}, d.options, d.lineup));
    d.label = LabelTexts{"My tape", "Me", "TYPE II", {{2, "二 (live)"}}};
    d.dubbing = DubbingSettings{4, CalibrationTone{15, 400, -14}, Loudness::Track};
    stampAudioFiles(d);
    return d;
}

void save(const TapeDocument& d, const QString& path)
{
    writeFile(path, QByteArray::fromStdString(writeTapeDocument(d, documentFolder(native(path)))));
}

QString message(const Message& m)
{
    QString text = QString::fromStdString(m.text);
    return text.replace('\r', '\n');
}

}  // namespace

class TestTapeCommands : public QObject {
    Q_OBJECT
private slots:
    void init() { QVERIFY(dir_.isValid()); }

    // Open, then save again: every member comes back, through the controls the window shows it in.
    void tapeComesBackWholeThroughTheWindow()
    {
        const TapeDocument tape = entriesTape(dir_.path());
        save(tape, path("tape.vantoli"));
        auto window = test::openWindow();
        ModalAnswerer answerer;
        QVERIFY(window->OpenTape(path("tape.vantoli")));
        QCOMPARE(answerer.messages().size(), 0);

        QCOMPARE(window->Tm(2)->text(), QString("512"));
        QVERIFY(window->Tm(1)->toolTip().contains(QString("二")));
        QVERIFY(!window->mnuSettingCD()->isChecked());
        QVERIFY(!window->mnuSetting5sec()->isChecked());
        QVERIFY(!window->TapeType()->text().isEmpty());
        QCOMPARE(window->dubbingSettings().tone.hertz, 400);  // kept for the dubbing window
        QVERIFY(!window->hasUnsavedChanges());
        window->mnuFileLabel()->trigger();
        CassetteLabel* label = window->labelWindow().window();
        QVERIFY(label);
        QCOMPARE(label->txtTitle()->text(), QString("My tape"));
        QCOMPARE(label->txtNote()->text(), QString("TYPE II"));
        const LabelContent shown = label->label();
        bool edited = false;
        for (const LabelSide* side : {&shown.sideA, &shown.sideB})
            for (const LabelTrack& track : side->tracks) edited |= track.number == 2 && track.title == "二 (live)";
        QVERIFY(edited);

        QVERIFY(window->SaveTape(path("again.vantoli")));
        save(tape, path("expected.vantoli"));
        QCOMPARE(contentOf(path("again.vantoli")), contentOf(path("expected.vantoli")));
        QCOMPARE(parsed(path("again.vantoli")), tape);

        // Another tape opened while the label is open: nothing typed for the first one stays on it.
        TapeDocument plain = tape;
        plain.label.reset();
        save(plain, path("plain.vantoli"));
        QVERIFY(window->OpenTape(path("plain.vantoli")));
        QCOMPARE(label->txtNote()->text(), QString());
        QCOMPARE(label->txtTitle()->text(), QString("Album"));
    }

    // The dubbing window shows the tape's lead-in and loudness, and what is set there goes with the tape:
    // settings that stayed in the window would be lost with it.
    void dubbingSettingsTravelWithTheTape()
    {
        save(entriesTape(dir_.path()), path("tape.vantoli"));
        auto window = test::openWindow();
        ModalAnswerer answerer;
        QVERIFY(window->OpenTape(path("tape.vantoli")));
        window->mnuFileDub()->trigger();
        Dubbing* dubbing = window->dubbingWindow().window();
        QVERIFY(dubbing);
        QCOMPARE(dubbing->spnLeadIn()->value(), 4.0);
        QCOMPARE(dubbing->cboLoudness()->currentIndex(), int(Loudness::Track));
        dubbing->spnLeadIn()->setValue(6.5);
        dubbing->cboLoudness()->setCurrentIndex(int(Loudness::Album));
        QCOMPARE(window->dubbingSettings().leadInSeconds, 6.5);
        QCOMPARE(window->dubbingSettings().loudness, Loudness::Album);
        QCOMPARE(window->dubbingSettings().tone.hertz, 400);
        QVERIFY(window->hasUnsavedChanges());
    }

    // A list longer than the entries comes back as its report, and is saved as a long list again.
    void longListComesBackAsItsReport()
    {
        TapeDocument tape;
        tape.longList = true;
        for (int i = 0; i < 25; ++i) tape.tracks.tracks.push_back(Track{(120 + i) * 1000, "t", "", {}});
        tape.stamps.resize(25);
        tape.lineup = standardLineup();
        std::vector<int> seconds;
        for (int i = 0; i < 25; ++i) seconds.push_back(120 + i);
        tape.plan = savedPlanOf(*planTracks(seconds, tape.options, tape.lineup));
        save(tape, path("long.vantoli"));

        auto window = test::openWindow();
        ModalAnswerer answerer;
        QVERIFY(window->OpenTape(path("long.vantoli")));
        QCOMPARE(answerer.messages().size(), 0);
        Report* report = window->reportWindow().window();
        QVERIFY(report && report->text().contains(QString("25")));
        QVERIFY(window->SaveTape(path("long2.vantoli")));
        save(tape, path("long-expected.vantoli"));
        QCOMPARE(contentOf(path("long2.vantoli")), contentOf(path("long-expected.vantoli")));
        QCOMPARE(parsed(path("long2.vantoli")), tape);
    }

    // Saved with a 90-minute tape only; today's tapes give another plan, which is shown and said.
    void planIsMadeAnewWhenTheTapesChanged()
    {
        TapeDocument tape = entriesTape(dir_.path());
        tape.lineup = {Tape{90, 2745}};
        tape.plan = SavedPlan{Tape{90, 2745}, {1, 2}, {3, 4}};
        save(tape, path("tape.vantoli"));
        auto window = test::openWindow();
        ModalAnswerer answerer;
        QVERIFY(window->OpenTape(path("tape.vantoli")));
        QCOMPARE(answerer.messages().size(), 1);
        QCOMPARE(answerer.messages()[0].text, message(planChangedMessage(true)));
        QVERIFY(window->lastPlan() && window->lastPlan()->plan.tapeMinutes < 90);
        QVERIFY(window->hasUnsavedChanges());
    }

    void goneAndChangedFilesAreNamedInOneMessage()
    {
        const TapeDocument tape = entriesTape(dir_.path());
        save(tape, path("tape.vantoli"));
        QVERIFY(QFile::remove(path("3.flac")));
        writeFile(path("4.flac"), "changed since");
        auto window = test::openWindow();
        ModalAnswerer answerer;
        QVERIFY(window->OpenTape(path("tape.vantoli")));
        QCOMPARE(answerer.messages().size(), 1);
        const QString text = answerer.messages()[0].text;
        QVERIFY(text.contains(path("3.flac")) && text.contains(path("4.flac")) && !text.contains(path("1.flac")));
        QCOMPARE(window->unavailableAudioFiles(), QStringList({path("3.flac"), path("4.flac")}));
        QCOMPARE(window->Tm(3)->text(), QString("405"));  // the tape opened all the same
    }

    void badFileChangesNothing_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("reason");
        QTest::newRow("not JSON") << "text"
                                  << "JSON ではありません";
        QTest::newRow("named pipe") << "fifo"
                                    << "ファイルではありません";
        QTest::newRow("1 GB") << "huge"
                              << "大きすぎます";
    }
    void badFileChangesNothing()
    {
        QFETCH(QString, kind);
        QFETCH(QString, reason);
        const QString p = path("bad-" + kind + ".vantoli");
        if (kind == "text") writeFile(p, "431\r\n350\r\n");
        if (kind == "fifo") QCOMPARE(::mkfifo(QFile::encodeName(p).constData(), 0600), 0);
        if (kind == "huge") {
            QFile file(p);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.resize(1LL << 30));  // sparse: no disk used
        }
        auto window = test::openWindow();
        window->Tm(0)->setText("1205");
        ModalAnswerer answerer;
        QVERIFY(!window->OpenTape(p));
        QCOMPARE(answerer.messages().size(), 1);
        QVERIFY2(answerer.messages()[0].text.contains(reason), qPrintable(answerer.messages()[0].text));
        QCOMPARE(window->Tm(0)->text(), QString("1205"));
        QVERIFY(window->tapeFile().isEmpty());
    }

    void failedSaveLeavesTheEarlierFile()
    {
        auto window = test::openWindow();
        ModalAnswerer answerer;
        QVERIFY(window->SaveTape(path("tape.vantoli")));
        const QByteArray earlier = contentOf(path("tape.vantoli"));
        for (int i = 0; i < EntryCount; ++i) window->Tm(i)->setText(QString(3000, '9'));
        {
            test::FileSizeLimit limit(earlier.size() + 100);
            QVERIFY(limit.active());
            QVERIFY(!window->SaveTape(path("tape.vantoli")));
        }
        QCOMPARE(contentOf(path("tape.vantoli")), earlier);
        QCOMPARE(answerer.messages().size(), 1);
        QVERIFY(answerer.messages()[0].text.contains(path("tape.vantoli")));
        QVERIFY(window->hasUnsavedChanges());
    }

    void recentTapesKeepTheLastEight()
    {
        auto window = test::openWindow();
        ModalAnswerer answerer;
        QStringList saved;
        for (int i = 0; i < 9; ++i) {
            saved.prepend(path(QStringLiteral("t%1.vantoli").arg(i)));
            QVERIFY(window->SaveTape(saved.first()));
        }
        QVERIFY(window->OpenTape(saved[3]));  // an open puts it first
        saved.move(3, 0);
        QCOMPARE(window->recentTapes(), saved.mid(0, 8));

        QVERIFY(QFile::remove(saved[1]));
        QMenu* menu = window->mnuFileRecent();
        emit menu->aboutToShow();
        auto item = [menu](const QString& name) { return menu->findChild<QAction*>(name); };
        QVERIFY(item("mnuFileRecent_0")->isEnabled());
        QVERIFY(!item("mnuFileRecent_1")->isEnabled());
        QVERIFY(!item("mnuFileRecent_8"));
        item("mnuFileRecent_2")->trigger();
        QCOMPARE(window->tapeFile(), saved[2]);

        item("mnuFileRecentClear")->trigger();
        QVERIFY(window->recentTapes().isEmpty());
        emit menu->aboutToShow();
        QVERIFY(!item("mnuFileRecent_0"));
    }

    void droppedTapeOpens()
    {
        save(entriesTape(dir_.path()), path("tape.vantoli"));
        auto window = test::openWindow();
        ModalAnswerer answerer;
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(path("tape.vantoli"))});
        const QPointF at(window->width() / 2.0, window->height() / 2.0);
        QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window.get(), &enter);
        QDropEvent dropped(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window.get(), &dropped);
        QCoreApplication::sendPostedEvents();
        QCOMPARE(window->tapeFile(), path("tape.vantoli"));
        QCOMPARE(window->Tm(0)->text(), QString("431"));
    }

    // The real program, killed while its tape has changes, leaves a copy; the next start offers it once.
    void killedProgramsWorkIsOfferedOnce()
    {
        TapeDocument tape = entriesTape(dir_.path());
        tape.lineup = {Tape{90, 2745}};  // opened with today's tapes, the plan changes: not saved
        tape.plan = SavedPlan{Tape{90, 2745}, {1, 2}, {3, 4}};
        save(tape, path("tape.vantoli"));
        const QString state = path("state");
        const QString copy = state + "/vantoli/recovery.vantoli";

        QProcess program;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("XDG_STATE_HOME", state);
        env.insert("XDG_CONFIG_HOME", path("config"));
        program.setProcessEnvironment(env);
        program.start(VANTOLI_PROGRAM, {path("tape.vantoli")});
        QVERIFY(program.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(copy).size() > 0, 30000);
        ::kill(static_cast<pid_t>(program.processId()), SIGKILL);
        QVERIFY(program.waitForFinished());
        QCOMPARE(program.exitStatus(), QProcess::CrashExit);

        {
            auto window = test::openWindow();
            window->keepRecoveryCopiesIn(state + "/vantoli");  // the killed program's lock is taken over
            QCOMPARE(window->recoveryFile(), copy);
            ModalAnswerer answerer;
            answerer.answerQuestions = QMessageBox::Yes;
            QVERIFY(window->offerRecovery());
            QCOMPARE(answerer.seen().first().text, QString("前回の作業を復元しますか？"));
            QCOMPARE(window->Tm(3)->text(), QString("405"));
            QVERIFY(window->lastPlan() && window->lastPlan()->plan.tapeMinutes < 90);
            QVERIFY(window->hasUnsavedChanges());
            // The copy knows its tape's file: Save writes there, and the title names it.
            QCOMPARE(window->tapeFile(), path("tape.vantoli"));
            QCOMPARE(window->windowTitle(), QString("tape[*] — Vantoli"));
            QVERIFY(window->isWindowModified());
        }
        {
            auto window = test::openWindow();
            window->keepRecoveryCopiesIn(state + "/vantoli");
            ModalAnswerer answerer;  // declines
            QVERIFY(!window->offerRecovery());
            QCOMPARE(answerer.seen().size(), 1);
            QVERIFY(!QFileInfo::exists(copy));
            QVERIFY(!window->offerRecovery());
            QCOMPARE(answerer.seen().size(), 1);
        }
    }

private:
    QString path(const QString& name) const { return QDir(dir_.path()).filePath(name); }
    QTemporaryDir dir_;
};

VANTOLI_GUI_TEST_MAIN(TestTapeCommands)
#include "test_tape_commands.moc"
