#pragma once
// The window "SeveralTapes" (File > Several Tapes...): a box set or a long playlist onto the fewest
// tapes. The albums in their order (lstAlbums: added from files or folders, or dropped onto it, each
// one read off the window's thread), the gap between tracks (chkGap), and the plan the core makes of
// them with the user's tapes (tblPlan: every track with its tape, side, album, start and length, and
// what is left on each side; lblSummary). Any tape of the plan becomes the main window's tape
// (cmdOpenTape), with its label and dubbing as for any tape; the whole set saves as one tape document
// (cmdSave). Modeless, laid out with Qt layouts; it deletes itself when it is closed.

#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <optional>
#include <vector>

#include "core/set_planner.h"
#include "core/tape_document.h"
#include "core/tape_model.h"
#include "gui/single_window.h"

class QAction;
class QCheckBox;
class QCloseEvent;
class QLabel;
class QListWidget;
class QProgressDialog;
class QPushButton;
class QTableWidget;

namespace vantoli {

class MainForm;

class SeveralTapes : public QWidget {
    Q_OBJECT
public:
    enum Column {
        TapeColumn,
        SideColumn,
        AlbumColumn,
        TrackColumn,
        TitleColumn,
        StartColumn,
        LengthColumn,
        ColumnCount
    };
    // The rows of tblPlan keep the index of their tape (0-based) under this role of their first cell.
    static constexpr int TapeRole = Qt::UserRole;

    // Plans with the main window's tapes and makes its tapes the main window's.
    explicit SeveralTapes(MainForm& main);
    ~SeveralTapes() override;

    QListWidget* lstAlbums() const { return lstAlbums_; }
    QPushButton* cmdAddAlbum() const { return cmdAddAlbum_; }
    // The two items of cmdAddAlbum's menu: audio files, playlists or CUE sheets; or a folder.
    QAction* mnuAlbumFiles() const { return mnuAlbumFiles_; }
    QAction* mnuAlbumFolder() const { return mnuAlbumFolder_; }
    QPushButton* cmdRemoveAlbum() const { return cmdRemoveAlbum_; }
    QPushButton* cmdAlbumUp() const { return cmdAlbumUp_; }
    QPushButton* cmdAlbumDown() const { return cmdAlbumDown_; }
    QCheckBox* chkGap() const { return chkGap_; }
    QTableWidget* tblPlan() const { return tblPlan_; }
    QLabel* lblSummary() const { return lblSummary_; }
    QPushButton* cmdOpenTape() const { return cmdOpenTape_; }
    QPushButton* cmdSave() const { return cmdSave_; }
    QPushButton* cmdClose() const { return cmdClose_; }

    // Reads items as albums, after the albums there are: every folder, playlist, CUE sheet and CSV list
    // is an album of its own, and the audio files among the items are one album together. The read
    // runs off the window's thread and returns at once; albumsRead follows when it is over (read,
    // refused with its message, or cancelled). One read at a time: items given meanwhile are not read.
    void addAlbums(const QStringList& items);
    bool isReading() const { return reading_ != nullptr; }

    const std::vector<SetAlbum>& albums() const { return albums_; }
    // The plan of the albums as they are now: a plan, the track too long for any side, or nothing.
    const SetPlanResult& planned() const { return planned_; }
    const SetPlan* plan() const { return std::get_if<SetPlan>(&planned_); }

    // Shows a set opened from its document at `file`, planned anew with today's tapes.
    void showSet(const SetDocument& set, const QString& file);
    // The document it was opened from or saved to last; empty when not saved yet.
    const QString& file() const { return file_; }
    // Makes tape `index` of the plan the main window's tape, asking first about unsaved work there
    // (ask); false when there is no such tape or the user cancelled.
    bool openTape(int index, bool ask = true);
    // Whether tape `index`, planned now, is the tape the set's document holds.
    bool tapeAsSaved(int index) const;
    // Saves the whole set at path, atomically; a failed save is a message and leaves the file as it was.
    bool SaveSet(const QString& path);
    // Whether the albums or the gap changed since the set was opened or saved (an empty set holds no work).
    bool hasUnsavedChanges() const { return changed_ && !albums_.empty(); }
    // Before the set is closed or replaced: Save, Discard or Cancel when it holds unsaved changes. True
    // to go on (saved, discarded or nothing to lose); false when cancelled or the save failed.
    bool maySetAside();
    // The tape of the row selected in tblPlan; -1 when none is.
    int selectedTape() const;
    // Plans the albums again, with the main window's tapes as they are now, and shows the plan.
    void replan();

signals:
    void albumsRead();

public slots:
    void mnuAlbumFiles_Click();
    void mnuAlbumFolder_Click();
    void cmdRemoveAlbum_Click();
    void cmdAlbumUp_Click();
    void cmdAlbumDown_Click();
    void chkGap_Click();
    void lstAlbums_SelectionChange();
    void tblPlan_SelectionChange();
    void cmdOpenTape_Click();
    void cmdSave_Click();
    void cmdClose_Click();

protected:
    void changeEvent(QEvent* event) override;
    // Asks about unsaved changes first; Cancel keeps the window open.
    void closeEvent(QCloseEvent* event) override;
    // Files and folders dragged from a file manager onto lstAlbums are read as albums.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showAlbums();
    void showPlan();
    void showHeadings();
    void showButtons();
    void moveAlbum(int from, int to);
    // Asks for a file and saves the set there; false when no file was chosen or the save failed.
    bool saveSetAs();
    // The albums read: added after the others, and the message of those that could not be read.
    void takeRead(const std::vector<SetAlbum>& read, const std::vector<Message>& failures);
    QString albumName(std::size_t index) const;

    QPointer<MainForm> main_;

    QListWidget* lstAlbums_ = nullptr;
    QPushButton* cmdAddAlbum_ = nullptr;
    QAction* mnuAlbumFiles_ = nullptr;
    QAction* mnuAlbumFolder_ = nullptr;
    QPushButton* cmdRemoveAlbum_ = nullptr;
    QPushButton* cmdAlbumUp_ = nullptr;
    QPushButton* cmdAlbumDown_ = nullptr;
    QCheckBox* chkGap_ = nullptr;
    QTableWidget* tblPlan_ = nullptr;
    QLabel* lblSummary_ = nullptr;
    QPushButton* cmdOpenTape_ = nullptr;
    QPushButton* cmdSave_ = nullptr;
    QPushButton* cmdClose_ = nullptr;

    std::vector<SetAlbum> albums_;
    SetPlanResult planned_ = NothingToPlan{};
    // The tapes as the set's document holds them, so that what was typed for them comes back.
    std::vector<TapeDocument> kept_;
    QString file_;
    bool changed_ = false;  // the albums or the gap changed since the set was opened or saved
    QProgressDialog* reading_ = nullptr;
};

// Opens the window, or brings it to the front when it is open already.
SeveralTapes* showSeveralTapes(SingleWindow<SeveralTapes>& holder, MainForm& main);

}  // namespace vantoli
