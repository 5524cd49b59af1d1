#include "gui/jcard_output.h"

#include <QBuffer>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include "gui/jcard_painter.h"
#include "gui/save_file.h"
#include "gui/translation.h"

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
    return label.title.empty() ? translated(ja("CassetteLabel", "カセットレーベル"))
                               : QString::fromStdString(label.title);
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
    const QString title = translated(ja("CassetteLabel", "保存エラー"));
    // The page is made in memory and then written in one piece.
    QBuffer page;
    page.open(QIODevice::WriteOnly);
    if (!writeJCardPdf(page, label)) return message(title, translated(ja("CassetteLabel", "PDF を作れませんでした。")));
    if (const std::optional<QString> failure = saveWholeFile(path, page.data())) return message(title, *failure);
    return std::nullopt;
}

PrintJob jcardPrintJob(const LabelContent& label)
{
    return PrintJob{translated(ja("CassetteLabel", "カセットレーベルの印刷")), documentTitle(label),
                    [label](QPainter& painter, const QRectF& paper) { paintJCardPage(painter, label, paper); }};
}

std::optional<Message> printFailure(std::optional<PrintOutcome> outcome)
{
    const QString title = translated(ja("CassetteLabel", "印刷エラー"));
    if (!outcome) return message(title, translated(ja("CassetteLabel", "印刷の機能を読み込めませんでした。")));
    if (*outcome == PrintOutcome::PrinterNotStarted)
        return message(title, translated(ja("CassetteLabel", "プリンターに印刷できませんでした。")));
    return std::nullopt;
}

}  // namespace vantoli
