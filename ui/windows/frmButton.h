#pragma once

// The floating button: the calculator shrunk to a small dark square in the top left
// corner of the screen, above every other window, while the player works elsewhere.
// "Buttonize" opens it and hides the main window; one click on it, or Space, Enter
// or Escape while it has the focus (it takes it when it opens), brings the main
// window back and discards the square.

#include <QFrame>

class QLabel;

namespace brenta::ui {

class frmMain;

class frmButton : public QFrame {
    Q_OBJECT
public:
    explicit frmButton(frmMain& main);

    QLabel* Label1 = nullptr;

    // Hides the main window and shows the square at the top left of the screen.
    void FormLoad();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    frmMain& main_;
    bool pressed_ = false;
};

} // namespace brenta::ui
