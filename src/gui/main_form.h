#pragma once

#include <QMainWindow>
#include <QStringList>
#include <QTimer>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "core/cd_audio_device.h"
#include "core/entry_reading.h"
#include "core/label_content.h"
#include "core/side_program.h"
#include "core/tape_document.h"
#include "core/long_disc_plan.h"
#include "core/tape_lineup.h"
#include "core/tape_model.h"
#include "core/track_list.h"
#include "gui/cassette_label.h"
#include "gui/dialog.h"
#include "gui/deck_check.h"
#include "gui/dubbing.h"
#include "gui/report.h"
#include "gui/several_tapes.h"
#include "gui/single_window.h"
#include "gui/translation.h"
#include "gui/version.h"

class QAction;
class QDragEnterEvent;
class QDropEvent;
class QLabel;
class QLineEdit;
class QLockFile;
class QMenu;
class QProgressDialog;
class QPushButton;

namespace vantoli {

struct TapePlan;
struct PlanOptions;

// The program's start-up window: the entry grid of 20 track times, the plan panel and the menus.
// It shows one tape (core/tape_model.h): the entries and option ticks write into it as they change,
// every command changes the tape and the window shows the result.
//
// Everything of the window is in gui/main_form*.cpp: main_form.cpp builds it from its layout and menu
// tables and holds its start, its end and the commands that open other windows; main_form_plan.cpp
// the planning commands (Run, Clear and the long-disc plan); main_form_files.cpp the File menu's
// reading and saving commands, the reading of dropped files and the titles of the tracks.
class MainForm : public QMainWindow {
    Q_OBJECT
public:
    // The window loads at once (Form_Load) and keeps the device until it is closed.
    explicit MainForm(std::unique_ptr<CdAudioDevice> device, QWidget* parent = nullptr);
    ~MainForm() override;

    // The controls, by their names; arrays take an index 0..EntryCount-1.
    QLineEdit* Tm(int index) const { return Tm_[index]; }
    QLabel* Label5(int index) const { return Label5_[index]; }
    QLabel* A(int index) const { return A_[index]; }
    QLabel* B(int index) const { return B_[index]; }
    QLabel* TapeType() const { return TapeType_; }
    QLabel* sideATotal() const { return sideATotal_; }
    QLabel* aBlankTime() const { return aBlankTime_; }
    QLabel* sideBTotal() const { return sideBTotal_; }
    QLabel* bBlankTime() const { return bBlankTime_; }
    QLabel* timeTotal() const { return timeTotal_; }
    QLabel* tBlankTime() const { return tBlankTime_; }
    QPushButton* Run() const { return Run_; }
    QPushButton* Clear() const { return Clear_; }

    // Menu items. The ticks of mnuSettingCD (keep the disc's track order) and mnuSetting5sec
    // (5 s between tracks) show the tape's planning options and change them.
    QAction* mnuFileReadCD() const { return mnuFileReadCD_; }
    QAction* mnuFileReadFiles() const { return mnuFileReadFiles_; }
    QAction* mnuFileReadFolder() const { return mnuFileReadFolder_; }
    QAction* mnuFilePaste() const { return mnuFilePaste_; }
    QAction* mnuFileOpen() const { return mnuFileOpen_; }
    QAction* mnuFileSave() const { return mnuFileSave_; }
    QAction* mnuFileOpenTape() const { return mnuFileOpenTape_; }
    QAction* mnuFileSaveTape() const { return mnuFileSaveTape_; }
    // The last tapes opened or saved, newest first; missing ones disabled; and an item that empties it.
    QMenu* mnuFileRecent() const { return mnuFileRecent_; }
    QAction* mnuFileLabel() const { return mnuFileLabel_; }
    QAction* mnuFileDub() const { return mnuFileDub_; }
    // Opens the window that plans several albums onto several tapes (SeveralTapes).
    QAction* mnuFileSeveral() const { return mnuFileSeveral_; }
    QAction* mnuFileDeckCheck() const { return mnuFileDeckCheck_; }
    QAction* mnuExit() const { return mnuExit_; }
    QAction* mnuSettingCD() const { return mnuSettingCD_; }
    QAction* mnuSetting5sec() const { return mnuSetting5sec_; }
    // Unticked at start: plan with the exact planner (the shortest tape, the sides balanced). It and
    // mnuSettingCD are never ticked together: ticking one unticks the other.
    QAction* mnuSettingOptimal() const { return mnuSettingOptimal_; }
    // Unticked until the user ticks it, and kept in the settings file: a disc read also asks the disc
    // database (MusicBrainz) for the titles. While it is unticked nothing goes to the network.
    QAction* mnuSettingOnline() const { return mnuSettingOnline_; }
    QAction* mnuSettingAll() const { return mnuSettingAll_; }
    QAction* mnuSettingTapes() const { return mnuSettingTapes_; }
    QAction* mnuHelpTopic() const { return mnuHelpTopic_; }
    QAction* mnuHelpVersion() const { return mnuHelpVersion_; }

