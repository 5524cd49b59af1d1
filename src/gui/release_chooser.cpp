#include "gui/release_chooser.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "gui/fonts.h"

namespace vantoli {

ReleaseChooser::ReleaseChooser(const std::vector<DiscRelease>& releases, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("ReleaseChooser"));
    setWindowTitle(QStringLiteral("リリースの選択"));
    setFont(windowFont());
    setModal(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(
        new QLabel(QStringLiteral("このCDは次のリリースに含まれています。曲名を使うものを選んでください。"), this));

    tblReleases_ = new QTableWidget(static_cast<int>(releases.size()), 7, this);
    tblReleases_->setObjectName(QStringLiteral("tblReleases"));
    tblReleases_->setHorizontalHeaderLabels({QStringLiteral("アーティスト"), QStringLiteral("タイトル"),
                                             QStringLiteral("年"), QStringLiteral("国"), QStringLiteral("形式"),
                                             QStringLiteral("バーコード"), QStringLiteral("曲数")});
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

    auto* buttons = new QDialogButtonBox(this);
    cmdOK_ = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    cmdOK_->setObjectName(QStringLiteral("cmdOK"));
    cmdCancel_ = buttons->addButton(QStringLiteral("キャンセル"), QDialogButtonBox::RejectRole);
    cmdCancel_->setObjectName(QStringLiteral("cmdCancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(tblReleases_, &QTableWidget::cellDoubleClicked, this, &QDialog::accept);
    layout->addWidget(buttons);
    resize(640, 280);
}

int ReleaseChooser::chosen() const
{
    const QList<QTableWidgetSelectionRange> ranges = tblReleases_->selectedRanges();
    return ranges.isEmpty() ? -1 : ranges.front().topRow();
}

}  // namespace vantoli
