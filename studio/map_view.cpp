// SPDX-License-Identifier: GPL-3.0-or-later
#include "studio/map_view.h"

#include <QBuffer>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QSaveFile>
#include <QSvgGenerator>
#include <QThreadPool>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <QtConcurrent/QtConcurrentRun>
#include <algorithm>
#include <cmath>

#include "plot/pictures.h"
#include "studio/number_spin_box.h"

namespace varnel::studio {
MapView::MapView(QWidget* parent) : QWidget(parent) {
    pool_.setMaxThreadCount(2);  // the newest map while a stopped one winds down
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
    auto enableScale = [this, from, to] {
        const bool on = colour_->currentIndex() == 1;
        for (QWidget* w :
             {static_cast<QWidget*>(scaleBottom_), static_cast<QWidget*>(scaleTop_),
              static_cast<QWidget*>(log_), static_cast<QWidget*>(from), static_cast<QWidget*>(to)})
            w->setEnabled(on);
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

MapView::~MapView() {
    ++generation_;
    stop_.request_stop();
    pool_.waitForDone();
}

void MapView::setInputs(const DesignInputs& inputs) {
    inputs_ = inputs;
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
    stop_.request_stop();
    stop_ = std::stop_source();
    const quint64 generation = ++generation_;
    ++running_;
    const DesignInputs inputs = inputs_;
    const MapArea area = area_;
    QtConcurrent::run(&pool_, [inputs, area, token = stop_.get_token()] {
        return ComputeMap(inputs, area, 2, token);
    }).then(this, [this, generation](StudyMap map) {
        --running_;
        if (generation != generation_)
            return;  // inputs or view changed since: a newer map is on its way
        if (!map.picture && map.message.isEmpty())
            return;  // stopped
        map_ = std::move(map);
        // The readout speaks of this map: a message of an earlier one goes with it.
        readout_ = PointField{};
        readoutLabel_->setText(map_.picture ? tr("Point at the map for the field there.")
                                            : map_.message);
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
    const MapPicture picture = styled();
    const QRectF canvas(0, 0, kPictureWidth, kPictureHeight);
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
    setMinimumSize(400, 304);
    setToolTip(tr("Wheel: zoom; drag: move the view"));
}

QRectF MapCanvas::pictureArea() const {
    // The drawn part of the canvas, not the whole canvas, fills the widget at one scale on
    // both axes; the canvas's empty rest lies outside the widget.
    QRectF drawn(0, 0, kPictureWidth, kPictureHeight);
    if (const auto& picture = view_->map_.picture) {
        MapPicture frame;  // the ranges and the style without the cells
        frame.x = picture->x;
        frame.z = picture->z;
        frame.style = view_->style();
        drawn = DrawnPartOfMap(frame);
    }
    const double scale = std::min(width() / drawn.width(), height() / drawn.height());
    const double left = (width() - drawn.width() * scale) / 2 - drawn.left() * scale;
    const double top = (height() - drawn.height() * scale) / 2 - drawn.top() * scale;
    return QRectF(left, top, kPictureWidth * scale, kPictureHeight * scale);
}

bool MapCanvas::pointAt(QPointF pixel, double* x, double* z) const {
    if (!view_->map_.picture)
        return false;
    const MapLayout l = LayoutOfMap(pictureArea(), *view_->map_.picture);
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
}

void MapCanvas::mouseMoveEvent(QMouseEvent* event) {
    if (dragging_ && view_->map_.picture) {
        const MapLayout l = LayoutOfMap(pictureArea(), *view_->map_.picture);
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
    double x = 0, z = 0;
    if (pointAt(event->position(), &x, &z))
        view_->pointed(x, z);
}

void MapCanvas::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    dragging_ = true;
    dragFrom_ = event->position();
    dragArea_ = view_->area();
    setCursor(Qt::ClosedHandCursor);
}

void MapCanvas::mouseReleaseEvent(QMouseEvent*) {
    dragging_ = false;
    unsetCursor();
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
