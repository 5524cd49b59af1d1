#include "gui/message_box.h"

#include <QMessageBox>

namespace vantoli {

namespace {

QMessageBox::Icon boxIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Stop: return QMessageBox::Critical;
    case MessageIcon::Information: return QMessageBox::Information;
    case MessageIcon::Exclamation: return QMessageBox::Warning;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

void showMessage(QWidget* parent, const Message& shown)
{
    // A message naming what a file holds could be taller than the screen.
    const Message message = screenful(shown);
    // Qt shows a lone carriage return as a blank, so every line end becomes a line feed.
    QString text = QString::fromStdString(message.text);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QMessageBox box(boxIcon(message.icon), QString::fromStdString(message.title), text, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

bool askToSave(QWidget* parent, const QString& question, const QString& lost, const std::function<bool()>& save)
{
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Vantoli"), question,
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
    box.setInformativeText(lost);
    box.setDefaultButton(QMessageBox::Save);
    switch (box.exec()) {
    case QMessageBox::Save: return save();
    case QMessageBox::Discard: return true;
    default: return false;
    }
}

}  // namespace vantoli
