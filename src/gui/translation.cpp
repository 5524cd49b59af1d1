#include "gui/translation.h"

#include "gui/fonts.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QMenu>
#include <QTranslator>
#include <QWidget>

namespace vantoli {

namespace {

// Where a control keeps the Japanese source of its texts: "context\ntext".
constexpr const char* TextKey = "vantoli.text";
constexpr const char* ToolTipKey = "vantoli.toolTip";
constexpr const char* PlaceholderKey = "vantoli.placeholder";

QByteArray keep(const char* context, const char* text) { return QByteArray(context) + '\n' + text; }

QString translatedKept(const QVariant& kept)
{
    const QByteArray source = kept.toByteArray();
    const qsizetype split = source.indexOf('\n');
    return QCoreApplication::translate(source.left(split).constData(), source.mid(split + 1).constData());
}

void applyText(QObject* control, const QString& text)
{
    if (auto* label = qobject_cast<QLabel*>(control))
        label->setText(text);
    else if (auto* button = qobject_cast<QAbstractButton*>(control))
        button->setText(text);
    else if (auto* box = qobject_cast<QGroupBox*>(control))
        box->setTitle(text);
    else if (auto* menu = qobject_cast<QMenu*>(control))
        menu->setTitle(text);
    else if (auto* action = qobject_cast<QAction*>(control))
        action->setText(text);
    else if (auto* window = qobject_cast<QWidget*>(control); window && window->isWindow())
        window->setWindowTitle(text);
}

void applyToolTip(QObject* control, const QString& text)
{
    if (auto* widget = qobject_cast<QWidget*>(control))
        widget->setToolTip(text);
    else if (auto* action = qobject_cast<QAction*>(control))
        action->setToolTip(text);
}

void retranslate(QObject* object)
{
    if (const QVariant kept = object->property(TextKey); kept.isValid()) applyText(object, translatedKept(kept));
    if (const QVariant kept = object->property(ToolTipKey); kept.isValid()) applyToolTip(object, translatedKept(kept));
    if (const QVariant kept = object->property(PlaceholderKey); kept.isValid())
        if (auto* edit = qobject_cast<QLineEdit*>(object)) edit->setPlaceholderText(translatedKept(kept));
}

// Qt sends LanguageChange to every window and on to each of its widgets; a widget's actions (the items
// of a menu, the buttons of a tool bar) are shown anew with it.
class Retranslator : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::LanguageChange) {
            retranslate(watched);
            if (auto* widget = qobject_cast<QWidget*>(watched))
                for (QAction* action : widget->actions()) retranslate(action);
        }
        return false;
    }
};

Language spoken = Language::Japanese;

}  // namespace

QString translated(const char* context, const char* text) { return QCoreApplication::translate(context, text); }

QString translated(Ja text) { return translated(text.context, text.text); }

void showText(QObject* control, const char* context, const char* text)
{
    control->setProperty(TextKey, keep(context, text));
    applyText(control, translated(context, text));
}

void showText(QObject* control, Ja text) { showText(control, text.context, text.text); }

void showToolTip(QObject* control, const char* context, const char* text)
{
    control->setProperty(ToolTipKey, keep(context, text));
    applyToolTip(control, translated(context, text));
}

void showToolTip(QObject* control, Ja text) { showToolTip(control, text.context, text.text); }

void showPlaceholder(QObject* control, Ja text)
{
    control->setProperty(PlaceholderKey, keep(text.context, text.text));
    retranslate(control);
}

Language languageOf(LanguageChoice choice)
{
    switch (choice) {
    case LanguageChoice::Japanese: return Language::Japanese;
    case LanguageChoice::English: return Language::English;
    case LanguageChoice::System: break;
    }
    return languageFromEnvironment();
}

void useLanguage(Language language)
{
    static QTranslator* english = nullptr;
    static QTranslator* qtJapanese = nullptr;
    static bool following = false;
    if (!following) {
        qApp->installEventFilter(new Retranslator(qApp));
        following = true;
    }
    spoken = language;
    setLanguage(language);

    if (language == Language::English) {
        if (qtJapanese) QCoreApplication::removeTranslator(qtJapanese);
        if (!english) {
            english = new QTranslator(qApp);
            if (!english->load(QStringLiteral(":/i18n/vantoli_en.qm"))) qWarning("The English texts are missing.");
        }
        QCoreApplication::installTranslator(english);
    } else {
        if (english) QCoreApplication::removeTranslator(english);
        drawGenericFamilyWithWindowFace();
        // The program has always shown Qt's own dialogs (file dialogs, message box buttons) in Japanese.
        if (!qtJapanese) {
            qtJapanese = new QTranslator(qApp);
            if (!qtJapanese->load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
                delete qtJapanese;
                qtJapanese = nullptr;
            }
        }
        if (qtJapanese) QCoreApplication::installTranslator(qtJapanese);
    }
}

QString languageCode() { return spoken == Language::English ? QStringLiteral("en") : QStringLiteral("ja"); }

}  // namespace vantoli
