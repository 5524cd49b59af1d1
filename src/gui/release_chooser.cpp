#include "gui/release_chooser.h"

#include <QDialogButtonBox>
#include <QEvent>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "gui/dialog_buttons.h"
#include "gui/fonts.h"
#include "gui/translation.h"

namespace vantoli {

ReleaseChooser::ReleaseChooser(const std::vector<DiscRelease>& releases, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("ReleaseChooser"));
    showText(this, ja("ReleaseChooser", "リリースの選択"));
    setFont(windowFont());
    setModal(true);

    auto* layout = new QVBoxLayout(this);
    auto* lblPrompt = new QLabel(this);
    lblPrompt->setObjectName(QStringLiteral("lblPrompt"));
    showText(lblPrompt, ja("ReleaseChooser", "このCDは次のリリースに含まれています。曲名を使うものを選んでください。"));
    layout->addWidget(lblPrompt);

    tblReleases_ = new QTableWidget(static_cast<int>(releases.size()), 7, this);
    tblReleases_->setObjectName(QStringLiteral("tblReleases"));
    showHeadings();
    tblReleases_->setSelectionBehavior(QAbstractItemView::SelectRows);
    tblReleases_->setSelectionMode(QAbstractItemView::SingleSelection);
    tblReleases_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tblReleases_->verticalHeader()->hide();
    for (int row = 0; row < static_cast<int>(releases.size()); ++row) {
        const DiscRelease& release = releases[static_cast<std::size_t>(row)];
        QString format = QString::fromStdString(release.format);
        if (release.discCount > 1) format += QStringLiteral(" (%1/%2)").arg(release.discNumber).arg(release.discCount);
        const QString cells[] = {QString::fromStdString(release.artist),
                                 QString::fromStdString(release.title),
                                 QString::fromStdString(releaseYear(release)),
                                 QString::fromStdString(release.country),
                                 format,
                                 QString::fromStdString(release.barcode),
                                 QString::number(release.tracks.size())};
        for (int column = 0; column < 7; ++column)
            tblReleases_->setItem(row, column, new QTableWidgetItem(cells[column]));
    }
    tblReleases_->resizeColumnsToContents();
    if (!releases.empty()) tblReleases_->selectRow(0);
    layout->addWidget(tblReleases_);

    const OkCancelButtons buttons = okCancelButtons(this, ja("ReleaseChooser", "キャンセル"));
    cmdOK_ = buttons.ok;
    cmdCancel_ = buttons.cancel;
    connect(tblReleases_, &QTableWidget::cellDoubleClicked, this, &QDialog::accept);
    layout->addWidget(buttons.box);
    resize(640, 280);
}

void ReleaseChooser::showHeadings()
{
    static constexpr Ja Headings[] = {ja("ReleaseChooser", "アーティスト"), ja("ReleaseChooser", "タイトル"),
                                      ja("ReleaseChooser", "年"),           ja("ReleaseChooser", "国"),
                                      ja("ReleaseChooser", "形式"),         ja("ReleaseChooser", "バーコード"),
                                      ja("ReleaseChooser", "曲数")};
    QStringList headings;
    for (const Ja& heading : Headings) headings << translated(heading);
    tblReleases_->setHorizontalHeaderLabels(headings);
}

void ReleaseChooser::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange && tblReleases_) showHeadings();
    QDialog::changeEvent(event);
}

int ReleaseChooser::chosen() const
{
    const QList<QTableWidgetSelectionRange> ranges = tblReleases_->selectedRanges();
    return ranges.isEmpty() ? -1 : ranges.front().topRow();
}

}  // namespace vantoli
