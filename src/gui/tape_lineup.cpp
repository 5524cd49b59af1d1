#include "gui/tape_lineup.h"

#include <QAbstractItemView>
#include <QBoxLayout>
#include <QCheckBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>

#include <algorithm>

#include "core/tape_counter.h"
#include "core/time_text.h"
#include "gui/fonts.h"
#include "gui/message_box.h"
#include "gui/translation.h"

namespace vantoli {

namespace {

enum Column { TapeColumn = 0, CapacityColumn = 1, MinutesColumn = 2 };

constexpr int MinutesRole = Qt::UserRole;

// "30:45" for 1845 s.
QString minutesAndSeconds(int seconds) { return QString::fromStdString(minutesSecondsText(seconds)); }

}  // namespace

TapeLineup::TapeLineup(const std::vector<TapeChoice>& choices, QWidget* parent)
    : TapeLineup(choices, std::nullopt, parent)
{
}

TapeLineup::TapeLineup(const std::vector<TapeChoice>& choices, const std::optional<CounterSetting>& counter,
                       QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("TapeLineup"));
    setWindowTitle(translated(ja("TapeLineup", "テープの種類")));
    setFont(windowFont());
    setModal(true);

    tabTapeLineup_ = new QTabWidget(this);
    tabTapeLineup_->setObjectName(QStringLiteral("tabTapeLineup"));
    tabTapeLineup_->addTab(tapesPage(), translated(ja("TapeLineup", "テープ(&P)")));
    tabTapeLineup_->addTab(counterPage(), translated(ja("TapeLineup", "カウンター(&C)")));

    TapeOK_ = new QPushButton(QStringLiteral("OK"), this);
    TapeOK_->setObjectName(QStringLiteral("TapeOK"));
    TapeOK_->setDefault(true);
    TapeCancel_ = new QPushButton(translated(ja("TapeLineup", "キャンセル")), this);
    TapeCancel_->setObjectName(QStringLiteral("TapeCancel"));

    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(TapeOK_);
    bottom->addWidget(TapeCancel_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabTapeLineup_, 1);
    layout->addLayout(bottom);

    connect(TapeAdd_, &QPushButton::clicked, this, &TapeLineup::TapeAdd_Click);
    connect(TapeRemove_, &QPushButton::clicked, this, &TapeLineup::TapeRemove_Click);
    connect(TapeStandard_, &QPushButton::clicked, this, &TapeLineup::TapeStandard_Click);
    connect(TapeOK_, &QPushButton::clicked, this, &TapeLineup::TapeOK_Click);
    connect(TapeCancel_, &QPushButton::clicked, this, &QDialog::reject);
    connect(TapeList_, &QTableWidget::itemSelectionChanged, this, &TapeLineup::updateRemove);
    for (QLineEdit* field : {txtCounterTime1_, txtCounterCount1_, txtCounterTime2_, txtCounterCount2_})
        connect(field, &QLineEdit::textChanged, this, &TapeLineup::txtCounter_Change);

    fill(choices, -1);
    if (counter) {
        chkCounter_->setChecked(counter->use);
        txtCounterTime1_->setText(minutesAndSeconds(counter->readings.first.seconds));
        txtCounterCount1_->setText(QString::number(counter->readings.first.counter));
        txtCounterTime2_->setText(minutesAndSeconds(counter->readings.second.seconds));
        txtCounterCount2_->setText(QString::number(counter->readings.second.counter));
    }
    txtCounter_Change();
    TapeList_->setFocus();
    const int rowHeight = TapeList_->verticalHeader()->defaultSectionSize();
    const int listHeight = rowHeight * (static_cast<int>(StandardTapeMinutes.size()) + 1) +
                           TapeList_->horizontalHeader()->sizeHint().height();
    resize(sizeHint().width() + fontMetrics().averageCharWidth() * 8,
           sizeHint().height() + listHeight - TapeList_->minimumHeight());
}

