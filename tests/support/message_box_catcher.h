#pragma once
// Closes every modal message box that appears while it is alive, by pressing its OK button, and
// records what the box showed.

#include <QAbstractButton>
#include <QApplication>
#include <QList>
#include <QMessageBox>
#include <QPointer>
#include <QStringList>
#include <QTimer>

namespace vantoli::test {

struct ShownMessage {
    QString title;
    QStringList lines;  // the box's text split at its line ends
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons standardButtons;
    int buttonCount = 0;
    Qt::TextFormat textFormat = Qt::AutoText;
    bool modal = false;
};

class MessageBoxCatcher {
public:
    MessageBoxCatcher()
    {
        QObject::connect(&poll_, &QTimer::timeout, [this] { closeActiveBox(); });
        poll_.start(5);
    }

    const QList<ShownMessage>& shown() const { return shown_; }

private:
    void closeActiveBox()
    {
        QPointer<QMessageBox> box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible()) return;
        ShownMessage message;
        message.title = box->windowTitle();
        message.lines = box->text().split(QLatin1Char('\n'));
        message.icon = box->icon();
        message.standardButtons = box->standardButtons();
        message.buttonCount = static_cast<int>(box->buttons().size());
        message.textFormat = box->textFormat();
        message.modal = box->isModal();
        shown_.append(message);
        if (QAbstractButton* ok = box->button(QMessageBox::Ok))
            ok->click();
        else
            box->reject();  // a box without OK fails the test through its recorded buttons
    }

    QTimer poll_;
    QList<ShownMessage> shown_;
};

}  // namespace vantoli::test
