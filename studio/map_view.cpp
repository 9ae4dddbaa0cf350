// SPDX-License-Identifier: GPL-3.0-or-later
#include "studio/map_view.h"

#include <QBuffer>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QSaveFile>
#include <QSvgGenerator>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "plot/pictures.h"
#include "studio/number_spin_box.h"
#include "studio/plot_scale.h"

namespace varnel::studio {
MapView::MapView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("mapView"));
    canvas_ = new MapCanvas(this);
    colour_ = new QComboBox;
    colour_->setObjectName(QStringLiteral("cbMapColour"));
    colour_->addItem(tr("Deviation from B0"));
    colour_->addItem(tr("Flux density |B|"));
    colour_->setToolTip(tr("What the colours show: |B| / B0d − 1 in bands, or |B| on a scale"));
    lines_ = new QCheckBox(tr("Field lines"));
    lines_->setObjectName(QStringLiteral("chFieldLines"));
    lines_->setChecked(true);
    lines_->setToolTip(tr("Lines along the field, traced from the mid-plane"));
    log_ = new QCheckBox(tr("Log scale"));
    log_->setObjectName(QStringLiteral("chLogScale"));
    log_->setToolTip(tr("|B| on a logarithmic scale"));
    auto limit = [this](const char* name, const QString& tip) {
        auto* spin = new NumberSpinBox;
        spin->setObjectName(QLatin1String(name));
        spin->setRange(0, 1e6);
        spin->setDecimals(3);
        spin->setSingleStep(1);
        spin->setSuffix(tr(" mT"));
        spin->setSpecialValueText(tr("auto"));
        spin->setToolTip(tip);
        spin->setKeyboardTracking(true);
        spin->setMinimumWidth(spin->fontMetrics().horizontalAdvance(QStringLiteral("00000 mT")));
        connect(spin, &QDoubleSpinBox::valueChanged, canvas_, [this] { canvas_->update(); });
        return spin;
    };
    scaleBottom_ = limit("sbScaleBottom", tr("The bottom of the |B| scale; auto: 0, or three "
                                             "decades below the top on a log scale"));
    scaleTop_ = limit("sbScaleTop", tr("The top of the |B| scale; auto: the strongest field "
                                       "outside the windings"));
    reset_ = new QPushButton(tr("Reset View"));
    reset_->setObjectName(QStringLiteral("pbResetView"));
    reset_->setToolTip(tr("Shows the whole pair again after zooming (wheel) or panning (drag)"));
    readoutLabel_ = new QLabel;
    readoutLabel_->setObjectName(QStringLiteral("lReadout"));
    readoutLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    readoutLabel_->setMinimumHeight(readoutLabel_->fontMetrics().height() * 2);
    readoutLabel_->setWordWrap(true);
    auto* controls = new QHBoxLayout;
    controls->addWidget(new QLabel(tr("Colour:")));
    controls->addWidget(colour_);
    controls->addWidget(lines_);
    auto* scaleRow = new QHBoxLayout;
    auto* from = new QLabel(tr("|B| &from"));
    from->setBuddy(scaleBottom_);
    auto* to = new QLabel(tr("&to"));
    to->setBuddy(scaleTop_);
    scaleRow->addWidget(from);
    scaleRow->addWidget(scaleBottom_);
    scaleRow->addWidget(to);
    scaleRow->addWidget(scaleTop_);
    scaleRow->addWidget(log_);
    scaleRow->addStretch(1);
    // The scale's row only where there is a scale: with |B| in colour.
    auto enableScale = [this, from, to] {
        const bool on = colour_->currentIndex() == 1;
        for (QWidget* w :
             {static_cast<QWidget*>(scaleBottom_), static_cast<QWidget*>(scaleTop_),
              static_cast<QWidget*>(log_), static_cast<QWidget*>(from), static_cast<QWidget*>(to)})
            w->setVisible(on);
    };
    enableScale();
    connect(colour_, &QComboBox::currentIndexChanged, this, enableScale);
    connect(log_, &QCheckBox::toggled, canvas_, [this] { canvas_->update(); });
    controls->addStretch(1);
    controls->addWidget(reset_);
    auto* column = new QVBoxLayout(this);
    column->addLayout(controls);
    column->addLayout(scaleRow);
    column->addWidget(canvas_, 1);
    column->addWidget(readoutLabel_);
    connect(colour_, &QComboBox::currentIndexChanged, canvas_, [this] { canvas_->update(); });
    connect(lines_, &QCheckBox::toggled, canvas_, [this] { canvas_->update(); });
    connect(reset_, &QPushButton::clicked, this, [this] { resetView(); });
    readoutLabel_->setText(tr("Point at the map for the field there."));
    area_ = DefaultMapArea(inputs_);
}