    // The CD audio device: set up when the window loads, sent "close" when it unloads.
    CdAudioDevice& RCD1() { return *RCD1_; }

    // Number of tracks the device reported at the last CD read; the long-disc plan reads it.
    std::int32_t cdTrackCount = 0;

    // Reads the tracks of audio files, folders, playlists and CUE sheets (paths) as the File menu's
    // read command does with the files chosen in its dialog, and as a drop onto the window does. The
    // read runs off the window's thread: this returns at once, and filesRead follows once the tracks
    // are shown (or the message that says why not), or the read was cancelled.
    void ReadFiles(const QStringList& items);
    // Whether a read of files is going on.
    bool isReading() const { return reading_ != nullptr; }
    // Whether the drive is being read, a cancelled read's thread included; a CD read asked for meanwhile
    // is not started.
    bool isReadingDisc() const { return driveBusy_; }

    // The program's one report window, batch-settings window, About window and cassette label window.
    SingleWindow<Report>& reportWindow() { return report_; }
    SingleWindow<Dialog>& dialogWindow() { return dialog_; }
    SingleWindow<Version>& versionWindow() { return version_; }
    SingleWindow<CassetteLabel>& labelWindow() { return label_; }
    SingleWindow<Dubbing>& dubbingWindow() { return dubbing_; }
    SingleWindow<DeckCheck>& deckCheckWindow() { return deckCheck_; }
    SingleWindow<SeveralTapes>& severalTapesWindow() { return several_; }

    // The titles, album and artist of the tracks in the entries, as their source named them (tracks[i]
    // is entry i): the last read of a CD's CD-Text or of files. Empty when the entries were typed. Shown
    // in the tooltips of the entries and of the side cells ("3. 曲名 — アーティスト"). Clear, a pattern
    // open and every read that fills the entries replace them; typing in an entry does not.
    const TrackList& trackTitles() const { return tape_.entryTracks(); }

    // The last plan made since the program started, by Run or for a long disc; nothing before the
    // first. The cassette label shows it.
    const std::optional<MadePlan>& lastPlan() const { return tape_.plan(); }

    // The planning options as the ticks of mnuSetting5sec, mnuSettingCD and mnuSettingOptimal stand now.
    PlanOptions planOptions() const { return tape_.options(); }

    // The tape the window shows.
    const TapeModel& tape() const { return tape_; }

    // The user's list of tapes, read at start and changed in the TapeLineup window, and the lineup of
    // its owned tapes, which every plan uses.
    const std::vector<TapeChoice>& tapeChoices() const { return tapes_; }
    const Lineup& lineup() const { return lineup_; }

    // Writes a time in seconds into the time label that selector names (0 timeTotal, 1 sideATotal,
    // 2 aBlankTime, 3 sideBTotal, 4 bBlankTime, 5 tBlankTime); another selector writes nothing.
    void ShowTimeLabel(int seconds, int selector);
    // Writes a plan into the cells, the five side and blank labels and TapeType.
    void ShowPlan(const TapePlan& plan);

    // Plans a disc of more tracks than the entries hold straight from the device, which must be open
    // and in milliseconds: reads every track's length, closes the device and shows the plan through
    // showLongDiscPlan. Changes no control of this window. trackCount is cdTrackCount, 21 to 99 when
    // the CD read command calls this.
    void PlanLargeDisc(std::int32_t trackCount);
    // Plans a long list of tracks (whole seconds, in order) under the options and the lineup and shows it as a
    // report in the report window, or the lineup failure message when no tape will do (the report
    // window then stays as it was). trackCount is the count the report names; titles are the tracks'
    // titles for the cassette label, when the source names them. Returns whether a plan was made.
    bool showLongDiscPlan(const std::vector<int>& seconds, std::int32_t trackCount, const TrackList& titles = {});

    // ---- The tape as a document (main_form_tape.cpp) ----

