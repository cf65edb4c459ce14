#pragma once

// The floating button: the calculator shrunk to a small dark square in the top left
// corner of the screen, above every other window, while the player works elsewhere.
// "Buttonize" opens it and hides the main window; one click on it, or Space, Enter
// or Escape while it has the focus (it takes it when it opens), brings the main
// window back and discards the square.

#include <QFrame>

#include <functional>

class QLabel;

namespace brenta::ui {

class frmButton : public QFrame {
    Q_OBJECT
public:
    // What the square asks of the window it stands for.
    struct Owner {
        // True once its shut-down has begun: the square closing then leaves it hidden.
        std::function<bool()> unloading;
        // Whether it is to come back in the topmost band ("Always on Top").
        std::function<bool()> alwaysOnTop;
    };

    // The square standing for owner, a window of owner's.
    frmButton(QWidget& owner, Owner calls);

    QLabel* Label1 = nullptr;

    // Hides the main window and shows the square at the top left of the screen.
    void FormLoad();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget& owner_;
    Owner calls_;
    bool pressed_ = false;
};

} // namespace brenta::ui
