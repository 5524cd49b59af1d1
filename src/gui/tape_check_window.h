#pragma once
// The tape check window, opened from the dubbing window once a side has been played: records the deck
// playing the tape back through vantoli-plan --record while it draws the level it hears, then has
// vantoli-plan --check-tape compare the recording with the side and shows where each track begins on
// the tape, what went wrong and what to do, and saves that as a PDF. Every sound and every comparison
// happens in a vantoli-plan child; the window only reads what the children say.

#include <QImage>
#include <QTemporaryDir>
#include <QWidget>

#include <optional>
#include <vector>

#include "core/dubbing_cues.h"
#include "core/stream_request.h"
#include "core/tape_check.h"
#include "core/tape_document.h"
#include "gui/plan_process.h"

class QComboBox;
class QLabel;
class QPainter;
class QPlainTextEdit;
class QPushButton;

namespace vantoli {

// The level heard so far, growing from the left over the side's length; once the check is done, the
// picture vantoli-plan drew of the side against the tape.
class ListeningPlot : public QWidget {
    Q_OBJECT
public:
    explicit ListeningPlot(QWidget* parent = nullptr);
    // The length of the x axis: the side's, with room for a tape that starts late.
    void setSeconds(double seconds);
    void clear();
    // One level heard at `seconds` of the recording (dBFS).
    void add(double seconds, double levelDb);
    void setPicture(const QImage& picture);
    const std::vector<std::pair<double, double>>& heard() const { return heard_; }
    const QImage& picture() const { return picture_; }
    QSize sizeHint() const override { return {560, 200}; }
    // Draws into `rect` of any painter (the window and the PDF report).
    void paintInto(QPainter& painter, const QRect& rect) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double seconds_ = 60;
    std::vector<std::pair<double, double>> heard_;
    QImage picture_;
};

class TapeCheckWindow : public QWidget {
    Q_OBJECT
public:
    enum class State { Idle, Listening, Checking };

    // The side as it was played into the deck; the window deletes itself when it is closed.
    TapeCheckWindow(const StreamRequest& side, TapeSide which, double sideSeconds);
    ~TapeCheckWindow() override;

    State state() const { return state_; }
    const std::optional<TapeCheck>& result() const { return result_; }

    QComboBox* cboInput() const { return cboInput_; }
    QPushButton* cmdListen() const { return cmdListen_; }
    QPushButton* cmdCheckFile() const { return cmdCheckFile_; }
    QPushButton* cmdSaveReport() const { return cmdSaveReport_; }
    QPushButton* cmdClose() const { return cmdClose_; }
    QLabel* lblStatus() const { return lblStatus_; }
    QLabel* lblAdvice() const { return lblAdvice_; }
    QPlainTextEdit* txtReport() const { return txtReport_; }
    ListeningPlot* pltTape() const { return pltTape_; }

    // Compares a recording of the tape with the side (what cmdCheckFile does once a file is chosen).
    void checkFile(const QString& path);
    // One line of the recorder (vantoli-plan --record --json): its level on the plot.
    void showHeard(const QByteArray& line);
    // Writes the report as a PDF; false when it cannot be written.
    bool saveReport(const QString& path);

signals:
    // A check is done: what the tape document keeps of it.
    void checked(vantoli::TapeSide side, const vantoli::SideCheckRecord& record);

public slots:
    void cmdListen_Click();
    void cmdCheckFile_Click();
    void cmdSaveReport_Click();

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void retranslate();
    void setState(State state);
    void fillInputs(const QByteArray& json);
    void startListening();
    void stopListening();
    void showChecked(int exitStatus, const QString& errors);
    void fail(const QString& text);
    QString sideName() const;
    QString reportText() const;

    StreamRequest side_;
    TapeSide which_;
    double sideSeconds_;
    State state_ = State::Idle;
    QTemporaryDir folder_;
    QString recording_;
    QString picturePath_;
    QByteArray resultJson_;
    std::optional<TapeCheck> result_;

    PlanChild* devices_ = nullptr;
    PlanChild* recorder_ = nullptr;
    PlanChild* checker_ = nullptr;

    QLabel* lblSide_ = nullptr;
    QLabel* lblInput_ = nullptr;
    QComboBox* cboInput_ = nullptr;
    QLabel* lblStatus_ = nullptr;
    ListeningPlot* pltTape_ = nullptr;
    QPlainTextEdit* txtReport_ = nullptr;
    QLabel* lblAdvice_ = nullptr;
    QPushButton* cmdListen_ = nullptr;
    QPushButton* cmdCheckFile_ = nullptr;
    QPushButton* cmdSaveReport_ = nullptr;
    QPushButton* cmdClose_ = nullptr;
};

}  // namespace vantoli
