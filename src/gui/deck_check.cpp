#include "gui/deck_check.h"

#include <QComboBox>
#include <QEvent>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

#include "core/sound_report.h"
#include "gui/level_meter.h"
#include "gui/message_box.h"
#include "gui/named.h"
#include "gui/plan_process.h"
#include "gui/report_file.h"
#include "gui/side_player.h"

namespace vantoli {

// ---- the plots ----

namespace {

constexpr double LowestHz = 25, HighestHz = 20000;
constexpr double TopDb = 6, BottomDb = -24;

double octaves(double hz) { return std::log2(hz / LowestHz) / std::log2(HighestHz / LowestHz); }

}  // namespace

ResponsePlot::ResponsePlot(QWidget* parent) : QWidget(parent) { setMinimumSize(260, 140); }

void ResponsePlot::setBands(const std::vector<DeckBand>& bands)
{
    bands_ = bands;
    update();
}

void ResponsePlot::paintInto(QPainter& painter, const QRect& rect) const
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect, Qt::white);
    const QRect plot = rect.adjusted(rect.width() / 10, rect.height() / 12, -rect.width() / 40, -rect.height() / 6);
    const auto x = [&](double hz) { return plot.left() + octaves(hz) * plot.width(); };
    const auto y = [&](double db) {
        return plot.top() + (TopDb - std::clamp(db, BottomDb, TopDb)) / (TopDb - BottomDb) * plot.height();
    };
    QFont font = painter.font();
    font.setPixelSize(std::max(8, rect.height() / 16));
    painter.setFont(font);
    painter.setPen(QColor(200, 200, 200));
    for (double db = BottomDb; db <= TopDb; db += 6) {
        painter.drawLine(QPointF(plot.left(), y(db)), QPointF(plot.right(), y(db)));
        painter.setPen(Qt::black);
        painter.drawText(QRectF(rect.left(), y(db) - font.pixelSize(), plot.left() - rect.left() - 4, 2 * font.pixelSize()),
                         Qt::AlignRight | Qt::AlignVCenter, QString::number(db, 'f', 0));
        painter.setPen(QColor(200, 200, 200));
    }
    for (const auto& [hz, label] : {std::pair{31.5, "31.5"}, {100.0, "100"}, {400.0, "400"}, {1000.0, "1k"},
                                    {4000.0, "4k"}, {10000.0, "10k"}, {16000.0, "16k"}}) {
        painter.drawLine(QPointF(x(hz), plot.top()), QPointF(x(hz), plot.bottom()));
        painter.setPen(Qt::black);
        painter.drawText(QRectF(x(hz) - 40, plot.bottom() + 2, 80, 2 * font.pixelSize()), Qt::AlignHCenter | Qt::AlignTop,
                         QString::fromLatin1(label));
        painter.setPen(QColor(200, 200, 200));
    }
    painter.setPen(QPen(QColor(120, 120, 120), 1, Qt::DashLine));
    painter.drawLine(QPointF(plot.left(), y(-3)), QPointF(plot.right(), y(-3)));
    if (!bands_.empty()) {
        QPainterPath path;
        for (std::size_t i = 0; i < bands_.size(); ++i) {
            const QPointF at(x(bands_[i].hz), y(bands_[i].db));
            i == 0 ? path.moveTo(at) : path.lineTo(at);
        }
        painter.setPen(QPen(QColor(20, 80, 180), std::max(2, rect.height() / 100)));
        painter.drawPath(path);
    }
    painter.setPen(Qt::black);
    painter.drawRect(plot);
    painter.restore();
}

void ResponsePlot::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    paintInto(painter, rect());
}

FlutterTrace::FlutterTrace(QWidget* parent) : QWidget(parent) { setMinimumSize(200, 60); }

void FlutterTrace::setTrace(const std::vector<double>& percent)
{
    trace_ = percent;
    update();
}

void FlutterTrace::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), Qt::black);
    // The scale follows the trace, at least ±0.1 %.
    double most = 0.1;
    for (double value : trace_) most = std::max(most, std::abs(value));
    painter.setPen(QColor(60, 60, 60));
    painter.drawLine(0, height() / 2, width(), height() / 2);
    painter.setPen(Qt::gray);
    painter.drawText(rect().adjusted(4, 2, -4, -2), Qt::AlignTop | Qt::AlignLeft,
                     QStringLiteral("±%1 %").arg(most, 0, 'f', most < 1 ? 2 : 1));
    if (trace_.size() < 2) return;
    QPainterPath path;
    for (std::size_t i = 0; i < trace_.size(); ++i) {
        const QPointF at(static_cast<double>(i) * width() / static_cast<double>(trace_.size() - 1),
                         height() / 2.0 - trace_[i] / most * (height() / 2.0 - 4));
        i == 0 ? path.moveTo(at) : path.lineTo(at);
    }
    painter.setPen(QPen(QColor(80, 220, 120), 1.5));
    painter.drawPath(path);
}