    // Opens a tape document: the entries or the long list with its report, the titles, the options, the
    // plan made anew (and a message when it differs from the one saved), the label's texts and the
    // dubbing settings. A document that cannot be read is a message and changes nothing. Audio files
    // missing or changed since are named in one message; the tape opens all the same. A set of tapes
    // opens in the SeveralTapes window, planned anew, and its first tape in this one.
    bool OpenTape(const QString& path);
    // Shows a tape of a set (tapeOfSet) as the window's tape: its entries or its long list with its
    // report, the set's plan for it, and its label and dubbing for the windows that show them. A tape
    // `saved` as it is in its set's document counts as unchanged; it has no file of its own.
    void showSetTape(TapeModel tape, bool saved);
    // Saves the tape at path, atomically; a failed save is a message and leaves the file as it was.
    bool SaveTape(const QString& path);
    // The window's tape as a document, as it would be saved now.
    TapeDocument tapeDocument() const;
    // The tape file opened or saved last; empty for a tape not saved yet.
    QString tapeFile() const;
    bool hasUnsavedChanges() const { return tape_.changed(); }
    // Before unsaved work is replaced or ended: Save, Discard or Cancel. True to go on (saved or
    // discarded, or nothing to lose: no change, or only typed entries); false when cancelled.
    bool maySetAside();
    // Before the program ends: maySetAside, then the same question for an open set of several tapes
    // with unsaved changes. True to end.
    bool mayEnd();

    // The settings of dubbing the sides, kept with the tape.
    const DubbingSettings& dubbingSettings() const { return tape_.dubbing(); }
    void setDubbingSettings(const DubbingSettings& settings);
    // Audio files of the tape opened last that were missing or changed: their tracks cannot be played
    // as saved (dubbing records them by the timer).
    const QStringList& unavailableAudioFiles() const { return unavailableAudio_; }

    // The recent tapes, newest first, as the menu lists them.
    QStringList recentTapes() const;

    // Keeps a copy of the tape in folder while changes are not saved, written a few seconds after a
    // change; only the first window of the user's that asks gets to keep one there. The program's
    // main() turns this on; without it no copy is kept.
    void keepRecoveryCopiesIn(const QString& folder);
    // The copy's path; empty while no copy is kept.
    const QString& recoveryFile() const { return recoveryFile_; }
    // At start: a copy left by a run that did not end normally is offered once. Restored, the tape
    // counts as not saved; declined, the copy is removed. Returns whether it was restored.
    bool offerRecovery();
    // At a normal end: the copy is no longer needed.
    void discardRecoveryCopy();

signals:
    void filesRead();
    // The CD read command has ended: the entries, the report or the message are shown (the disc
    // lookup, when it is on, may still be asked), or the read was cancelled.
    void discRead();

public slots:
    void Run_Click();
    void Clear_Click();
    void mnuFileReadCD_Click();
    void mnuFileReadFiles_Click();
    void mnuFileReadFolder_Click();
    void mnuFilePaste_Click();
    void mnuFileOpen_Click();
    void mnuFileSave_Click();
    void mnuFileOpenTape_Click();
    void mnuFileSaveTape_Click();
    void mnuFileLabel_Click();
    void mnuFileDub_Click();
    void mnuFileSeveral_Click();
    void mnuFileDeckCheck_Click();
    void mnuExit_Click();
    void mnuSettingOnline_Click();
    void mnuSettingAll_Click();
    void mnuSettingTapes_Click();
    void mnuHelpTopic_Click();
    void mnuHelpVersion_Click();
    // Settings > Language: the choice is kept and applies at once to every open window.
    void mnuSettingLanguage_Click(LanguageChoice choice);

protected:
    void closeEvent(QCloseEvent* event) override;
    // A change of language shows the tape of the plan on view anew.
    void changeEvent(QEvent* event) override;
    // Files, folders and playlists dragged from a file manager are read when they are dropped.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    // A drag of files over an entry box goes to the window, not into the box as text.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Form_Load();
    void Form_Unload();

    void createControls();
    void createMenus();
    void createLanguageMenu();
    // The tip of mnuSettingOptimal, as its tool tip and its status tip, in the current language.
    void showOptimalTip();
    QLabel* timeLabel(int selector) const;
    // Empties the side A and side B cells.
    void clearSideCells();
    // Shows what Run made of the entries: the error, or the total and the plan (or that no tape will do).
    void showRunOutcome(const RunOutcome& outcome);
    // The tape has a new plan: the cassette label and dubbing windows, when open, show it.
    void showNewPlan();
    // The tape comes from a new source: an open label starts from what the source names.
    void startLabelFromSource();
    // Writes the tape's entries and option ticks into the controls, and empties the plan display.
    void showTape();
    // The title bar: the tape's name and its changed mark.
    void showTitle();
    // Save Tape's dialog and the save; false when cancelled or failed.
    bool saveTapeAs();
    // Shows tracks read from files or pasted: up to 20 fill the entries of a cleared window, 21 to 99
    // are planned as a report, anything else is a message.
    void showReadTracks(const TrackList& list, const QStringList& sources = {});
    // A file of the read ends early: its track and entry take the length it has, and the status bar
    // says so.
    void showFileEndsEarly(int index, const AudioSource& audio, qint64 milliseconds);
    // Writes a line into the status bar, which is added below the client area the first time; it is
    // kept and shown in the new language after a change of language.
    void showStatus(Ja text);
    // Replaces the titles of the tracks in the entries and shows them.
    void setTrackTitles(TrackList titles);
    // Puts each track's title into the tooltips of its entry and of the side cell that holds its
    // number; boxes without a titled track get none.
    void showTitleTips();

