// Reading tracks from audio files, driven as a user drives it: files written to a temporary folder,
// chosen through the File menu's dialog or dropped on the window as a file manager drops them, every
// modal window answered when it is shown; then the entries, their titles, the report window and the
// messages read back.

#include <QAction>
#include <QApplication>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include "support/audio_files.h"
#include "support/modal_answerer.h"
#include "support/open_window.h"
#include "support/sample_discs.h"

using namespace vantoli;
using namespace vantoli::test;

namespace {

// How the files reach the window.
enum class Way { Menu, MenuFolder, DropOnWindow, DropOnEntry };

QStringList entries(const MainForm& window)
{
    QStringList texts;
    for (int i = 0; i < EntryCount; ++i) texts << window.Tm(i)->text();
    return texts;
}

QStringList entryTips(const MainForm& window)
{
    QStringList tips;
    for (int i = 0; i < EntryCount; ++i) tips << window.Tm(i)->toolTip();
    return tips;
}

// Every label of the plan display: the cells of both sides, TapeType and the six time labels.
QStringList planDisplay(const MainForm& w)
{
    QStringList texts;
    for (int i = 0; i < EntryCount; ++i) texts << w.A(i)->text() << w.B(i)->text();
    for (const QLabel* label :
         {w.TapeType(), w.timeTotal(), w.sideATotal(), w.aBlankTime(), w.sideBTotal(), w.bBlankTime(), w.tBlankTime()})
        texts << label->text();
    return texts;
}

// A shown message as the icon's name, the title and the lines; a box that is not a plain modal box
// with one OK button says so.
QList<QStringList> messages(const ModalAnswerer& answerer)
{
    QList<QStringList> out;
    for (const SeenModal& shown : answerer.messages()) {
        if (shown.standardButtons != QMessageBox::StandardButtons(QMessageBox::Ok) || shown.buttonCount != 1 ||
            !shown.modal)
            out << QStringList{"not a plain modal box with one OK button"};
        const char* icon = shown.icon == QMessageBox::Critical      ? "stop"
                           : shown.icon == QMessageBox::Information ? "information"
                           : shown.icon == QMessageBox::Warning     ? "exclamation"
                                                                    : "other";
        out << QStringList{icon, shown.title} + shown.lines;
    }
    return out;
}

QString reportText(MainForm& window)
{
    Report* report = window.reportWindow().window();
    return report && report->isVisible() ? report->text() : QString();
}

// Drops the paths on `target` as a file manager does: a drag that enters, moves and drops.
void drop(QWidget* target, const QStringList& paths)
{
    QMimeData data;
    QList<QUrl> urls;
    for (const QString& path : paths) urls << QUrl::fromLocalFile(path);
    data.setUrls(urls);
    data.setText(paths.join('\n'));  // file managers offer the paths as text too
    const QPointF at(target->width() / 2.0, target->height() / 2.0);
    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QVERIFY2(enter.isAccepted(), "the window takes the drag");
    QDropEvent dropped(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &dropped);
    QVERIFY(dropped.isAccepted());
}

// Reads the paths into the window the chosen way and waits until the read is over.
void readFiles(MainForm& window, Way way, const QStringList& paths, ModalAnswerer& answerer)
{
    switch (way) {
    case Way::Menu:
        window.mnuFileReadFiles()->trigger();
        QCOMPARE(answerer.fileDialogs(), 1);
        QVERIFY(waitForRead(window));
        return;
    case Way::MenuFolder:
        window.mnuFileReadFolder()->trigger();
        QCOMPARE(answerer.fileDialogs(), 1);
        QCOMPARE(answerer.seen().first().fileMode, QFileDialog::Directory);
        QVERIFY(waitForRead(window));
        return;
    case Way::DropOnWindow: drop(&window, paths); break;
    case Way::DropOnEntry: drop(window.Tm(3), paths); break;
    }
    // The drop is read once the drag is over.
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents();
    QVERIFY(waitForRead(window));
}

// A window with a plan on display, typed entries and the titles of an earlier read.
void fillWindow(MainForm& window, const QString& folder)
{
    const QString earlier = writeEncoded(Encoder::Flac, folder, "earlier.flac", 3000, {"前の曲", "前の人", ""});
    window.ReadFiles({earlier});
    QVERIFY(waitForRead(window));
    for (int i = 0; i < EntryCount; ++i) window.Tm(i)->setText(QString::number(300 + i));
    window.mnuSetting5sec()->setChecked(false);
    window.Run_Click();
    window.Tm(7)->setFocus();
}

QString pathLines(const QStringList& paths) { return paths.join('\n'); }

}  // namespace

