// SPDX-License-Identifier: GPL-3.0-or-later
#include "studio/profiles_view.h"

#include <QComboBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QSaveFile>
#include <QSvgGenerator>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <cmath>

#include "plot/pictures.h"
#include "studio/plot_scale.h"

namespace varnel::studio {

// The painted plot of the line chosen: the mouse reads it out, the wheel zooms along the
// line about the mouse, a double click shows the whole line again.
class ProfileCanvas : public QWidget {
  public:
    explicit ProfileCanvas(ProfilesView* view) : view_(view) {
        setObjectName(QStringLiteral("profileCanvas"));
        setMouseTracking(true);
        setMinimumSize(240, 160);
        setToolTip(ProfilesView::tr("Wheel: zoom along the line; double click: all of it"));
    }

    // The position along the line at a pixel, mm; false outside the plot.
    bool positionAt(QPointF pixel, double* s) const {
        const auto picture = view_->shownPicture();
        if (!picture)
            return false;
        const ProfilePicture styled = view_->styledPicture();
        const std::optional<ProfileFrame> f = FrameOfProfile(styled);
        if (!f)
            return false;
        const double sx = width() / styled.style.canvas.width();
        const double sy = height() / styled.style.canvas.height();
        const QRectF area(f->area.left() * sx, f->area.top() * sy, f->area.width() * sx,
                          f->area.height() * sy);
        if (!area.contains(pixel))
            return false;
        *s = f->s0 + (pixel.x() - area.left()) / area.width() * (f->s1 - f->s0);
        return true;
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), Qt::white);
        const auto picture = view_->shownPicture();
        if (!picture) {
            const QString message =
                view_->lineChoice_->currentIndex() == 2 && view_->line_.message.isEmpty()
                    ? ProfilesView::tr("Drag across the map to draw a line.")
                    : (view_->profiles_.message.isEmpty()
                           ? ProfilesView::tr("Computing the profiles…")
                           : view_->profiles_.message);
            p.drawText(rect(), Qt::AlignCenter | Qt::TextWordWrap, message);
            return;
        }
        p.setRenderHint(QPainter::Antialiasing);
        PaintProfile(p, QRectF(rect()), view_->styledPicture());
    }
    void mouseMoveEvent(QMouseEvent* event) override {
        double s = 0;
        if (positionAt(event->position(), &s))
            view_->pointed(s);
    }
    void wheelEvent(QWheelEvent* event) override {
        double s = 0;
        const auto picture = view_->shownPicture();
        if (!picture || !positionAt(event->position(), &s))
            return;
        const std::optional<ProfileFrame> f = FrameOfProfile(view_->styledPicture());
        const double factor = std::pow(0.8, event->angleDelta().y() / 120.0);
        view_->from_ = s + (f->s0 - s) * factor;
        view_->to_ = s + (f->s1 - s) * factor;
        update();
    }
    void mouseDoubleClickEvent(QMouseEvent*) override {
        view_->from_ = view_->to_ = 0;
        update();
    }

  private:
    ProfilesView* view_;
};

