// The Qt widgets behind the main window and its image buttons. They only translate Qt's
// events into the layer's messages and events; the state lives in PlatformState.
#pragma once

#include <QEvent>
#include <QPushButton>
#include <QWidget>

class QKeyEvent;
class QWindow;

class MainWindow : public QWidget {
  public:
    MainWindow();
    static constexpr QEvent::Type RepaintRequest = QEvent::Type(QEvent::User + 15);
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

class ImageButton : public QPushButton {
  public:
    ImageButton(int number, const QImage& face, QWidget* parent);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    void PaintFace(QImage& pixels) const;

    QImage face_;
};

// A key press becomes the hook's message and, by default, an EvKeyDown.
void ReportKey(const QKeyEvent& event);
void ReportLeftButtonDown(QPoint inWindow);
int VirtualKeyCode(int qtKey);
