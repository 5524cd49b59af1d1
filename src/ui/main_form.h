#pragma once

#include <QMainWindow>

namespace vantoli {

// The program's start-up window: the entry grid, the plan panel and the menus.
class MainForm : public QMainWindow {
    Q_OBJECT
public:
    explicit MainForm(QWidget* parent = nullptr);
};

}  // namespace vantoli