ProfilesView::ProfilesView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("profilesView"));
    lineChoice_ = new QComboBox;
    lineChoice_->setObjectName(QStringLiteral("cbProfileLine"));
    lineChoice_->addItem(tr("Along the axis"));
    lineChoice_->addItem(tr("Across the mid-plane"));
    lineChoice_->addItem(tr("Along the line drawn on the map"));
    lineChoice_->setToolTip(
        tr("The line the field is plotted along; drag across the map to "
           "draw one"));
    quantity_ = new QComboBox;
    quantity_->setObjectName(QStringLiteral("cbProfileQuantity"));
    quantity_->addItem(tr("Flux density Bz, Bx, |B|"));
    quantity_->addItem(tr("Deviation |B| / B0d − 1 in %"));
    quantity_->addItem(tr("Deviation |B| / B0d − 1 in ppm"));
    for (QComboBox* combo : {lineChoice_, quantity_}) {
        combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        combo->setMinimumContentsLength(12);
    }
    readout_ = new QLabel;
    readout_->setObjectName(QStringLiteral("lProfileReadout"));
    readout_->setWordWrap(true);
    readout_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    canvas_ = new ProfileCanvas(this);
    auto* controls = new QHBoxLayout;
    auto* lineLabel = new QLabel(tr("&Line:"));
    lineLabel->setBuddy(lineChoice_);
    auto* showLabel = new QLabel(tr("&Show:"));
    showLabel->setBuddy(quantity_);
    // The lists take the room there is, so their longest entries show whole where they can.
    controls->addWidget(lineLabel);
    controls->addWidget(lineChoice_, 1);
    controls->addWidget(showLabel);
    controls->addWidget(quantity_, 1);
    auto* column = new QVBoxLayout(this);
    column->addLayout(controls);
    column->addWidget(canvas_, 1);
    column->addWidget(readout_);
    connect(lineChoice_, &QComboBox::currentIndexChanged, this, [this] {
        from_ = to_ = 0;
        canvas_->update();
    });
    connect(quantity_, &QComboBox::currentIndexChanged, canvas_, [this] { canvas_->update(); });
    setMinimumSize(260, 240);
}

void ProfilesView::showLine(int which) {
    lineChoice_->setCurrentIndex(which);
}

void ProfilesView::showQuantity(int which) {
    quantity_->setCurrentIndex(which);
}

std::shared_ptr<const ProfilePicture> ProfilesView::shownPicture() const {
    switch (lineChoice_->currentIndex()) {
        case 0:
            return profiles_.axis;
        case 1:
            return profiles_.midPlane;
        default:
            return line_.line;
    }
}

void ProfilesView::styleFor(ProfilePicture& picture, int which) const {
    picture.style.title = false;
    picture.style.valueLabel = tr("B, mT");
    picture.style.decimalSeparator = QLocale().decimalPoint().at(0);
    picture.style.curveNames[0] = tr("Bz, axial");
    picture.style.curveNames[1] = tr("Bx, radial");
    picture.style.curveNames[2] = tr("|B|, modulus");
    picture.style.axisLabel = which == 0   ? tr("z along the axis, mm")
                              : which == 1 ? tr("x across the mid-plane, mm")
                                           : tr("distance along the line drawn, mm");
    const double extent = which == 0 ? axial_ : which == 1 ? radial_ : 0;
    if (extent > 0) {
        picture.style.marks = {extent};
        if (which == 0)
            picture.style.marks.push_back(-extent);
        picture.style.marksLabel = tr("within %1 %").arg(QLocale().toString(percent_, 'g', 3));
    }
}

ProfilePicture ProfilesView::styledPicture() const {
    ProfilePicture picture = *shownPicture();
    styleFor(picture, lineChoice_->currentIndex());
    picture.style.canvas =
        ScaleForText(canvas_->size(), canvas_->font(), kLeastProfileCanvas).canvas;
    if (quantity_->currentIndex() > 0) {
        const bool ppm = quantity_->currentIndex() == 2;
        picture.style.deviationScale = ppm ? 1e6 : 100;
        picture.style.valueLabel = ppm ? tr("|B| / B0d − 1, ppm") : tr("|B| / B0d − 1, %");
        picture.style.deviationName = tr("deviation");
    }
    picture.style.from = from_;
    picture.style.to = to_;
    return picture;
}

void ProfilesView::pointed(double s) {
    const auto picture = shownPicture();
    if (!picture)
        return;
    // The computed point nearest the mouse, not an interpolation.
    const FieldPoint* best = nullptr;
    double distance = INFINITY;
    for (const FieldPoint& pt : picture->points) {
        const double d = std::fabs(ProfilePosition(*picture, pt) - s);
        if (pt.status.empty() && d < distance) {
            distance = d;
            best = &pt;
        }
    }
    if (!best)
        return;
    const QLocale locale;
    auto mm = [&](long double m) { return locale.toString(static_cast<double>(m) * 1000, 'f', 3); };
    auto mt = [&](long double t) { return locale.toString(static_cast<double>(t) * 1000, 'g', 6); };
    readout_->setText(
        tr("x = %1 mm, z = %2 mm    Bz = %3 mT, Bx = %4 mT, |B| = %5 mT, "
           "|B| / B0d − 1 = %6 ppm")
            .arg(mm(std::fabs(best->x)), mm(best->z), mt(best->field.axial), mt(best->field.radial),
                 mt(best->field.modulus),
                 locale.toString(static_cast<double>(best->deviation) * 1e6, 'g', 6)));
}

