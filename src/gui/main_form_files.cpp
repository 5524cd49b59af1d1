// The main window's File menu commands that fill or save the entries: reading the CD, reading audio
// files (chosen in a dialog or dropped on the window), and opening and saving a pattern file; and the
// titles of the tracks those reads give.

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QString>
#include <QUrl>

#include <algorithm>
#include <variant>

#include "core/cd_read.h"
#include "core/file_tracks.h"
#include "core/read_disc.h"
#include "core/track_caption.h"
#include "device/track_files.h"
#include "gui/main_form.h"
#include "gui/message_box.h"
#include "gui/pattern_file.h"
#include "gui/translation.h"

namespace vantoli {

// Writes only the entries of the disc's tracks: the entries after them, the plan display and the
// options keep what they hold, and nothing is planned. The drive is closed again on every path; for
// a long disc PlanLargeDisc closes it once it has read the lengths.
void MainForm::mnuFileReadCD_Click()
{
    CdAudioDevice& device = RCD1();
    device.open();
    device.setMillisecondsFormat();
    cdTrackCount = device.tracks();

    switch (discKind(cdTrackCount)) {
    case DiscKind::NoDisc: showMessage(this, noDiscMessage()); break;
    case DiscKind::Entries: {
        // The disc's CD-Text names the tracks; a disc without it leaves them unnamed.
        TrackList disc = readDiscTracks(device, cdTrackCount);
        for (std::size_t i = 0; i < disc.tracks.size(); ++i)
            Tm_[i]->setText(QString::fromStdString(trackEntryText(disc.tracks[i])));
        setTrackTitles(std::move(disc));
        break;
    }
    case DiscKind::LongDisc:
        showMessage(this, longDiscMessage());
        PlanLargeDisc(cdTrackCount);
        return;
    case DiscKind::TooManyTracks: showMessage(this, tooManyTracksMessage()); break;
    }
    device.close();
}

namespace {

// The file types the read command's dialog offers: audio files with playlists and CUE sheets, and
// every file.
QString audioFileFilter()
{
    return translated(ja("MainForm",
                         "音声ファイルとプレイリスト (*.flac *.mp3 *.ogg *.oga *.opus *.wav *.aif *.aiff *.aifc "
                         "*.m4a *.wma *.ape *.wv *.mpc *.tta *.spx *.m3u *.m3u8 *.cue);;"
                         "すべてのファイル (*)"));
}

// The local paths of a drag's files, folders and playlists; empty when it carries none.
QStringList droppedPaths(const QMimeData* data)
{
    QStringList paths;
    if (!data || !data->hasUrls()) return paths;
    for (const QUrl& url : data->urls())
        if (url.isLocalFile() && !url.toLocalFile().isEmpty()) paths << url.toLocalFile();
    return paths;
}

}  // namespace

// Several files at once, in a dialog that offers audio files and playlists first.
void MainForm::mnuFileReadFiles_Click()
{
    const QStringList files =
        QFileDialog::getOpenFileNames(this, translated(ja("MainForm", "音声ファイルから読み取り")), QString(),
                                      audioFileFilter());
    if (files.isEmpty()) return;
    ReadFiles(files);
}

// Like a disc: up to 20 tracks fill the entries of a cleared window, 21 to 99 are planned as a
// report and leave the window as it is, anything else is a message. All or nothing: when one item
// cannot be read the window stays as it was.
void MainForm::ReadFiles(const QStringList& items)
{
    std::vector<std::string> paths;
    for (const QString& item : items) paths.push_back(QFile::encodeName(item).toStdString());

    QApplication::setOverrideCursor(Qt::WaitCursor);
    const FileTracks result = readTrackFiles(paths);
    QApplication::restoreOverrideCursor();

    if (const auto* unreadable = std::get_if<UnreadableFiles>(&result)) {
        showMessage(this, unreadableFilesMessage(*unreadable));
        return;
    }
    if (std::holds_alternative<TooManyFileTracks>(result)) {
        showMessage(this, tooManyFileTracksMessage());
        return;
    }
    const TrackList& list = std::get<TrackList>(result);
    const auto count = static_cast<std::int32_t>(list.tracks.size());
    switch (discKind(count)) {
    case DiscKind::NoDisc: showMessage(this, noFileTracksMessage()); break;
    case DiscKind::Entries:
        // As opening a pattern does: a clean window, the times in the first entries, Run next.
        Clear_Click();
        for (std::int32_t i = 0; i < count; ++i)
            Tm_[i]->setText(QString::fromStdString(trackEntryText(list.tracks[static_cast<std::size_t>(i)])));
        setTrackTitles(list);
        Run_->setFocus();
        break;
    case DiscKind::LongDisc:
        showMessage(this, longFileListMessage());
        showLongDiscPlan(trackSeconds(list), count, list);
        break;
    case DiscKind::TooManyTracks: showMessage(this, tooManyFileTracksMessage()); break;
    }
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
    // a message is on the screen.
    QMetaObject::invokeMethod(
        this, [this, paths] { ReadFiles(paths); }, Qt::QueuedConnection);
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
    trackTitles_ = std::move(titles);
    showTitleTips();
}

void MainForm::showTitleTips()
{
    const auto caption = [this](int number) -> QString {
        if (number < 1 || number > static_cast<int>(trackTitles_.tracks.size())) return {};
        return QString::fromStdString(
            trackCaption(static_cast<std::size_t>(number), trackTitles_.tracks[static_cast<std::size_t>(number - 1)]));
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
    if (!entries) return;
    Clear_Click();
    for (int i = 0; i < EntryCount; ++i) Tm_[i]->setText((*entries)[i]);
    Run_->setFocus();
}

}  // namespace vantoli
