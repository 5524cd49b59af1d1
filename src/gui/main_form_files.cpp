// The main window's File menu commands that fill or save the entries: reading the CD, reading audio
// files (chosen in a dialog, a whole folder, or dropped on the window), and opening and saving a
// pattern file; and the titles of the tracks those reads give.

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QProgressDialog>
#include <QPushButton>
#include <QStatusBar>
#include <QString>
#include <QUrl>

#include <algorithm>
#include <memory>
#include <variant>

#include "core/disc_kind.h"
#include "core/file_read_result.h"
#include "core/time_text.h"
#include "core/track_caption.h"
#include "device/child_tag_reader.h"
#include "device/read_source.h"
#include "gui/disc_lookup.h"
#include "gui/file_check.h"
#include "gui/main_form.h"
#include "gui/message_box.h"
#include "gui/file_reading.h"
#include "gui/paste_tracks.h"
#include "gui/pattern_file.h"
#include "gui/program_files.h"
#include "gui/tape_file.h"
#include "gui/translation.h"

namespace vantoli {

// Writes only the entries of the disc's tracks: the entries after them, the plan display and the
// options keep what they hold, and nothing is planned. The drive is closed again on every path; for
// a long disc PlanLargeDisc closes it once it has read the lengths.
//
// The drive is opened and read on a thread of its own, as files are; the messages, the entries and the
// long-disc plan follow on the window's thread in the command's order once the read is over. A read
// that takes longer than a moment shows its progress with Cancel; a cancelled read's tracks are not
// used, and the drive is closed when its thread is done with it.
void MainForm::mnuFileReadCD_Click()
{
    if (isReadingDisc() || !maySetAside()) return;
    struct DiscRead {
        std::int32_t count = 0;
        DiscToc toc;
        TrackList disc;
    };
    const std::shared_ptr<CdAudioDevice> device = RCD1_;
    const bool online = mnuSettingOnline_->isChecked();
    auto read = std::make_shared<DiscRead>();
    const auto work = [device, online, read] {
        read->count = openDisc(*device);
        if (discKind(read->count) != DiscKind::Entries) return;
        // The disc's CD-Text names the tracks; a disc without it leaves them unnamed.
        if (online) read->toc = device->toc();
        read->disc = readOpenDisc(*device, read->count);
    };
    const auto done = [this, online, read] {
        driveBusy_ = false;
        cdTrackCount = read->count;
        switch (discKind(cdTrackCount)) {
        case DiscKind::NoDisc: showMessage(this, noDiscMessage()); break;
        case DiscKind::Entries: {
            const auto showDisc = [this](TrackList disc) {
                for (std::size_t i = 0; i < disc.tracks.size(); ++i)
                    Tm_[i]->setText(QString::fromStdString(trackEntryText(disc.tracks[i])));
                setTrackTitles(std::move(disc));
                startLabelFromSource();
            };
            if (online) {
                // The drive is closed before the disc database is asked; the entries are written when it answers.
                lookUpDisc(this, read->toc, std::move(read->disc), [this, showDisc](DiscLookup named) {
                    showStatus(named.status);
                    showDisc(std::move(named.tracks));
                });
                break;
            }
            showDisc(std::move(read->disc));
            break;
        }
        case DiscKind::LongDisc:
            showMessage(this, longDiscMessage());
            PlanLargeDisc(cdTrackCount);
            break;
        case DiscKind::TooManyTracks: showMessage(this, tooManyTracksMessage()); break;
        }
    };
    // Cancelled, the read's thread still holds the drive until it returns; a long disc is left open.
    const auto late = [this, device, read] {
        driveBusy_ = false;
        if (discKind(read->count) == DiscKind::LongDisc) device->close();
    };
    driveBusy_ = true;
    readInBackground(this, readingDisc_, translated(ja("MainForm", "CDを読み取っています…")),
                     translated(ja("MainForm", "キャンセル")), work, done, [this] { emit discRead(); }, late);
}

// Several files at once, in a dialog that offers audio files and playlists first.
void MainForm::mnuFileReadFiles_Click()
{
    const QStringList files =
        QFileDialog::getOpenFileNames(this, translated(ja("MainForm", "音声ファイルから読み取り")), QString(),
                                      audioFileFilter());
    if (files.isEmpty() || !maySetAside()) return;
    ReadFiles(files);
}

// One folder, read as a folder dropped on the window is: the audio files in it, by their names.
void MainForm::mnuFileReadFolder_Click()
{
    const QString folder = QFileDialog::getExistingDirectory(this, translated(ja("MainForm", "フォルダーから読み取り")));
    if (folder.isEmpty() || !maySetAside()) return;
    ReadFiles({folder});
}

// Like a disc: up to 20 tracks fill the entries of a cleared window, 21 to 99 are planned as a
// report and leave the window as it is, anything else is a message. All or nothing: when one item
// cannot be read the window stays as it was.
void MainForm::ReadFiles(const QStringList& items)
{
    // One read at a time: a second one asked for meanwhile is not started.
    if (reading_) return;
    std::vector<std::string> paths;
    for (const QString& item : items) paths.push_back(QFile::encodeName(item).toStdString());

    // The files are read on a thread of their own; the window goes on, and a read that takes longer
    // than a moment shows its progress with Cancel. A cancelled read's tracks are not used.
    auto result = std::make_shared<SourceTracks>();
    readInBackground(
        this, reading_, translated(ja("MainForm", "音声ファイルを読み取っています…")),
        translated(ja("MainForm", "キャンセル")),
        [result, paths = std::move(paths), helper = helperFile()]() mutable {
            *result = readSource(FileSource{std::move(paths)}, ChildTagReader(helper));
        },
        [this, result, items] {
            if (const auto* message = std::get_if<Message>(result.get()))
                showMessage(this, *message);
            else
                showReadTracks(std::get<TrackList>(*result), items);
        },
        [this] { emit filesRead(); });
}

void MainForm::showReadTracks(const TrackList& list, const QStringList& sources)
{
    const auto count = static_cast<std::int32_t>(list.tracks.size());
    std::vector<std::string> paths;
    for (const QString& item : sources) paths.push_back(QFile::encodeName(QFileInfo(item).absoluteFilePath()).toStdString());
    if (discKind(count) == DiscKind::LongDisc) {
        showMessage(this, longFileListMessage());
        if (showLongDiscPlan(trackSeconds(list), count, list)) {
            tape_.startFromSource(list, paths);
            startLabelFromSource();
        }
        return;
    }
    // As opening a pattern does: a clean window, the times in the first entries, Run next.
    tape_.readTracks(list, paths);
    if (!fileCheck_) {
        fileCheck_ = new FileCheck(this);
        connect(fileCheck_, &FileCheck::endsEarly, this, &MainForm::showFileEndsEarly);
    }
    fileCheck_->start(list);
    showTape();
    showTitleTips();
    startLabelFromSource();
    markChanged();
    Run_->setFocus();
}

// The window reads the pasted list as the text changes; OK brings its tracks in as a file read does.
void MainForm::mnuFilePaste_Click()
{
    PasteTracks window(this);
    if (window.exec() != QDialog::Accepted || window.tracks().tracks.empty() || !maySetAside()) return;
    showReadTracks(window.tracks());
}

void MainForm::showFileEndsEarly(int index, const AudioSource& audio, qint64 milliseconds)
{
    const auto slot = static_cast<std::size_t>(index);
    if (slot >= tape_.entryTracks().tracks.size()) return;
    const std::int64_t stated = tape_.entryTracks().tracks[slot].milliseconds;
    tape_.correctTrackLength(slot, audio, milliseconds);
    if (tape_.entryTracks().tracks[slot].milliseconds != milliseconds) return;  // another read since
    restoring_ = true;
    Tm_[slot]->setText(QString::fromStdString(tape_.entries()[slot]));
    restoring_ = false;
    markChanged();
    showStatus(ja("MainForm", "途中で終わっている音声ファイルがあります。タイムを実際の長さに直しました。"));
    const QString line = translated(ja("MainForm", "%1 は %2 で終わっています（ファイルには %3 とあります）。"))
                             .arg(QFileInfo(QString::fromStdString(audio.path)).fileName(),
                                  QString::fromStdString(minutesSecondsText(milliseconds / 1000)),
                                  QString::fromStdString(minutesSecondsText(stated / 1000)));
    Tm_[slot]->setToolTip(line);
    statusBar()->showMessage(translated(*status_) + QStringLiteral("  ") + line);
}

void MainForm::showStatus(Ja text)
{
    status_ = text;
    if (!findChild<QStatusBar*>(QString(), Qt::FindDirectChildrenOnly)) {
        // The client area keeps its size: the window grows by the status bar's height.
        QStatusBar* bar = statusBar();
        bar->setObjectName(QStringLiteral("statusBar"));
        resize(width(), height() + bar->sizeHint().height());
    }
    statusBar()->showMessage(translated(text));
}

void MainForm::dragEnterEvent(QDragEnterEvent* event)
{
    if (!droppedPaths(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void MainForm::dropEvent(QDropEvent* event)
{
    const QStringList paths = droppedPaths(event->mimeData());
    if (paths.isEmpty()) return;
    event->acceptProposedAction();
    // Read once the drop is over, so that the program the files came from is not kept waiting while
    // a message is on the screen. A tape document dropped alone is opened.
    const bool tape = paths.size() == 1 && isTapeDocumentName(paths.first());
    QMetaObject::invokeMethod(
        this,
        [this, paths, tape] {
            if (!maySetAside()) return;
            tape ? void(OpenTape(paths.first())) : ReadFiles(paths);
        },
        Qt::QueuedConnection);
}

bool MainForm::eventFilter(QObject* watched, QEvent* event)
{
    const bool entry = std::find(Tm_.begin(), Tm_.end(), watched) != Tm_.end();
    if (entry && (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove)) {
        auto* drag = static_cast<QDragMoveEvent*>(event);
        if (!droppedPaths(drag->mimeData()).isEmpty()) {
            drag->acceptProposedAction();
            return true;
        }
    } else if (entry && event->type() == QEvent::Drop) {
        auto* drop = static_cast<QDropEvent*>(event);
        if (!droppedPaths(drop->mimeData()).isEmpty()) {
            dropEvent(drop);
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainForm::setTrackTitles(TrackList titles)
{
    tape_.setTracks(std::move(titles));
    showTitleTips();
    markChanged();
}

void MainForm::startLabelFromSource()
{
    labelEdits_.reset();
    if (CassetteLabel* open = label_.window(); open && tape_.labelTexts()) open->setTexts(*tape_.labelTexts());
}

void MainForm::showTitleTips()
{
    const TrackList& titles = tape_.entryTracks();
    const auto caption = [&titles](int number) -> QString {
        if (number < 1 || number > static_cast<int>(titles.tracks.size())) return {};
        const Track& track = titles.tracks[static_cast<std::size_t>(number - 1)];
        QString text = QString::fromStdString(trackCaption(static_cast<std::size_t>(number), track));
        // A time typed over the audio plans and plays the track; the audio is no longer used.
        if (track.timeTyped) {
            if (!text.isEmpty()) text += QLatin1Char('\n');
            text += translated(ja("MainForm", "入力したタイムで扱います（音声ファイルは使いません）"));
        }
        return text;
    };
    for (int i = 0; i < EntryCount; ++i) Tm_[i]->setToolTip(caption(i + 1));
    for (const auto* cells : {&A_, &B_})
        for (QLabel* cell : *cells) {
            bool isNumber = false;
            const int number = cell->text().toInt(&isNumber);
            cell->setToolTip(isNumber ? caption(number) : QString());
        }
}

void MainForm::mnuFileSave_Click()
{
    PatternEntries entries;
    for (int i = 0; i < EntryCount; ++i) entries[i] = Tm_[i]->text();
    savePattern(this, entries);
}

void MainForm::mnuFileOpen_Click()
{
    // The window is cleared only once the file has been read whole.
    const std::optional<PatternEntries> entries = openPattern(this);
    if (!entries || !maySetAside()) return;
    Clear_Click();
    for (int i = 0; i < EntryCount; ++i) Tm_[i]->setText((*entries)[i]);
    startLabelFromSource();
    Run_->setFocus();
}

}  // namespace vantoli
