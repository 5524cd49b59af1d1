#include "gui/help_window.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QTextBrowser>
#include <QToolBar>
#include <QUrl>

#include <algorithm>

#include "gui/fonts.h"
#include "gui/program_files.h"
#include "gui/translation.h"

namespace vantoli {

namespace {

constexpr Ja HelpTitle = ja("HelpWindow", "Vantoli ヘルプ");

// A new help window's size in pixels; smaller when the screen is.
constexpr int PreferredWidth = 600;
constexpr int PreferredHeight = 640;
// Narrower than this, the free room beside the main window is not used and the window overlaps it.
constexpr int MinimumBesideWidth = 320;

}  // namespace

QString helpTopicPath(const QString& helpFolder)
{
    return helpFolder + (languageCode() == QLatin1String("en") ? QStringLiteral("/en/index.html")
                                                               : QStringLiteral("/index.html"));
}

HelpWindow::HelpWindow(QWidget* mainWindow) : QMainWindow(mainWindow, Qt::Window)
{
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(translated(HelpTitle));

    browser_ = new QTextBrowser(this);
    browser_->setObjectName(QStringLiteral("helpBrowser"));
    QFont font = windowFont();
    font.setPointSizeF(10.5);
    browser_->setFont(font);
    browser_->setOpenExternalLinks(true);
    setCentralWidget(browser_);

    QToolBar* tools = addToolBar(QString());
    tools->setObjectName(QStringLiteral("helpTools"));
    tools->setMovable(false);
    tools->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);

    QAction* back = tools->addAction(style()->standardIcon(QStyle::SP_ArrowBack), QString());
    showText(back, ja("HelpWindow", "戻る"));
    back->setObjectName(QStringLiteral("helpBack"));
    back->setEnabled(false);
    connect(back, &QAction::triggered, browser_, &QTextBrowser::backward);
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);

    QAction* forward = tools->addAction(style()->standardIcon(QStyle::SP_ArrowForward), QString());
    showText(forward, ja("HelpWindow", "進む"));
    forward->setObjectName(QStringLiteral("helpForward"));
    forward->setEnabled(false);
    connect(forward, &QAction::triggered, browser_, &QTextBrowser::forward);
    connect(browser_, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);

    QAction* home = tools->addAction(style()->standardIcon(QStyle::SP_DirHomeIcon), QString());
    showText(home, ja("HelpWindow", "目次"));
    home->setObjectName(QStringLiteral("helpHome"));
    connect(home, &QAction::triggered, browser_, &QTextBrowser::home);

    connect(browser_, &QTextBrowser::sourceChanged, this, &HelpWindow::showTitle);
}

void HelpWindow::showTitle()
{
    const QString page = browser_->documentTitle();
    const QString title = translated(HelpTitle);
    setWindowTitle(page.isEmpty() || page == title ? title : page + QStringLiteral(" - ") + title);
}

// The English pages lie in help/en/, beside the Japanese ones in help/, under the same names.
void HelpWindow::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange && browser_->source().isLocalFile()) {
        const QFileInfo shown(browser_->source().toLocalFile());
        const QDir pages = shown.dir().dirName() == QLatin1String("en")
                               ? QDir(shown.dir().filePath(QStringLiteral("..")))
                               : shown.dir();
        const QString wanted = languageCode() == QLatin1String("en")
                                   ? pages.filePath(QStringLiteral("en/") + shown.fileName())
                                   : pages.filePath(shown.fileName());
        if (QFileInfo(wanted).isFile() && QFileInfo(wanted).canonicalFilePath() != shown.canonicalFilePath()) {
            QUrl url = QUrl::fromLocalFile(QDir::cleanPath(wanted));
            url.setFragment(browser_->source().fragment());
            browser_->setSource(url);
            browser_->clearHistory();
        }
        showTitle();
    }
    QMainWindow::changeEvent(event);
}

void HelpWindow::showTopic(const QString& topicPath)
{
    const QUrl topic = QUrl::fromLocalFile(topicPath);
    if (browser_->source() == topic) {
        browser_->reload();
        browser_->verticalScrollBar()->setValue(0);
    } else {
        browser_->setSource(topic);
    }
    if (!placed_) {
        placeBesideOwner();
        placed_ = true;
    }
    if (isMinimized()) showNormal();
    show();
    raise();
    activateWindow();
}

// Puts the window to the right of the main window where the screen has room, else to its left, else
// over its right edge; the top edges line up. The window's frame is taken to be as wide as the main
// window's, since the window system has not framed this window yet.
void HelpWindow::placeBesideOwner()
{
    QWidget* owner = parentWidget();
    const QRect screen = (owner ? owner->screen() : this->screen())->availableGeometry();
    const QRect ownerFrame = owner ? owner->frameGeometry() : QRect(screen.topLeft(), QSize(0, 0));
    const QRect ownerClient = owner ? owner->geometry() : ownerFrame;
    const QMargins frame(ownerClient.left() - ownerFrame.left(), ownerClient.top() - ownerFrame.top(),
                         ownerFrame.right() - ownerClient.right(), ownerFrame.bottom() - ownerClient.bottom());

    int width = std::min(PreferredWidth + frame.left() + frame.right(), screen.width());
    const int height = std::min(PreferredHeight + frame.top() + frame.bottom(), screen.height());
    const int roomRight = screen.right() - ownerFrame.right();
    const int roomLeft = ownerFrame.left() - screen.left();
    int left = 0;
    if (roomRight >= MinimumBesideWidth) {
        width = std::min(width, roomRight);
        left = ownerFrame.right() + 1;
    } else if (roomLeft >= MinimumBesideWidth) {
        width = std::min(width, roomLeft);
        left = ownerFrame.left() - width;
    } else {
        left = screen.right() + 1 - width;
    }
    const int top = std::clamp(ownerFrame.top(), screen.top(), screen.bottom() + 1 - height);
    resize(width - frame.left() - frame.right(), height - frame.top() - frame.bottom());
    move(left, top);
}

void showHelp(QWidget* mainWindow) { showHelp(mainWindow, helpFolder()); }

void showHelp(QWidget* mainWindow, const QString& helpFolder)
{
    const QString topic = helpTopicPath(helpFolder);
    if (!mainWindow || !QFileInfo(topic).isFile()) return;
    auto* window = mainWindow->findChild<HelpWindow*>(QString(), Qt::FindDirectChildrenOnly);
    if (!window) window = new HelpWindow(mainWindow);
    window->showTopic(topic);
}

}  // namespace vantoli