Q_DECLARE_METATYPE(Way)

class TestReadFilesCommand : public QObject {
    Q_OBJECT
private slots:
    // clang-format off
    void fiveFilesFillTheEntries_data()
    {
        QTest::addColumn<Way>("way");
        QTest::addColumn<bool>("wholeFolder");
        QTest::newRow("menu") << Way::Menu << false;
        QTest::newRow("dropped on the window") << Way::DropOnWindow << false;
        QTest::newRow("dropped on an entry") << Way::DropOnEntry << false;
        QTest::newRow("folder from the menu") << Way::MenuFolder << true;
        QTest::newRow("folder dropped") << Way::DropOnWindow << true;
    }
    // clang-format on
    void fiveFilesFillTheEntries()
    {
        QFETCH(Way, way);
        QFETCH(bool, wholeFolder);
        QTemporaryDir folder;
        auto window = openWindow();
        QVERIFY(window);
        fillWindow(*window, folder.path());
        const QString dir = QDir(folder.path()).filePath("album");
        QVERIFY(QDir().mkpath(dir));

        // Chosen in any order, taken in the order of their names.
        QStringList files{
            writeEncoded(Encoder::Flac, dir, "10 Finale.flac", 271900, {"フィナーレ", "楽団", "アルバム"}),
            writeEncoded(Encoder::Vorbis, dir, "2 Second.ogg", 59500, {"二曲目", "", ""}),
            writeWav(dir, "1 Intro.wav", framesOf(180500)),
            writeAiff(dir, "3 Third.aiff", framesOf(725000)),
            writeEncoded(Encoder::Opus, dir, "4 Fourth.opus", 61500, {"Fourth", "Band", ""}),
        };
        QVERIFY(!files.contains(QString()));

        const QStringList chosen = wholeFolder ? QStringList{dir} : files;
        ModalAnswerer answerer({pathLines(chosen)});
        readFiles(*window, way, chosen, answerer);

        QCOMPARE(messages(answerer), QList<QStringList>());
        QStringList expected{"300", "59", "1205", "101", "431"};
        while (expected.size() < EntryCount) expected << QString();
        QCOMPARE(entries(*window), expected);
        QStringList tips{"1. 1 Intro", "2. 二曲目", "3. 3 Third", "4. Fourth — Band", "5. フィナーレ — 楽団"};
        while (tips.size() < EntryCount) tips << QString();
        QCOMPARE(entryTips(*window), tips);
        QCOMPARE(window->trackTitles().tracks.size(), std::size_t(5));
        // Cleared as opening a pattern clears it, the focus on Run, nothing planned yet.
        QCOMPARE(planDisplay(*window).join(QString()), QString());
        QCOMPARE(window->focusWidget(), static_cast<QWidget*>(window->Run()));
        QCOMPARE(reportText(*window), QString());
    }

