// The CD read command driven as a user drives it: a disc image written to a temporary folder and read
// through the CD device, the menu item chosen, every message box caught and closed, and the entries, the
// report window and the calls on the drive read back.

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QProgressDialog>
#include <QPushButton>
#include <QSemaphore>
#include <QSignalSpy>
#include <QTest>
#include <QThread>

#include <atomic>
#include <limits>

#include "support/disc_image.h"
#include "support/modal_answerer.h"
#include "support/open_window.h"
#include "support/sample_discs.h"

using namespace vantoli;
using namespace vantoli::test;

Q_DECLARE_METATYPE(std::vector<vantoli::test::ImageTrack>)

namespace {

// The main window on the fake drive, which logs every call.
struct Drive {
    FakeDevice* device = new FakeDevice;
    std::shared_ptr<QStringList> log = device->log();
    std::unique_ptr<MainForm> window = openWindow(std::unique_ptr<CdAudioDevice>(device));
};

// Writes the disc as folder/disc.cue and disc.bin; no tracks give a CUE sheet whose BIN is missing,
// which no drive can read.
QString writeDisc(const QTemporaryDir& folder, const std::vector<ImageTrack>& tracks)
{
    if (tracks.empty())
        return writeTextFile(folder.path(), "disc.cue",
                             "FILE \"disc.bin\" BINARY\r\n  TRACK 01 AUDIO\r\n"
                             "    INDEX 01 00:00:00\r\n");
    return writeDiscImage(folder.path(), tracks);
}

// Audio tracks of the given lengths in frames of 1/75 s.
std::vector<ImageTrack> framesOf(std::initializer_list<int> frames)
{
    std::vector<ImageTrack> tracks;
    for (int sectors : frames) tracks.push_back({sectors, false});
    return tracks;
}

// The calls of one read: the device was set up when the window loaded; then open, milliseconds and
// the track count; for `lengthsRead` tracks select track 1 and per track its length, the selected
// track and the next one, then the disc's CD-Text; close last.
QStringList readProtocol(int lengthsRead)
{
    QStringList calls{"selectCdAudio", "open", "setMillisecondsFormat", "tracks"};
    if (lengthsRead > 0) calls << "setTrack 1";
    for (int n = 1; n <= lengthsRead; ++n)
        calls << "trackLength"
              << "track" << QString("setTrack %1").arg(n + 1);
    // A disc whose lengths were read is asked for its CD-Text too.
    if (lengthsRead >= 1) calls << "titles";
    return calls << "close";
}

QStringList entries(const MainForm& window)
{
    QStringList texts;
    for (int i = 0; i < EntryCount; ++i) texts << window.Tm(i)->text();
    return texts;
}

// The first entries as read, the others as they were.
QStringList entriesAfter(const QStringList& before, const QStringList& read)
{
    QStringList texts = read;
    for (int i = static_cast<int>(read.size()); i < EntryCount; ++i) texts << before.value(i);
    return texts;
}

// Entries typed before the read: "1101", "1102", ...
QStringList typed(int count)
{
    QStringList texts;
    for (int i = 1; i <= count; ++i) texts << QString::number(1100 + i);
    return texts;
}

// Every label of the plan display: the cells of both sides, TapeType and the six time labels.
QList<QLabel*> planDisplay(const MainForm& w)
{
    QList<QLabel*> labels;
    for (int i = 0; i < EntryCount; ++i) labels << w.A(i) << w.B(i);
    return labels << w.TapeType() << w.timeTotal() << w.sideATotal() << w.aBlankTime() << w.sideBTotal()
                  << w.bBlankTime() << w.tBlankTime();
}

QStringList texts(const QList<QLabel*>& labels)
{
    QStringList out;
    for (const QLabel* label : labels) out << label->text();
    return out;
}

// A shown message as the icon's name, the title and the lines.
QStringList describe(const SeenModal& shown)
{
    const char* icon = shown.icon == QMessageBox::Critical      ? "stop"
                       : shown.icon == QMessageBox::Information ? "information"
                       : shown.icon == QMessageBox::Warning     ? "exclamation"
                                                                : "other";
    return QStringList{icon, shown.title} + shown.lines;
}

QList<QStringList> describeAll(const ModalAnswerer& messages)
{
    QList<QStringList> out;
    for (const SeenModal& shown : messages.messages()) {
        // Every box has the OK button alone and keeps the window waiting.
        if (shown.standardButtons != QMessageBox::StandardButtons(QMessageBox::Ok) || shown.buttonCount != 1 ||
            !shown.modal || shown.textFormat != Qt::PlainText)
            out << QStringList{"not a plain modal box with one OK button"};
        out << describe(shown);
    }
    return out;
}

const QStringList NoDisc{"stop", "CD読み取りエラー", "CDがセットされていません。"};
const QStringList LongDisc{"information", "20曲以上収録", "このCDは21曲以上収録されています。",
                           "トラック構成案は結果レポートに表示します。"};
const QStringList TooManyTracks{"exclamation", "101曲以上収録", "このCDは101曲以上収録されています。",
                                "現在のバージョンでは対応していません。"};
const QStringList LineupFailure{"exclamation", "テープのラインナップ", "正確な計算ができません。",
                                "100分以上のテープを使用する必要があるか、", "入力した値に誤りがあります。"};

// Report windows that are open, wherever they came from.
int openReportWindows()
{
    int count = 0;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (qobject_cast<Report*>(widget) && widget->isVisible()) ++count;
    return count;
}

QString reportText(MainForm& window)
{
    Report* report = window.reportWindow().window();
    return report && report->isVisible() ? report->text() : QString();
}

// A drive that takes its time to spin up: open() waits until the test lets it go (or 5 s), and says
// on which thread it ran. It holds two tracks of 1:40 and 2:00.
class SlowDrive final : public CdAudioDevice {
public:
    QSemaphore spunUp;
    std::atomic<QThread*> openedOn{nullptr};
    std::atomic<bool> isOpen{false};

