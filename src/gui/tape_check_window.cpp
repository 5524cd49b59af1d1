#include "gui/tape_check_window.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDateTime>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

#include "core/sound_report.h"
#include "core/tape_check_text.h"
#include "gui/message_box.h"
#include "gui/named.h"
#include "gui/report_file.h"

namespace vantoli {

namespace {

constexpr double TopDb = 0, BottomDb = -60;
// The recording runs this much past the side's end on its own, for a tape started late.
constexpr double ListenPastSeconds = 15;

QString text(const std::string& utf8) { return QString::fromStdString(utf8); }

}  // namespace

// ---- the plot ----

ListeningPlot::ListeningPlot(QWidget* parent) : QWidget(parent) { setMinimumSize(320, 140); }

void ListeningPlot::setSeconds(double seconds)
{
    seconds_ = std::max(1.0, seconds);
    update();
}

void ListeningPlot::clear()
{
    heard_.clear();
    picture_ = {};
    update();
}

void ListeningPlot::add(double seconds, double levelDb)
{
    heard_.emplace_back(seconds, levelDb);
    update();
}

void ListeningPlot::setPicture(const QImage& picture)
{
    picture_ = picture;
    update();
}

void ListeningPlot::paintInto(QPainter& painter, const QRect& rect) const
{
    painter.save();
    painter.fillRect(rect, Qt::white);
    if (!picture_.isNull()) {
        const QSize size = picture_.size().scaled(rect.size(), Qt::KeepAspectRatio);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(QRect(rect.topLeft() + QPoint((rect.width() - size.width()) / 2, 0), size), picture_);
        painter.restore();
        return;
    }
    painter.setRenderHint(QPainter::Antialiasing);
    const QRect plot = rect.adjusted(rect.width() / 14, rect.height() / 12, -rect.width() / 40, -rect.height() / 7);
    const auto x = [&](double seconds) { return plot.left() + std::clamp(seconds / seconds_, 0.0, 1.0) * plot.width(); };
    const auto y = [&](double db) {
        return plot.top() + (TopDb - std::clamp(db, BottomDb, TopDb)) / (TopDb - BottomDb) * plot.height();
    };
    QFont small = painter.font();
    small.setPixelSize(std::max(9, rect.height() / 16));
    painter.setFont(small);
    painter.setPen(QColor(0xd0, 0xd0, 0xd0));
    for (double db = TopDb; db >= BottomDb; db -= 20) {
        painter.drawLine(QPointF(plot.left(), y(db)), QPointF(plot.right(), y(db)));
        painter.setPen(Qt::darkGray);
        painter.drawText(QRectF(rect.left(), y(db) - 8, plot.left() - rect.left() - 4, 16),
                         Qt::AlignRight | Qt::AlignVCenter, QString::number(db, 'f', 0));
        painter.setPen(QColor(0xd0, 0xd0, 0xd0));
    }
    const double step = seconds_ > 1200 ? 300 : seconds_ > 300 ? 60 : 10;
    for (double s = 0; s <= seconds_; s += step) {
        painter.drawLine(QPointF(x(s), plot.top()), QPointF(x(s), plot.bottom()));
        painter.setPen(Qt::darkGray);
        painter.drawText(QRectF(x(s) - 30, plot.bottom() + 2, 60, 16), Qt::AlignHCenter | Qt::AlignTop,
                         QStringLiteral("%1:%2").arg(int(s) / 60).arg(int(s) % 60, 2, 10, QLatin1Char('0')));
        painter.setPen(QColor(0xd0, 0xd0, 0xd0));
    }
    painter.setPen(Qt::gray);
    painter.drawRect(plot);
    if (!heard_.empty()) {
        QPainterPath path;
        path.moveTo(x(heard_.front().first), y(heard_.front().second));
        for (const auto& [seconds, db] : heard_) path.lineTo(x(seconds), y(db));
        painter.setPen(QPen(QColor(0x20, 0x60, 0xb0), 1.5));
        painter.drawPath(path);
    }
    painter.restore();
}

void ListeningPlot::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    paintInto(painter, rect());
}

// ---- the window ----

