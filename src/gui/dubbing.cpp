#include "gui/dubbing.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QKeyEvent>
#include <QLabel>
#include <QMediaDevices>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "gui/level_meter.h"
#include "gui/message_box.h"

namespace vantoli {

namespace {

QString text(const std::string& utf8) { return QString::fromStdString(utf8); }

QTableWidgetItem* cell(const QString& s, Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter)
{
    auto* item = new QTableWidgetItem(s);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    item->setTextAlignment(align);
    return item;
}

const char* loudnessNames[] = {"off", "track", "album"};

// The count-down as sound, played ahead of the side in the same stream so that the side starts exactly
// when it ends.
QByteArray countDownPcm(int seconds, bool beep)
{
    const std::vector<std::int16_t> samples = countDownSound(seconds, beep);
    return QByteArray(reinterpret_cast<const char*>(samples.data()), qsizetype(samples.size() * sizeof(std::int16_t)));
}

// The count-down's beeps alone, from vantoli-plan, for a side timed on a CD player.
QByteArray countDownRequest(int seconds)
{
    return QJsonDocument(QJsonObject{{"what", "countdown"}, {"seconds", seconds}, {"tracks", QJsonArray()}})
        .toJson(QJsonDocument::Compact);
}

}  // namespace

Dubbing::Dubbing(std::unique_ptr<DubbingClock> clock) : clock_(std::move(clock))
{
    setObjectName(QStringLiteral("Dubbing"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlag(Qt::Window);

    const auto named = [](QWidget* widget, const char* name) {
        widget->setObjectName(QLatin1String(name));
        return widget;
    };

    optSideA_ = static_cast<QRadioButton*>(named(new QRadioButton, "optSideA"));
    optSideB_ = static_cast<QRadioButton*>(named(new QRadioButton, "optSideB"));
    optSideA_->setChecked(true);
    lblMode_ = static_cast<QLabel*>(named(new QLabel, "lblMode"));
    auto* sides = new QHBoxLayout;
    sides->addWidget(optSideA_);
    sides->addWidget(optSideB_);
    sides->addStretch();
    sides->addWidget(lblMode_);

    tblSide_ = static_cast<QTableWidget*>(named(new QTableWidget(0, 4), "tblSide"));
    tblSide_->verticalHeader()->hide();
    tblSide_->horizontalHeader()->setSectionResizeMode(TitleColumn, QHeaderView::Stretch);
    tblSide_->setSelectionBehavior(QAbstractItemView::SelectRows);
    tblSide_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tblSide_->setTabKeyNavigation(false);
    tblSide_->setMinimumHeight(140);

    spnLeadIn_ = static_cast<QDoubleSpinBox*>(named(new QDoubleSpinBox, "spnLeadIn"));
    spnLeadIn_->setRange(0, MaxLeadInSeconds);
    spnLeadIn_->setDecimals(1);
    spnLeadIn_->setSingleStep(0.5);
    spnLeadIn_->setValue(2.0);
    cboLoudness_ = static_cast<QComboBox*>(named(new QComboBox, "cboLoudness"));
    cboLoudness_->addItems({QString(), QString(), QString()});
    cboOutput_ = static_cast<QComboBox*>(named(new QComboBox, "cboOutput"));
    chkBeep_ = static_cast<QCheckBox*>(named(new QCheckBox, "chkBeep"));
    chkBeep_->setChecked(true);
    auto* settings = new QFormLayout;
    const auto buddy = [&named](QWidget* control, const char* name) {
        auto* label = static_cast<QLabel*>(named(new QLabel, name));
        label->setBuddy(control);
        return label;
    };
    lblLeadIn_ = buddy(spnLeadIn_, "lblLeadIn");
    lblLoudness_ = buddy(cboLoudness_, "lblLoudness");
    lblOutput_ = buddy(cboOutput_, "lblOutput");
    settings->addRow(lblLeadIn_, spnLeadIn_);
    settings->addRow(lblLoudness_, cboLoudness_);
    settings->addRow(lblOutput_, cboOutput_);
    settings->addRow(QString(), chkBeep_);
    connect(spnLeadIn_, &QDoubleSpinBox::valueChanged, this, [this] { emit settingsChanged(this->settings()); });
    connect(cboLoudness_, &QComboBox::currentIndexChanged, this, [this] { emit settingsChanged(this->settings()); });

    mtrLeft_ = static_cast<LevelMeter*>(named(new LevelMeter(QStringLiteral("L")), "mtrLeft"));
    mtrRight_ = static_cast<LevelMeter*>(named(new LevelMeter(QStringLiteral("R")), "mtrRight"));

    lblCue_ = static_cast<QLabel*>(named(new QLabel, "lblCue"));
    QFont big = lblCue_->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    lblCue_->setFont(big);
    lblCue_->setAlignment(Qt::AlignCenter);
    lblCue_->setMinimumHeight(QFontMetrics(big).height() + 8);
    lblNow_ = static_cast<QLabel*>(named(new QLabel, "lblNow"));
    lblSide_ = static_cast<QLabel*>(named(new QLabel, "lblSide"));
    prgSide_ = static_cast<QProgressBar*>(named(new QProgressBar, "prgSide"));
    prgSide_->setRange(0, 1000);
    prgSide_->setTextVisible(false);

    cmdPlay_ = static_cast<QPushButton*>(named(new QPushButton, "cmdPlay"));
    cmdPause_ = static_cast<QPushButton*>(named(new QPushButton, "cmdPause"));
    cmdStop_ = static_cast<QPushButton*>(named(new QPushButton, "cmdStop"));
    cmdTone_ = static_cast<QPushButton*>(named(new QPushButton, "cmdTone"));
    cmdLoudest_ = static_cast<QPushButton*>(named(new QPushButton, "cmdLoudest"));
    cmdClose_ = static_cast<QPushButton*>(named(new QPushButton, "cmdClose"));
    for (QPushButton* button : {cmdPlay_, cmdPause_, cmdStop_, cmdTone_, cmdLoudest_, cmdClose_})
        button->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {cmdPlay_, cmdPause_, cmdStop_, cmdTone_, cmdLoudest_}) buttons->addWidget(button);
    buttons->addStretch();
    buttons->addWidget(cmdClose_);

    grpLevels_ = static_cast<QGroupBox*>(named(new QGroupBox, "grpLevels"));
    auto* meters = new QVBoxLayout(grpLevels_);
    meters->addWidget(mtrLeft_);
    meters->addWidget(mtrRight_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(sides);
    layout->addWidget(tblSide_, 1);
    layout->addLayout(settings);
    layout->addWidget(grpLevels_);
    layout->addWidget(lblCue_);
    layout->addWidget(lblNow_);
    layout->addWidget(lblSide_);
    layout->addWidget(prgSide_);
    layout->addLayout(buttons);

    // Tab goes through the controls in the order they are shown.
    QWidget* order[] = {optSideA_, optSideB_, tblSide_,  spnLeadIn_, cboLoudness_, cboOutput_,  chkBeep_, mtrLeft_,
                        mtrRight_, cmdPlay_,  cmdPause_, cmdStop_,   cmdTone_,     cmdLoudest_, cmdClose_};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i) setTabOrder(order[i], order[i + 1]);

    connect(optSideA_, &QRadioButton::toggled, this, [this] { showSide(); });
    connect(spnLeadIn_, &QDoubleSpinBox::valueChanged, this, [this] { showSide(); });
    connect(cmdPlay_, &QPushButton::clicked, this, &Dubbing::cmdPlay_Click);
    connect(cmdPause_, &QPushButton::clicked, this, &Dubbing::cmdPause_Click);
    connect(cmdStop_, &QPushButton::clicked, this, &Dubbing::cmdStop_Click);
    connect(cmdTone_, &QPushButton::clicked, this, &Dubbing::cmdTone_Click);
    connect(cmdLoudest_, &QPushButton::clicked, this, &Dubbing::cmdLoudest_Click);
    connect(cmdClose_, &QPushButton::clicked, this, &Dubbing::cmdClose_Click);

    // Space plays and pauses; Esc stops, and closes the window once stopped.
    auto* space = new QShortcut(QKeySequence(Qt::Key_Space), this);
    connect(space, &QShortcut::activated, this, &Dubbing::playOrPause);
    tblSide_->installEventFilter(this);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, [this] {
        if (state_ == State::Stopped)
            close();
        else
            cmdStop_Click();
    });

    connect(
        &player_, &SidePlayer::finished, this, [this] { sideDone(); }, Qt::QueuedConnection);
    connect(
        &player_, &SidePlayer::failed, this, [this](const QString& detail) { stopWith(detail); }, Qt::QueuedConnection);

    auto* devices = new QMediaDevices(this);
    connect(devices, &QMediaDevices::audioOutputsChanged, this, [this] {
        fillOutputs();
        if (state_ != State::Stopped && !timerMode_ && !QMediaDevices::audioOutputs().contains(player_.output()))
            stopWith(tr("音声の出力先が使えなくなりました。"));
    });
    retranslate();
    fillOutputs();

    tmrTick_ = new QTimer(this);
    tmrTick_->setObjectName(QStringLiteral("tmrTick"));
    tmrTick_->setTimerType(Qt::PreciseTimer);
    tmrTick_->setInterval(TickMs);
    connect(tmrTick_, &QTimer::timeout, this, &Dubbing::tmrTick_Timer);

    setState(State::Stopped);
    resize(620, 640);
}

Dubbing::~Dubbing() { player_.stop(); }

// The window's words in the current language: at the start and after every change of language.
void Dubbing::retranslate()
{
    setWindowTitle(tr("ダビング"));
    optSideA_->setText(tr("A 面(&A)"));
    optSideB_->setText(tr("B 面(&B)"));
    tblSide_->setHorizontalHeaderLabels({tr("No."), tr("曲名"), tr("開始"), tr("長さ")});
    spnLeadIn_->setSuffix(tr(" 秒"));
    const QString loudness[] = {tr("そのまま"), tr("曲ごとにそろえる"), tr("アルバムごとにそろえる")};
    for (int i = 0; i < 3; ++i) cboLoudness_->setItemText(i, loudness[i]);
    chkBeep_->setText(tr("カウントダウンで音を鳴らす(&E)"));
    lblLeadIn_->setText(tr("リードイン(&I):"));
    lblLoudness_->setText(tr("音量(&V):"));
    lblOutput_->setText(tr("出力先(&O):"));
    cmdPlay_->setText(tr("再生(&P)"));
    cmdPause_->setText(tr("一時停止(&U)"));
    cmdStop_->setText(tr("停止(&S)"));
    cmdTone_->setText(tr("基準音(&T)"));
    cmdLoudest_->setText(tr("最大音量部(&L)"));
    cmdClose_->setText(tr("閉じる(&C)"));
    grpLevels_->setTitle(tr("レベル (dBFS)"));
}

void Dubbing::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange && cmdClose_) {
        retranslate();
        fillOutputs();
        showMode();
        showSideBChoice();
        if (state_ != State::Looping) showTimes();
        showCue(cue_);
    }
    QWidget::changeEvent(event);
}

