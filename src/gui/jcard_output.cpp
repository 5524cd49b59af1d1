#include "gui/jcard_output.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>

#include "gui/jcard_painter.h"

namespace vantoli {

namespace {

// Fine enough for the hairlines of the fold lines; the type is vector outlines at any resolution.
constexpr int PdfResolution = 1200;

Message message(const QString& title, const QString& text)
{
    return Message{title.toStdString(), text.toStdString(), MessageIcon::Stop};
}

QString documentTitle(const LabelContent& label)
{
    return label.title.empty() ? QStringLiteral("カセットレーベル") : QString::fromStdString(label.title);
}

}  // namespace

bool writeJCardPdf(QIODevice& device, const LabelContent& label)
{
    QPdfWriter writer(&device);
    writer.setResolution(PdfResolution);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    writer.setTitle(documentTitle(label));
    writer.setCreator(QStringLiteral("Vantoli"));

    QPainter painter;
    if (!painter.begin(&writer)) return false;
    paintJCardPage(painter, label, writer.pageLayout().fullRectPixels(writer.resolution()));
    return painter.end();
}

std::optional<Message> saveJCardPdf(const QString& path, const LabelContent& label)
{
    const QString title = QStringLiteral("保存エラー");
    const QString shown = QDir::toNativeSeparators(path);
    // QSaveFile would put a new file in place of a device or a pipe: only a file is replaced.
    const QFileInfo existing(path);
    if (existing.exists() && !existing.isFile())
        return message(title, QStringLiteral("「%1」はファイルではないため、保存できません。").arg(shown));

    // The page is made in memory and written in one piece: QSaveFile notices a write that fails, but
    // not a failure of the final flush of its buffer, so the file is opened unbuffered.
    QBuffer page;
    page.open(QIODevice::WriteOnly);
    if (!writeJCardPdf(page, label)) return message(title, QStringLiteral("PDF を作れませんでした。"));
    const QByteArray& content = page.data();

    QSaveFile file(path);
    QString reason;
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        reason = file.errorString();
    } else if (file.write(content) != content.size()) {
        // A write the system cut short without an error has no reason of its own.
        reason = file.error() == QFileDevice::NoError ? QStringLiteral("書き込みが途中で止まりました。")
                                                      : file.errorString();
    } else if (!file.commit()) {
        reason = file.errorString();
    } else {
        return std::nullopt;
    }
    // Unless committed, QSaveFile removes its temporary file and never touches the file at path.
    QString text = QStringLiteral("ファイル「%1」に保存できませんでした。\r%2").arg(shown, reason);
    if (existing.exists()) text += QStringLiteral("\r以前の内容はそのまま残っています。");
    return message(title, text);
}

std::optional<Message> printJCard(QPrinter& printer, const LabelContent& label)
{
    // The whole sheet, so that the card is centred on the paper rather than on the printable area.
    printer.setFullPage(true);
    printer.setDocName(documentTitle(label));
    QPainter painter;
    if (!painter.begin(&printer))
        return message(QStringLiteral("印刷エラー"), QStringLiteral("プリンターに印刷できませんでした。"));
    paintJCardPage(painter, label, printer.paperRect(QPrinter::DevicePixel));
    painter.end();
    return std::nullopt;
}

}  // namespace vantoli