PhaseMeter::PhaseMeter(QWidget* parent) : QWidget(parent) { setMinimumSize(200, 28); }

void PhaseMeter::setPhase(std::optional<double> degrees)
{
    phase_ = degrees;
    update();
}

void PhaseMeter::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), palette().base());
    const auto x = [&](double degrees) { return (degrees + 180) / 360 * (width() - 1); };
    // In phase is green, a quarter turn either way amber, beyond red.
    painter.fillRect(QRectF(x(-20), 0, x(20) - x(-20), height()), QColor(200, 240, 200));
    painter.setPen(palette().text().color());
    for (double mark : {-180.0, -90.0, 0.0, 90.0, 180.0}) painter.drawLine(QPointF(x(mark), height() - 6), QPointF(x(mark), height()));
    if (!phase_) return;
    const double at = x(*phase_);
    const QColor colour = std::abs(*phase_) <= 20 ? QColor(0, 140, 0) : std::abs(*phase_) <= 90 ? QColor(220, 140, 0) : Qt::red;
    painter.setPen(QPen(colour, 4));
    painter.drawLine(QPointF(at, 2), QPointF(at, height() - 2));
}

// ---- the window ----

DeckCheck::DeckCheck()
{
    setObjectName(QStringLiteral("DeckCheck"));
    setAttribute(Qt::WA_DeleteOnClose);
    lblOutput_ = named(new QLabel(this), "lblOutput");
    cboOutput_ = named(new QComboBox(this), "cboOutput");
    lblInput_ = named(new QLabel(this), "lblInput");
    cboInput_ = named(new QComboBox(this), "cboInput");
    lblOutput_->setBuddy(cboOutput_);
    lblInput_->setBuddy(cboInput_);
    cmdRecordTest_ = named(new QPushButton(this), "cmdRecordTest");
    cmdMeasure_ = named(new QPushButton(this), "cmdMeasure");
    cmdMeasureFile_ = named(new QPushButton(this), "cmdMeasureFile");
    cmdSaveReport_ = named(new QPushButton(this), "cmdSaveReport");
    cmdClose_ = named(new QPushButton(this), "cmdClose");
    lblStatus_ = named(new QLabel(this), "lblStatus");
    lblStatus_->setWordWrap(true);
    lblTone_ = named(new QLabel(this), "lblTone");
    lblFlutter_ = named(new QLabel(this), "lblFlutter");
    pltFlutter_ = named(new FlutterTrace(this), "pltFlutter");
    lblPhase_ = named(new QLabel(this), "lblPhase");
    mtrPhase_ = named(new PhaseMeter(this), "mtrPhase");
    mtrLeft_ = named(new LevelMeter(QStringLiteral("L"), this), "mtrLeft");
    mtrRight_ = named(new LevelMeter(QStringLiteral("R"), this), "mtrRight");
    txtFigures_ = named(new QPlainTextEdit(this), "txtFigures");
    txtFigures_->setReadOnly(true);
    lblAdvice_ = named(new QLabel(this), "lblAdvice");
    lblAdvice_->setWordWrap(true);
    lblAdvice_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    pltResponse_ = named(new ResponsePlot(this), "pltResponse");
    grpLive_ = named(new QGroupBox(this), "grpLive");
    grpResult_ = named(new QGroupBox(this), "grpResult");

    auto* devices = new QFormLayout;
    devices->addRow(lblOutput_, cboOutput_);
    devices->addRow(lblInput_, cboInput_);
    auto* commands = new QHBoxLayout;
    commands->addWidget(cmdRecordTest_);
    commands->addWidget(cmdMeasure_);
    commands->addWidget(cmdMeasureFile_);
    commands->addStretch();
    auto* live = new QVBoxLayout(grpLive_);
    live->addWidget(lblTone_);
    live->addWidget(lblFlutter_);
    live->addWidget(pltFlutter_);
    live->addWidget(lblPhase_);
    live->addWidget(mtrPhase_);
    live->addWidget(mtrLeft_);
    live->addWidget(mtrRight_);
    auto* results = new QVBoxLayout(grpResult_);
    results->addWidget(lblAdvice_);
    results->addWidget(pltResponse_, 1);
    results->addWidget(txtFigures_, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(cmdSaveReport_);
    bottom->addStretch();
    bottom->addWidget(cmdClose_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(devices);
    layout->addLayout(commands);
    layout->addWidget(lblStatus_);
    layout->addWidget(grpLive_);
    layout->addWidget(grpResult_, 1);
    layout->addLayout(bottom);

    devices_ = new PlanChild(this);
    player_ = new PlanChild(this);
    recorder_ = new PlanChild(this);
    live_ = new PlanChild(this);
    analyser_ = new PlanChild(this);

    connect(cmdRecordTest_, &QPushButton::clicked, this, &DeckCheck::cmdRecordTest_Click);
    connect(cmdMeasure_, &QPushButton::clicked, this, &DeckCheck::cmdMeasure_Click);
    connect(cmdMeasureFile_, &QPushButton::clicked, this, &DeckCheck::cmdMeasureFile_Click);
    connect(cmdSaveReport_, &QPushButton::clicked, this, &DeckCheck::cmdSaveReport_Click);
    connect(cmdClose_, &QPushButton::clicked, this, &QWidget::close);

    connect(devices_, &PlanChild::line, this, [this](const QByteArray& text) { fillDevices(text); });
    connect(live_, &PlanChild::line, this, &DeckCheck::showLive);
    connect(recorder_, &PlanChild::finished, this, [this](int status, const QString& errors) {
        live_->send("stop");
        if (state_ != State::Recording) return;
        if (status != 0) return fail(errors.isEmpty() ? tr("録音が止まりました。") : errors);
        stopRecording();
    });
    connect(player_, &PlanChild::finished, this, [this](int status, const QString& errors) {
        if (state_ == State::Writing) {
            if (status != 0) return fail(errors);
            startPlay();
        } else if (state_ == State::Playing) {
            if (status != 0) return fail(errors.isEmpty() ? tr("再生が止まりました。") : errors);
            setState(State::Idle);
            lblStatus_->setText(tr("テストプログラムを録音しました。テープを巻き戻し、［測定］を押してから再生してください。"));
        }
    });
    connect(player_, &PlanChild::line, this, &DeckCheck::showPlayed);
    connect(analyser_, &PlanChild::line, this, [this](const QByteArray& text) { resultJson_ = text; });
    connect(analyser_, &PlanChild::finished, this, &DeckCheck::measured);

    retranslate();
    setState(State::Idle);
    resize(640, 820);
    devices_->start({QStringLiteral("--devices")});
}

DeckCheck::~DeckCheck() = default;

void DeckCheck::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange && cmdClose_) retranslate();
    QWidget::changeEvent(event);
}