MapView::~MapView() = default;

void MapView::setInputs(const DesignInputs& inputs) {
    // The field point, the tolerance and the ambient change nothing of the map's cells.
    DesignInputs before = inputs_;
    before.pointXMm = inputs.pointXMm;
    before.pointZMm = inputs.pointZMm;
    before.uniformityPercent = inputs.uniformityPercent;
    before.ambientC = inputs.ambientC;
    const bool same = before == inputs && (map_.picture || busy());
    inputs_ = inputs;
    if (same) {
        canvas_->update();
        return;
    }
    if (!userArea_)
        area_ = DefaultMapArea(inputs_);
    recompute();
}

void MapView::setArea(const MapArea& area) {
    area_ = area;
    userArea_ = true;
    recompute();
}

void MapView::resetView() {
    userArea_ = false;
    area_ = DefaultMapArea(inputs_);
    recompute();
}

void MapView::setSphereRadius(double metres) {
    sphere_ = metres;
    canvas_->update();
}

void MapView::recompute() {
    // The cells first, at once; the field lines' flux function after them, being slower.
    runner_.start([inputs = inputs_, area = area_](
                      std::stop_token stop) { return ComputeMap(inputs, area, 2, stop, false); },
                  [this](StudyMap map) { show(std::move(map)); });
}

void MapView::show(StudyMap map) {
    map_ = std::move(map);
    if (map_.picture)
        addFieldLines();
    // The readout speaks of this map: a message of an earlier one goes with it.
    readout_ = PointField{};
    readoutLabel_->setText(map_.picture ? tr("Point at the map for the field there.")
                                        : map_.message);
    canvas_->update();
    Q_EMIT mapShown();
}

void MapView::addFieldLines() {
    runner_.start([picture = map_.picture](
                      std::stop_token stop) { return WithFieldLines(*picture, 2, stop); },
                  [this](std::shared_ptr<const MapPicture> lined) {
                      if (!lined)
                          return;
                      map_.picture = std::move(lined);
                      canvas_->update();
                      Q_EMIT mapShown();
                  });
}

MapPicture MapView::styled() const {
    MapPicture picture = *map_.picture;
    picture.style = style();
    return picture;
}

MapStyle MapView::style() const {
    MapStyle s;
    s.title = false;
    s.colour = colour_->currentIndex() == 1 ? MapColour::Modulus : MapColour::Deviation;
    s.contours = true;
    s.fieldLines = lines_->isChecked();
    s.sphere = sphere_;
    s.modulusTop = scaleTop_->value() / 1000;
    s.modulusBottom = scaleBottom_->value() / 1000;
    s.logScale = log_->isChecked();
    s.decimalSeparator = QLocale().decimalPoint().at(0);
    MapTexts& t = s.texts;
    t.xAxis = tr("x (radial), mm");
    t.zAxis = tr("z (axial), mm");
    t.deviationKey = tr("|B| / B0d − 1");
    t.modulusKey = tr("|B|, mT");
    t.bands[0] = tr("within 0.01 %");
    t.bands[1] = tr("within 0.1 %");
    t.bands[2] = tr("within 1 %");
    t.bands[3] = tr("within 10 %");
    t.bands[4] = tr("beyond 10 %");
    t.noValue = tr("no value");
    t.winding = tr("winding");
    t.contours = tr("0.01, 0.1, 1, 10 %");
    t.fieldLines = tr("field lines");
    t.sphere = tr("uniform sphere");
    s.canvas = canvas_->plotScale().canvas;
    return s;
}

void MapView::pointed(double x, double z) {
    if (!map_.base)
        return;
    readout_ = FieldAtPoint(*map_.base, x, z);
    showReadout();
}

void MapView::showReadout() {
    const QLocale locale;
    auto mm = [&](double m) { return locale.toString(m * 1000, 'f', 3); };
    auto mt = [&](double t) { return locale.toString(t * 1000, 'g', 6); };
    if (!readout_.ok) {
        readoutLabel_->setText(
            tr("x = %1 mm, z = %2 mm: %3").arg(mm(readout_.x), mm(readout_.z), readout_.message));
        return;
    }
    readoutLabel_->setText(tr("x = %1 mm, z = %2 mm    Bx = %3 mT, Bz = %4 mT, |B| = %5 mT, "
                              "angle %6°")
                               .arg(mm(readout_.x), mm(readout_.z), mt(readout_.radial),
                                    mt(readout_.axial), mt(readout_.modulus),
                                    locale.toString(readout_.angle, 'f', 2)));
}