    // clang-format off
    void twentyFourFilesGiveTheReport_data()
    {
        QTest::addColumn<Way>("way");
        QTest::newRow("menu") << Way::Menu;
        QTest::newRow("dropped on the window") << Way::DropOnWindow;
    }
    // clang-format on
    void twentyFourFilesGiveTheReport()
    {
        QFETCH(Way, way);
        QTemporaryDir folder;
        auto window = openWindow();
        QVERIFY(window);
        fillWindow(*window, folder.path());
        const QStringList entriesBefore = entries(*window);
        const QStringList displayBefore = planDisplay(*window);
        const QStringList tipsBefore = entryTips(*window);
        window->mnuSetting5sec()->setChecked(true);
        window->mnuSettingCD()->setChecked(false);

        // The 24-track disc whose report is known, as files of a little more than whole seconds.
        const QString dir = QDir(folder.path()).filePath("long");
        QVERIFY(QDir().mkpath(dir));
        QStringList files;
        for (std::size_t i = 0; i < RangeExampleSeconds.size(); ++i)
            files << writeWav(dir, QStringLiteral("Track %1.wav").arg(i + 1),
                              framesOf(RangeExampleSeconds[i] * 1000 + 990));

        ModalAnswerer answerer({pathLines(files)});
        readFiles(*window, way, files, answerer);

        QCOMPARE(messages(answerer), (QList<QStringList>{{"information", "21曲以上", "読み取った曲は21曲以上あります。",
                                                          "トラック構成案は結果レポートに表示します。"}}));
        QCOMPARE(reportText(*window), QString::fromUtf8(RangeExampleReport));
        // The cassette label gets the plan with the files' titles.
        QVERIFY(window->lastPlan());
        QCOMPARE(window->lastPlan()->titles.tracks.size(), RangeExampleSeconds.size());
        QCOMPARE(window->lastPlan()->titles.tracks.at(23).title, std::string("Track 24"));
        // The window is as it was, titles included.
        QCOMPARE(entries(*window), entriesBefore);
        QCOMPARE(planDisplay(*window), displayBefore);
        QCOMPARE(entryTips(*window), tipsBefore);
    }

    // clang-format off
    void anUnreadableItemChangesNothing_data()
    {
        QTest::addColumn<Way>("way");
        QTest::addColumn<bool>("inPlaylist");  // the missing file named by a playlist, or chosen itself
        QTest::newRow("menu, a playlist names a missing file") << Way::Menu << true;
        QTest::newRow("dropped: a missing file") << Way::DropOnWindow << false;
        QTest::newRow("dropped: a playlist names a missing file") << Way::DropOnWindow << true;
    }
    // clang-format on
    void anUnreadableItemChangesNothing()
    {
        QFETCH(Way, way);
        QFETCH(bool, inPlaylist);
        QTemporaryDir folder;
        auto window = openWindow();
        QVERIFY(window);
        fillWindow(*window, folder.path());
        const QStringList entriesBefore = entries(*window);
        const QStringList displayBefore = planDisplay(*window);
        const QStringList tipsBefore = entryTips(*window);
        const TrackList titlesBefore = window->trackTitles();

        const QString dir = QDir(folder.path()).filePath("some");
        QVERIFY(QDir().mkpath(dir));
        QStringList files{writeWav(dir, "1 here.wav", framesOf(60000))};
        if (inPlaylist)
            files << writeTextFile(dir, "list.m3u8", "1 here.wav\r\n2 gone.flac\r\n");
        else
            files << QDir(dir).filePath("2 gone.flac");

        ModalAnswerer answerer({pathLines(files)});
        readFiles(*window, way, files, answerer);

        const QString named =
            inPlaylist ? "・list.m3u8 の 2 gone.flac（見つかりません）" : "・2 gone.flac（見つかりません）";
        QCOMPARE(messages(answerer),
                 (QList<QStringList>{{"stop", "ファイル読み取りエラー", "次のファイルを読み取れません。", named}}));
        QCOMPARE(entries(*window), entriesBefore);
        QCOMPARE(planDisplay(*window), displayBefore);
        QCOMPARE(entryTips(*window), tipsBefore);
        QCOMPARE(window->trackTitles(), titlesBefore);
        QCOMPARE(reportText(*window), QString());
    }

