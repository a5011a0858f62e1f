// The Qt push button behind an image button: it shows the game's picture on a raised face
// and reports its clicks, keys and presses as the layer's messages and events.
#pragma once

#include <QImage>
#include <QPushButton>

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
