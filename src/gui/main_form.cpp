#include "gui/main_form.h"

#include <QAction>
#include <QCloseEvent>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QPushButton>

#include "core/time_text.h"
#include "gui/fonts.h"
#include "gui/twips.h"

#include "icons/vantoli.xpm"

namespace vantoli {

namespace {

// ---- The client area -------------------------------------------------------------------------

constexpr int ClientWidth = 6615;  // twips
constexpr int ClientHeight = 4275;

enum class Kind { Label, TextBox, Button };

enum class Style {
    Left,             // label, text at the left
    Centred,          // label, text centred
    BorderedCentred,  // label with a single-line frame, text centred
    BorderedRight,    // label with a single-line frame, text at the right
    Plain,            // text boxes and buttons
};

// A control array's index range; single controls have none.
struct Indexes {
    int first = -1;
    int last = -1;
};
constexpr Indexes None{};

// From one element of a control array to the next, in twips.
struct Step {
    int left = 0;
    int top = 0;
};
constexpr Step Down{0, 360};    // rows of the entry grid
constexpr Step Across{240, 0};  // cells of a side strip: 255 wide, so neighbouring frames overlap

// The caption of a track-number label: its element's track number, index + 1.
constexpr const char* TrackNumber = nullptr;

struct FormControlRow {
    const char* name;
    Kind kind;
    Indexes index;
    int left, top, width, height;  // twips; for an array those of its first element
    Step step;
    const char* caption;
    Style style;
    const char* toolTip = "";
};

// Created in this order, which is also the tab order: Tm(0) .. Tm(19), Run, Clear.
// clang-format off
constexpr FormControlRow Controls[] = {
    // The track entry grid: tracks 1 to 10 down the left column, 11 to 20 down the right one.
    // name         kind           index      Left  Top   Width Height step    caption       style
    {"Label1",      Kind::Label,   None,       360,  120,  495, 255, {},     "トラック",   Style::Centred},
    {"Label2",      Kind::Label,   None,       960,  120,  735, 255, {},     "タイム",     Style::Centred},
    {"Label3",      Kind::Label,   None,      1920,  120,  495, 255, {},     "トラック",   Style::Centred},
    {"Label4",      Kind::Label,   None,      2520,  120,  735, 255, {},     "タイム",     Style::Centred},
    {"Label5",      Kind::Label,   {0, 9},     480,  480,  255, 255, Down,   TrackNumber,  Style::BorderedRight},
    {"Label5",      Kind::Label,   {10, 19},  2040,  480,  255, 255, Down,   TrackNumber,  Style::BorderedRight},
    {"Tm",          Kind::TextBox, {0, 9},     960,  480,  735, 270, Down,   "",           Style::Plain},
    {"Tm",          Kind::TextBox, {10, 19},  2520,  480,  735, 270, Down,   "",           Style::Plain},

    // The plan panel.
    // name         kind           index      Left  Top   Width Height step    caption       style
    {"Label6",      Kind::Label,   None,      3600,  120, 1335, 255, {},     "使用するテープ ：", Style::Left},
    {"TapeType",    Kind::Label,   None,      5160,  120,  975, 255, {},     "",           Style::BorderedRight},
    {"Label12",     Kind::Label,   None,      3600,  600, 1095, 255, {},     "構成案",     Style::Left},
    {"Label10",     Kind::Label,   None,      4800,  600,  735, 255, {},     "トータル",   Style::Centred},
    {"Label11",     Kind::Label,   None,      5520,  600,  615, 255, {},     "ブランク",   Style::Centred},
    {"Label7",      Kind::Label,   None,      3600,  840, 1095, 255, {},     "A 面",       Style::BorderedCentred},
    {"sideATotal",  Kind::Label,   None,      4800,  840,  735, 255, {},     "",           Style::BorderedRight},
    {"aBlankTime",  Kind::Label,   None,      5520,  840,  615, 255, {},     "",           Style::BorderedRight},
    {"A",           Kind::Label,   {0, 9},    3720, 1200,  255, 255, Across, "",           Style::BorderedRight},
    {"A",           Kind::Label,   {10, 19},  3720, 1440,  255, 255, Across, "",           Style::BorderedRight},
    {"Label8",      Kind::Label,   None,      3600, 1920, 1095, 255, {},     "B 面",       Style::BorderedCentred},
    {"sideBTotal",  Kind::Label,   None,      4800, 1920,  735, 255, {},     "",           Style::BorderedRight},
    {"bBlankTime",  Kind::Label,   None,      5520, 1920,  615, 255, {},     "",           Style::BorderedRight},
    {"B",           Kind::Label,   {0, 9},    3720, 2280,  255, 255, Across, "",           Style::BorderedRight},
    {"B",           Kind::Label,   {10, 19},  3720, 2520,  255, 255, Across, "",           Style::BorderedRight},
    {"Label9",      Kind::Label,   None,      3600, 3000, 1095, 255, {},     "合 計",      Style::BorderedCentred},
    {"timeTotal",   Kind::Label,   None,      4800, 3000,  735, 255, {},     "",           Style::BorderedRight},
    {"tBlankTime",  Kind::Label,   None,      5520, 3000,  615, 255, {},     "",           Style::BorderedRight},
    {"Run",         Kind::Button,  None,      3600, 3600, 1215, 375, {},     "実行(&R)",   Style::Plain,
     "タイムを計測して構成案を表示します"},
    {"Clear",       Kind::Button,  None,      5040, 3600, 1215, 375, {},     "クリア(&C)", Style::Plain,
     "入力した値を全てクリアします"},
};
// clang-format on

QWidget* createControl(const FormControlRow& row, const QString& caption, QWidget* parent)
{
    switch (row.kind) {
    case Kind::TextBox: {
        auto* box = new QLineEdit(parent);
        box->setText(caption);
        return box;
    }
    case Kind::Button: {
        auto* button = new QPushButton(caption, parent);
        button->setToolTip(QString::fromUtf8(row.toolTip));
        return button;
    }
    case Kind::Label: break;
    }

    auto* label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    label->setText(caption);
    const bool bordered = row.style == Style::BorderedCentred || row.style == Style::BorderedRight;
    if (bordered) {
        label->setFrameStyle(QFrame::Box | QFrame::Plain);
        // Text right inside the frame: a cell is 15 pixels wide inside, just room for "20".
        label->setIndent(0);
    }
    Qt::Alignment horizontal = Qt::AlignLeft;
    if (row.style == Style::Centred || row.style == Style::BorderedCentred) horizontal = Qt::AlignHCenter;
    if (row.style == Style::BorderedRight) horizontal = Qt::AlignRight;
    label->setAlignment(horizontal | Qt::AlignVCenter);
    return label;
}

// ---- The menu bar -----------------------------------------------------------------------------

enum class Level { Menu, Item };
enum class Tick { None, Ticked };

constexpr const char* Separator = "-";

struct MenuRow {
    const char* name;
    Level level;
    const char* caption;
    Tick atStart;
    void (MainForm::*command)();
};

// An item belongs to the nearest menu above it. No item has a shortcut key, only access keys.
// The two option items need no command of their own: a ticked item is a checkable action, which flips
// its own tick each time it is chosen and does nothing else; every plan reads the ticks afresh.
// clang-format off
const MenuRow Menus[] = {
    // name              level         caption                                  at start      command
    {"mnuFile",          Level::Menu, "ファイル(&F)",                           Tick::None,   nullptr},
    {"mnuFileReadCD",    Level::Item, "CDから読み取り(&R)",                     Tick::None,   &MainForm::mnuFileReadCD_Click},
    {"mnuFileBar1",      Level::Item, Separator,                                Tick::None,   nullptr},
    {"mnuFileOpen",      Level::Item, "保存していたパターンを開く(&O)...",      Tick::None,   &MainForm::mnuFileOpen_Click},
    {"mnuFileSave",      Level::Item, "入力状態を保存(&S)...",                  Tick::None,   &MainForm::mnuFileSave_Click},
    {"mnuFileBar2",      Level::Item, Separator,                                Tick::None,   nullptr},
    {"mnuExit",          Level::Item, "アプリケーションの終了(&X)",             Tick::None,   &MainForm::mnuExit_Click},
    {"mnuSetting",       Level::Menu, "設定(&S)",                               Tick::None,   nullptr},
    {"mnuSettingCD",     Level::Item, "オリジナルの曲順にこだわる",             Tick::Ticked, nullptr},
    {"mnuSetting5sec",   Level::Item, "曲の間に 5秒のブランクをいれる",         Tick::Ticked, nullptr},
    {"mnuSettingBar1",   Level::Item, Separator,                                Tick::None,   nullptr},
    {"mnuSettingAll",    Level::Item, "一括設定(&A)...",                        Tick::None,   &MainForm::mnuSettingAll_Click},
    {"mnuHelp",          Level::Menu, "ヘルプ(&H)",                             Tick::None,   nullptr},
    {"mnuHelpTopic",     Level::Item, "トピック(&T)...",                        Tick::None,   &MainForm::mnuHelpTopic_Click},
    {"mnuHelpBar1",      Level::Item, Separator,                                Tick::None,   nullptr},
    {"mnuHelpVersion",   Level::Item, "バージョン情報(&A)",                     Tick::None,   &MainForm::mnuHelpVersion_Click},
};
// clang-format on

}  // namespace

MainForm::MainForm(std::unique_ptr<CdAudioDevice> device, QWidget* parent)
    : QMainWindow(parent),
      RCD1_(std::move(device))
{
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("Vantoli"));
    setWindowIcon(QIcon(QPixmap(vantoli_xpm)));

