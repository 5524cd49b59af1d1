// The window of several tapes, driven as a user drives it: album folders written as WAV files, added
// through the menu of cmdAddAlbum or dropped on the list, every modal window answered when it is shown;
// then the plan table read back against the core's plan, a tape of it made the main window's tape, and
// the set saved as one document and opened again.

#include <QtTest>

#include <QPointer>

#include <QAction>
#include <QCheckBox>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTemporaryDir>

#include <variant>

#include "core/set_planner.h"
#include "core/time_text.h"
#include "core/track_caption.h"
#include "device/tape_document_file.h"
#include "gui/main_form.h"
#include "gui/several_tapes.h"
#include "support/audio_files.h"
#include "support/modal_answerer.h"
#include "support/open_window.h"

using namespace vantoli;
using namespace vantoli::test;

namespace {

// Small files: mono at 8 kHz, written sparse.
constexpr PcmFormat Thin{8000, 1, 16};

// A folder of WAV files of these lengths (seconds), named "01 …", "02 …"; returns the folder.
QString writeAlbum(const QString& root, const QString& name, const QList<int>& seconds)
{
    const QString folder = root + "/" + name;
    if (!QDir().mkpath(folder)) return {};
    for (int i = 0; i < seconds.size(); ++i)
        if (writeWav(folder, QStringLiteral("%1 %2 %3.wav").arg(i + 1, 2, 10, QChar('0')).arg(name).arg(i + 1),
                     framesOf(seconds[i] * 1000LL, Thin.sampleRate), Thin)
                .isEmpty())
            return {};
    return folder;
}

// Waits until the window's read of albums is over.
bool waitForAlbums(SeveralTapes& window)
{
    if (!window.isReading()) return true;
    QSignalSpy read(&window, &SeveralTapes::albumsRead);
    return read.wait(20000);
}

void drop(QWidget* target, const QStringList& paths)
{
    QMimeData data;
    QList<QUrl> urls;
    for (const QString& path : paths) urls << QUrl::fromLocalFile(path);
    data.setUrls(urls);
    const QPoint at(target->width() / 2, target->height() / 2);
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QVERIFY2(enter.isAccepted(), "the list takes the drag");
    QDropEvent dropped(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &dropped);
    QVERIFY(dropped.isAccepted());
    // The drop is read once the drag is over.
    QCoreApplication::sendPostedEvents();
}

// The plan table as text, a row a line, cells joined by "|".
QStringList tableRows(const QTableWidget& table)
{
    QStringList rows;
    for (int r = 0; r < table.rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < table.columnCount(); ++c)
            cells << (table.item(r, c) ? table.item(r, c)->text() : QString());
        rows << cells.join('|');
    }
    return rows;
}

QString timeText(int seconds) { return QString::fromStdString(minutesSecondsText(seconds)); }

// The rows the table should show for the core's plan: the tape, the side, the track's number in its
// album, its start and length; and after each side, a row of what is left (its text checked apart).
QStringList expectedRows(const SetPlan& plan)
{
    QStringList rows;
    for (std::size_t t = 0; t < plan.tapes.size(); ++t)
        for (const auto& [side, name] : {std::pair{&plan.tapes[t].sideA, "A"}, std::pair{&plan.tapes[t].sideB, "B"}}) {
            for (const SetTrackPlace& place : side->tracks)
                rows << QStringLiteral("%1|%2|%3|%4|%5")
                            .arg(t + 1)
                            .arg(name)
                            .arg(place.track + 1)
                            .arg(timeText(place.start), timeText(place.seconds));
            rows << QStringLiteral("%1|%2|used %3 left %4")
                        .arg(t + 1)
                        .arg(name)
                        .arg(timeText(side->seconds), timeText(plan.tapes[t].sideCapacity - side->seconds));
        }
    return rows;
}