void DeckCheck::retranslate()
{
    setWindowTitle(tr("デッキの点検"));
    lblOutput_->setText(tr("出力先(&O):"));
    lblInput_->setText(tr("入力元(&I):"));
    cmdRecordTest_->setText(tr("テストプログラムを録音(&R)"));
    cmdMeasureFile_->setText(tr("録音ファイルを測る(&F)..."));
    cmdSaveReport_->setText(tr("レポートを保存(&S)..."));
    cmdClose_->setText(tr("閉じる(&C)"));
    grpLive_->setTitle(tr("再生中の読み取り"));
    grpResult_->setTitle(tr("測定結果"));
    lblFlutter_->setText(tr("ワウ・フラッター（直近 5 秒）"));
    if (!live_->running()) {
        lblTone_->setText(tr("トーンなし"));
        lblPhase_->setText(tr("アジマスの位相（1 kHz と 10 kHz の間）"));
    }
    if (cboOutput_->count() == 0) cboOutput_->addItem(tr("既定の出力"), QString());
    if (cboInput_->count() == 0) cboInput_->addItem(tr("既定の入力"), QString());
    setState(state_);
    if (result_) showResult();
}

void DeckCheck::setState(State state)
{
    state_ = state;
    const bool idle = state == State::Idle;
    cmdRecordTest_->setEnabled(idle || state == State::Playing);
    cmdRecordTest_->setText(state == State::Playing ? tr("再生を止める(&R)") : tr("テストプログラムを録音(&R)"));
    cmdMeasure_->setEnabled(idle || state == State::Recording);
    cmdMeasure_->setText(state == State::Recording ? tr("測定を終える(&M)") : tr("測定(&M)"));
    cmdMeasureFile_->setEnabled(idle);
    cmdSaveReport_->setEnabled(idle && result_.has_value());
    cboOutput_->setEnabled(idle);
    cboInput_->setEnabled(idle);
    emit stateChanged(state);
}

