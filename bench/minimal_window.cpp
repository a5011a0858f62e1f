// The yardstick for the game's start-up, memory and idle cost: the least a Qt 6 Widgets
// program does to show a frameless 800 × 600 window of one colour.
#include <QApplication>
#include <QPainter>
#include <QScreen>
#include <QWidget>

namespace {

class PlainWindow : public QWidget {
  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter(this).fillRect(rect(), QColor(0x20, 0x80, 0x40));
    }
};

}  // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    PlainWindow window;
    window.setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    window.setFixedSize(800, 600);
    // Centred, as the game stands.
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    window.move(screen.center() - QPoint(400, 300) + QPoint(1, 1));
    window.show();
    return QApplication::exec();
}