    void selectCdAudio() override {}
    void open() override
    {
        openedOn = QThread::currentThread();
        spunUp.tryAcquire(1, 5000);
        isOpen = true;
    }
    void close() override { isOpen = false; }
    void setMillisecondsFormat() override {}
    std::int32_t tracks() const override { return isOpen ? 2 : 0; }
    std::int32_t track() const override { return track_; }
    void setTrack(std::int32_t track) override { track_ = track; }
    std::int32_t trackLength() const override { return track_ == 1 ? 100000 : 120000; }

private:
    std::int32_t track_ = 1;
};

}  // namespace

class TestCdReadCommand : public QObject {
    Q_OBJECT
private slots:
    // clang-format off
    void readsTheDisc_data()
    {
        QTest::addColumn<std::vector<ImageTrack>>("disc");  // none: an image no drive can read
        QTest::addColumn<bool>("gap");
        QTest::addColumn<bool>("keepOrder");
        QTest::addColumn<QStringList>("before");             // entries typed before the read
        QTest::addColumn<QStringList>("read");               // the entries the read writes
        QTest::addColumn<QList<QStringList>>("messages");  // as describe()
        QTest::addColumn<QString>("report");                 // empty: no report window
        QTest::addColumn<int>("lengthsRead");

        QTest::newRow("no disc: an unreadable image")
            << std::vector<ImageTrack>{} << true << true << typed(20) << QStringList{} << QList<QStringList>{NoDisc}
            << QString() << 0;

        // 4:31.9, 3:00.5, 0.9 s, 59.99 s, 1:00, 12:05 and six more, after 15 entries were typed.
        constexpr int S = SectorsPerSecond;
        QTest::newRow("12 tracks after 15 entries: entries 12 to 14 stay")
            << framesOf({271 * S + 68, 180 * S + 38, 68, 59 * S + 74, 60 * S, 725 * S, S, 600 * S + 1, 239 * S + 74,
                         1200 * S, 127 * S + 37, 345 * S})
            << false << false << typed(15)
            << QStringList{"431", "300", "0", "59", "100", "1205", "1", "1000", "359", "2000", "207", "545"}
            << QList<QStringList>{} << QString() << 12;
        QTest::newRow("20 tracks fill every entry")
            << discOf(std::vector<int>(RangeExampleSeconds.begin(), RangeExampleSeconds.begin() + 20)) << true
            << true << typed(20)
            << QStringList{"403", "459", "339", "335", "350", "410", "228", "227", "351", "341",
                           "421", "417", "227", "204", "334", "257", "216", "203", "357", "437"}
            << QList<QStringList>{} << QString() << 20;

        QTest::newRow("21 tracks: report with an exchange")
            << discOf(ListExampleSeconds) << true << false << typed(20) << QStringList{}
            << QList<QStringList>{LongDisc} << QString::fromUtf8(ListExampleReport) << 21;
        QTest::newRow("21 tracks, order kept: no exchange")
            << discOf(ListExampleSeconds) << true << true << typed(7) << QStringList{} << QList<QStringList>{LongDisc}
            << reportLines({"***************   TAPE の構成   ***************", "", "使用するテープ： 64分テープ",
                            "総トラック数： 21", "", "＜A面＞", "トータル： 30:54,   ブランク：  0:50",
                            "収録：  1 ～ 11", "", "＜B面＞", "トータル： 28:06,   ブランク：  0:45", "収録： 12 ～ 21",
                            "", "＜両面＞", "トータル： 59:00", "ブランク：  1:35"})
            << 21;
        QTest::newRow("24 tracks: both sides as ranges")
            << discOf(RangeExampleSeconds) << true << false << typed(20) << QStringList{}
            << QList<QStringList>{LongDisc} << QString::fromUtf8(RangeExampleReport) << 24;
        QTest::newRow("99 tracks: side A stops at 20")
            << discOf(std::vector<int>(99, 36)) << false << false << typed(3) << QStringList{}
            << QList<QStringList>{LongDisc}
            << reportLines({"***************   TAPE の構成   ***************", "", "使用するテープ： 100分テープ",
                            "総トラック数： 99", "", "＜A面＞", "トータル： 12:00,   ブランク：  0:00",
                            "収録：  1 ～ 20", "", "＜B面＞", "トータル： 47:24,   ブランク：  0:00", "収録： 21 ～ 99",
                            "", "＜両面＞", "トータル： 59:24", "ブランク：  0:00"})
            << 99;

        std::vector<int> hundredMinutes(21, 286);
        hundredMinutes.back() = 280;  // 6000 s
        QTest::newRow("21 tracks of 100 minutes: no tape")
            << discOf(hundredMinutes) << false << false << typed(20) << QStringList{}
            << QList<QStringList>{LongDisc, LineupFailure} << QString() << 21;
        QTest::newRow("99 tracks whose gaps overflow side B")
            << discOf(std::vector<int>(99, 36)) << true << true << typed(20) << QStringList{}
            << QList<QStringList>{LongDisc, LineupFailure} << QString() << 99;
    }
    // clang-format on
    void readsTheDisc()
    {
        QFETCH(std::vector<ImageTrack>, disc);
        QFETCH(bool, gap);
        QFETCH(bool, keepOrder);
        QFETCH(QStringList, before);
        QFETCH(QStringList, read);
        QFETCH(QList<QStringList>, messages);
        QFETCH(QString, report);
        QFETCH(int, lengthsRead);

        QTemporaryDir folder;
        const QString cue = writeDisc(folder, disc);
        QVERIFY(!cue.isEmpty());
        Drive drive;
        QVERIFY(drive.window);
        drive.device->insertImage(cue);
        MainForm& window = *drive.window;

        window.mnuSetting5sec()->setChecked(gap);
        window.mnuSettingCD()->setChecked(keepOrder);
        for (int i = 0; i < before.size(); ++i) window.Tm(i)->setText(before[i]);
        const QList<QLabel*> display = planDisplay(window);
        for (int i = 0; i < display.size(); ++i) display[i]->setText(QStringLiteral("plan %1").arg(i));
        const QStringList displayBefore = texts(display);
        window.Tm(4)->setFocus();

        ModalAnswerer caught;
        QVERIFY(readCd(window));

        QCOMPARE(describeAll(caught), messages);
        QCOMPARE(window.cdTrackCount, std::int32_t(disc.size()));
        QCOMPARE(entries(window), entriesAfter(before, read));
        QCOMPARE(reportText(window), report);
        QCOMPARE(openReportWindows(), report.isEmpty() ? 0 : 1);

        // The drive is closed again on every path, and the window keeps its plan and options.
        QCOMPARE(*drive.log, readProtocol(lengthsRead));
        QVERIFY(!drive.device->isOpen());
        QCOMPARE(texts(display), displayBefore);
        QCOMPARE(window.mnuSetting5sec()->isChecked(), gap);
        QCOMPARE(window.mnuSettingCD()->isChecked(), keepOrder);
        QCOMPARE(window.focusWidget(), static_cast<QWidget*>(window.Tm(4)));
    }

