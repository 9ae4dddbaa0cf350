// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>
#include <memory>

#include "plot/pictures.h"
#include "studio/core/design_inputs.h"
#include "studio/core/latest_result.h"
#include "studio/core/study_bridge.h"
#include "studio/plot_scale.h"

class QComboBox;
class QCheckBox;
class QDoubleSpinBox;
class QLabel;
class QPushButton;

namespace varnel::studio {

class MapCanvas;

// The map of the field in the r-z half-plane with its controls and the readout of the field
// under the mouse. The cells are computed off the user-interface thread; a map for inputs or a
// view that have changed since is dropped, and the run that computes it is stopped.
class MapView : public QWidget {
    Q_OBJECT
  public:
    explicit MapView(QWidget* parent = nullptr);
    ~MapView() override;

    void setInputs(const DesignInputs& inputs);
    // The area shown; resetView() goes back to the pair with room around it.
    MapArea area() const { return area_; }
    void setArea(const MapArea& area);
    void resetView();
    void setSphereRadius(double metres);

    // The map shown, once one is ready; null before.
    std::shared_ptr<const MapPicture> picture() const { return map_.picture; }
    MapCanvas* canvas() const { return canvas_; }
    bool busy() const { return runner_.busy(); }
    // The readout of the point last under the mouse.
    const PointField& readout() const { return readout_; }

    // Writes the map shown as PNG, SVG or CSV by the path's suffix; an error message or empty.
    QString exportTo(const QString& path) const;

  Q_SIGNALS:
    void mapShown();
    // A click (or the arrow keys) chose the field point, m; a drag drew a line, m.
    void pointChosen(double x, double z);
    void lineDrawn(double x0, double z0, double x1, double z1);

  private:
    friend class MapCanvas;
    void recompute();
    void show(StudyMap map);
    void addFieldLines();
    void pointed(double x, double z);
    void showReadout();
    MapPicture styled() const;
    MapStyle style() const;  // what the controls ask for, in the user's language

    DesignInputs inputs_;
    MapArea area_;
    bool userArea_ = false;
    double sphere_ = 0;
    StudyMap map_;
    PointField readout_;
    // The newest map while a stopped one winds down.
    LatestResult runner_{2};

    MapCanvas* canvas_ = nullptr;
    QComboBox* colour_ = nullptr;
    QCheckBox* lines_ = nullptr;
    QCheckBox* log_ = nullptr;
    QDoubleSpinBox* scaleBottom_ = nullptr;
    QDoubleSpinBox* scaleTop_ = nullptr;
    QPushButton* reset_ = nullptr;
    QLabel* readoutLabel_ = nullptr;
};

// The painted map: a click sets the field point, a drag with the left button draws a line for
// the profiles, with the right or middle button it moves the view; the wheel zooms about the
// mouse; the arrow keys move the field point by a cell.
class MapCanvas : public QWidget {
    Q_OBJECT
  public:
    explicit MapCanvas(MapView* view);
    // The point of the half-plane at a pixel of the canvas, m; false outside the cells.
    bool pointAt(QPointF pixel, double* x, double* z) const;
    // Where the picture is painted within the canvas (the canvas's aspect kept).
    QRectF pictureArea() const;

    // The picture's canvas in its units and their size in pixels: text at the window's size.
    PlotScale plotScale() const;
    // Where the cells of the map shown lie on the canvas; only with a map.
    MapLayout layout() const;

    // The pixel of a point of the half-plane, m.
    QPointF pixelAt(double x, double z) const;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    MapView* view_;
    bool dragging_ = false;  // moving the view (right or middle button)
    bool drawing_ = false;   // drawing a line (left button)
    QPointF dragFrom_, dragTo_;
    MapArea dragArea_;
};

}  // namespace varnel::studio