    // clang-format off
    void nothingToPlan_data()
    {
        QTest::addColumn<int>("files");
        QTest::addColumn<QStringList>("message");
        QTest::newRow("a folder without audio files") << 0
            << QStringList{"stop", "ファイル読み取りエラー", "読み取れる曲がありません。"};
        QTest::newRow("100 files") << 100
            << QStringList{"exclamation", "100曲以上", "読み取った曲は100曲以上あります。",
                           "現在のバージョンでは対応していません。"};
    }
    // clang-format on
    void nothingToPlan()
    {
        QFETCH(int, files);
        QFETCH(QStringList, message);
        QTemporaryDir folder;
        auto window = openWindow();
        QVERIFY(window);
        fillWindow(*window, folder.path());
        const QStringList entriesBefore = entries(*window);
        const QStringList tipsBefore = entryTips(*window);
        const QString dir = QDir(folder.path()).filePath("dropped");
        QVERIFY(QDir().mkpath(dir));
        QVERIFY(!writeTextFile(dir, "notes.txt", "no audio").isEmpty());
        for (int i = 1; i <= files; ++i) QVERIFY(!writeWav(dir, QString::number(i) + ".wav", framesOf(1000)).isEmpty());

        ModalAnswerer answerer;
        readFiles(*window, Way::DropOnWindow, {dir}, answerer);

        QCOMPARE(messages(answerer), QList<QStringList>{message});
        QCOMPARE(entries(*window), entriesBefore);
        QCOMPARE(entryTips(*window), tipsBefore);
        QCOMPARE(reportText(*window), QString());
    }

    void theDialogOffersAudioFilesAndCancelChangesNothing()
    {
        QTemporaryDir folder;
        auto window = openWindow();
        QVERIFY(window);
        fillWindow(*window, folder.path());
        const QStringList entriesBefore = entries(*window);

        ModalAnswerer answerer({QString()});
        window->mnuFileReadFiles()->trigger();

        QCOMPARE(answerer.fileDialogs(), 1);
        const SeenModal& dialog = answerer.seen().first();
        QCOMPARE(dialog.fileMode, QFileDialog::ExistingFiles);
        QCOMPARE(dialog.nameFilters.size(), 2);
        QVERIFY(dialog.nameFilters[0].startsWith("音声ファイルとプレイリスト ("));
        for (const char* pattern :
             {"*.flac", "*.mp3", "*.ogg", "*.opus", "*.wav", "*.aiff", "*.m4a", "*.wma", "*.m3u", "*.m3u8", "*.cue"})
            QVERIFY2(dialog.nameFilters[0].contains(QLatin1String(pattern) + QLatin1Char(' ')) ||
                         dialog.nameFilters[0].contains(QLatin1String(pattern) + QLatin1Char(')')),
                     pattern);
        QCOMPARE(dialog.nameFilters[1], QStringLiteral("すべてのファイル (*)"));
        QCOMPARE(messages(answerer), QList<QStringList>());
        QCOMPARE(entries(*window), entriesBefore);
    }

    // Titles stay with the tracks of the entries: in the tooltips of the entries and, once planned, of
    // the side cells; typing does not change them, Clear and opening a pattern forget them.
    // A FLAC file cut short (a copy stopped part-way) states 5 s in its header and holds about 2.5 s: once
    // vantoli-plan has decoded it to its end, its entry holds the length it has, the whole file's entry
    // stays, and the status bar names the file with both lengths.
    void aFileEndingEarlyGetsItsRealLength()
    {
        QTemporaryDir folder;
        const QString whole = writeWav(folder.path(), "1 whole.wav", framesOf(3000));
        // Noise, so that the frames fill the file evenly and the cut falls in its audio.
        const QString wav = writeWav(folder.path(), "noise.wav", framesOf(5000));
        QFile noise(wav);
        QVERIFY(noise.open(QIODevice::ReadWrite) && noise.seek(44));
        QByteArray samples(int(noise.size() - 44), Qt::Uninitialized);
        std::uint32_t state = 12345;
        for (char& byte : samples) byte = char((state = state * 1103515245u + 12345u) >> 24);
        QVERIFY(noise.write(samples) == samples.size());
        noise.close();
        const QString cut = QDir(folder.path()).filePath("2 cut.flac");
        QCOMPARE(encode(Encoder::Flac, wav, cut), QString());
        QVERIFY(QFile::remove(wav));
        QFile file(cut);
        QVERIFY(file.resize(file.size() / 2));  // about 2.5 s of its 5
        auto window = openWindow();
        QVERIFY(window);
        window->ReadFiles({whole, cut});
        QVERIFY(waitForRead(*window));
        QCOMPARE(window->Tm(1)->text(), QString("5"));  // as the header says, until the check is in
        QTRY_COMPARE_WITH_TIMEOUT(window->Tm(1)->text(), QString("2"), 20000);
        QCOMPARE(window->Tm(0)->text(), QString("3"));
        QVERIFY(window->statusBar()->currentMessage().contains("2 cut.flac"));
        QVERIFY(window->statusBar()->currentMessage().contains("0:05"));
        // The tape plans from the real length.
        window->Run_Click();
        QCOMPARE(window->sideATotal()->text(), QString("0 : 05"));
    }

