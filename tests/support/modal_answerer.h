#pragma once
// Modal windows in tests: each one is answered as a user would answer it, at the moment it is shown,
// by a queued call that runs inside the window's own event loop. A window that opens another modal
// window (the file dialog's question before replacing a file, a message box after a dialog) is
// answered the same way, one loop further in. No timer polls for windows.
//
// Every test program that opens windows starts through VANTOLI_GUI_TEST_MAIN, which watches every
// modal window: one that is still open a few seconds after it was shown fails the running test,
// naming the window, and is closed, so that a test never hangs on a window nobody answers.

#include <QFileDialog>
#include <QList>
#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTest>

#include <functional>

#include "support/settings_sandbox.h"

namespace vantoli::test {

// What a modal window showed when it was answered.
struct SeenModal {
    enum class Kind { Message, FileDialog, Overwrite, Unsaved, Other };  // Unsaved: Save, Discard or Cancel
    Kind kind = Kind::Other;
    QString className;
    QString title;
    QString text;
    QStringList lines;  // the text split at its line ends
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons standardButtons;
    int buttonCount = 0;
    Qt::TextFormat textFormat = Qt::AutoText;
    bool modal = false;
    QStringList nameFilters;
    QString defaultSuffix;
    QFileDialog::AcceptMode acceptMode = QFileDialog::AcceptOpen;
    QFileDialog::FileMode fileMode = QFileDialog::AnyFile;
};

// Answers every modal window shown while it lives:
// - a file dialog gets the next of `fileAnswers` (a path, or an empty string for Cancel), and Cancel
//   when none is left; an answer of several paths, one a line, chooses them all in a dialog for
//   several files (they must lie in one folder);
// - the file dialog's question before it replaces a file gets Yes; with replaceFiles false it gets No,
//   and the file dialog is then cancelled;
// - a message box gets OK (a box without OK is rejected, which its recorded buttons show), a question
//   with Yes and No gets answerQuestions;
// - any other modal window is given to answerOther, or closed.
class ModalAnswerer : public QObject {
public:
    explicit ModalAnswerer(QStringList fileAnswers = {});
    ~ModalAnswerer() override;
    ModalAnswerer(const ModalAnswerer&) = delete;
    ModalAnswerer& operator=(const ModalAnswerer&) = delete;

    const QList<SeenModal>& seen() const { return seen_; }
    // The message boxes among them, the question before replacing a file left out.
    QList<SeenModal> messages() const;
    int fileDialogs() const;

    bool replaceFiles = true;
    // The answer to a question of the program's own (a box with Yes and No).
    QMessageBox::StandardButton answerQuestions = QMessageBox::No;
    // The answer to the question before unsaved work is replaced (Save, Discard or Cancel): by
    // default the work goes, as it did before the program asked.
    QMessageBox::StandardButton answerUnsaved = QMessageBox::Discard;
    // How many times that question was asked.
    int unsavedQuestions() const;
    std::function<void(QWidget*)> answerOther;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void answer(QWidget* window);

    QStringList fileAnswers_;
    QList<SeenModal> seen_;
};

// Watches every modal window of the program for as long as it lives; see the top of this file. The
// deadline is 10 s, or VANTOLI_MODAL_DEADLINE_MS milliseconds when that is set.
class ModalWatch : public QObject {
public:
    static constexpr int DefaultDeadlineMs = 10000;
    ModalWatch();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int deadlineMs_;
};

// Whether a widget is a window that blocks others while it is shown.
bool isModalWindow(const QObject* object);

}  // namespace vantoli::test

// QTEST_MAIN for test programs that open windows: the same, with every modal window watched and the
// settings kept in a folder of the test's own (settings_sandbox.h).
#define VANTOLI_GUI_TEST_MAIN(TestObject)                                                                              \
    QTEST_MAIN_WRAPPER(TestObject, QTEST_MAIN_SETUP() vantoli::test::SettingsSandbox settingsSandbox;                  \
                       vantoli::test::ModalWatch modalWatch;)
