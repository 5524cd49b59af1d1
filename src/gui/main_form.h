#pragma once

#include <QMainWindow>

#include <array>
#include <cstdint>
#include <memory>

#include "core/cd_audio_device.h"
#include "gui/dialog.h"
#include "gui/report.h"
#include "gui/single_window.h"
#include "gui/version.h"

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;

namespace vantoli {

struct TapePlan;
struct PlanOptions;

// The program's start-up window: the entry grid of 20 track times, the plan panel and the menus.
// Its controls are the program's whole working state; every command reads them and writes back.
//
// The layout lives in ui/main_form.cpp. The command handlers are defined in mainwindow/: the Run
// command in run_command.cpp, start, end, Exit and Clear in main_window_lifecycle.cpp.
class MainForm : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int TrackCount = 20;  // entries, number labels and cells of each side

    // The window loads at once (Form_Load) and keeps the device until it is closed.
    explicit MainForm(std::unique_ptr<CdAudioDevice> device, QWidget* parent = nullptr);
    ~MainForm() override;

    // The controls, by their names; arrays take an index 0..19.
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
    // (5 s between tracks) are the only store of the two planning options.
    QAction* mnuFileReadCD() const { return mnuFileReadCD_; }
    QAction* mnuFileOpen() const { return mnuFileOpen_; }
    QAction* mnuFileSave() const { return mnuFileSave_; }
    QAction* mnuExit() const { return mnuExit_; }
    QAction* mnuSettingCD() const { return mnuSettingCD_; }
    QAction* mnuSetting5sec() const { return mnuSetting5sec_; }
    QAction* mnuSettingAll() const { return mnuSettingAll_; }
    QAction* mnuHelpTopic() const { return mnuHelpTopic_; }
    QAction* mnuHelpVersion() const { return mnuHelpVersion_; }

    // The CD audio device: set up when the window loads, sent "close" when it unloads.
    CdAudioDevice& RCD1() { return *RCD1_; }
    // The file type offered by the pattern-file open and save dialogs, in Qt's filter form.
    const QString& cdlFilter() const { return cdlFilter_; }

    // Number of tracks the device reported at the last CD read; the long-disc plan reads it.
    std::int32_t cdTrackCount = 0;

    // The program's one report window, batch-settings window and About window.
    SingleWindow<Report>& reportWindow() { return report_; }
    SingleWindow<Dialog>& dialogWindow() { return dialog_; }
    SingleWindow<Version>& versionWindow() { return version_; }

    // The two planning options as the ticks of mnuSetting5sec and mnuSettingCD stand now.
    PlanOptions planOptions() const;

    // Writes a time in seconds into the time label that selector names (0 timeTotal, 1 sideATotal,
    // 2 aBlankTime, 3 sideBTotal, 4 bBlankTime, 5 tBlankTime); another selector writes nothing.
    void ShowTimeLabel(int seconds, int selector);
    // Writes a plan into the cells, the five side and blank labels and TapeType.
    void ShowPlan(const TapePlan& plan);

public slots:
    void Run_Click();
    void Clear_Click();
    void mnuFileReadCD_Click();
    void mnuFileOpen_Click();
    void mnuFileSave_Click();
    void mnuExit_Click();
    void mnuSettingAll_Click();
    void mnuHelpTopic_Click();
    void mnuHelpVersion_Click();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Form_Load();
    void Form_Unload();

    void createControls();
    void createMenus();
    QLabel* timeLabel(int selector) const;

    std::unique_ptr<CdAudioDevice> RCD1_;
    QString cdlFilter_;

    std::array<QLabel*, TrackCount> Label5_{};
    std::array<QLineEdit*, TrackCount> Tm_{};
    std::array<QLabel*, TrackCount> A_{};
    std::array<QLabel*, TrackCount> B_{};
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
    QAction* mnuFileOpen_ = nullptr;
    QAction* mnuFileSave_ = nullptr;
    QAction* mnuExit_ = nullptr;
    QAction* mnuSettingCD_ = nullptr;
    QAction* mnuSetting5sec_ = nullptr;
    QAction* mnuSettingAll_ = nullptr;
    QAction* mnuHelpTopic_ = nullptr;
    QAction* mnuHelpVersion_ = nullptr;

    SingleWindow<Report> report_;
    SingleWindow<Dialog> dialog_;
    SingleWindow<Version> version_;
};

}  // namespace vantoli
