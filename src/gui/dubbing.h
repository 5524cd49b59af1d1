#pragma once
// The dubbing window: plays a side of the last plan into the deck (or, for a plan without sound, times
// it for a separate CD player), with a count-down, level meters, the time left on the side and on the
// tape, and the cue to flip the tape at the end of side A.

#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

#include "core/dubbing_cues.h"
#include "core/sound_report.h"
#include "core/stream_request.h"
#include "gui/dubbing_clock.h"
#include "gui/side_player.h"
#include "gui/single_window.h"
#include "gui/tape_check_window.h"

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QGroupBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QTableWidget;
class QTimer;

namespace vantoli {

class LevelMeter;

class Dubbing : public QWidget {
    Q_OBJECT
public:
    enum class State { Stopped, CountDown, Playing, Paused, Looping };
    enum Column { NumberColumn = 0, TitleColumn = 1, StartColumn = 2, LengthColumn = 3 };
    static constexpr int CountDownSeconds = 3;
    static constexpr int TickMs = 40;  // 25 updates a second

    // The window deletes itself when it is closed. The clock times the count-down and the timer mode.
    explicit Dubbing(std::unique_ptr<DubbingClock> clock = std::make_unique<ElapsedClock>());
    ~Dubbing() override;

    // Shows a plan; while a side plays or pauses the plan waits until Stop.
    void setPlan(const MadePlan& made);

    State state() const { return state_; }
    // Whether the side is timed for a separate player instead of played.
    bool timerMode() const { return timerMode_; }
    // The frame of the side's program sounding now (0 before the start).
    std::int64_t frame() const { return frame_; }
    const SideProgram& program() const { return program_; }
    SidePlayer& player() { return player_; }

    QRadioButton* optSideA() const { return optSideA_; }
    QRadioButton* optSideB() const { return optSideB_; }
    QTableWidget* tblSide() const { return tblSide_; }
    QPushButton* cmdPlay() const { return cmdPlay_; }
    QPushButton* cmdPause() const { return cmdPause_; }
    QPushButton* cmdStop() const { return cmdStop_; }
    QPushButton* cmdTone() const { return cmdTone_; }
    QPushButton* cmdLoudest() const { return cmdLoudest_; }
    QDoubleSpinBox* spnLeadIn() const { return spnLeadIn_; }
    QComboBox* cboLoudness() const { return cboLoudness_; }
    QComboBox* cboOutput() const { return cboOutput_; }
    QCheckBox* chkBeep() const { return chkBeep_; }
    LevelMeter* mtrLeft() const { return mtrLeft_; }
    LevelMeter* mtrRight() const { return mtrRight_; }
    QLabel* lblCue() const { return lblCue_; }
    QLabel* lblNow() const { return lblNow_; }
    QLabel* lblSide() const { return lblSide_; }
    QProgressBar* prgSide() const { return prgSide_; }
    QPushButton* cmdClose() const { return cmdClose_; }
    QPushButton* cmdCheckTape() const { return cmdCheckTape_; }
    // The tape check opened by cmdCheckTape, while it is open.
    TapeCheckWindow* tapeCheckWindow() const { return tapeCheck_.window(); }

public slots:
    void cmdPlay_Click();
    void cmdPause_Click();
    void cmdStop_Click();
    void cmdTone_Click();
    void cmdLoudest_Click();
    void cmdClose_Click();
    // Opens the tape check for the side chosen, once it has been played.
    void cmdCheckTape_Click();
    // Brings every display up to the clock or the output: the count-down, the cue, the times, the meters.
    void tmrTick_Timer();

public:
    // The lead-in, the loudness and the tone as the window is set now; setting them shows them.
    DubbingSettings settings() const;
    void setSettings(const DubbingSettings& settings);

signals:
    // The user changed the lead-in or the loudness.
    void settingsChanged(const vantoli::DubbingSettings& settings);
    // A side's tape has been checked: what the tape keeps of it.
    void sideChecked(vantoli::TapeSide side, const vantoli::SideCheckRecord& record);

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    // Space in the table plays and pauses, as everywhere but on a button or a box that takes it.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    CalibrationTone tone_;  // the tone of the tape's settings, played by cmdTone
    TapeSide side() const;
    void retranslate();
    void showMode();
    // Side B is offered only when the plan puts tracks on it, and says so when it does not.
    void showSideBChoice();
    CueMode cueMode() const { return timerMode_ ? CueMode::Timer : CueMode::Sound; }
    // Shows the big cue line; cue gives its text in the current language (none: empty).
    void showCue(std::function<QString()> cue);
    void showSide();
    void fillOutputs();
    StreamRequest request(StreamWhat what) const;
    // The output's name for vantoli-plan --device; empty for the server's default.
    QString chosenOutput() const;
    void loop(StreamWhat what);
    void sideDone();
    void adopt(const MadePlan& made);
    void setState(State state);
    void playOrPause();
    void showTimes();
    void stopWith(const QString& detail);
    std::int64_t timerFrame() const;

    std::unique_ptr<DubbingClock> clock_;
    SidePlayer player_;
    SoundDevices devices_;  // as vantoli-plan --devices last listed them
    SidePlayer beeper_;  // the count-down's beeps for a side timed on a CD player
    QTimer* tmrTick_ = nullptr;

    std::optional<MadePlan> made_;
    std::optional<MadePlan> waiting_;  // a plan that came while playing
    SideProgram program_;
    bool timerMode_ = true;
    State state_ = State::Stopped;
    std::int64_t frame_ = 0;
    std::int64_t countDownFrom_ = 0;  // clock milliseconds the count-down began
    std::int64_t runningSince_ = 0;   // timer mode: clock milliseconds at frameAtStart_
    std::int64_t frameAtStart_ = 0;

    QRadioButton* optSideA_ = nullptr;
    QRadioButton* optSideB_ = nullptr;
    QTableWidget* tblSide_ = nullptr;
    QPushButton* cmdPlay_ = nullptr;
    QPushButton* cmdPause_ = nullptr;
    QPushButton* cmdStop_ = nullptr;
    QPushButton* cmdTone_ = nullptr;
    QPushButton* cmdLoudest_ = nullptr;
    QDoubleSpinBox* spnLeadIn_ = nullptr;
    QComboBox* cboLoudness_ = nullptr;
    QComboBox* cboOutput_ = nullptr;
    QCheckBox* chkBeep_ = nullptr;
    LevelMeter* mtrLeft_ = nullptr;
    LevelMeter* mtrRight_ = nullptr;
    QLabel* lblMode_ = nullptr;
    QLabel* lblCue_ = nullptr;
    QLabel* lblNow_ = nullptr;
    QLabel* lblSide_ = nullptr;
    QProgressBar* prgSide_ = nullptr;
    QLabel* lblLeadIn_ = nullptr;
    QLabel* lblLoudness_ = nullptr;
    QLabel* lblOutput_ = nullptr;
    QGroupBox* grpLevels_ = nullptr;
    std::function<QString()> cue_;
    QPushButton* cmdClose_ = nullptr;
    QPushButton* cmdCheckTape_ = nullptr;
    bool played_[2] = {false, false};  // side A's and side B's sound has played to the deck here
    SingleWindow<TapeCheckWindow> tapeCheck_;
};

// Shows the dubbing window with a plan: loads it if it is not open, otherwise hands the open one the
// plan; then brings it to the front.
Dubbing* showDubbing(SingleWindow<Dubbing>& holder, const MadePlan& made);

}  // namespace vantoli