QWidget* TapeLineup::tapesPage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("pageTapes"));
    auto* intro = new QLabel(translated(ja("TapeLineup",
                                           "持っているテープにチェックを付けてください。\n"
                                           "片面の時間は、実際に録音できた時間に合わせて変えられます。")),
                             page);
    intro->setObjectName(QStringLiteral("TapeIntro"));
    intro->setWordWrap(true);

    TapeList_ = new QTableWidget(0, 3, page);
    TapeList_->setObjectName(QStringLiteral("TapeList"));
    TapeList_->setHorizontalHeaderLabels({translated(ja("TapeLineup", "テープ")),
                                          translated(ja("TapeLineup", "片面の時間")),
                                          translated(ja("TapeLineup", "分:秒"))});
    TapeList_->verticalHeader()->hide();
    TapeList_->setSelectionBehavior(QAbstractItemView::SelectRows);
    TapeList_->setSelectionMode(QAbstractItemView::SingleSelection);
    TapeList_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    TapeList_->horizontalHeader()->setSectionResizeMode(TapeColumn, QHeaderView::Stretch);
    TapeList_->horizontalHeader()->setSectionResizeMode(CapacityColumn, QHeaderView::ResizeToContents);
    TapeList_->horizontalHeader()->setSectionResizeMode(MinutesColumn, QHeaderView::ResizeToContents);
    // Rows just high enough for a capacity box; ten of them at least, all fourteen when opened.
    const int rowHeight = QSpinBox().sizeHint().height();
    TapeList_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    TapeList_->verticalHeader()->setDefaultSectionSize(rowHeight);
    TapeList_->setMinimumHeight(rowHeight * 10 + TapeList_->horizontalHeader()->sizeHint().height());

    auto* addLabel = new QLabel(translated(ja("TapeLineup", "追加する長さ:")), page);
    TapeMinutes_ = new QSpinBox(page);
    TapeMinutes_->setObjectName(QStringLiteral("TapeMinutes"));
    TapeMinutes_->setRange(ShortestTapeMinutes, LongestTapeMinutes);
    TapeMinutes_->setValue(120);
    TapeMinutes_->setSuffix(translated(ja("TapeLineup", " 分")));
    addLabel->setBuddy(TapeMinutes_);
    TapeAdd_ = new QPushButton(translated(ja("TapeLineup", "追加(&A)")), page);
    TapeAdd_->setObjectName(QStringLiteral("TapeAdd"));
    TapeRemove_ = new QPushButton(translated(ja("TapeLineup", "削除(&D)")), page);
    TapeRemove_->setObjectName(QStringLiteral("TapeRemove"));
    TapeRemove_->setToolTip(translated(ja("TapeLineup", "追加したテープを一覧から削除します")));
    TapeStandard_ = new QPushButton(translated(ja("TapeLineup", "標準に戻す(&R)")), page);
    TapeStandard_->setObjectName(QStringLiteral("TapeStandard"));
    TapeStandard_->setToolTip(translated(ja("TapeLineup", "10分から100分までの 14 種類のテープに戻します")));

    auto* side = new QVBoxLayout;
    side->addWidget(addLabel);
    side->addWidget(TapeMinutes_);
    side->addWidget(TapeAdd_);
    side->addSpacing(fontMetrics().height());
    side->addWidget(TapeRemove_);
    side->addWidget(TapeStandard_);
    side->addStretch();

    auto* middle = new QHBoxLayout;
    middle->addWidget(TapeList_, 1);
    middle->addLayout(side);

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(intro);
    layout->addLayout(middle, 1);
    return page;
}