TapeCheckWindow::TapeCheckWindow(const StreamRequest& side, TapeSide which, double sideSeconds)
    : side_(side), which_(which), sideSeconds_(sideSeconds)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("TapeCheckWindow"));
    lblSide_ = named(new QLabel, "lblSide");
    cboInput_ = named(new QComboBox, "cboInput");
    lblInput_ = named(new QLabel, "lblInput");
    lblInput_->setBuddy(cboInput_);
    lblStatus_ = named(new QLabel, "lblStatus");
    lblStatus_->setWordWrap(true);
    pltTape_ = named(new ListeningPlot, "pltTape");
    pltTape_->setSeconds(sideSeconds_ + ListenPastSeconds);
    txtReport_ = named(new QPlainTextEdit, "txtReport");
    txtReport_->setReadOnly(true);
    txtReport_->setMinimumHeight(120);
    lblAdvice_ = named(new QLabel, "lblAdvice");
    lblAdvice_->setWordWrap(true);
    cmdListen_ = named(new QPushButton, "cmdListen");
    cmdCheckFile_ = named(new QPushButton, "cmdCheckFile");
    cmdSaveReport_ = named(new QPushButton, "cmdSaveReport");
    cmdClose_ = named(new QPushButton, "cmdClose");

    auto* input = new QHBoxLayout;
    input->addWidget(lblInput_);
    input->addWidget(cboInput_, 1);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {cmdListen_, cmdCheckFile_, cmdSaveReport_}) buttons->addWidget(button);
    buttons->addStretch();
    buttons->addWidget(cmdClose_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblSide_);
    layout->addLayout(input);
    layout->addWidget(lblStatus_);
    layout->addWidget(pltTape_, 2);
    layout->addWidget(txtReport_, 1);
    layout->addWidget(lblAdvice_);
    layout->addLayout(buttons);
    cmdListen_->setDefault(true);

    devices_ = new PlanChild(this);
    recorder_ = new PlanChild(this);
    checker_ = new PlanChild(this);
    connect(cmdListen_, &QPushButton::clicked, this, &TapeCheckWindow::cmdListen_Click);
    connect(cmdCheckFile_, &QPushButton::clicked, this, &TapeCheckWindow::cmdCheckFile_Click);
    connect(cmdSaveReport_, &QPushButton::clicked, this, &TapeCheckWindow::cmdSaveReport_Click);
    connect(cmdClose_, &QPushButton::clicked, this, &QWidget::close);
    connect(devices_, &PlanChild::line, this, &TapeCheckWindow::fillInputs);
    connect(recorder_, &PlanChild::line, this, &TapeCheckWindow::showHeard);
    connect(recorder_, &PlanChild::finished, this, [this](int status, const QString& errors) {
        if (state_ != State::Listening) return;
        // Stopped by the user, or at the end of its time: either way the recording is complete.
        if (status != 0) return fail(errors.isEmpty() ? tr("録音が止まりました。") : errors);
        checkFile(recording_);
    });
    connect(checker_, &PlanChild::line, this, [this](const QByteArray& line) { resultJson_ += line; });
    connect(checker_, &PlanChild::finished, this,
            [this](int status, const QString& errors) { showChecked(status, errors); });

    retranslate();
    setState(State::Idle);
    resize(640, 680);
    devices_->start({QStringLiteral("--devices")});
}

TapeCheckWindow::~TapeCheckWindow() = default;

void TapeCheckWindow::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange && cmdClose_) retranslate();
    QWidget::changeEvent(event);
}

void TapeCheckWindow::closeEvent(QCloseEvent* event)
{
    recorder_->send("stop");
    recorder_->kill();
    checker_->kill();
    QWidget::closeEvent(event);
}

QString TapeCheckWindow::sideName() const { return which_ == TapeSide::B ? tr("B面") : tr("A面"); }

void TapeCheckWindow::retranslate()
{
    setWindowTitle(tr("テープの確認"));
    lblSide_->setText(tr("%1（%2 曲、%3）を録音したテープを確かめます。")
                          .arg(sideName())
                          .arg(side_.side.tracks.size())
                          .arg(QStringLiteral("%1:%2")
                                   .arg(int(sideSeconds_) / 60)
                                   .arg(int(sideSeconds_) % 60, 2, 10, QLatin1Char('0'))));
    lblInput_->setText(tr("入力元(&I):"));
    cmdCheckFile_->setText(tr("録音ファイルを確かめる(&F)..."));
    cmdSaveReport_->setText(tr("レポートを保存(&S)..."));
    cmdClose_->setText(tr("閉じる(&C)"));
    if (cboInput_->count() == 0) cboInput_->addItem(tr("既定の入力"), QString());
    if (state_ == State::Idle && !result_)
        lblStatus_->setText(tr("テープを面の始めまで巻き戻し、［聞き始める］を押してからデッキで再生してください。"));
    setState(state_);
    if (result_) {
        txtReport_->setPlainText(text(tapeCheckLines(*result_, which_ == TapeSide::B)));
        lblAdvice_->setText(text(tapeCheckAdvice(*result_)));
    }
}

void TapeCheckWindow::setState(State state)
{
    state_ = state;
    const bool idle = state == State::Idle;
    cmdListen_->setEnabled(idle || state == State::Listening);
    cmdListen_->setText(state == State::Listening ? tr("聞き終えて確かめる(&L)") : tr("聞き始める(&L)"));
    cmdCheckFile_->setEnabled(idle);
    cmdSaveReport_->setEnabled(idle && result_.has_value());
    cboInput_->setEnabled(idle);
}