    void titlesTravelWithTheTracks()
    {
        QTemporaryDir folder;
        auto window = openWindow();
        QVERIFY(window);
        const QString cue = writeTextFile(folder.path(), "album.cue",
                                          "PERFORMER \"バンド\"\r\nTITLE \"アルバム\"\r\nFILE \"album.wav\" WAVE\r\n"
                                          "  TRACK 01 AUDIO\r\n    TITLE \"一\"\r\n    INDEX 01 00:00:00\r\n"
                                          "  TRACK 02 AUDIO\r\n    TITLE \"二\"\r\n    PERFORMER \"ゲスト\"\r\n"
                                          "    INDEX 01 10:00:00\r\n"
                                          "  TRACK 03 AUDIO\r\n    TITLE \"三\"\r\n    INDEX 01 20:00:00\r\n");
        QVERIFY(!writeWav(folder.path(), "album.wav", framesOf(25 * 60000)).isEmpty());
        window->mnuSettingCD()->setChecked(false);
        window->mnuSetting5sec()->setChecked(false);

        ModalAnswerer answerer;
        window->ReadFiles({cue});
        QVERIFY(waitForRead(*window));
        QCOMPARE(entries(*window).mid(0, 4), (QStringList{"1000", "1000", "500", ""}));
        QCOMPARE(window->trackTitles().album, std::string("アルバム"));
        QCOMPARE(window->trackTitles().artist, std::string("バンド"));
        QCOMPARE(entryTips(*window).mid(0, 4), (QStringList{"1. 一 — バンド", "2. 二 — ゲスト", "3. 三 — バンド", ""}));

        // The plan puts track 1 on side A of the 30-minute tape, 2 and 3 on side B; each cell shows
        // the title of the track whose number it holds.
        window->Run_Click();
        QCOMPARE(messages(answerer), QList<QStringList>());
        QCOMPARE(window->A(0)->text() + '|' + window->B(0)->text() + window->B(1)->text(), QStringLiteral("1|23"));
        QCOMPARE(window->A(0)->toolTip(), QStringLiteral("1. 一 — バンド"));
        QCOMPARE(window->B(0)->toolTip(), QStringLiteral("2. 二 — ゲスト"));
        QCOMPARE(window->B(1)->toolTip(), QStringLiteral("3. 三 — バンド"));
        QCOMPARE(window->A(1)->toolTip(), QString());
        // The plan the cassette label shows carries the titles.
        QVERIFY(window->lastPlan());
        QCOMPARE(window->lastPlan()->titles, window->trackTitles());

        // Typing changes the times, not the titles; a time far from the audio's adds that the audio
        // is not used.
        window->Tm(1)->clear();
        QTest::keyClicks(window->Tm(1), "459");
        QCOMPARE(entryTips(*window).at(1).section('\n', 0, 0), QStringLiteral("2. 二 — ゲスト"));
        QVERIFY(entryTips(*window).at(1).section('\n', 1).contains(QStringLiteral("音声ファイルは使いません")));
        window->Run_Click();
        QCOMPARE(window->B(0)->toolTip().section('\n', 0, 0), QStringLiteral("2. 二 — ゲスト"));

        window->Clear_Click();
        QCOMPARE(window->trackTitles(), TrackList());
        QCOMPARE(entryTips(*window).join(QString()), QString());
        QCOMPARE(window->A(0)->toolTip(), QString());

        // Opening a pattern forgets them too: the times it holds have no titles.
        window->ReadFiles({cue});
        QVERIFY(waitForRead(*window));
        QCOMPARE(window->trackTitles().tracks.size(), std::size_t(3));
        const QString pattern = writeTextFile(folder.path(), "times.vto", "431\r\n512\r\n");
        ModalAnswerer opening({pattern});
        window->mnuFileOpen()->trigger();
        QCOMPARE(entries(*window).mid(0, 3), (QStringList{"431", "512", ""}));
        QCOMPARE(window->trackTitles(), TrackList());
        QCOMPARE(entryTips(*window).join(QString()), QString());
    }