QWidget* TapeLineup::counterPage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("pageCounter"));
    auto* intro = new QLabel(translated(ja("TapeLineup",
                                           "テープの頭でデッキのカウンターを 0 にして再生し、2 か所で時間と"
                                           "カウンターを読んでください。\n"
                                           "カウンターの進み方を求めて、レーベルに各曲の頭のカウンターを入れます。")),
                             page);
    intro->setObjectName(QStringLiteral("CounterIntro"));
    intro->setWordWrap(true);

    chkCounter_ = new QCheckBox(translated(ja("TapeLineup", "レーベルにカウンターを入れる(&U)")), page);
    chkCounter_->setObjectName(QStringLiteral("chkCounter"));

    const auto field = [page](const char* name, Ja placeholder) {
        auto* edit = new QLineEdit(page);
        edit->setObjectName(QString::fromLatin1(name));
        edit->setPlaceholderText(translated(placeholder));
        edit->setAlignment(Qt::AlignRight);
        edit->setMaxLength(8);
        edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("0000:00")) * 2);
        return edit;
    };
    txtCounterTime1_ = field("txtCounterTime1", ja("TapeLineup", "例 5:00"));
    txtCounterCount1_ = field("txtCounterCount1", ja("TapeLineup", "例 150"));
    txtCounterTime2_ = field("txtCounterTime2", ja("TapeLineup", "例 40:00"));
    txtCounterCount2_ = field("txtCounterCount2", ja("TapeLineup", "例 880"));

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(translated(ja("TapeLineup", "時間（分:秒）")), page), 0, 1);
    grid->addWidget(new QLabel(translated(ja("TapeLineup", "カウンター")), page), 0, 2);
    const auto row = [&](int at, Ja caption, QLineEdit* time, QLineEdit* count) {
        auto* label = new QLabel(translated(caption), page);
        label->setBuddy(time);
        grid->addWidget(label, at, 0);
        grid->addWidget(time, at, 1);
        grid->addWidget(count, at, 2);
    };
    row(1, ja("TapeLineup", "読み 1(&1):"), txtCounterTime1_, txtCounterCount1_);
    row(2, ja("TapeLineup", "読み 2(&2):"), txtCounterTime2_, txtCounterCount2_);
    grid->setColumnStretch(3, 1);

    lblCounterFit_ = new QLabel(page);
    lblCounterFit_->setObjectName(QStringLiteral("lblCounterFit"));
    lblCounterFit_->setWordWrap(true);
    lblCounterFit_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(intro);
    layout->addSpacing(fontMetrics().height() / 2);
    layout->addWidget(chkCounter_);
    layout->addLayout(grid);
    layout->addSpacing(fontMetrics().height() / 2);
    layout->addWidget(lblCounterFit_);
    layout->addStretch();
    return page;
}

QSpinBox* TapeLineup::capacityBox(int row) const
{
    return qobject_cast<QSpinBox*>(TapeList_->cellWidget(row, CapacityColumn));
}

std::vector<TapeChoice> TapeLineup::choices() const
{
    std::vector<TapeChoice> list;
    for (int row = 0; row < TapeList_->rowCount(); ++row) {
        const QTableWidgetItem* tape = TapeList_->item(row, TapeColumn);
        list.push_back({tape->data(MinutesRole).toInt(), capacityBox(row)->value(), tape->checkState() == Qt::Checked});
    }
    return list;
}

// Builds the rows anew from the list and selects the row of selectMinutes, if it is there.
void TapeLineup::fill(const std::vector<TapeChoice>& choices, int selectMinutes)
{
    TapeList_->setRowCount(0);
    TapeList_->setRowCount(static_cast<int>(choices.size()));
    for (int row = 0; row < static_cast<int>(choices.size()); ++row) {
        const TapeChoice& choice = choices[static_cast<std::size_t>(row)];
        auto* tape = new QTableWidgetItem(QString::fromStdString(tapeCaption(choice.minutes)));
        tape->setData(MinutesRole, choice.minutes);
        tape->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        tape->setCheckState(choice.owned ? Qt::Checked : Qt::Unchecked);
        if (!isStandardLength(choice.minutes)) tape->setToolTip(translated(ja("TapeLineup", "追加したテープ")));
        TapeList_->setItem(row, TapeColumn, tape);

        auto* shown = new QTableWidgetItem(minutesAndSeconds(choice.sideCapacity));
        shown->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        shown->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        TapeList_->setItem(row, MinutesColumn, shown);

        // 0 may be typed, so that OK can say what is wrong with it.
        auto* capacity = new QSpinBox;
        capacity->setObjectName(QStringLiteral("TapeCapacity_%1").arg(row));
        capacity->setRange(0, LargestSideCapacity);
        capacity->setSuffix(translated(ja("TapeLineup", " 秒")));
        capacity->setAlignment(Qt::AlignRight);
        capacity->setFrame(false);
        capacity->setValue(choice.sideCapacity);
        capacity->setAccessibleName(translated(ja("TapeLineup", "%1の片面の時間")).arg(tape->text()));
        // The item goes with the row, and so does the box.
        connect(capacity, &QSpinBox::valueChanged, capacity,
                [shown](int seconds) { shown->setText(minutesAndSeconds(seconds)); });
        TapeList_->setCellWidget(row, CapacityColumn, capacity);
        if (choice.minutes == selectMinutes) TapeList_->selectRow(row);
    }
    updateRemove();
}

