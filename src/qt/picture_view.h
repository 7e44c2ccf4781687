// The painter of a picture box: renders the picture's display list on a black ground, with
// the user scale mapped onto the widget at the picture's own proportions, and maps mouse
// positions back to picture coordinates.
#pragma once

#include <QPointF>
#include <QWidget>
#include <functional>

#include "shell/picture.h"

namespace quillon::qt {

class PictureView : public QWidget {
    Q_OBJECT

public:
    explicit PictureView(QWidget* parent = nullptr);

    // The picture to render; nullptr once its window has gone.
    void SetPicture(const Picture* picture);
    void SetBackground(const QColor& color);
    // Repaints when the picture changed since the last call.
    void Refresh();
    // Called with picture coordinates when the mouse moves over the picture.
    void OnMouseMove(std::function<void(double x, double y)> handler);

    // Widget position <-> picture coordinates in a scale.
    QPointF ToWidget(const Scale& scale, double x, double y) const;
    QPointF ToPicture(const Scale& scale, QPointF widgetPos) const;
    // Pixels per picture unit in a scale.
    double PixelsPerUnit(const Scale& scale) const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    const Picture* picture_ = nullptr;
    unsigned revision_ = 0;
    QColor background_ = Qt::black;
    std::function<void(double, double)> mouseMove_;
};

// The colour of a control or drawing, system colours taken from the application's palette.
QColor ToQColor(const Color& color);

}  // namespace quillon::qt
