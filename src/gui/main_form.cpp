#include "gui/main_form.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QLockFile>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QPushButton>

#include "core/time_text.h"
#include "gui/fonts.h"
#include "gui/help_window.h"
#include "gui/layout_table.h"
#include "gui/message_box.h"
#include "gui/tape_lineup.h"
#include "gui/tape_settings.h"
#include "gui/translation.h"

#include "icons/vantoli.xpm"

namespace vantoli {

namespace {

// ---- The client area -------------------------------------------------------------------------

constexpr int ClientWidth = 6615;  // twips
constexpr int ClientHeight = 4275;

constexpr Step Down{0, 360};    // rows of the entry grid
constexpr Step Across{240, 0};  // cells of a side strip: 255 wide, so neighbouring frames overlap

// clang-format off
// The track entry grid: tracks 1 to 10 down the left column, 11 to 20 down the right one.
//                                    Name         Left  Top  Width Height Caption        Style                  Tooltip Index     Step
constexpr ControlRow Label1Row      {"Label1",      360,  120,  495, 255, QT_TRANSLATE_NOOP("MainForm", "トラック"),     Style::Centred};
constexpr ControlRow Label2Row      {"Label2",      960,  120,  735, 255, QT_TRANSLATE_NOOP("MainForm", "タイム"),       Style::Centred};
constexpr ControlRow Label3Row      {"Label3",     1920,  120,  495, 255, QT_TRANSLATE_NOOP("MainForm", "トラック"),     Style::Centred};
constexpr ControlRow Label4Row      {"Label4",     2520,  120,  735, 255, QT_TRANSLATE_NOOP("MainForm", "タイム"),       Style::Centred};
constexpr ControlRow Label5LeftRow  {"Label5",      480,  480,  255, 255, IndexPlusOne,   Style::BorderedRight,  "",     {0, 9},   Down};
constexpr ControlRow Label5RightRow {"Label5",     2040,  480,  255, 255, IndexPlusOne,   Style::BorderedRight,  "",     {10, 19}, Down};
constexpr ControlRow TmLeftRow      {"Tm",          960,  480,  735, 270, "",             Style::Plain,          "",     {0, 9},   Down};
constexpr ControlRow TmRightRow     {"Tm",         2520,  480,  735, 270, "",             Style::Plain,          "",     {10, 19}, Down};

// The plan panel.
//                                    Name         Left  Top  Width Height Caption        Style                  Tooltip Index     Step
constexpr ControlRow Label6Row      {"Label6",     3600,  120, 1335, 255, QT_TRANSLATE_NOOP("MainForm", "使用するテープ ："), Style::Plain};
constexpr ControlRow TapeTypeRow    {"TapeType",   5160,  120,  975, 255, "",             Style::BorderedRight};
constexpr ControlRow Label12Row     {"Label12",    3600,  600, 1095, 255, QT_TRANSLATE_NOOP("MainForm", "構成案"),       Style::Plain};
constexpr ControlRow Label10Row     {"Label10",    4800,  600,  735, 255, QT_TRANSLATE_NOOP("MainForm", "トータル"),     Style::Centred};
constexpr ControlRow Label11Row     {"Label11",    5520,  600,  615, 255, QT_TRANSLATE_NOOP("MainForm", "ブランク"),     Style::Centred};
constexpr ControlRow Label7Row      {"Label7",     3600,  840, 1095, 255, QT_TRANSLATE_NOOP("MainForm", "A 面"),         Style::BorderedCentred};
constexpr ControlRow sideATotalRow  {"sideATotal", 4800,  840,  735, 255, "",             Style::BorderedRight};
constexpr ControlRow aBlankTimeRow  {"aBlankTime", 5520,  840,  615, 255, "",             Style::BorderedRight};
constexpr ControlRow AFirstRow      {"A",          3720, 1200,  255, 255, "",             Style::BorderedRight,  "",     {0, 9},   Across};
constexpr ControlRow ASecondRow     {"A",          3720, 1440,  255, 255, "",             Style::BorderedRight,  "",     {10, 19}, Across};
constexpr ControlRow Label8Row      {"Label8",     3600, 1920, 1095, 255, QT_TRANSLATE_NOOP("MainForm", "B 面"),         Style::BorderedCentred};
constexpr ControlRow sideBTotalRow  {"sideBTotal", 4800, 1920,  735, 255, "",             Style::BorderedRight};
constexpr ControlRow bBlankTimeRow  {"bBlankTime", 5520, 1920,  615, 255, "",             Style::BorderedRight};
constexpr ControlRow BFirstRow      {"B",          3720, 2280,  255, 255, "",             Style::BorderedRight,  "",     {0, 9},   Across};
constexpr ControlRow BSecondRow     {"B",          3720, 2520,  255, 255, "",             Style::BorderedRight,  "",     {10, 19}, Across};
constexpr ControlRow Label9Row      {"Label9",     3600, 3000, 1095, 255, QT_TRANSLATE_NOOP("MainForm", "合 計"),        Style::BorderedCentred};
constexpr ControlRow timeTotalRow   {"timeTotal",  4800, 3000,  735, 255, "",             Style::BorderedRight};
constexpr ControlRow tBlankTimeRow  {"tBlankTime", 5520, 3000,  615, 255, "",             Style::BorderedRight};
constexpr ControlRow RunRow         {"Run",        3600, 3600, 1215, 375, QT_TRANSLATE_NOOP("MainForm", "実行(&R)"),     Style::Plain,          QT_TRANSLATE_NOOP("MainForm", "タイムを計測して構成案を表示します")};
constexpr ControlRow ClearRow       {"Clear",      5040, 3600, 1215, 375, QT_TRANSLATE_NOOP("MainForm", "クリア(&C)"),   Style::Plain,          QT_TRANSLATE_NOOP("MainForm", "入力した値を全てクリアします")};
// clang-format on

// ---- The menu bar -----------------------------------------------------------------------------

enum class Level { Menu, Item };
enum class Tick { None, Ticked, Unticked };  // an item with a tick mark, ticked at start or not

constexpr const char* Separator = "-";

}  // namespace

MainForm::MainForm(std::unique_ptr<CdAudioDevice> device, QWidget* parent)
    : QMainWindow(parent),
      RCD1_(std::move(device))
{
    setObjectName(QStringLiteral("MainForm"));
    showTitle();
    setWindowIcon(QIcon(QPixmap(vantoli_xpm)));

    createControls();
    createMenus();
    createLanguageMenu();

    // The window is sized by its client area; the menu bar comes on top of it.
    const QSize client = twipsSize(ClientWidth, ClientHeight);
    int menuHeight = menuBar()->heightForWidth(client.width());
    if (menuHeight < 0) menuHeight = menuBar()->sizeHint().height();
    resize(client.width(), client.height() + menuHeight);

    // Files dropped anywhere on the window are read; over an entry box too (see eventFilter).
    setAcceptDrops(true);
    for (QLineEdit* entry : Tm_) entry->installEventFilter(this);

    // The entries and the option ticks write into the tape as they change; whatever changes the tape
    // counts as not saved (see main_form_tape.cpp).
    for (int i = 0; i < EntryCount; ++i)
        connect(Tm_[i], &QLineEdit::textChanged, this, [this, i](const QString& text) {
            if (restoring_) return;
            tape_.setEntry(i, text.toStdString());
            showTitleTips();
            markChanged();
        });
    for (QAction* option : {mnuSettingCD_, mnuSetting5sec_, mnuSettingOptimal_})
        connect(option, &QAction::toggled, this, [this] {
            if (restoring_) return;
            tape_.setOptions(PlanOptions{mnuSetting5sec_->isChecked(), mnuSettingCD_->isChecked(),
                                         mnuSettingOptimal_->isChecked()});
            markChanged();
        });
    recoveryTimer_.setSingleShot(true);
    connect(&recoveryTimer_, &QTimer::timeout, this, &MainForm::writeRecoveryCopy);

    Tm(0)->setFocus();
    Form_Load();
}

MainForm::~MainForm() = default;

void MainForm::createControls()
{
    // The client area: controls sit at fixed places, so enlarging the window only adds empty space
    // and shrinking it hides what falls outside.
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFont(windowFont());
    setCentralWidget(client);

    for (const ControlRow* row : {&Label1Row, &Label2Row, &Label3Row, &Label4Row}) addControl<QLabel>(client, *row);
    addControlArray(client, Label5LeftRow, Label5_);
    addControlArray(client, Label5RightRow, Label5_);
    addControlArray(client, TmLeftRow, Tm_);
    addControlArray(client, TmRightRow, Tm_);

    addControl<QLabel>(client, Label6Row);
    TapeType_ = addControl<QLabel>(client, TapeTypeRow);
    for (const ControlRow* row : {&Label12Row, &Label10Row, &Label11Row, &Label7Row}) addControl<QLabel>(client, *row);
    sideATotal_ = addControl<QLabel>(client, sideATotalRow);
    aBlankTime_ = addControl<QLabel>(client, aBlankTimeRow);
    addControlArray(client, AFirstRow, A_);
    addControlArray(client, ASecondRow, A_);
    addControl<QLabel>(client, Label8Row);
    sideBTotal_ = addControl<QLabel>(client, sideBTotalRow);
    bBlankTime_ = addControl<QLabel>(client, bBlankTimeRow);
    addControlArray(client, BFirstRow, B_);
    addControlArray(client, BSecondRow, B_);
    addControl<QLabel>(client, Label9Row);
    timeTotal_ = addControl<QLabel>(client, timeTotalRow);
    tBlankTime_ = addControl<QLabel>(client, tBlankTimeRow);
    Run_ = addControl<QPushButton>(client, RunRow);
    Clear_ = addControl<QPushButton>(client, ClearRow);

    // Tab order: Tm(0) .. Tm(19), Run, Clear; labels take no focus.
    for (int i = 0; i + 1 < EntryCount; ++i) setTabOrder(Tm_[i], Tm_[i + 1]);
    setTabOrder(Tm_[EntryCount - 1], Run_);
    setTabOrder(Run_, Clear_);

    connect(Run_, &QPushButton::clicked, this, &MainForm::Run_Click);
    connect(Clear_, &QPushButton::clicked, this, &MainForm::Clear_Click);
}

void MainForm::createMenus()
{
    struct MenuRow {
        const char* name;
        Level level;
        const char* caption;
        Tick atStart;
        void (MainForm::*command)();
        QAction* MainForm::*keep;  // where the window keeps the item, if it does
    };

    // An item belongs to the nearest menu above it. No item has a shortcut key, only access keys.
    // The two option items need no command of their own: a ticked item is a checkable action, which
    // flips its own tick each time it is chosen; every plan reads the ticks afresh.
    // clang-format off
    const MenuRow menus[] = {
        // name              level        caption                                 at start      command                            kept in
        {"mnuFile",          Level::Menu, QT_TRANSLATE_NOOP("MainForm", "ファイル(&F)"),                          Tick::None,   nullptr,                           nullptr},
        {"mnuFileReadCD",    Level::Item, QT_TRANSLATE_NOOP("MainForm", "CDから読み取り(&R)"),                    Tick::None,   &MainForm::mnuFileReadCD_Click,    &MainForm::mnuFileReadCD_},
        {"mnuFileReadFiles", Level::Item, QT_TRANSLATE_NOOP("MainForm", "音声ファイルから読み取り(&M)..."),       Tick::None,   &MainForm::mnuFileReadFiles_Click, &MainForm::mnuFileReadFiles_},
        {"mnuFileReadFolder", Level::Item, QT_TRANSLATE_NOOP("MainForm", "フォルダーから読み取り(&F)..."),       Tick::None,   &MainForm::mnuFileReadFolder_Click, &MainForm::mnuFileReadFolder_},
        {"mnuFilePaste",     Level::Item, QT_TRANSLATE_NOOP("MainForm", "曲リストを貼り付け..."),                 Tick::None,   &MainForm::mnuFilePaste_Click,     &MainForm::mnuFilePaste_},
        {"mnuFileBar1",      Level::Item, Separator,                               Tick::None,   nullptr,                           nullptr},
        {"mnuFileOpen",      Level::Item, QT_TRANSLATE_NOOP("MainForm", "保存していたパターンを開く(&O)..."),     Tick::None,   &MainForm::mnuFileOpen_Click,      &MainForm::mnuFileOpen_},
        {"mnuFileSave",      Level::Item, QT_TRANSLATE_NOOP("MainForm", "入力状態を保存(&S)..."),                 Tick::None,   &MainForm::mnuFileSave_Click,      &MainForm::mnuFileSave_},
        {"mnuFileOpenTape",  Level::Item, QT_TRANSLATE_NOOP("MainForm", "テープを開く(&T)..."),                   Tick::None,   &MainForm::mnuFileOpenTape_Click,  &MainForm::mnuFileOpenTape_},
        {"mnuFileSaveTape",  Level::Item, QT_TRANSLATE_NOOP("MainForm", "テープを保存(&V)..."),                   Tick::None,   &MainForm::mnuFileSaveTape_Click,  &MainForm::mnuFileSaveTape_},
        {"mnuFileRecent",    Level::Item, QT_TRANSLATE_NOOP("MainForm", "最近使ったテープ(&U)"),                  Tick::None,   nullptr,                           nullptr},
        {"mnuFileLabel",     Level::Item, QT_TRANSLATE_NOOP("MainForm", "カセットレーベルを作成(&L)..."),         Tick::None,   &MainForm::mnuFileLabel_Click,     &MainForm::mnuFileLabel_},
        {"mnuFileDub",       Level::Item, QT_TRANSLATE_NOOP("MainForm", "テープにダビング(&D)..."),               Tick::None,   &MainForm::mnuFileDub_Click,       &MainForm::mnuFileDub_},
        {"mnuFileDeckCheck", Level::Item, QT_TRANSLATE_NOOP("MainForm", "デッキの点検(&K)..."),                   Tick::None,   &MainForm::mnuFileDeckCheck_Click, &MainForm::mnuFileDeckCheck_},
        {"mnuFileSeveral",   Level::Item, QT_TRANSLATE_NOOP("MainForm", "複数のテープに分ける(&M)..."),           Tick::None,   &MainForm::mnuFileSeveral_Click,   &MainForm::mnuFileSeveral_},
        {"mnuFileBar2",      Level::Item, Separator,                               Tick::None,   nullptr,                           nullptr},
        {"mnuExit",          Level::Item, QT_TRANSLATE_NOOP("MainForm", "アプリケーションの終了(&X)"),            Tick::None,   &MainForm::mnuExit_Click,          &MainForm::mnuExit_},
        {"mnuSetting",       Level::Menu, QT_TRANSLATE_NOOP("MainForm", "設定(&S)"),                              Tick::None,   nullptr,                           nullptr},
        {"mnuSettingCD",     Level::Item, QT_TRANSLATE_NOOP("MainForm", "オリジナルの曲順にこだわる"),            Tick::Ticked, nullptr,                           &MainForm::mnuSettingCD_},
        {"mnuSetting5sec",   Level::Item, QT_TRANSLATE_NOOP("MainForm", "曲の間に 5秒のブランクをいれる"),        Tick::Ticked, nullptr,                           &MainForm::mnuSetting5sec_},
        {"mnuSettingOptimal", Level::Item, QT_TRANSLATE_NOOP("MainForm", "最短のテープを探す（曲の組み合わせを最適化）"),
                                                                                   Tick::Unticked, nullptr,                         &MainForm::mnuSettingOptimal_},
        {"mnuSettingOnline", Level::Item, QT_TRANSLATE_NOOP("MainForm", "CDの曲名をインターネットで調べる（MusicBrainz）"),
                                                                                   Tick::Unticked, &MainForm::mnuSettingOnline_Click, &MainForm::mnuSettingOnline_},
        {"mnuSettingBar1",   Level::Item, Separator,                               Tick::None,   nullptr,                           nullptr},
        {"mnuSettingAll",    Level::Item, QT_TRANSLATE_NOOP("MainForm", "一括設定(&A)..."),                       Tick::None,   &MainForm::mnuSettingAll_Click,    &MainForm::mnuSettingAll_},
        {"mnuSettingTapes",  Level::Item, QT_TRANSLATE_NOOP("MainForm", "テープの種類(&T)..."),                   Tick::None,   &MainForm::mnuSettingTapes_Click,  &MainForm::mnuSettingTapes_},
        {"mnuHelp",          Level::Menu, QT_TRANSLATE_NOOP("MainForm", "ヘルプ(&H)"),                            Tick::None,   nullptr,                           nullptr},
        {"mnuHelpTopic",     Level::Item, QT_TRANSLATE_NOOP("MainForm", "トピック(&T)..."),                       Tick::None,   &MainForm::mnuHelpTopic_Click,     &MainForm::mnuHelpTopic_},
        {"mnuHelpBar1",      Level::Item, Separator,                               Tick::None,   nullptr,                           nullptr},
        {"mnuHelpVersion",   Level::Item, QT_TRANSLATE_NOOP("MainForm", "バージョン情報(&A)"),                    Tick::None,   &MainForm::mnuHelpVersion_Click,   &MainForm::mnuHelpVersion_},
    };
    // clang-format on

    QMenu* menu = nullptr;
    for (const MenuRow& row : menus) {
        const QString name = QString::fromLatin1(row.name);
        if (row.level == Level::Menu) {
            menu = menuBar()->addMenu(QString());
            showText(menu, "MainForm", row.caption);
            menu->setObjectName(name);
            menu->menuAction()->setObjectName(name);
            continue;
        }
        QAction* item = row.caption == Separator ? menu->addSeparator() : menu->addAction(QString());
        if (row.caption != Separator) showText(item, "MainForm", row.caption);
        item->setObjectName(name);
        if (row.atStart != Tick::None) {
            item->setCheckable(true);
            item->setChecked(row.atStart == Tick::Ticked);
        }
        if (row.command) connect(item, &QAction::triggered, this, row.command);
        if (row.keep) this->*row.keep = item;
    }

    // Keeping the disc's order leaves the exact planner nothing to choose, so the two items exclude
    // each other: ticking one, from the menu or the batch-settings window, unticks the other.
    connect(mnuSettingCD_, &QAction::toggled, this, [this](bool ticked) {
        if (ticked) mnuSettingOptimal_->setChecked(false);
    });
    connect(mnuSettingOptimal_, &QAction::toggled, this, [this](bool ticked) {
        if (ticked) mnuSettingCD_->setChecked(false);
    });
    // The window has no status bar: the Settings menu shows the tip when the pointer rests on the item.
    showOptimalTip();
    if (QMenu* settings = menuBar()->findChild<QMenu*>(QStringLiteral("mnuSetting")))
        settings->setToolTipsVisible(true);
    // The recent tapes hang under their item, listed afresh each time the submenu opens.
    if (auto* recent = findChild<QAction*>(QStringLiteral("mnuFileRecent"))) {
        mnuFileRecent_ = new QMenu(this);
        mnuFileRecent_->setObjectName(QStringLiteral("mnuFileRecent"));
        recent->setMenu(mnuFileRecent_);
        connect(mnuFileRecent_, &QMenu::aboutToShow, this, &MainForm::fillRecentMenu);
        fillRecentMenu();
    }
}

QLabel* MainForm::timeLabel(int selector) const
{
    switch (selector) {
    case TimeTotal: return timeTotal_;
    case SideATotal: return sideATotal_;
    case ABlankTime: return aBlankTime_;
    case SideBTotal: return sideBTotal_;
    case BBlankTime: return bBlankTime_;
    case TBlankTime: return tBlankTime_;
    default: return nullptr;
    }
}

// ---- Start and end ----------------------------------------------------------------------------

// Runs once, when the window is created. Both options start ticked at every start (the exact
// planner's item unticked); the CD device is only set up here, not opened; no entry or label is
// written. The file dialogs of the pattern commands offer the pattern file type (patternFileFilter)
// each time they open. The user's tapes are read from the settings file; when it cannot be read the
// standard lineup is used and, once the window runs, a message says so.
void MainForm::Form_Load()
{
    // The menu table has ticked both options already.
    RCD1().selectCdAudio();

    mnuSettingOnline()->setChecked(loadOnlineLookup());

    const StoredTapes stored = loadTapeChoices();
    tapes_ = stored.choices;
    lineup_ = lineupOf(tapes_);
    if (stored.problem) {
        const Message message = *stored.problem;
        QMetaObject::invokeMethod(
            this, [this, message] { showMessage(this, message); }, Qt::QueuedConnection);
    }
}

// Closing the main window releases the drive and ends the program, taking every other window with
// it. Only unsaved work of a tape (more than typed entries) is asked about first, and may stay.
void MainForm::Form_Unload()
{
    // A cancelled read still running holds the drive; the program's end releases it.
    if (!driveBusy_) RCD1().close();
    QCoreApplication::exit(0);
}

bool MainForm::mayEnd()
{
    if (!maySetAside()) return false;
    SeveralTapes* set = several_.window();
    return !set || set->maySetAside();
}

void MainForm::closeEvent(QCloseEvent* event)
{
    if (!mayEnd()) {
        event->ignore();
        return;
    }
    Form_Unload();
    event->accept();
}

// Ends the program at once. Every read command has already closed the drive, so it is not sent
// "close" here.
void MainForm::mnuExit_Click()
{
    if (!mayEnd()) return;
    // exit(), unlike quit(), does not offer the windows a close first: Form_Unload does not run.
    QCoreApplication::exit(0);
}

// ---- Commands that open another window --------------------------------------------------------

// The tick has already flipped; it is kept for the next runs. A file that cannot be written costs
// only that: this run goes on with the tick as it is.
void MainForm::mnuSettingOnline_Click() { saveOnlineLookup(mnuSettingOnline_->isChecked()); }

void MainForm::mnuSettingAll_Click() { showDialog(dialog_, mnuSettingCD_, mnuSetting5sec_); }

// The tapes window is modal: the list it returns on OK is right, and becomes the lineup of every plan
// from now on and of the next runs.
// The counter's readings are kept in the same file; an open label window shows the counter as it
// is now.
void MainForm::mnuSettingTapes_Click()
{
    TapeLineup window(tapes_, loadCounterSetting(), this);
    if (window.exec() != QDialog::Accepted) return;
    tapes_ = window.choices();
    lineup_ = lineupOf(tapes_);
    if (SeveralTapes* open = several_.window()) open->replan();
    QString file;
    bool saved = saveTapeChoices(tapes_, &file);
    if (const std::optional<CounterSetting> counter = window.counter()) saved = saveCounterSetting(*counter) && saved;
    if (!saved) showMessage(this, unsavedTapesMessage(file.toStdString()));
    if (CassetteLabel* label = label_.window()) {
        const std::optional<CounterSetting> counter = window.counter();
        label->setCounter(counter ? counterCalibration(counter) : loadCounterCalibration());
    }
}

void MainForm::mnuHelpTopic_Click() { showHelp(this); }

void MainForm::mnuHelpVersion_Click() { showVersion(version_); }

// Shows the cassette label of the last plan; the window, once open, follows every new plan by itself.
// What the user typed over it is kept when it closes and taken up when it opens again.
void MainForm::mnuFileLabel_Click()
{
    if (CassetteLabel* open = label_.window()) {
        bringToFront(open);
        return;
    }
    if (!tape_.plan()) {
        showMessage(this, noPlanForLabelMessage());
        return;
    }
    // What was typed in a label window closed before comes back through labelEdits_, which follows the
    // plans made since; the texts of a tape just opened, which no window has shown yet, are put on top.
    const bool shownBefore = labelEdits_.has_value();
    CassetteLabel* window = showCassetteLabel(label_, *tape_.plan(), labelEdits_, this);
    connect(window, &CassetteLabel::closing, this, [this, window](const LabelEdits& edits) {
        labelEdits_ = edits;
        tape_.setLabelTexts(window->texts());
    });
    connectLabelWindow(window, !shownBefore);
}

// Opens the dubbing window on the last plan; the window, once open, follows every new plan by itself.
void MainForm::mnuFileDub_Click()
{
    if (Dubbing* open = dubbing_.window()) {
        bringToFront(open);
        return;
    }
    if (!tape_.plan()) {
        showMessage(this, noPlanForDubbingMessage());
        return;
    }
    Dubbing* window = showDubbing(dubbing_, *tape_.plan());
    // The lead-in and loudness belong to the tape: the window shows them and hands changes back.
    window->setSettings(tape_.dubbing());
    connect(window, &Dubbing::settingsChanged, this, &MainForm::setDubbingSettings);
    // A side's last check belongs to the tape, and saves with it.
    connect(window, &Dubbing::sideChecked, this, [this](TapeSide side, const SideCheckRecord& record) {
        tape_.setSideCheck(side, record);
        markChanged();
    });
}

// Opens the window of several tapes, which plans albums of its own; a tape of its plan comes back here.
void MainForm::mnuFileSeveral_Click() { showSeveralTapes(several_, *this); }

// Opens the deck check, which needs no plan: it plays and measures a test program of its own.
void MainForm::mnuFileDeckCheck_Click() { showDeckCheck(deckCheck_); }

void MainForm::showOptimalTip()
{
    constexpr Ja tip = ja("MainForm",
                          "全曲が収まるいちばん短いテープを選び、A面とB面の時間もなるべくそろえます"
                          "（「オリジナルの曲順にこだわる」とは同時に使えません）");
    showToolTip(mnuSettingOptimal_, tip);
    mnuSettingOptimal_->setStatusTip(translated(tip));
}

}  // namespace vantoli