// The table's rows in the form of expectedRows.
QStringList shownRows(const QTableWidget& table)
{
    static const QRegularExpression left(QStringLiteral("使用 (\\S+)・残り (\\S+)$"));
    QStringList rows;
    for (const QString& row : tableRows(table)) {
        const QStringList c = row.split('|');
        if (!c[SeveralTapes::TrackColumn].isEmpty()) {
            rows << QStringList{c[0], c[1], c[SeveralTapes::TrackColumn], c[SeveralTapes::StartColumn],
                                c[SeveralTapes::LengthColumn]}
                        .join('|');
            continue;
        }
        const QRegularExpressionMatch m = left.match(c[SeveralTapes::TitleColumn]);
        rows << QStringLiteral("%1|%2|used %3 left %4").arg(c[0], c[1], m.captured(1), m.captured(2));
    }
    return rows;
}

// Selects a row of tape `index` (0-based) in the table.
bool selectTape(SeveralTapes& window, int index)
{
    QTableWidget* table = window.tblPlan();
    for (int r = 0; r < table->rowCount(); ++r)
        if (table->item(r, SeveralTapes::TapeColumn)->data(SeveralTapes::TapeRole).toInt() == index) {
            table->selectRow(r);
            return window.selectedTape() == index;
        }
    return false;
}

}  // namespace

