// The main window's Settings > Language submenu: follow the system, Japanese or English.

#include <QActionGroup>
#include <QEvent>
#include <QLabel>
#include <QMenu>

#include "core/plan_report.h"
#include "core/time_text.h"
#include "gui/fonts.h"
#include "gui/main_form.h"
#include "gui/tape_settings.h"

namespace vantoli {

void MainForm::createLanguageMenu()
{
    struct LanguageRow {
        const char* name;
        const char* caption;
        LanguageChoice choice;
    };
    // clang-format off
    const LanguageRow rows[] = {
        {"mnuSettingLanguageSystem",   QT_TRANSLATE_NOOP("MainForm", "システムに合わせる"), LanguageChoice::System},
        {"mnuSettingLanguageJapanese", QT_TRANSLATE_NOOP("MainForm", "日本語"),             LanguageChoice::Japanese},
        {"mnuSettingLanguageEnglish",  QT_TRANSLATE_NOOP("MainForm", "English"),            LanguageChoice::English},
    };
    // clang-format on

    auto* settings = qobject_cast<QMenu*>(mnuSettingTapes_->parent());
    if (!settings) return;
    settings->addSeparator()->setObjectName(QStringLiteral("mnuSettingBar2"));
    mnuSettingLanguage_ = settings->addMenu(QString());
    mnuSettingLanguage_->setObjectName(QStringLiteral("mnuSettingLanguage"));
    mnuSettingLanguage_->menuAction()->setObjectName(QStringLiteral("mnuSettingLanguage"));
    showText(mnuSettingLanguage_, ja("MainForm", "言語 (Language)"));

    auto* group = new QActionGroup(mnuSettingLanguage_);
    const LanguageChoice kept = loadLanguageChoice();
    for (const LanguageRow& row : rows) {
        QAction* item = mnuSettingLanguage_->addAction(QString());
        item->setObjectName(QString::fromLatin1(row.name));
        showText(item, "MainForm", row.caption);
        item->setCheckable(true);
        item->setChecked(row.choice == kept);
        group->addAction(item);
        const LanguageChoice choice = row.choice;
        connect(item, &QAction::triggered, this, [this, choice] { mnuSettingLanguage_Click(choice); });
    }
}

void MainForm::mnuSettingLanguage_Click(LanguageChoice choice)
{
    saveLanguageChoice(choice);
    useLanguage(languageOf(choice));
}

void MainForm::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange) {
        if (!TapeType_->text().isEmpty()) {
            TapeType_->setText(QString::fromStdString(tapeCaption(shownTapeMinutes_)));
            condenseToFit(TapeType_);
        }
        if (Report* open = report_.window(); open && reported_)
            open->setText(QString::fromStdString(PlanReportText(*reported_)));
        if (status_) showStatus(*status_);
        showOptimalTip();
        showTitle();
        showTitleTips();
    }
    QMainWindow::changeEvent(event);
}

}  // namespace vantoli