    // The CD read takes the disc's CD-Text as the titles; a long disc leaves the window and its titles.
    void cdReadBringsItsTitles()
    {
        QTemporaryDir folder;
        auto window = openWindow();
        QVERIFY(window);
        fillWindow(*window, folder.path());
        // A sheet in Shift-JIS: "表ソ能" and "歌手" for the disc, "表" and "ソ" for the tracks.
        const QString cue =
            writeDiscImage(folder.path(), discOf({200, 300}), {"\x95\x5C\x83\x5C\x94\x5C", "\x89\xCC\x8E\xE8"},
                           {{"\x95\x5C", ""}, {"", "\x83\x5C"}});
        QVERIFY(!cue.isEmpty());
        fakeDrive(*window).insertImage(cue);

        ModalAnswerer answerer;
        QVERIFY(readCd(*window));
        QCOMPARE(messages(answerer), QList<QStringList>());
        QCOMPARE(window->trackTitles().album, std::string("表ソ能"));
        QCOMPARE(entries(*window).mid(0, 3), (QStringList{"320", "500", "302"}));
        // A track without its own performer is the disc's.
        QCOMPARE(entryTips(*window).mid(0, 3), (QStringList{"1. 表 — 歌手", "2. （無題） — ソ", ""}));

        const QStringList tipsBefore = entryTips(*window);
        fakeDrive(*window).insertClaimingDisc(30);
        QVERIFY(readCd(*window));
        QCOMPARE(messages(answerer).size(), 1);  // the long disc's message; then the report
        QCOMPARE(entryTips(*window), tipsBefore);

        // A long disc's CD-Text goes with its plan to the cassette label.
        std::vector<ImageText> texts;
        for (int i = 1; i <= 22; ++i) texts.push_back({"Song " + QByteArray::number(i), ""});
        const QString longDisc =
            writeDiscImage(folder.path(), discOf(std::vector<int>(22, 150)), {"Long", "Choir"}, texts, "long");
        fakeDrive(*window).insertImage(longDisc);
        QVERIFY(readCd(*window));
        QCOMPARE(messages(answerer).size(), 2);
        QVERIFY(window->lastPlan());
        QCOMPARE(window->lastPlan()->titles.album, std::string("Long"));
        QCOMPARE(window->lastPlan()->titles.tracks.at(21).title, std::string("Song 22"));
        QCOMPARE(window->lastPlan()->titles.tracks.at(21).artist, std::string("Choir"));
        QCOMPARE(entryTips(*window), tipsBefore);
    }

    // A drag of plain text is no drag of files: the window does not take it, an entry takes it as text.
    void textIsNoFile()
    {
        auto window = openWindow();
        QVERIFY(window);
        QMimeData data;
        data.setText("431");
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window.get(), &enter);
        QVERIFY(!enter.isAccepted());
        QDragEnterEvent onEntry(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window->Tm(0), &onEntry);
        QVERIFY(onEntry.isAccepted());
    }
};

VANTOLI_GUI_TEST_MAIN(TestReadFilesCommand)
#include "test_read_files_command.moc"