void Dubbing::showMode()
{
    lblMode_->setText(!made_ ? QString() : timerMode_ ? tr("タイマー (CD プレーヤーで再生)") : tr("音声を再生"));
}

void Dubbing::showSideBChoice()
{
    const bool empty = made_ && !sideHasTracks(*made_, TapeSide::B);
    optSideB_->setText(empty ? tr("B 面 — 曲なし(&B)") : tr("B 面(&B)"));
    optSideB_->setToolTip(empty ? tr("この構成案では B 面に録音する曲がありません") : QString());
    if (empty) optSideB_->setEnabled(false);
}

void Dubbing::showCue(std::function<QString()> cue)
{
    cue_ = std::move(cue);
    lblCue_->setText(cue_ ? cue_() : QString());
}

// The system's default output first, then every other output Qt Multimedia lists.
void Dubbing::fillOutputs()
{
    const QByteArray chosen = cboOutput_->currentData().toByteArray();
    cboOutput_->clear();
    const QAudioDevice standard = QMediaDevices::defaultAudioOutput();
    cboOutput_->addItem(standard.isNull() ? tr("既定の出力") : tr("既定の出力 (%1)").arg(standard.description()),
                        QByteArray());
    for (const QAudioDevice& device : QMediaDevices::audioOutputs())
        cboOutput_->addItem(device.description(), device.id());
    const int found = cboOutput_->findData(chosen);
    cboOutput_->setCurrentIndex(found >= 0 ? found : 0);
}

