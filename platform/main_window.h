// The Qt widget behind the main window. It only translates Qt's events into the layer's
// messages and events; the state lives in PlatformState.
#pragma once

#include <QWidget>

class QWindow;

class MainWindow : public QWidget {
  public:
    MainWindow();
    // Installed on the window's QWindow: its exposes, and the pointer in whole pixels.
    bool eventFilter(QObject* watched, QEvent* event) override;

  protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    static void OnExpose(const QWindow& native);
};