    createControls();
    createMenus();

    // The window is sized by its client area; the menu bar comes on top of it.
    const QSize client = twipsSize(ClientWidth, ClientHeight);
    int menuHeight = menuBar()->heightForWidth(client.width());
    if (menuHeight < 0) menuHeight = menuBar()->sizeHint().height();
    resize(client.width(), client.height() + menuHeight);

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

    for (const FormControlRow& row : Controls) {
        const bool array = row.index.first >= 0;
        const int first = array ? row.index.first : 0;
        const int last = array ? row.index.last : 0;
        for (int i = first; i <= last; ++i) {
            const QString name =
                array ? QStringLiteral("%1_%2").arg(QLatin1String(row.name)).arg(i) : QString::fromLatin1(row.name);
            const QString caption =
                row.caption == TrackNumber ? QString::number(i + 1) : QString::fromUtf8(row.caption);
            QWidget* control = createControl(row, caption, client);
            control->setObjectName(name);
            const int n = i - first;
            control->setGeometry(
                twipsRect(row.left + n * row.step.left, row.top + n * row.step.top, row.width, row.height));
        }
    }

    auto label = [client](const QString& name) { return client->findChild<QLabel*>(name, Qt::FindDirectChildrenOnly); };
    for (int i = 0; i < TrackCount; ++i) {
        Label5_[i] = label(QStringLiteral("Label5_%1").arg(i));
        Tm_[i] = client->findChild<QLineEdit*>(QStringLiteral("Tm_%1").arg(i), Qt::FindDirectChildrenOnly);
        A_[i] = label(QStringLiteral("A_%1").arg(i));
        B_[i] = label(QStringLiteral("B_%1").arg(i));
    }
    TapeType_ = label(QStringLiteral("TapeType"));
    sideATotal_ = label(QStringLiteral("sideATotal"));
    aBlankTime_ = label(QStringLiteral("aBlankTime"));
    sideBTotal_ = label(QStringLiteral("sideBTotal"));
    bBlankTime_ = label(QStringLiteral("bBlankTime"));
    timeTotal_ = label(QStringLiteral("timeTotal"));
    tBlankTime_ = label(QStringLiteral("tBlankTime"));
    Run_ = client->findChild<QPushButton*>(QStringLiteral("Run"), Qt::FindDirectChildrenOnly);
    Clear_ = client->findChild<QPushButton*>(QStringLiteral("Clear"), Qt::FindDirectChildrenOnly);

