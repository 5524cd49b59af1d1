#include "gui/tape_lineup.h"

#include <QAbstractItemView>
#include <QBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>

#include <algorithm>

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

TapeLineup::TapeLineup(const std::vector<TapeChoice>& choices, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TapeLineup"));
    setWindowTitle(translated(ja("TapeLineup", "テープの種類")));
    setFont(windowFont());
    setModal(true);

    auto* intro = new QLabel(translated(ja("TapeLineup",
                                           "持っているテープにチェックを付けてください。\n"
                                           "片面の時間は、実際に録音できた時間に合わせて変えられます。")),
                             this);
    intro->setObjectName(QStringLiteral("TapeIntro"));
    intro->setWordWrap(true);

    TapeList_ = new QTableWidget(0, 3, this);
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

    auto* addLabel = new QLabel(translated(ja("TapeLineup", "追加する長さ:")), this);
    TapeMinutes_ = new QSpinBox(this);
    TapeMinutes_->setObjectName(QStringLiteral("TapeMinutes"));
    TapeMinutes_->setRange(ShortestTapeMinutes, LongestTapeMinutes);
    TapeMinutes_->setValue(120);
    TapeMinutes_->setSuffix(translated(ja("TapeLineup", " 分")));
    addLabel->setBuddy(TapeMinutes_);
    TapeAdd_ = new QPushButton(translated(ja("TapeLineup", "追加(&A)")), this);
    TapeAdd_->setObjectName(QStringLiteral("TapeAdd"));
    TapeRemove_ = new QPushButton(translated(ja("TapeLineup", "削除(&D)")), this);
    TapeRemove_->setObjectName(QStringLiteral("TapeRemove"));
    TapeRemove_->setToolTip(translated(ja("TapeLineup", "追加したテープを一覧から削除します")));
    TapeStandard_ = new QPushButton(translated(ja("TapeLineup", "標準に戻す(&R)")), this);
    TapeStandard_->setObjectName(QStringLiteral("TapeStandard"));
    TapeStandard_->setToolTip(translated(ja("TapeLineup", "10分から100分までの 14 種類のテープに戻します")));
    TapeOK_ = new QPushButton(QStringLiteral("OK"), this);
    TapeOK_->setObjectName(QStringLiteral("TapeOK"));
    TapeOK_->setDefault(true);
    TapeCancel_ = new QPushButton(translated(ja("TapeLineup", "キャンセル")), this);
    TapeCancel_->setObjectName(QStringLiteral("TapeCancel"));

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

    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(TapeOK_);
    bottom->addWidget(TapeCancel_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addLayout(middle, 1);
    layout->addLayout(bottom);

    connect(TapeAdd_, &QPushButton::clicked, this, &TapeLineup::TapeAdd_Click);
    connect(TapeRemove_, &QPushButton::clicked, this, &TapeLineup::TapeRemove_Click);
    connect(TapeStandard_, &QPushButton::clicked, this, &TapeLineup::TapeStandard_Click);
    connect(TapeOK_, &QPushButton::clicked, this, &TapeLineup::TapeOK_Click);
    connect(TapeCancel_, &QPushButton::clicked, this, &QDialog::reject);
    connect(TapeList_, &QTableWidget::itemSelectionChanged, this, &TapeLineup::updateRemove);

    fill(choices, -1);
    TapeList_->setFocus();
    const int listHeight = rowHeight * (static_cast<int>(StandardTapeMinutes.size()) + 1) +
                           TapeList_->horizontalHeader()->sizeHint().height();
    resize(sizeHint().width() + fontMetrics().averageCharWidth() * 8,
           sizeHint().height() + listHeight - TapeList_->minimumHeight());
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

void TapeLineup::TapeOK_Click()
{
    const std::vector<TapeChoice> list = choices();
    const std::optional<TapeChoiceProblem> problem = checkTapeChoices(list);
    if (!problem) {
        accept();
        return;
    }
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