QAudioDevice Dubbing::chosenOutput() const
{
    const QByteArray id = cboOutput_->currentData().toByteArray();
    if (id.isEmpty()) return QMediaDevices::defaultAudioOutput();
    for (const QAudioDevice& device : QMediaDevices::audioOutputs())
        if (device.id() == id) return device;
    return QMediaDevices::defaultAudioOutput();
}

TapeSide Dubbing::side() const { return optSideB_->isChecked() ? TapeSide::B : TapeSide::A; }

void Dubbing::setPlan(const MadePlan& made)
{
    if (state_ != State::Stopped) {
        waiting_ = made;
        return;
    }
    made_ = made;
    optSideA_->setChecked(true);
    showSide();
}

// Fills the table and the times with the chosen side of the plan; the side starts from its beginning.
void Dubbing::showSide()
{
    if (state_ != State::Stopped) return;
    frame_ = 0;
    tblSide_->setRowCount(0);
    program_ = {};
    if (!made_) return;
    program_ = dubbingProgram(*made_, side(), spnLeadIn_->value());
    timerMode_ = !sideHasAudio(*made_, side());
    showMode();
    for (const Segment& segment : program_.segments) {
        if (segment.kind != SegmentKind::Track) continue;
        const int row = tblSide_->rowCount();
        tblSide_->insertRow(row);
        const std::size_t slot = std::size_t(segment.track) - 1;
        const std::string title = slot < made_->titles.tracks.size() ? made_->titles.tracks[slot].title : std::string();
        tblSide_->setItem(row, NumberColumn, cell(QString::number(segment.track), Qt::AlignRight | Qt::AlignVCenter));
        tblSide_->setItem(row, TitleColumn, cell(text(title)));
        tblSide_->setItem(row, StartColumn, cell(text(clockText(segment.start)), Qt::AlignRight | Qt::AlignVCenter));
        tblSide_->setItem(row, LengthColumn, cell(text(clockText(segment.frames)), Qt::AlignRight | Qt::AlignVCenter));
    }
    tblSide_->resizeColumnToContents(NumberColumn);
    setState(State::Stopped);
    showTimes();
}