int TapeLineup::selectedRow() const
{
    const QList<QTableWidgetItem*> selected = TapeList_->selectedItems();
    return selected.isEmpty() ? -1 : selected.front()->row();
}

void TapeLineup::updateRemove()
{
    const int row = selectedRow();
    TapeRemove_->setEnabled(row >= 0 && !isStandardLength(TapeList_->item(row, TapeColumn)->data(MinutesRole).toInt()));
}

void TapeLineup::TapeAdd_Click()
{
    std::vector<TapeChoice> list = choices();
    const int minutes = TapeMinutes_->value();
    if (const std::optional<Message> problem = addTapeChoice(list, minutes)) {
        showMessage(this, *problem);
        return;
    }
    fill(list, minutes);
    TapeList_->scrollToItem(TapeList_->item(selectedRow(), TapeColumn));
}

void TapeLineup::TapeRemove_Click()
{
    const int row = selectedRow();
    if (row < 0 || !TapeRemove_->isEnabled()) return;
    std::vector<TapeChoice> list = choices();
    list.erase(list.begin() + row);
    fill(list, -1);
    TapeList_->setFocus();
}

void TapeLineup::TapeStandard_Click() { fill(standardTapeChoices(), -1); }

std::optional<CounterSetting> TapeLineup::counter() const
{
    const std::optional<CounterReadings> readings = shownReadings();
    if (!readings) return std::nullopt;
    return CounterSetting{chkCounter_->isChecked(), *readings};
}

bool TapeLineup::readingsEmpty() const
{
    for (const QLineEdit* field : {txtCounterTime1_, txtCounterCount1_, txtCounterTime2_, txtCounterCount2_})
        if (!field->text().trimmed().isEmpty()) return false;
    return true;
}

std::optional<CounterReadings> TapeLineup::shownReadings() const
{
    const auto reading = [](const QLineEdit* time, const QLineEdit* count) {
        return parseCounterReading((time->text().trimmed() + QLatin1Char('@') + count->text().trimmed()).toStdString());
    };
    const std::optional<CounterReading> first = reading(txtCounterTime1_, txtCounterCount1_);
    const std::optional<CounterReading> second = reading(txtCounterTime2_, txtCounterCount2_);
    if (!first || !second) return std::nullopt;
    return CounterReadings{*first, *second};
}

void TapeLineup::txtCounter_Change()
{
    lblCounterFit_->setText(readingsEmpty() ? translated(ja("TapeLineup", "2 か所の読みを入力してください。"))
                                            : QString::fromStdString(counterFitText(shownReadings())));
}

void TapeLineup::TapeOK_Click()
{
    const std::vector<TapeChoice> list = choices();
    const std::optional<TapeChoiceProblem> problem = checkTapeChoices(list);
    if (!problem) {
        // Readings that are not used may be left as they are; readings to be used must make a fit.
        const std::optional<CounterReadings> readings = shownReadings();
        if (chkCounter_->isChecked() && (!readings || counterRefusal(readings->first, readings->second))) {
            showMessage(this, counterReadingsMessage(counterFitText(readings)));
            tabTapeLineup_->setCurrentIndex(1);
            txtCounterTime1_->setFocus();
            txtCounterTime1_->selectAll();
            return;
        }
        accept();
        return;
    }
    tabTapeLineup_->setCurrentIndex(0);
    showMessage(this, problem->message);
    // Show the user the entry to mend: its capacity, or the list when no tape is ticked.
    const int row = static_cast<int>(problem->index);
    TapeList_->selectRow(row);
    const bool anyOwned = std::any_of(list.begin(), list.end(), [](const TapeChoice& c) { return c.owned; });
    if (QSpinBox* box = capacityBox(row); box && anyOwned) {
        box->setFocus();
        box->selectAll();
    } else {
        TapeList_->setFocus();
    }
}

}  // namespace vantoli