class TestSeveralTapes : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(dir_.isValid());
        // Three albums that fill more than one tape: an hour, fifty minutes and forty minutes.
        albums_ << writeAlbum(dir_.path(), "Alpha", {1200, 1200, 1200}) << writeAlbum(dir_.path(), "Beta", {1500, 1500})
                << writeAlbum(dir_.path(), "Gamma", {600, 600, 600, 600});
        for (const QString& album : albums_) QVERIFY(!album.isEmpty());
    }

    void menuOpensTheWindow()
    {
        auto main = openWindow();
        QVERIFY(main);
        QCOMPARE(main->mnuFileSeveral()->text(), QStringLiteral("複数のテープに分ける(&M)..."));
        main->mnuFileSeveral()->trigger();
        SeveralTapes* window = main->severalTapesWindow().window();
        QVERIFY(window && window->isVisible());
        QCOMPARE(window->objectName(), QStringLiteral("SeveralTapes"));
        QVERIFY(window->chkGap()->isChecked());
        QCOMPARE(window->tblPlan()->columnCount(), int(SeveralTapes::ColumnCount));
        QVERIFY(!window->cmdSave()->isEnabled() && !window->cmdOpenTape()->isEnabled());
        // A second time, the same window comes to the front.
        main->mnuFileSeveral()->trigger();
        QCOMPARE(main->severalTapesWindow().window(), window);
    }

    // clang-format off
    void albumsAddedArePlanned_data()
    {
        QTest::addColumn<QString>("way");
        QTest::newRow("one folder at a time from the menu") << "folders";
        QTest::newRow("dropped on the list") << "drop";
    }
    // clang-format on
    // Each folder is an album, in the order added; the table shows the core's plan of them with the
    // main window's tapes, what is left on each side, and the summary its counts.
    void albumsAddedArePlanned()
    {
        QFETCH(QString, way);
        auto main = openWindow();
        QVERIFY(main);
        SeveralTapes* window = showSeveralTapes(main->severalTapesWindow(), *main);
        if (way == "folders") {
            for (const QString& album : albums_) {
                ModalAnswerer answerer({album});
                window->mnuAlbumFolder()->trigger();
                QCOMPARE(answerer.fileDialogs(), 1);
                QVERIFY(waitForAlbums(*window));
            }
        } else {
            drop(window->lstAlbums()->viewport(), albums_);
            QVERIFY(waitForAlbums(*window));
        }
        QCOMPARE(window->albums().size(), std::size_t(3));
        QCOMPARE(window->lstAlbums()->count(), 3);
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(window->albums()[i].sources,
                     std::vector<std::string>{QFile::encodeName(albums_[i]).toStdString()});
            QVERIFY(window->lstAlbums()->item(i)->text().contains(QFileInfo(albums_[i]).fileName()));
        }
        QCOMPARE(window->albums()[1].tracks.tracks.size(), std::size_t(2));

        const SetPlanResult expected = planSet(setAlbumSeconds(window->albums()), true, main->lineup());
        QVERIFY(std::holds_alternative<SetPlan>(expected));
        const SetPlan& plan = std::get<SetPlan>(expected);
        QVERIFY(plan.tapes.size() >= 2);
        QVERIFY(window->plan() && *window->plan() == plan);
        QCOMPARE(shownRows(*window->tblPlan()), expectedRows(plan));
        // A track's row names its album and title as read.
        const SetTrackPlace& first = plan.tapes[0].sideA.tracks[0];
        QCOMPARE(window->tblPlan()->item(0, SeveralTapes::TitleColumn)->text(),
                 QString::fromStdString(window->albums()[first.album].tracks.tracks[first.track].title));
        QCOMPARE(window->tblPlan()->item(0, SeveralTapes::AlbumColumn)->text(), QStringLiteral("Alpha"));
        QVERIFY2(window->lblSummary()->text().contains(QStringLiteral("テープ %1 本").arg(plan.tapes.size())),
                 qPrintable(window->lblSummary()->text()));
        QVERIFY(window->lblSummary()->text().contains(QStringLiteral("合計 %1 分").arg(plan.totalMinutes)));
        QVERIFY(window->cmdSave()->isEnabled());
    }

    // The gap, the order and the removal of an album each plan again; audio files chosen together are
    // one album; what cannot be read is said, and the albums read with it are kept.
    void everyChangePlansAgain()
    {
        auto main = openWindow();
        QVERIFY(main);
        SeveralTapes* window = showSeveralTapes(main->severalTapesWindow(), *main);
        const QStringList gammaFiles = QDir(albums_[2]).entryList({"*.wav"}, QDir::Files, QDir::Name);
        QStringList files;
        for (const QString& file : gammaFiles) files << albums_[2] + "/" + file;
        {
            ModalAnswerer answerer({files.join('\n')});
            window->mnuAlbumFiles()->trigger();
            QVERIFY(waitForAlbums(*window));
        }
        QCOMPARE(window->albums().size(), std::size_t(1));
        QCOMPARE(window->albums()[0].tracks.tracks.size(), std::size_t(4));
        {
            ModalAnswerer answerer;
            window->addAlbums({albums_[0], dir_.path() + "/missing", albums_[1]});
            QVERIFY(waitForAlbums(*window));
            QCOMPARE(answerer.messages().size(), 1);
            QVERIFY2(answerer.messages().first().text.contains("missing"),
                     qPrintable(answerer.messages().first().text));
        }
        QCOMPARE(window->albums().size(), std::size_t(3));

        const auto planNow = [&] {
            return planSet(setAlbumSeconds(window->albums()), window->chkGap()->isChecked(), main->lineup());
        };
        window->chkGap()->click();
        QVERIFY(!window->chkGap()->isChecked());
        QVERIFY(window->plan() && SetPlanResult(*window->plan()) == planNow());
        QCOMPARE(shownRows(*window->tblPlan()), expectedRows(*window->plan()));

        const std::vector<SetAlbum> before = window->albums();
        window->lstAlbums()->setCurrentRow(2);
        window->cmdAlbumUp()->click();
        QCOMPARE(window->albums()[1], before[2]);
        QCOMPARE(window->albums()[2], before[1]);
        QCOMPARE(window->lstAlbums()->currentRow(), 1);
        QVERIFY(SetPlanResult(*window->plan()) == planNow());

        window->lstAlbums()->setCurrentRow(0);
        QVERIFY(!window->cmdAlbumUp()->isEnabled());
        window->cmdRemoveAlbum()->click();
        QCOMPARE(window->albums().size(), std::size_t(2));
        QCOMPARE(window->lstAlbums()->count(), 2);
        QVERIFY(SetPlanResult(*window->plan()) == planNow());
        QCOMPARE(shownRows(*window->tblPlan()), expectedRows(*window->plan()));
    }

    // A track longer than any side of the user's tapes gives the core's message and no plan.
    void trackTooLongForAnySide()
    {
        auto main = openWindow();
        QVERIFY(main);
        SeveralTapes* window = showSeveralTapes(main->severalTapesWindow(), *main);
        const QString folder = writeAlbum(dir_.path(), "Drone", {600, 4 * 3600});
        window->addAlbums({folder});
        QVERIFY(waitForAlbums(*window));
        const auto* failure = std::get_if<TrackTooLong>(&window->planned());
        QVERIFY(failure);
        const SetAlbum& album = window->albums()[0];
        const Message message =
            trackTooLongMessage(*failure, album.tracks.album, album.tracks.tracks[failure->track].title);
        QCOMPARE(window->lblSummary()->text(), QString::fromStdString(message.text).replace('\r', '\n'));
        QCOMPARE(window->tblPlan()->rowCount(), 0);
        QVERIFY(!window->cmdSave()->isEnabled() && !window->cmdOpenTape()->isEnabled());
    }

    // A tape of the set becomes the main window's tape with the set's plan for it, after the question
    // about the work there; cancelled, the main window keeps its tape.
    void openTapeMakesTheMainWindowsTape()
    {
        auto main = openWindow();
        QVERIFY(main);
        main->ReadFiles({albums_[1]});
        QVERIFY(waitForRead(*main));
        QVERIFY(main->hasUnsavedChanges());
        const TapeDocument work = main->tapeDocument();

        SeveralTapes* window = showSeveralTapes(main->severalTapesWindow(), *main);
        window->addAlbums(albums_);
        QVERIFY(waitForAlbums(*window));
        QVERIFY(window->plan());
        const SetPlan plan = *window->plan();
        const int last = static_cast<int>(plan.tapes.size()) - 1;
        QVERIFY(selectTape(*window, last));
        QVERIFY(window->cmdOpenTape()->isEnabled());
        {
            ModalAnswerer answerer;
            answerer.answerUnsaved = QMessageBox::Cancel;
            window->cmdOpenTape()->click();
            QCOMPARE(answerer.unsavedQuestions(), 1);
        }
        QCOMPARE(main->tapeDocument(), work);
        {
            ModalAnswerer answerer;
            window->cmdOpenTape()->click();
            QCOMPARE(answerer.unsavedQuestions(), 1);
            QCOMPARE(answerer.messages().size(), 0);
        }
        const TapeModel expected = tapeOfSet(plan, static_cast<std::size_t>(last), window->albums(), true);
        QVERIFY(main->lastPlan());
        QCOMPARE(*main->lastPlan(), *expected.plan());
        QCOMPARE(main->lastPlan()->setTape, last + 1);
        QCOMPARE(main->lastPlan()->setTapes, int(plan.tapes.size()));
        QCOMPARE(main->tape().tracks(), expected.tracks());
        // The main window shows it as a plan of its own: the tape and the sides' tracks.
        QCOMPARE(main->TapeType()->text(), QString::fromStdString(tapeCaption(plan.tapes[last].minutes)));
        const TapePlan& sides = main->lastPlan()->plan;
        for (std::size_t n = 0; n < sides.sideA.size(); ++n)
            QCOMPARE(main->A(int(n))->text(), QString::number(sides.sideA[n]));
        for (std::size_t n = 0; n < sides.sideB.size(); ++n)
            QCOMPARE(main->B(int(n))->text(), QString::number(sides.sideB[n]));
        QCOMPARE(main->Tm(0)->text(), QString::fromStdString(trackEntryText(expected.tracks().tracks[0])));
        // It has no file of its own: saving it asks where.
        QVERIFY(main->tapeFile().isEmpty());
    }

    // The whole set saves as one document, and Open Tape in the main window opens it again: the set in
    // its window, planned as before, and its first tape in the main window with what was set for it.
    void setSavesAndOpensAgain()
    {
        const QString path = dir_.filePath("box.vantoli");
        SetPlan plan;
        {
            auto main = openWindow();
            QVERIFY(main);
            SeveralTapes* window = showSeveralTapes(main->severalTapesWindow(), *main);
            window->addAlbums(albums_);
            QVERIFY(waitForAlbums(*window));
            QVERIFY(window->plan());
            plan = *window->plan();
            QVERIFY(selectTape(*window, 0));
            QVERIFY(window->openTape(0));
            // Set for the first tape in the main window, and saved with the set.
            main->setDubbingSettings(DubbingSettings{4, CalibrationTone{}, Loudness::Album});
            ModalAnswerer answerer({path});
            window->cmdSave()->click();
            QCOMPARE(answerer.fileDialogs(), 1);
            QCOMPARE(answerer.messages().size(), 0);
            QCOMPARE(window->file(), path);
        }
        const ParsedSetDocument read = readSetDocumentFile(QFile::encodeName(path).toStdString());
        QVERIFY(std::holds_alternative<SetDocument>(read));
        const SetDocument& set = std::get<SetDocument>(read);
        QCOMPARE(set.albums.size(), std::size_t(3));
        QCOMPARE(set.tapes.size(), plan.tapes.size());
        QCOMPARE(set.tapes[0].dubbing.leadInSeconds, 4.0);

        auto main = openWindow();
        QVERIFY(main);
        ModalAnswerer answerer;
        QVERIFY(main->OpenTape(path));
        QCOMPARE(answerer.messages().size(), 0);
        SeveralTapes* window = main->severalTapesWindow().window();
        QVERIFY(window && window->isVisible());
        QCOMPARE(window->lstAlbums()->count(), 3);
        QVERIFY(window->plan() && *window->plan() == plan);
        QCOMPARE(main->lastPlan()->setTape, 1);
        QCOMPARE(main->lastPlan()->setTapes, int(plan.tapes.size()));
        QCOMPARE(main->dubbingSettings().leadInSeconds, 4.0);
        QCOMPARE(main->dubbingSettings().loudness, Loudness::Album);
        QVERIFY(!main->hasUnsavedChanges());
        QVERIFY(main->recentTapes().contains(path));
    }

    // Albums read and not saved were lost without a word when the window or the program was closed:
    // Cancel keeps the window and its albums, Discard closes it, Save writes the set first. The main
    // window's end asks about the set too.
    void unsavedAlbumsAreAskedAbout_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("byTheMainWindow");
        QTest::addColumn<bool>("goesOn");
        QTest::newRow("cancel") << int(QMessageBox::Cancel) << false << false;
        QTest::newRow("discard") << int(QMessageBox::Discard) << false << true;
        QTest::newRow("save") << int(QMessageBox::Save) << false << true;
        QTest::newRow("program ends, cancel") << int(QMessageBox::Cancel) << true << false;
    }
    void unsavedAlbumsAreAskedAbout()
    {
        QFETCH(int, answer);
        QFETCH(bool, byTheMainWindow);
        QFETCH(bool, goesOn);
        const QString path = dir_.filePath("asked.vantoli");
        QFile::remove(path);
        auto main = openWindow();
        QVERIFY(main);
        QPointer<SeveralTapes> window = showSeveralTapes(main->severalTapesWindow(), *main);
        window->addAlbums(albums_.mid(0, 1));
        QVERIFY(waitForAlbums(*window));
        QVERIFY(window->hasUnsavedChanges());
        ModalAnswerer answerer({path});
        answerer.answerUnsaved = QMessageBox::StandardButton(answer);
        if (byTheMainWindow)
            QCOMPARE(main->mayEnd(), goesOn);
        else
            QCOMPARE(window->close(), goesOn);
        QCOMPARE(answerer.unsavedQuestions(), 1);
        QCOMPARE(QFile::exists(path), answer == QMessageBox::Save);
        if (!goesOn) {
            QVERIFY(window && window->isVisible());
            QCOMPARE(window->lstAlbums()->count(), 1);
        }
    }

private:
    QTemporaryDir dir_;
    QStringList albums_;
};

VANTOLI_GUI_TEST_MAIN(TestSeveralTapes)
#include "test_several_tapes.moc"