    // Drives no image can stand for: more than 99 tracks, or a count that no disc has.
    // clang-format off
    void refusesWhatNoDiscHolds_data()
    {
        QTest::addColumn<std::int32_t>("tracks");
        QTest::addColumn<QStringList>("message");  // as describe()
        QTest::newRow("100 tracks") << std::int32_t(100) << TooManyTracks;
        QTest::newRow("101 tracks") << std::int32_t(101) << TooManyTracks;
        QTest::newRow("150 tracks") << std::int32_t(150) << TooManyTracks;
        QTest::newRow("largest count") << std::numeric_limits<std::int32_t>::max() << TooManyTracks;
        QTest::newRow("a negative count is no disc") << std::int32_t(-1) << NoDisc;
    }
    // clang-format on
    void refusesWhatNoDiscHolds()
    {
        QFETCH(std::int32_t, tracks);
        QFETCH(QStringList, message);
        Drive drive;
        QVERIFY(drive.window);
        drive.device->insertClaimingDisc(tracks);
        MainForm& window = *drive.window;
        for (int i = 0; i < EntryCount; ++i) window.Tm(i)->setText(typed(20)[i]);

        ModalAnswerer caught;
        QVERIFY(readCd(window));

        QCOMPARE(describeAll(caught), QList<QStringList>{message});
        QCOMPARE(window.cdTrackCount, tracks);
        QCOMPARE(entries(window), typed(20));
        QCOMPARE(openReportWindows(), 0);
        QCOMPARE(*drive.log, readProtocol(0));
        QVERIFY(!drive.device->isOpen());
    }

