#include "gui/report_file.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QPainter>
#include <QPdfWriter>

#include "gui/message_box.h"
#include "gui/save_file.h"

namespace vantoli {

void askForRecording(QWidget* owner, const QString& caption, const QString& objectName,
                     std::function<void(const QString&)> chosen)
{
    auto* dialog = new QFileDialog(
        owner, caption, QString(),
        QCoreApplication::translate("vantoli::ReportFile", "音声ファイル (*.wav *.flac *.mp3 *.ogg *.opus *.m4a);;すべてのファイル (*)"));
    dialog->setObjectName(objectName);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setFileMode(QFileDialog::ExistingFile);
    QObject::connect(dialog, &QFileDialog::fileSelected, owner, std::move(chosen));
    dialog->open();
}

void askWhereToSaveReport(QWidget* owner, const QString& suggestedName, std::function<void(const QString&)> chosen)
{
    auto* dialog = new QFileDialog(owner, QCoreApplication::translate("vantoli::ReportFile", "レポートを PDF に保存"),
                                   suggestedName, QStringLiteral("PDF (*.pdf)"));
    dialog->setObjectName(QStringLiteral("dlgSaveReport"));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setDefaultSuffix(QStringLiteral("pdf"));
    QObject::connect(dialog, &QFileDialog::fileSelected, owner, [chosen = std::move(chosen)](QString path) {
        if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".pdf");
        chosen(path);
    });
    dialog->open();
}

bool saveReportPdf(QWidget* owner, const QString& path, const QString& title,
                   const std::function<void(QPainter&, const QRect&)>& draw, const QString& text)
{
    QBuffer page;
    page.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&page);
        writer.setResolution(300);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(15, 15, 15, 15)));
        writer.setTitle(title);
        writer.setCreator(QStringLiteral("Vantoli"));
        QPainter painter;
        if (!painter.begin(&writer)) return false;
        const QRect area = writer.pageLayout().paintRectPixels(writer.resolution());
        const QRect whole(0, 0, area.width(), area.height());
        QFont font = painter.font();
        font.setPointSizeF(16);
        painter.setFont(font);
        const int heading = painter.fontMetrics().height() * 2;
        painter.drawText(QRect(0, 0, whole.width(), heading), Qt::AlignLeft | Qt::AlignTop, title);
        const QRect picture(0, heading, whole.width(), whole.width() * 2 / 5);
        draw(painter, picture);
        font.setPointSizeF(9.5);
        painter.setFont(font);
        painter.drawText(
            QRect(0, picture.bottom() + heading / 2, whole.width(), whole.height() - picture.bottom() - heading / 2),
            Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text);
        if (!painter.end()) return false;
    }
    if (const std::optional<QString> failure = saveWholeFile(path, page.data())) {
        showMessage(owner, Message{QCoreApplication::translate("vantoli::ReportFile", "保存エラー").toStdString(),
                                   failure->toStdString(), MessageIcon::Stop});
        return false;
    }
    return true;
}

}  // namespace vantoli
