#pragma once
// The main window: layout and wiring only; the logic lives in the core.

#include <QMainWindow>

class Catalog;
class QLabel;
class QListView;

class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    explicit TMainForm(Catalog &catalog, QWidget *parent = nullptr);

private:
    Catalog &catalog_;
    QListView *all_;
    QLabel *AllTotal;
};
