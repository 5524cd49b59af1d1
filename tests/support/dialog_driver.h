#pragma once
// Answers the program's modal windows as a user would, for tests that go through a file dialog.

#include <QApplication>
#include <QFileDialog>
#include <QList>
#include <QMessageBox>
#include <QStringList>
#include <QTimer>

namespace vantoli::test {

// Answers every modal window that opens while it lives, as a user would: a file dialog gets the
// chosen path (or Cancel when the path is empty), a message box its OK. Records what it saw.
class DialogDriver : public QObject {
public:
    struct Seen {
        QString kind;
        QString title;
        QString text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QStringList nameFilters;
        QString defaultSuffix;
        QFileDialog::AcceptMode acceptMode = QFileDialog::AcceptOpen;
        QFileDialog::FileMode fileMode = QFileDialog::AnyFile;
    };

    explicit DialogDriver(QString answer) : answer_(std::move(answer))
    {
        connect(&timer_, &QTimer::timeout, this, &DialogDriver::answerModal);
        timer_.start(5);
    }

    QList<Seen> seen;

    QList<Seen> messages() const
    {
        QList<Seen> boxes;
        for (const Seen& s : seen)
            if (s.kind == "message") boxes << s;
        return boxes;
    }
    int fileDialogs() const { return static_cast<int>(seen.size() - messages().size()); }

private:
    void answerModal()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible()) return;
        Seen s;
        if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
            s.kind = "file";
            s.nameFilters = dialog->nameFilters();
            s.defaultSuffix = dialog->defaultSuffix();
            s.acceptMode = dialog->acceptMode();
            s.fileMode = dialog->fileMode();
            seen << s;
            if (answer_.isEmpty()) {
                dialog->reject();
            } else {
                dialog->selectFile(answer_);
                static_cast<QDialog*>(dialog)->accept();
            }
        } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            s.kind = "message";
            s.title = box->windowTitle();
            s.text = box->text();
            s.icon = box->icon();
            seen << s;
            box->accept();
        } else {
            s.kind = modal->metaObject()->className();
            seen << s;
            modal->close();
        }
    }

    QString answer_;
    QTimer timer_;
};

}  // namespace vantoli::test
