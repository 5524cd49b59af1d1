#include "support/modal_answerer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QFileInfo>
#include <QTimer>

namespace vantoli::test {

namespace {

// The answerer in charge; the innermost one when tests nest them.
QList<ModalAnswerer*>& answerers()
{
    static QList<ModalAnswerer*> list;
    return list;
}

QString describe(const QWidget* window)
{
    return QStringLiteral("%1 \"%2\"").arg(QLatin1String(window->metaObject()->className()), window->windowTitle());
}

void closeWindow(QWidget* window)
{
    if (auto* dialog = qobject_cast<QDialog*>(window))
        dialog->reject();
    else
        window->close();
}

}  // namespace

bool isModalWindow(const QObject* object)
{
    const auto* widget = qobject_cast<const QWidget*>(object);
    return widget && widget->isWindow() && widget->windowModality() != Qt::NonModal;
}

ModalAnswerer::ModalAnswerer(QStringList fileAnswers) : fileAnswers_(std::move(fileAnswers))
{
    answerers().append(this);
    qApp->installEventFilter(this);
}

ModalAnswerer::~ModalAnswerer()
{
    qApp->removeEventFilter(this);
    answerers().removeOne(this);
}

QList<SeenModal> ModalAnswerer::messages() const
{
    QList<SeenModal> boxes;
    for (const SeenModal& s : seen_)
        if (s.kind == SeenModal::Kind::Message) boxes << s;
    return boxes;
}

int ModalAnswerer::unsavedQuestions() const
{
    int count = 0;
    for (const SeenModal& s : seen_) count += s.kind == SeenModal::Kind::Unsaved;
    return count;
}

int ModalAnswerer::fileDialogs() const
{
    int count = 0;
    for (const SeenModal& s : seen_) count += s.kind == SeenModal::Kind::FileDialog;
    return count;
}

bool ModalAnswerer::eventFilter(QObject* watched, QEvent* event)
{
    // Only the innermost answerer answers; the call is queued, so it runs once the window's own event
    // loop has started.
    if (event->type() == QEvent::Show && isModalWindow(watched) && answerers().last() == this) {
        QPointer<QWidget> window = static_cast<QWidget*>(watched);
        QMetaObject::invokeMethod(
            this,
            [this, window] {
                if (window && window->isVisible()) answer(window);
            },
            Qt::QueuedConnection);
    }
    return false;
}

void ModalAnswerer::answer(QWidget* window)
{
    SeenModal s;
    s.className = QLatin1String(window->metaObject()->className());
    s.title = window->windowTitle();
    s.modal = window->isModal();

    if (auto* dialog = qobject_cast<QFileDialog*>(window)) {
        s.kind = SeenModal::Kind::FileDialog;
        s.nameFilters = dialog->nameFilters();
        s.defaultSuffix = dialog->defaultSuffix();
        s.acceptMode = dialog->acceptMode();
        s.fileMode = dialog->fileMode();
        seen_ << s;
        const QString path = fileAnswers_.isEmpty() ? QString() : fileAnswers_.takeFirst();
        if (path.isEmpty()) {
            dialog->reject();
        } else if (path.contains(QLatin1Char('\n'))) {
            // Several files: their names, each in quotes, as the dialog's own name box takes them.
            const QStringList paths = path.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
            dialog->setDirectory(QFileInfo(paths.first()).absolutePath());
            QStringList names;
            for (const QString& one : paths) names << QLatin1Char('"') + QFileInfo(one).fileName() + QLatin1Char('"');
            dialog->selectFile(names.join(QLatin1Char(' ')));
            static_cast<QDialog*>(dialog)->accept();
        } else {
            dialog->selectFile(path);
            static_cast<QDialog*>(dialog)->accept();  // may ask before replacing a file: answered too
        }
        return;
    }

    if (auto* box = qobject_cast<QMessageBox*>(window)) {
        s.text = box->text();
        s.lines = box->text().split(QLatin1Char('\n'));
        s.icon = box->icon();
        s.standardButtons = box->standardButtons();
        s.buttonCount = static_cast<int>(box->buttons().size());
        s.textFormat = box->textFormat();
        const bool question = qobject_cast<QFileDialog*>(box->parentWidget()) != nullptr;
        const bool unsaved = !question && box->button(QMessageBox::Discard);
        s.kind = question ? SeenModal::Kind::Overwrite : unsaved ? SeenModal::Kind::Unsaved : SeenModal::Kind::Message;
        seen_ << s;
        QMessageBox::StandardButton choice =
            question ? (replaceFiles ? QMessageBox::Yes : QMessageBox::No) : QMessageBox::Ok;
        // A question of the program's own, Yes or No.
        if (!question && !box->button(QMessageBox::Ok) && box->button(QMessageBox::Yes)) choice = answerQuestions;
        if (unsaved) choice = answerUnsaved;
        if (QAbstractButton* button = box->button(choice))
            button->click();
        else
            box->reject();
        // A user who will not replace the file then cancels the file dialog.
        if (question && !replaceFiles) {
            QPointer<QFileDialog> dialog = qobject_cast<QFileDialog*>(box->parentWidget());
            QMetaObject::invokeMethod(
                this,
                [dialog] {
                    if (dialog && dialog->isVisible()) dialog->reject();
                },
                Qt::QueuedConnection);
        }
        return;
    }

    seen_ << s;
    if (answerOther)
        answerOther(window);
    else
        closeWindow(window);
}

ModalWatch::ModalWatch() : deadlineMs_(qEnvironmentVariableIntValue("VANTOLI_MODAL_DEADLINE_MS"))
{
    if (deadlineMs_ <= 0) deadlineMs_ = DefaultDeadlineMs;
    qApp->installEventFilter(this);
}

bool ModalWatch::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Show && isModalWindow(watched)) {
        QPointer<QWidget> window = static_cast<QWidget*>(watched);
        // A deadline, not a poll: once, a few seconds after the window was shown.
        QTimer::singleShot(deadlineMs_, this, [window] {
            if (!window || !window->isVisible()) return;
            const QByteArray what = QStringLiteral("a modal window nobody answered: %1").arg(describe(window)).toUtf8();
            closeWindow(window);
            QTest::qFail(what.constData(), __FILE__, __LINE__);
        });
    }
    return false;
}

}  // namespace vantoli::test
