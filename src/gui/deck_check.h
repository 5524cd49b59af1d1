#pragma once
// The deck check window: plays the test program onto the tape through vantoli-plan, records the deck
// playing it back through vantoli-plan while it shows the tone, the speed error, the flutter of the last
// 5 s, the azimuth phase and the levels, then shows the figures, the response plotted and plain advice,
// and saves them as a PDF. Every sound and every measurement happens in a vantoli-plan child; the
// window only reads what the children say.

#include <QByteArray>
#include <QObject>
#include <QStringList>
#include <QTemporaryDir>
#include <QWidget>

#include <optional>
#include <vector>

#include "core/deck_check_report.h"
#include "gui/plan_process.h"
#include "gui/single_window.h"

class QComboBox;
class QGroupBox;
class QPainter;
class QLabel;
class QPlainTextEdit;
class QProcess;
class QPushButton;

namespace vantoli {

class LevelMeter;

// The plotted response: dB against 400 Hz over the third-octave centres, on a scale of octaves.
class ResponsePlot : public QWidget {
    Q_OBJECT
public:
    explicit ResponsePlot(QWidget* parent = nullptr);
    void setBands(const std::vector<DeckBand>& bands);
    const std::vector<DeckBand>& bands() const { return bands_; }
    QSize sizeHint() const override { return {420, 180}; }
    // Draws the plot into `rect` of any painter (the window and the PDF report).
    void paintInto(QPainter& painter, const QRect& rect) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<DeckBand> bands_;
};

// The live flutter: the tone's deviation in percent over the last 5 s.
class FlutterTrace : public QWidget {
    Q_OBJECT
public:
    explicit FlutterTrace(QWidget* parent = nullptr);
    void setTrace(const std::vector<double>& percent);
    const std::vector<double>& trace() const { return trace_; }
    QSize sizeHint() const override { return {420, 90}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<double> trace_;
};

// The azimuth phase as a meter: -180° to 180°, 0 in the middle.
class PhaseMeter : public QWidget {
    Q_OBJECT
public:
    explicit PhaseMeter(QWidget* parent = nullptr);
    void setPhase(std::optional<double> degrees);
    std::optional<double> phase() const { return phase_; }
    QSize sizeHint() const override { return {420, 36}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::optional<double> phase_;
};

class DeckCheck : public QWidget {
    Q_OBJECT
public:
    enum class State { Idle, Writing, Playing, Recording, Measuring };

    DeckCheck();  // deletes itself when closed
    ~DeckCheck() override;

    State state() const { return state_; }
    const std::optional<DeckCheckResult>& result() const { return result_; }

    QComboBox* cboOutput() const { return cboOutput_; }
    QComboBox* cboInput() const { return cboInput_; }
    QPushButton* cmdRecordTest() const { return cmdRecordTest_; }
    QPushButton* cmdMeasure() const { return cmdMeasure_; }
    QPushButton* cmdMeasureFile() const { return cmdMeasureFile_; }
    QPushButton* cmdSaveReport() const { return cmdSaveReport_; }
    QPushButton* cmdClose() const { return cmdClose_; }
    QLabel* lblStatus() const { return lblStatus_; }
    QLabel* lblTone() const { return lblTone_; }
    FlutterTrace* pltFlutter() const { return pltFlutter_; }
    PhaseMeter* mtrPhase() const { return mtrPhase_; }
    LevelMeter* mtrLeft() const { return mtrLeft_; }
    LevelMeter* mtrRight() const { return mtrRight_; }
    QPlainTextEdit* txtFigures() const { return txtFigures_; }
    QLabel* lblAdvice() const { return lblAdvice_; }
    ResponsePlot* pltResponse() const { return pltResponse_; }

    // Measures a recording of the test program (what cmdMeasureFile does once a file is chosen).
    void measureFile(const QString& path);
    // Writes the report as a PDF; false when it cannot be written.
    bool saveReport(const QString& path);
    // Shows one line of live readings (vantoli-plan --deck-check --live).
    void showLive(const QByteArray& json);
    // Shows one line of the test program's play (vantoli-plan --play --json): its levels.
    void showPlayed(const QByteArray& line);

public slots:
    void cmdRecordTest_Click();
    void cmdMeasure_Click();
    void cmdMeasureFile_Click();
    void cmdSaveReport_Click();

signals:
    void stateChanged(State state);

protected:
    void changeEvent(QEvent* event) override;

private:
    void retranslate();
    void setState(State state);
    void fillDevices(const QByteArray& json);
    void startPlay();
    void startRecording();
    void stopRecording();
    void measured(int exitStatus, const QString& errors);
    void showResult();
    void fail(const QString& text);
    QString reportText() const;

    State state_ = State::Idle;
    QTemporaryDir folder_;
    QString testFile_;
    QString recording_;
    PlanChild* devices_ = nullptr;
    PlanChild* player_ = nullptr;    // --deck-test, then --play
    PlanChild* recorder_ = nullptr;  // --record
    PlanChild* live_ = nullptr;      // --deck-check --live
    PlanChild* analyser_ = nullptr;  // --deck-check --json
    QByteArray resultJson_;
    std::optional<DeckCheckResult> result_;

    QLabel* lblOutput_ = nullptr;
    QComboBox* cboOutput_ = nullptr;
    QLabel* lblInput_ = nullptr;
    QComboBox* cboInput_ = nullptr;
    QPushButton* cmdRecordTest_ = nullptr;
    QPushButton* cmdMeasure_ = nullptr;
    QPushButton* cmdMeasureFile_ = nullptr;
    QPushButton* cmdSaveReport_ = nullptr;
    QPushButton* cmdClose_ = nullptr;
    QLabel* lblStatus_ = nullptr;
    QLabel* lblTone_ = nullptr;
    QLabel* lblFlutter_ = nullptr;
    FlutterTrace* pltFlutter_ = nullptr;
    QLabel* lblPhase_ = nullptr;
    PhaseMeter* mtrPhase_ = nullptr;
    LevelMeter* mtrLeft_ = nullptr;
    LevelMeter* mtrRight_ = nullptr;
    QPlainTextEdit* txtFigures_ = nullptr;
    QLabel* lblAdvice_ = nullptr;
    ResponsePlot* pltResponse_ = nullptr;
    QGroupBox* grpLive_ = nullptr;
    QGroupBox* grpResult_ = nullptr;
};

// Opens the window, or brings it to the front.
DeckCheck* showDeckCheck(SingleWindow<DeckCheck>& holder);

}  // namespace vantoli