    // Puts a document into the window; returns whether the plan made now differs from the saved one.
    bool applyTapeDocument(const TapeDocument& document, const QString& file);
    // The messages after a tape was put into the window: the plan made anew, files missing or changed.
    void reportOpenedTape(const TapeDocument& document, bool differs);
    // A set of tapes opened: the set in its window, its first tape in this one.
    bool openSet(const SetDocument& set, const QString& file);
    // Something of the tape changed: it counts as not saved, and the recovery copy follows soon.
    void markChanged();
    void writeRecoveryCopy();
    void rememberRecent(const QString& path);
    void fillRecentMenu();
    // Shows the label of the last plan, with the label texts kept, and follows the user's edits.
    void connectLabelWindow(CassetteLabel* window, bool showTapeTexts = true);

    // Shared with a read of the drive on its own thread, which may end after the window.
    std::shared_ptr<CdAudioDevice> RCD1_;

    std::array<QLabel*, EntryCount> Label5_{};
    std::array<QLineEdit*, EntryCount> Tm_{};
    std::array<QLabel*, EntryCount> A_{};
    std::array<QLabel*, EntryCount> B_{};
    QLabel* TapeType_ = nullptr;
    QLabel* sideATotal_ = nullptr;
    QLabel* aBlankTime_ = nullptr;
    QLabel* sideBTotal_ = nullptr;
    QLabel* bBlankTime_ = nullptr;
    QLabel* timeTotal_ = nullptr;
    QLabel* tBlankTime_ = nullptr;
    QPushButton* Run_ = nullptr;
    QPushButton* Clear_ = nullptr;

    QAction* mnuFileReadCD_ = nullptr;
    QAction* mnuFileReadFiles_ = nullptr;
    QAction* mnuFileReadFolder_ = nullptr;
    QAction* mnuFilePaste_ = nullptr;
    QAction* mnuFileOpen_ = nullptr;
    QAction* mnuFileSave_ = nullptr;
    QAction* mnuFileOpenTape_ = nullptr;
    QAction* mnuFileSaveTape_ = nullptr;
    QMenu* mnuFileRecent_ = nullptr;
    QAction* mnuFileLabel_ = nullptr;
    QAction* mnuFileDub_ = nullptr;
    QAction* mnuFileSeveral_ = nullptr;
    QAction* mnuFileDeckCheck_ = nullptr;
    QAction* mnuExit_ = nullptr;
    QAction* mnuSettingCD_ = nullptr;
    QAction* mnuSetting5sec_ = nullptr;
    QAction* mnuSettingOptimal_ = nullptr;
    QAction* mnuSettingOnline_ = nullptr;
    QAction* mnuSettingAll_ = nullptr;
    QAction* mnuSettingTapes_ = nullptr;
    QAction* mnuHelpTopic_ = nullptr;
    QAction* mnuHelpVersion_ = nullptr;
    QMenu* mnuSettingLanguage_ = nullptr;

    std::vector<TapeChoice> tapes_;
    Lineup lineup_;

    SingleWindow<Report> report_;
    SingleWindow<Dialog> dialog_;
    SingleWindow<Version> version_;
    SingleWindow<CassetteLabel> label_;
    SingleWindow<Dubbing> dubbing_;
    SingleWindow<DeckCheck> deckCheck_;
    SingleWindow<SeveralTapes> several_;

    TapeModel tape_;
    std::optional<LabelEdits> labelEdits_;  // typed over the label window when it last closed
    QStringList unavailableAudio_;
    bool restoring_ = false;  // the tape is being written into the controls
    QProgressDialog* reading_ = nullptr;  // the read of files going on, and its progress
    QProgressDialog* readingDisc_ = nullptr;  // the read of the drive going on, and its progress
    // The drive is in use by a read on its own thread: from the command until its end, or, once
    // cancelled, until the thread lets go of the drive.
    bool driveBusy_ = false;
    QString recoveryFile_;
    std::unique_ptr<QLockFile> recoveryLock_;
    QTimer recoveryTimer_;
    // The tape TapeType shows and the plan the report window shows, so that a change of language
    // shows them anew.
    int shownTapeMinutes_ = 0;
    std::optional<LongDiscPlan> reported_;
    std::optional<Ja> status_;  // the status bar's line, shown anew when the language changes
    class FileCheck* fileCheck_ = nullptr;  // the files of the last read, decoded to their ends
};

}  // namespace vantoli
