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
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

#include "core/tape_model.h"
#include "gui/level_meter.h"
#include "gui/message_box.h"
#include "gui/named.h"

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

}  // namespace

Dubbing::Dubbing(std::unique_ptr<DubbingClock> clock) : clock_(std::move(clock))
{
    setObjectName(QStringLiteral("Dubbing"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlag(Qt::Window);

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
    const auto buddy = [](QWidget* control, const char* name) {
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
    cmdCheckTape_ = static_cast<QPushButton*>(named(new QPushButton, "cmdCheckTape"));
    for (QPushButton* button : {cmdPlay_, cmdPause_, cmdStop_, cmdTone_, cmdLoudest_, cmdCheckTape_, cmdClose_})
        button->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {cmdPlay_, cmdPause_, cmdStop_, cmdTone_, cmdLoudest_, cmdCheckTape_})
        buttons->addWidget(button);
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
                        mtrRight_, cmdPlay_,  cmdPause_, cmdStop_,   cmdTone_,     cmdLoudest_, cmdCheckTape_, cmdClose_};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i) setTabOrder(order[i], order[i + 1]);

    connect(optSideA_, &QRadioButton::toggled, this, [this] { showSide(); });
    connect(spnLeadIn_, &QDoubleSpinBox::valueChanged, this, [this] { showSide(); });
    connect(cmdPlay_, &QPushButton::clicked, this, &Dubbing::cmdPlay_Click);
    connect(cmdPause_, &QPushButton::clicked, this, &Dubbing::cmdPause_Click);
    connect(cmdStop_, &QPushButton::clicked, this, &Dubbing::cmdStop_Click);
    connect(cmdTone_, &QPushButton::clicked, this, &Dubbing::cmdTone_Click);
    connect(cmdLoudest_, &QPushButton::clicked, this, &Dubbing::cmdLoudest_Click);
    connect(cmdClose_, &QPushButton::clicked, this, &Dubbing::cmdClose_Click);
    connect(cmdCheckTape_, &QPushButton::clicked, this, &Dubbing::cmdCheckTape_Click);

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

    connect(&player_, &SidePlayer::devicesListed, this, [this](const SoundDevices& devices) {
        devices_ = devices;
        fillOutputs();
    });
    retranslate();
    fillOutputs();
    player_.listDevices();

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
    cmdCheckTape_->setText(tr("テープを確かめる(&K)..."));
    cmdCheckTape_->setToolTip(tr("録音したテープを再生して、各トラックの位置と音の乱れを確かめます"));
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
    QString mode = !made_ ? QString() : timerMode_ ? tr("タイマー (CD プレーヤーで再生)") : tr("音声を再生");
    // Tracks whose time was typed over their audio make the side a timer's: the tape says which.
    if (made_) {
        QStringList typed;
        for (int number : typedTrackNumbers(made_->titles, side() == TapeSide::A ? made_->plan.sideA : made_->plan.sideB))
            typed << QString::number(number);
        if (!typed.isEmpty()) mode += tr("（トラック %1 は入力したタイム）").arg(typed.join(QStringLiteral(", ")));
    }
    lblMode_->setText(mode);
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

// The server's default output first, then every output vantoli-plan --devices lists.
void Dubbing::fillOutputs()
{
    const QString chosen = cboOutput_->currentData().toString();
    const QSignalBlocker blocker(cboOutput_);
    cboOutput_->clear();
    const auto standard = std::find_if(devices_.outputs.begin(), devices_.outputs.end(),
                                       [](const SoundDevice& device) { return device.isDefault; });
    cboOutput_->addItem(standard == devices_.outputs.end()
                            ? tr("既定の出力")
                            : tr("既定の出力 (%1)").arg(text(standard->description)),
                        QString());
    for (const SoundDevice& device : devices_.outputs)
        cboOutput_->addItem(text(device.description.empty() ? device.name : device.description), text(device.name));
    const int found = cboOutput_->findData(chosen);
    cboOutput_->setCurrentIndex(found >= 0 ? found : 0);
}

QString Dubbing::chosenOutput() const { return cboOutput_->currentData().toString(); }

TapeSide Dubbing::side() const { return optSideB_->isChecked() ? TapeSide::B : TapeSide::A; }

void Dubbing::setPlan(const MadePlan& made)
{
    if (state_ != State::Stopped) {
        waiting_ = made;
        return;
    }
    adopt(made);
    optSideA_->setChecked(true);
    showSide();
}

// A plan other than the one played is a tape not yet recorded.
void Dubbing::adopt(const MadePlan& made)
{
    if (!made_ || !(*made_ == made)) played_[0] = played_[1] = false;
    made_ = made;
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

StreamRequest Dubbing::request(StreamWhat what) const
{
    StreamRequest request;
    DubbingSettings settings = this->settings();
    settings.tone.seconds = what == StreamWhat::Tone ? 10 : 0;
    request.side = sideRequestOf(side() == TapeSide::A ? made_->plan.sideA : made_->plan.sideB, made_->titles,
                                 made_->gap > 0, settings);
    request.what = what;
    return request;
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
        StreamRequest side = request(StreamWhat::Side);
        side.countDownSeconds = CountDownSeconds;
        side.beep = chkBeep_->isChecked();
        player_.play(side, chosenOutput());
    } else if (chkBeep_->isChecked()) {
        StreamRequest beeps;  // the count-down's beeps alone, for a side timed on a CD player
        beeps.what = StreamWhat::CountDown;
        beeps.countDownSeconds = CountDownSeconds;
        beeps.beep = true;
        beeper_.play(beeps, chosenOutput());
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

void Dubbing::cmdTone_Click() { loop(StreamWhat::Tone); }
void Dubbing::cmdLoudest_Click() { loop(StreamWhat::Loudest); }

// The tone or the loudest passage, looped until Stop, for setting the deck's record level.
void Dubbing::loop(StreamWhat what)
{
    if (!made_ || timerMode_ || state_ != State::Stopped) return;
    player_.play(request(what), chosenOutput());
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
    // Paused, the side stands where the player says it stopped.
    if (state_ == State::Paused && !timerMode_) frame_ = std::max<std::int64_t>(0, player_.playedFrames());
    if (state_ == State::Playing || state_ == State::Looping) {
        if (state_ == State::Playing) frame_ = timerMode_ ? timerFrame() : player_.playedFrames();
        if (!timerMode_) {
            const StereoLevel level = player_.levelNow();
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
    if (!timerMode_) played_[done == TapeSide::B] = true;
    player_.stop();
    setState(State::Stopped);
    if (waiting_) {
        adopt(*waiting_);
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
    player_.listDevices();  // the output may have gone
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
    cmdCheckTape_->setEnabled(stopped && canSound && played_[side() == TapeSide::B]);
    for (QWidget* w : std::initializer_list<QWidget*>{optSideA_, optSideB_, spnLeadIn_, cboLoudness_, cboOutput_})
        w->setEnabled(stopped);
    showSideBChoice();
    if (stopped) {
        mtrLeft_->clear();
        mtrRight_->clear();
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

void Dubbing::cmdCheckTape_Click()
{
    if (!made_ || timerMode_ || state_ != State::Stopped) return;
    if (TapeCheckWindow* open = tapeCheck_.window()) {
        bringToFront(open);
        return;
    }
    TapeCheckWindow* window =
        tapeCheck_.load(request(StreamWhat::Side), side(), double(program_.frames) / double(SampleRate));
    connect(window, &TapeCheckWindow::checked, this, &Dubbing::sideChecked);
    bringToFront(window);
}

Dubbing* showDubbing(SingleWindow<Dubbing>& holder, const MadePlan& made)
{
    Dubbing* window = holder.load();
    window->setPlan(made);
    bringToFront(window);
    return window;
}

}  // namespace vantoli