    // A second long disc read while the report is open replaces its text in the same window; once
    // the window is closed, the next report opens it anew with only the new text.
    void aNewReportReplacesTheOpenOne()
    {
        QTemporaryDir folder;
        const QString cue = writeDisc(folder, discOf(RangeExampleSeconds));
        QVERIFY(!cue.isEmpty());
        Drive drive;
        QVERIFY(drive.window);
        drive.device->insertImage(cue);
        MainForm& window = *drive.window;
        window.mnuSettingCD()->setChecked(false);

        ModalAnswerer caught;
        QVERIFY(readCd(window));
        Report* first = window.reportWindow().window();
        QVERIFY(first);
        QCOMPARE(first->text(), QString::fromUtf8(RangeExampleReport));

        QCOMPARE(writeDisc(folder, discOf(ListExampleSeconds)), cue);
        QVERIFY(readCd(window));
        QCOMPARE(window.reportWindow().window(), first);
        QCOMPARE(first->text(), QString::fromUtf8(ListExampleReport));
        QVERIFY(first->isVisible());
        QCOMPARE(openReportWindows(), 1);

        first->close();
        QCOMPARE(openReportWindows(), 0);
        QCOMPARE(writeDisc(folder, discOf(RangeExampleSeconds)), cue);
        QVERIFY(readCd(window));
        QCOMPARE(reportText(window), QString::fromUtf8(RangeExampleReport));
        QCOMPARE(openReportWindows(), 1);
        QCOMPARE(caught.messages().size(), 3);
    }