// The server's outputs and inputs, the default first, as vantoli-plan --devices lists them.
void DeckCheck::fillDevices(const QByteArray& json)
{
    const std::optional<SoundDevices> devices = parseSoundDevices(std::string_view(json.constData(), json.size()));
    if (!devices) return;
    addSoundDevices(cboOutput_, devices->outputs);
    addSoundDevices(cboInput_, devices->inputs);
}

void DeckCheck::fail(const QString& text)
{
    player_->kill();
    recorder_->kill();
    live_->kill();
    setState(State::Idle);
    lblStatus_->setText(text);
    showMessage(this, Message{tr("デッキの点検").toStdString(), text.toStdString(), MessageIcon::Exclamation});
}

// Writes the test program (once) and plays it to the chosen output, for the deck to record.
void DeckCheck::cmdRecordTest_Click()
{
    if (state_ == State::Playing) {
        player_->send("stop");
        player_->kill();
        setState(State::Idle);
        lblStatus_->setText(tr("再生を止めました。"));
        return;
    }
    if (!folder_.isValid()) return fail(tr("作業用のフォルダーを作れません。"));
    testFile_ = folder_.filePath(QStringLiteral("deck-test.wav"));
    if (QFileInfo::exists(testFile_)) return startPlay();
    setState(State::Writing);
    lblStatus_->setText(tr("テストプログラムを作っています..."));
    player_->start({QStringLiteral("--deck-test=") + testFile_});
}

void DeckCheck::startPlay()
{
    setState(State::Playing);
    lblStatus_->setText(tr("デッキを録音にして、テストプログラム（約 2 分）を録音してください。"));
    QStringList arguments{QStringLiteral("--play"), QStringLiteral("--json"), QStringLiteral("--lead-in=0")};
    const QString device = cboOutput_->currentData().toString();
    if (!device.isEmpty()) arguments << QStringLiteral("--device=") + device;
    arguments << testFile_;
    player_->start(arguments);
}

// Records the chosen input while the deck plays the test tape back; a second click ends the recording
// and measures it.
void DeckCheck::cmdMeasure_Click()
{
    if (state_ == State::Recording) return stopRecording();
    startRecording();
}

void DeckCheck::startRecording()
{
    if (!folder_.isValid()) return fail(tr("作業用のフォルダーを作れません。"));
    recording_ = folder_.filePath(QStringLiteral("recording.wav"));
    QFile::remove(recording_);
    result_.reset();
    setState(State::Recording);
    lblStatus_->setText(tr("録音しています。デッキでテストテープを最初から再生し、終わったら［測定を終える］を押してください。"));
    QStringList arguments{QStringLiteral("--record=") + recording_, QStringLiteral("--json")};
    const QString device = cboInput_->currentData().toString();
    if (!device.isEmpty()) arguments << QStringLiteral("--device=") + device;
    recorder_->start(arguments);
    live_->start({QStringLiteral("--deck-check=") + recording_, QStringLiteral("--live")});
}

void DeckCheck::stopRecording()
{
    recorder_->send("stop");
    live_->send("stop");
    // The recorder finishes its file when it stops; the analysis starts once it has.
    if (recorder_->running()) {
        connect(recorder_, &PlanChild::finished, this, [this] { measureFile(recording_); }, Qt::SingleShotConnection);
        setState(State::Measuring);
        return;
    }
    measureFile(recording_);
}

void DeckCheck::cmdMeasureFile_Click()
{
    askForRecording(this, tr("録音ファイルを測る"), QStringLiteral("dlgMeasureFile"),
                    [this](const QString& path) { measureFile(path); });
}

void DeckCheck::measureFile(const QString& path)
{
    setState(State::Measuring);
    lblStatus_->setText(tr("測っています..."));
    resultJson_.clear();
    analyser_->start({QStringLiteral("--deck-check=") + path, QStringLiteral("--json")});
}

