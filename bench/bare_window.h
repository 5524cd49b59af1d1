#pragma once
// The yardstick for the main window: a plain QMainWindow with a menu bar of three menus and as many
// widgets of the same kinds as the main window (78 labels, 20 line edits, 2 buttons), with no
// fonts, icon or layout tables, and no texts unless `text` is given: then every menu, item, label and
// button shows it.

#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

#include <memory>

inline std::unique_ptr<QMainWindow> makeBareWindow(const QString& text = {})
{
    auto window = std::make_unique<QMainWindow>();
    const int itemsPerMenu[] = {6, 4, 3};
    for (int items : itemsPerMenu) {
        QMenu* menu = window->menuBar()->addMenu(text.isEmpty() ? QStringLiteral("Menu") : text);
        for (int i = 0; i < items; ++i) menu->addAction(text.isEmpty() ? QStringLiteral("Item") : text);
    }
    auto* client = new QWidget;
    window->setCentralWidget(client);
    int n = 0;
    auto place = [&n](QWidget* w) {
        w->setGeometry(16 * (n % 25), 16 * (n / 25), 16, 16);
        ++n;
    };
    for (int i = 0; i < 78; ++i) place(new QLabel(text, client));
    for (int i = 0; i < 20; ++i) place(new QLineEdit(client));
    for (int i = 0; i < 2; ++i) place(new QPushButton(text, client));
    window->resize(441, 305);
    return window;
}