QByteArray Dubbing::request(const char* what) const
{
    QJsonArray tracks;
    for (const int number : side() == TapeSide::A ? made_->plan.sideA : made_->plan.sideB) {
        const std::size_t slot = std::size_t(number) - 1;
        const Track track = slot < made_->titles.tracks.size() ? made_->titles.tracks[slot] : Track{};
        const bool cd = track.audio.kind == AudioSource::Kind::CdTrack;
        tracks.append(QJsonObject{{"number", number},
                                  {"kind", cd ? "cd" : "file"},
                                  {"path", text(track.audio.path)},
                                  {"startFrame", qint64(track.audio.startFrame)},
                                  {"endFrame", qint64(track.audio.endFrame)},
                                  {"cdTrack", track.audio.cdTrack},
                                  {"milliseconds", qint64(track.milliseconds)}});
    }
    const QJsonObject object{{"gap", made_->gap > 0},
                             {"leadInSeconds", spnLeadIn_->value()},
                             {"tone", QJsonObject{{"seconds", std::strcmp(what, "tone") == 0 ? 10 : 0},
                                                  {"hertz", tone_.hertz},
                                                  {"dbfs", tone_.dbfs}}},
                             {"loudness", loudnessNames[std::max(0, cboLoudness_->currentIndex())]},
                             {"what", what},
                             {"startFrame", 0},
                             {"tracks", tracks}};
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

void Dubbing::cmdPlay_Click()
{
    if (!made_) return;
    if (state_ == State::Paused) {
        if (timerMode_) {
            frameAtStart_ = frame_;
            runningSince_ = clock_->milliseconds();
        } else {
            player_.resume();
        }
        setState(State::Playing);
        return;
    }
    if (state_ != State::Stopped) return;
    showSide();  // from the start, with the lead-in as set now
    // With sound the count-down is played ahead of the side, so the side sounds the moment it ends.
    if (!timerMode_) {
        player_.load(request("side"), chosenOutput(), countDownPcm(CountDownSeconds, chkBeep_->isChecked()));
        player_.play();
    } else if (chkBeep_->isChecked()) {
        beeper_.load(countDownRequest(CountDownSeconds), chosenOutput());
        beeper_.play();
    }
    countDownFrom_ = clock_->milliseconds();
    setState(State::CountDown);
    tmrTick_Timer();
}

void Dubbing::cmdPause_Click()
{
    if (state_ == State::CountDown) {
        cmdStop_Click();
        return;
    }
    if (state_ != State::Playing) return;
    if (timerMode_)
        frame_ = timerFrame();
    else
        player_.pause();
    setState(State::Paused);
    showTimes();
}

void Dubbing::cmdStop_Click()
{
    player_.stop();
    beeper_.stop();
    setState(State::Stopped);
    if (waiting_) {
        made_ = std::move(*waiting_);
        waiting_.reset();
        optSideA_->setChecked(true);
    }
    showSide();
    showCue({});
}

void Dubbing::cmdTone_Click() { loop("tone"); }
void Dubbing::cmdLoudest_Click() { loop("loudest"); }

// The tone or the loudest passage, looped until Stop, for setting the deck's record level.
void Dubbing::loop(const char* what)
{
    if (!made_ || timerMode_ || state_ != State::Stopped) return;
    player_.load(request(what), chosenOutput());
    player_.play();
    setState(State::Looping);
    showCue([this] { return tr("録音レベルを合わせてください"); });
}

void Dubbing::cmdClose_Click() { close(); }

void Dubbing::playOrPause()
{
    if (state_ == State::Playing || state_ == State::CountDown)
        cmdPause_Click();
    else
        cmdPlay_Click();
}

bool Dubbing::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == tblSide_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Space &&
        static_cast<QKeyEvent*>(event)->modifiers() == Qt::NoModifier) {
        playOrPause();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void Dubbing::closeEvent(QCloseEvent* event)
{
    player_.stop();
    beeper_.stop();
    tmrTick_->stop();
    event->accept();
}

std::int64_t Dubbing::timerFrame() const
{
    return frameAtStart_ + (clock_->milliseconds() - runningSince_) * SampleRate / 1000;
}

void Dubbing::tmrTick_Timer()
{
    const std::int64_t now = clock_->milliseconds();
    if (state_ == State::CountDown) {
        // Frames to go until the side starts: by the clock, or by the output playing the count-down.
        const std::int64_t toGo =
            timerMode_ ? (countDownFrom_ + CountDownSeconds * 1000 - now) * SampleRate / 1000 : -player_.playedFrames();
        if (toGo > 0) {
            const int second = int((toGo + SampleRate - 1) / SampleRate);
            showCue([second] { return QString::number(second); });
            return;
        }
        frameAtStart_ = 0;
        // The side starts at the planned moment, however late this tick came.
        runningSince_ = countDownFrom_ + CountDownSeconds * 1000;
        setState(State::Playing);
    }
    if (state_ == State::Playing || state_ == State::Looping) {
        if (state_ == State::Playing) frame_ = timerMode_ ? timerFrame() : player_.playedFrames();
        if (!timerMode_) {
            const StereoLevel level = player_.levelNow(TickMs);
            mtrLeft_->setLevel(level.left, now);
            mtrRight_->setLevel(level.right, now);
        }
        if (state_ == State::Playing && timerMode_ && frame_ >= program_.frames) {
            sideDone();
            return;
        }
    }
    if (state_ != State::Looping) showTimes();
}

// The side has played to its end: after A, select B and say to flip the tape.
void Dubbing::sideDone()
{
    if (state_ != State::Playing) return;  // stopped meanwhile
    const TapeSide done = side();
    player_.stop();
    setState(State::Stopped);
    if (waiting_) {
        made_ = std::move(*waiting_);
        waiting_.reset();
    }
    if (done == TapeSide::A && sideHasTracks(*made_, TapeSide::B)) {
        optSideB_->setChecked(true);
    } else {
        showSide();
    }
    showCue([made = *made_, program = program_, done, mode = cueMode()] {
        return text(dubbingCue(made, program, program.frames, done, mode));
    });
}

void Dubbing::stopWith(const QString& detail)
{
    cmdStop_Click();
    showMessage(this, dubbingFailedMessage(detail.toStdString()));
}

void Dubbing::setState(State state)
{
    state_ = state;
    const bool stopped = state == State::Stopped;
    const bool canSound = made_.has_value() && !timerMode_;
    cmdPlay_->setEnabled(made_.has_value() && (stopped || state == State::Paused));
    cmdPause_->setEnabled(state == State::Playing || state == State::CountDown);
    cmdStop_->setEnabled(!stopped);
    cmdTone_->setEnabled(stopped && canSound);
    cmdLoudest_->setEnabled(stopped && canSound);
    for (QWidget* w : std::initializer_list<QWidget*>{optSideA_, optSideB_, spnLeadIn_, cboLoudness_, cboOutput_})
        w->setEnabled(stopped);
    showSideBChoice();
    if (stopped || state == State::Paused) {
        if (stopped) {
            mtrLeft_->clear();
            mtrRight_->clear();
        }
    }
    if (state == State::Stopped)
        tmrTick_->stop();
    else if (!tmrTick_->isActive())
        tmrTick_->start();
}

void Dubbing::showTimes()
{
    const std::int64_t total = program_.frames;
    const std::int64_t at = std::clamp<std::int64_t>(frame_, 0, total);
    const int capacity = made_ ? labelContent(*made_).sideCapacity : 0;
    lblSide_->setText(tr("面の経過 %1 ／ 面の残り %2 ／ テープの残り %3")
                          .arg(text(clockText(at)), text(clockText(total - at)),
                               text(clockText(std::int64_t(capacity) * SampleRate - at))));
    prgSide_->setValue(total > 0 ? int(at * 1000 / total) : 0);

    const std::optional<Segment> now = segmentAt(program_, at);
    if (now && now->kind == SegmentKind::Track) {
        const std::size_t slot = std::size_t(now->track) - 1;
        const std::string title = slot < made_->titles.tracks.size() ? made_->titles.tracks[slot].title : std::string();
        lblNow_->setText(tr("トラック %1 %2  経過 %3 ／ 残り %4")
                             .arg(now->track)
                             .arg(title.empty() ? QString() : tr("「%1」").arg(text(title)),
                                  text(clockText(at - now->start)), text(clockText(now->start + now->frames - at))));
        tblSide_->selectRow(now->index);
    } else {
        lblNow_->setText(state_ == State::Stopped ? QString() : tr("無音"));
    }
    if (state_ == State::Playing || state_ == State::Paused)
        showCue([this, at] { return text(dubbingCue(*made_, program_, at, side(), cueMode())); });
}

DubbingSettings Dubbing::settings() const
{
    DubbingSettings settings;
    settings.leadInSeconds = spnLeadIn_->value();
    settings.loudness = static_cast<Loudness>(std::clamp(cboLoudness_->currentIndex(), 0, 2));
    settings.tone = tone_;
    return settings;
}

void Dubbing::setSettings(const DubbingSettings& settings)
{
    const QSignalBlocker leadIn(spnLeadIn_);
    const QSignalBlocker loudness(cboLoudness_);
    spnLeadIn_->setValue(settings.leadInSeconds);
    cboLoudness_->setCurrentIndex(static_cast<int>(settings.loudness));
    tone_ = settings.tone;
    if (state_ == State::Stopped) showSide();
}

Dubbing* showDubbing(SingleWindow<Dubbing>& holder, const MadePlan& made)
{
    Dubbing* window = holder.load();
    window->setPlan(made);
    bringToFront(window);
    return window;
}

}  // namespace vantoli