void DeckCheck::measured(int exitStatus, const QString& errors)
{
    setState(State::Idle);
    const std::optional<DeckCheckResult> result = deckCheckFromJson(resultJson_.toStdString());
    if (!result || (exitStatus != 0 && exitStatus != 2)) {
        lblStatus_->setText(errors);
        showMessage(this, Message{tr("デッキの点検").toStdString(),
                                  (errors.isEmpty() ? tr("録音を測れませんでした。") : errors).toStdString(),
                                  MessageIcon::Exclamation});
        return;
    }
    result_ = result;
    lblStatus_->setText(result_->missing.empty() ? tr("測定が終わりました。")
                                                 : QString::fromStdString(deckMissingText(result_->missing)));
    showResult();
    setState(State::Idle);
}

void DeckCheck::showResult()
{
    if (!result_) return;
    QStringList advice;
    for (const std::string& each : deckCheckAdvice(*result_)) advice << QString::fromStdString(each);
    lblAdvice_->setText(advice.join(QLatin1Char('\n')));
    txtFigures_->setPlainText(QString::fromStdString(deckCheckText(*result_)));
    pltResponse_->setBands(result_->response);
}

// A line of the play: the levels it sends to the deck, on the meters.
void DeckCheck::showPlayed(const QByteArray& line)
{
    const std::optional<SoundReport> report = parseSoundReport(std::string_view(line.constData(), line.size()));
    if (!report || report->event != SoundEvent::Level) return;
    const std::int64_t ms = report->frame * 1000 / SampleRate;
    mtrLeft_->setLevel(report->level.left, ms);
    mtrRight_->setLevel(report->level.right, ms);
}

void DeckCheck::showLive(const QByteArray& json)
{
    const QJsonObject object = QJsonDocument::fromJson(json).object();
    if (object.isEmpty()) return;
    const auto ms = static_cast<std::int64_t>(object.value(QStringLiteral("seconds")).toDouble() * 1000);
    const double left = object.value(QStringLiteral("left")).toDouble(MinLevelDb);
    const double right = object.value(QStringLiteral("right")).toDouble(MinLevelDb);
    // The live line gives RMS levels in dBFS of a sine: a sine's peak is as high.
    mtrLeft_->setLevel({left, left}, ms);
    mtrRight_->setLevel({right, right}, ms);
    if (object.contains(QStringLiteral("toneHz"))) {
        const double hz = object.value(QStringLiteral("toneHz")).toDouble();
        lblTone_->setText(object.contains(QStringLiteral("speedPercent"))
                              ? tr("トーン %1 Hz、速度 %2 %")
                                    .arg(hz, 0, 'f', 1)
                                    .arg(QString::asprintf("%+.2f", object.value(QStringLiteral("speedPercent")).toDouble()))
                              : tr("トーン %1 Hz").arg(hz, 0, 'f', 1));
    } else {
        lblTone_->setText(tr("トーンなし"));
    }
    std::vector<double> trace;
    for (const QJsonValue& value : object.value(QStringLiteral("flutter")).toArray()) trace.push_back(value.toDouble());
    if (!trace.empty()) pltFlutter_->setTrace(trace);
    if (object.contains(QStringLiteral("phaseDegrees"))) {
        const double degrees = object.value(QStringLiteral("phaseDegrees")).toDouble();
        mtrPhase_->setPhase(degrees);
        lblPhase_->setText(tr("アジマスの位相 %1°").arg(QString::asprintf("%+.0f", degrees)));
    } else {
        mtrPhase_->setPhase(std::nullopt);
        lblPhase_->setText(tr("アジマスの位相（1 kHz と 10 kHz の間）"));
    }
}

QString DeckCheck::reportText() const
{
    if (!result_) return {};
    QString text;
    for (const std::string& each : deckCheckAdvice(*result_)) text += QString::fromStdString(each) + QLatin1Char('\n');
    return text + QLatin1Char('\n') + QString::fromStdString(deckCheckText(*result_));
}

bool DeckCheck::saveReport(const QString& path)
{
    if (!result_) return false;
    return saveReportPdf(
        this, path, tr("デッキの点検"),
        [this](QPainter& painter, const QRect& rect) { pltResponse_->paintInto(painter, rect); }, reportText());
}

void DeckCheck::cmdSaveReport_Click()
{
    askWhereToSaveReport(this, QStringLiteral("deck-check.pdf"), [this](const QString& path) { saveReport(path); });
}

DeckCheck* showDeckCheck(SingleWindow<DeckCheck>& holder)
{
    DeckCheck* window = holder.load();
    bringToFront(window);
    return window;
}

}  // namespace vantoli