QString MapView::exportTo(const QString& path) const {
    if (!map_.picture)
        return tr("There is no map to export yet.");
    const QString suffix = QFileInfo(path).suffix().toLower();
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return tr("Cannot write %1: %2").arg(path, file.errorString());
    MapPicture picture = styled();
    const QRectF canvas(0, 0, kPictureWidth, kPictureHeight);
    picture.style.canvas = canvas.size();  // a file's text at the size varnel-calc gives it
    if (suffix == QStringLiteral("csv")) {
        file.write(MapCsv(picture));
    } else if (suffix == QStringLiteral("svg")) {
        QSvgGenerator svg;
        svg.setOutputDevice(&file);
        svg.setSize(QSize(kPictureWidth, kPictureHeight));
        svg.setViewBox(canvas);
        svg.setTitle(QStringLiteral("Varnel Coils"));
        QPainter p(&svg);
        PaintMap(p, canvas, picture);
        p.end();
    } else {
        QImage image(kPictureWidth, kPictureHeight, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        PaintMap(p, canvas, picture);
        p.end();
        if (!image.save(&file, "PNG"))
            return tr("Cannot write %1.").arg(path);
    }
    if (!file.commit())
        return tr("Cannot write %1: %2").arg(path, file.errorString());
    return {};
}

MapCanvas::MapCanvas(MapView* view) : view_(view) {
    setObjectName(QStringLiteral("mapCanvas"));
    setMouseTracking(true);
    setMinimumSize(260, 200);
    setFocusPolicy(Qt::StrongFocus);
    setToolTip(
        tr("Click: set the field point; drag: draw a line for the profiles; right drag: "
           "move the view; wheel: zoom; arrow keys: move the field point"));
}

QRectF MapCanvas::pictureArea() const {
    // The canvas is the widget's size at the scale of its text; its drawn part is centred in
    // the widget and the canvas's empty rest lies outside.
    const PlotScale plot = plotScale();
    QRectF drawn(QPointF(0, 0), plot.canvas);
    if (const auto& picture = view_->map_.picture) {
        MapPicture frame;  // the ranges and the style without the cells
        frame.x = picture->x;
        frame.z = picture->z;
        frame.style = view_->style();
        drawn = DrawnPartOfMap(frame);
    }
    const double scale = plot.scale;
    const double left = (width() - drawn.width() * scale) / 2 - drawn.left() * scale;
    const double top = (height() - drawn.height() * scale) / 2 - drawn.top() * scale;
    return QRectF(left, top, plot.canvas.width() * scale, plot.canvas.height() * scale);
}

PlotScale MapCanvas::plotScale() const {
    return ScaleForText(size(), font(), kLeastMapCanvas);
}

MapLayout MapCanvas::layout() const {
    MapPicture frame;  // the ranges and the style without the cells
    frame.x = view_->map_.picture->x;
    frame.z = view_->map_.picture->z;
    frame.style = view_->style();
    return LayoutOfMap(pictureArea(), frame);
}

bool MapCanvas::pointAt(QPointF pixel, double* x, double* z) const {
    if (!view_->map_.picture)
        return false;
    const MapLayout l = layout();
    if (!l.cells.contains(pixel))
        return false;
    *x = l.x0 + (pixel.x() - l.cells.left()) / l.cells.width() * (l.x1 - l.x0);
    *z = l.z1 - (pixel.y() - l.cells.top()) / l.cells.height() * (l.z1 - l.z0);
    return true;
}

void MapCanvas::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    if (!view_->map_.picture) {
        // Inputs the calculator refuses give no map, and the canvas says why instead of
        // waiting for one.
        p.drawText(rect(), Qt::AlignCenter | Qt::TextWordWrap,
                   view_->map_.message.isEmpty() ? tr("Computing the map…") : view_->map_.message);
        return;
    }
    p.setRenderHint(QPainter::Antialiasing);
    PaintMap(p, pictureArea(), view_->styled());
    // The field point of the inputs, and the line being drawn.
    const QPointF point = pixelAt(view_->inputs_.pointXMm / 1000, view_->inputs_.pointZMm / 1000);
    p.setPen(QPen(Qt::black, 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(point, 5, 5);
    p.drawLine(point - QPointF(9, 0), point + QPointF(9, 0));
    p.drawLine(point - QPointF(0, 9), point + QPointF(0, 9));
    if (drawing_ && QLineF(dragFrom_, dragTo_).length() >= 5) {
        p.setPen(QPen(QColor(200, 0, 120), 2));
        p.drawLine(dragFrom_, dragTo_);
    }
}

QPointF MapCanvas::pixelAt(double x, double z) const {
    if (!view_->map_.picture)
        return {};
    const MapLayout l = layout();
    return {l.cells.left() + (x - l.x0) / (l.x1 - l.x0) * l.cells.width(),
            l.cells.top() + (l.z1 - z) / (l.z1 - l.z0) * l.cells.height()};
}

void MapCanvas::mouseMoveEvent(QMouseEvent* event) {
    if (dragging_ && view_->map_.picture) {
        const MapLayout l = layout();
        const double perPixel = (l.x1 - l.x0) / l.cells.width();
        const QPointF d = event->position() - dragFrom_;
        MapArea a = dragArea_;
        double dx = -d.x() * perPixel;
        dx = std::max(dx, -a.x0);  // the half-plane ends at the axis
        a.x0 += dx;
        a.x1 += dx;
        a.z0 += d.y() * perPixel;
        a.z1 += d.y() * perPixel;
        view_->setArea(a);
        return;
    }
    if (drawing_) {
        dragTo_ = event->position();
        update();
    }
    double x = 0, z = 0;
    if (pointAt(event->position(), &x, &z))
        view_->pointed(x, z);
}

void MapCanvas::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    dragFrom_ = dragTo_ = event->position();
    if (event->button() == Qt::LeftButton) {
        drawing_ = true;
        return;
    }
    if (event->button() != Qt::RightButton && event->button() != Qt::MiddleButton)
        return;
    dragging_ = true;
    dragArea_ = view_->area();
    setCursor(Qt::ClosedHandCursor);
}

void MapCanvas::mouseReleaseEvent(QMouseEvent* event) {
    if (drawing_) {
        drawing_ = false;
        double x0 = 0, z0 = 0, x1 = 0, z1 = 0;
        const bool click = QLineF(dragFrom_, event->position()).length() < 5;
        if (click && pointAt(dragFrom_, &x0, &z0)) {
            Q_EMIT view_->pointChosen(x0, z0);
        } else if (!click && pointAt(dragFrom_, &x0, &z0) && pointAt(event->position(), &x1, &z1)) {
            Q_EMIT view_->lineDrawn(x0, z0, x1, z1);
        }
        update();
    }
    dragging_ = false;
    unsetCursor();
}

void MapCanvas::keyPressEvent(QKeyEvent* event) {
    const auto& picture = view_->map_.picture;
    int di = 0, dj = 0;
    switch (event->key()) {
        case Qt::Key_Left:
            di = -1;
            break;
        case Qt::Key_Right:
            di = 1;
            break;
        case Qt::Key_Up:
            dj = 1;
            break;
        case Qt::Key_Down:
            dj = -1;
            break;
        default:
            QWidget::keyPressEvent(event);
            return;
    }
    if (!picture)
        return;
    // One cell a press; the field point stays in the half-plane.
    const double cell =
        static_cast<double>(picture->x.stop - picture->x.start) / std::max(1, picture->x.count - 1);
    const double x = std::max(0.0, view_->inputs_.pointXMm / 1000 + di * cell);
    const double z = view_->inputs_.pointZMm / 1000 + dj * cell;
    view_->pointed(x, z);
    Q_EMIT view_->pointChosen(x, z);
}

void MapCanvas::wheelEvent(QWheelEvent* event) {
    double x = 0, z = 0;
    MapArea a = view_->area();
    if (!pointAt(event->position(), &x, &z)) {
        x = (a.x0 + a.x1) / 2;
        z = (a.z0 + a.z1) / 2;
    }
    const double factor = std::pow(0.8, event->angleDelta().y() / 120.0);
    a.x0 = std::max(0.0, x + (a.x0 - x) * factor);
    a.x1 = x + (a.x1 - x) * factor;
    a.z0 = z + (a.z0 - z) * factor;
    a.z1 = z + (a.z1 - z) * factor;
    if (a.x1 - a.x0 > 1e-5 && a.z1 - a.z0 > 1e-5)
        view_->setArea(a);
}

}  // namespace varnel::studio