    for (int i = 0; i + 1 < TrackCount; ++i) setTabOrder(Tm_[i], Tm_[i + 1]);
    setTabOrder(Tm_[TrackCount - 1], Run_);
    setTabOrder(Run_, Clear_);

    connect(Run_, &QPushButton::clicked, this, &MainForm::Run_Click);
    connect(Clear_, &QPushButton::clicked, this, &MainForm::Clear_Click);
}

void MainForm::createMenus()
{
    QMenu* menu = nullptr;
    for (const MenuRow& row : Menus) {
        const QString name = QString::fromLatin1(row.name);
        const QString caption = QString::fromUtf8(row.caption);
        if (row.level == Level::Menu) {
            menu = menuBar()->addMenu(caption);
            menu->setObjectName(name);
            menu->menuAction()->setObjectName(name);
            continue;
        }
        QAction* item = row.caption == Separator ? menu->addSeparator() : menu->addAction(caption);
        item->setObjectName(name);
        if (row.atStart == Tick::Ticked) {
            item->setCheckable(true);
            item->setChecked(true);
        }
        if (row.command) connect(item, &QAction::triggered, this, row.command);
    }

    auto item = [this](const char* name) { return menuBar()->findChild<QAction*>(QLatin1String(name)); };
    mnuFileReadCD_ = item("mnuFileReadCD");
    mnuFileOpen_ = item("mnuFileOpen");
    mnuFileSave_ = item("mnuFileSave");
    mnuExit_ = item("mnuExit");
    mnuSettingCD_ = item("mnuSettingCD");
    mnuSetting5sec_ = item("mnuSetting5sec");
    mnuSettingAll_ = item("mnuSettingAll");
    mnuHelpTopic_ = item("mnuHelpTopic");
    mnuHelpVersion_ = item("mnuHelpVersion");
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

void MainForm::closeEvent(QCloseEvent* event)
{
    Form_Unload();
    event->accept();
}

}  // namespace vantoli