// The server's inputs, the default first, as vantoli-plan --devices lists them.
void TapeCheckWindow::fillInputs(const QByteArray& json)
{
    const std::optional<SoundDevices> devices = parseSoundDevices(std::string_view(json.constData(), json.size()));
    if (!devices) return;
    addSoundDevices(cboInput_, devices->inputs);
}

void TapeCheckWindow::fail(const QString& message)
{
    recorder_->kill();
    checker_->kill();
    setState(State::Idle);
    lblStatus_->setText(message);
    showMessage(this, Message{tr("テープの確認").toStdString(), message.toStdString(), MessageIcon::Exclamation});
}

void TapeCheckWindow::cmdListen_Click()
{
    if (state_ == State::Listening) return stopListening();
    startListening();
}

void TapeCheckWindow::startListening()
{
    if (!folder_.isValid()) return fail(tr("作業用のフォルダーを作れません。"));
    recording_ = folder_.filePath(QStringLiteral("tape.wav"));
    QFile::remove(recording_);
    result_.reset();
    txtReport_->clear();
    lblAdvice_->clear();
    pltTape_->clear();
    setState(State::Listening);
    lblStatus_->setText(tr("聞いています。デッキでテープを再生してください。面が終わったら自動で確かめます。"));
    QStringList arguments{QStringLiteral("--record=") + recording_, QStringLiteral("--json"),
                          QStringLiteral("--seconds=") + QString::number(std::ceil(sideSeconds_ + ListenPastSeconds))};
    const QString device = cboInput_->currentData().toString();
    if (!device.isEmpty()) arguments << QStringLiteral("--device=") + device;
    recorder_->start(arguments);
}

void TapeCheckWindow::stopListening()
{
    // The recorder completes its file when it stops; the check starts once it has.
    recorder_->send("stop");
    lblStatus_->setText(tr("録音を閉じています..."));
    cmdListen_->setEnabled(false);
}

void TapeCheckWindow::showHeard(const QByteArray& line)
{
    const std::optional<SoundReport> report = parseSoundReport(std::string_view(line.constData(), line.size()));
    if (!report || report->event != SoundEvent::Level) return;
    pltTape_->add(double(report->frame) / SampleRate, std::max(report->level.left.rmsDb, report->level.right.rmsDb));
}

void TapeCheckWindow::cmdCheckFile_Click()
{
    askForRecording(this, tr("録音ファイルを確かめる"), QStringLiteral("dlgCheckFile"),
                    [this](const QString& path) { checkFile(path); });
}

void TapeCheckWindow::checkFile(const QString& path)
{
    if (!folder_.isValid()) return fail(tr("作業用のフォルダーを作れません。"));
    setState(State::Checking);
    lblStatus_->setText(tr("録音と面を比べています..."));
    resultJson_.clear();
    picturePath_ = folder_.filePath(QStringLiteral("tape.png"));
    QFile::remove(picturePath_);
    checker_->start({QStringLiteral("--check-tape=") + path, QStringLiteral("--request=-"),
                     QStringLiteral("--side=") + (which_ == TapeSide::B ? QStringLiteral("B") : QStringLiteral("A")),
                     QStringLiteral("--json"), QStringLiteral("--plot=") + picturePath_});
    checker_->send(QByteArray::fromStdString(streamRequestJson(side_)));
    checker_->closeInput();
}

void TapeCheckWindow::showChecked(int exitStatus, const QString& errors)
{
    setState(State::Idle);
    std::optional<TapeCheck> check = parseTapeCheckJson(resultJson_.toStdString());
    if (!check || exitStatus != 0) {
        const QString message = errors.isEmpty() ? tr("録音を確かめられませんでした。") : errors;
        return fail(message);
    }
    result_ = std::move(check);
    setState(State::Idle);
    pltTape_->setPicture(QImage(picturePath_));
    txtReport_->setPlainText(text(tapeCheckLines(*result_, which_ == TapeSide::B)));
    lblAdvice_->setText(text(tapeCheckAdvice(*result_)));
    lblStatus_->setText(tr("確認が終わりました。"));
    const QString now = QDateTime::currentDateTimeUtc().toString(Qt::ISODate);
    emit checked(which_, sideCheckRecord(*result_, now.toStdString()));
}

QString TapeCheckWindow::reportText() const
{
    return txtReport_->toPlainText() + QStringLiteral("\n\n") + lblAdvice_->text();
}

bool TapeCheckWindow::saveReport(const QString& path)
{
    if (!result_) return false;
    return saveReportPdf(
        this, path, tr("テープの確認（%1）").arg(sideName()),
        [this](QPainter& painter, const QRect& rect) { pltTape_->paintInto(painter, rect); }, reportText());
}

void TapeCheckWindow::cmdSaveReport_Click()
{
    askWhereToSaveReport(this, which_ == TapeSide::B ? QStringLiteral("tape-check-b.pdf") : QStringLiteral("tape-check-a.pdf"),
                         [this](const QString& path) { saveReport(path); });
}

}  // namespace vantoli