QString ProfilesView::readout() const {
    return readout_->text();
}

void ProfilesView::setLine(double x0, double z0, double x1, double z1) {
    lineEnds_[0] = x0;
    lineEnds_[1] = z0;
    lineEnds_[2] = x1;
    lineEnds_[3] = z1;
    hasLine_ = true;
    line_ = LineProfile{};
    lineChoice_->setCurrentIndex(2);
    computeLine();
}

void ProfilesView::computeLine() {
    if (!hasLine_)
        return;
    lineRunner_.start(
        [inputs = inputs_, x0 = lineEnds_[0], z0 = lineEnds_[1], x1 = lineEnds_[2],
         z1 = lineEnds_[3]](std::stop_token stop) {
            return ComputeLineProfile(inputs, x0, z0, x1, z1, stop);
        },
        [this](LineProfile line) {
            line_ = std::move(line);
            canvas_->update();
        });
}

ProfilesView::~ProfilesView() = default;

void ProfilesView::setInputs(const DesignInputs& inputs) {
    inputs_ = inputs;
    profilesRunner_.start(
        [inputs](std::stop_token stop) { return ComputeProfiles(inputs, 2, stop); },
        [this](StudyProfiles profiles) {
            profiles_ = std::move(profiles);
            canvas_->update();
        });
    computeLine();
}

void ProfilesView::setExtents(double axial, double radial, double percent) {
    axial_ = axial;
    radial_ = radial;
    percent_ = percent;
    canvas_->update();
}

void ProfilesView::paintBoth(QPainter& p, const QRectF& area) const {
    const double aspect = static_cast<double>(kPictureWidth) / kPictureHeight;
    double h = area.height() / 2, w = area.width();
    if (w / h > aspect)
        w = h * aspect;
    else
        h = w / aspect;
    const double left = area.left() + (area.width() - w) / 2;
    for (int k = 0; k < 2; ++k) {
        const auto& source = k == 0 ? profiles_.axis : profiles_.midPlane;
        if (!source)
            continue;
        ProfilePicture picture = *source;
        styleFor(picture, k);
        PaintProfile(p, QRectF(left, area.top() + k * h, w, h), picture);
    }
}

QString ProfilesView::exportTo(const QString& path) const {
    if (!profiles_.axis)
        return tr("There are no profiles to export yet.");
    const QString suffix = QFileInfo(path).suffix().toLower();
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return tr("Cannot write %1: %2").arg(path, file.errorString());
    const QRectF both(0, 0, kPictureWidth, 2 * kPictureHeight);
    if (suffix == QStringLiteral("csv")) {
        file.write(ProfileCsv(*profiles_.axis));
        const QByteArray mid = ProfileCsv(*profiles_.midPlane);
        file.write(mid.mid(mid.indexOf('\n') + 1));  // one header for both lines
    } else if (suffix == QStringLiteral("svg")) {
        QSvgGenerator svg;
        svg.setOutputDevice(&file);
        svg.setSize(both.size().toSize());
        svg.setViewBox(both);
        svg.setTitle(QStringLiteral("Varnel Coils"));
        QPainter p(&svg);
        paintBoth(p, both);
        p.end();
    } else {
        QImage image(both.size().toSize(), QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        paintBoth(p, both);
        p.end();
        if (!image.save(&file, "PNG"))
            return tr("Cannot write %1.").arg(path);
    }
    if (!file.commit())
        return tr("Cannot write %1: %2").arg(path, file.errorString());
    return {};
}

}  // namespace varnel::studio
