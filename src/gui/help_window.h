#pragma once
// The help viewer: the program's help pages, shown in a window of their own beside the main window.
// mnuHelpTopic_Click calls showHelp(this).

#include <QMainWindow>
#include <QString>

class QTextBrowser;

namespace vantoli {

// The help's default topic inside a help folder: index.html, or in English en/index.html.
QString helpTopicPath(const QString& helpFolder);

// A modeless window over the main window that browses the help pages, with back, forward and the
// default topic on its tool bar. It belongs to the main window and ends with it.
class HelpWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* mainWindow);

    // Shows the page at topicPath, brings the window to the front and gives it the focus.
    void showTopic(const QString& topicPath);

    QTextBrowser* browser() const { return browser_; }

protected:
    // A change of language shows the same page in the new language.
    void changeEvent(QEvent* event) override;

private:
    void placeBesideOwner();
    void showTitle();

    QTextBrowser* browser_ = nullptr;
    bool placed_ = false;
};

// The help command: opens the help's default topic from the installed help (gui/program_files.h) in
// the main window's help window, creating the window on first use and raising it after that. When the
// help is not there, returns without a word.
void showHelp(QWidget* mainWindow);

// The same with the help taken from helpFolder.
void showHelp(QWidget* mainWindow, const QString& helpFolder);

}  // namespace vantoli