    // A plan that fails shows its message and leaves the report window as it was: not loaded when it
    // was closed, and with its earlier text when it was open.
    // clang-format off
    void aFailingPlanLeavesTheReportWindowAlone_data()
    {
        QTest::addColumn<bool>("reportOpen");
        QTest::newRow("report window closed") << false;
        QTest::newRow("report window open") << true;
    }
    // clang-format on
    void aFailingPlanLeavesTheReportWindowAlone()
    {
        QFETCH(bool, reportOpen);
        QTemporaryDir folder;
        const QString cue = writeDisc(folder, discOf(RangeExampleSeconds));
        QVERIFY(!cue.isEmpty());
        Drive drive;
        QVERIFY(drive.window);
        drive.device->insertImage(cue);
        MainForm& window = *drive.window;
        window.mnuSettingCD()->setChecked(false);

        ModalAnswerer caught;
        QVERIFY(readCd(window));
        QVERIFY(window.reportWindow().window());
        if (!reportOpen) window.reportWindow().unload();
        QPointer<Report> earlier = window.reportWindow().window();

        QCOMPARE(writeDisc(folder, discOf(std::vector<int>(25, 240))), cue);  // 100 minutes
        QVERIFY(readCd(window));
        QCOMPARE(describeAll(caught), (QList<QStringList>{LongDisc, LongDisc, LineupFailure}));
        QCOMPARE(window.reportWindow().window(), earlier.data());
        QCOMPARE(openReportWindows(), reportOpen ? 1 : 0);
        if (reportOpen) QCOMPARE(earlier->text(), QString::fromUtf8(RangeExampleReport));
        QVERIFY(!drive.device->isOpen());
    }

    // The drive was read on the window's thread: a drive spinning up froze the window. Now the command
    // returns at once, the window shows the read's progress, and the entries come when the drive has
    // answered; cancelled, the read writes nothing and the drive is closed once it is free.
    void theDriveIsReadOffTheWindowsThread_data()
    {
        QTest::addColumn<bool>("cancelled");
        QTest::newRow("read") << false;
        QTest::newRow("cancelled") << true;
    }
    void theDriveIsReadOffTheWindowsThread()
    {
        QFETCH(bool, cancelled);
        auto* drive = new SlowDrive;
        auto window = openWindow(std::unique_ptr<CdAudioDevice>(drive));
        QVERIFY(window);
        QSignalSpy read(window.get(), &MainForm::discRead);
        window->mnuFileReadCD()->trigger();
        QTRY_VERIFY(window->findChild<QProgressDialog*>("readProgress") &&
                    window->findChild<QProgressDialog*>("readProgress")->isVisible());
        QVERIFY(drive->openedOn != window->thread());
        QVERIFY(read.isEmpty());
        if (cancelled) {
            window->findChild<QProgressDialog*>("readProgress")->findChild<QPushButton*>()->click();
            QCOMPARE(read.size(), 1);
        }
        drive->spunUp.release();
        if (!cancelled) QVERIFY(read.wait(5000));
        QTRY_VERIFY(!window->isReadingDisc());
        QVERIFY(!drive->isOpen);
        QCOMPARE(window->Tm(0)->text(), cancelled ? QString() : QString("140"));
        QCOMPARE(window->Tm(1)->text(), cancelled ? QString() : QString("200"));
        // The drive is free again for the next read.
        drive->spunUp.release();
        QVERIFY(readCd(*window));
        QCOMPARE(window->Tm(1)->text(), QString("200"));
    }
};

VANTOLI_GUI_TEST_MAIN(TestCdReadCommand)
#include "test_cd_read_command.moc"
