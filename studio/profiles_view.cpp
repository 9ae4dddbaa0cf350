// SPDX-License-Identifier: GPL-3.0-or-later
#include "studio/profiles_view.h"

#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QSaveFile>
#include <QSvgGenerator>
#include <QThreadPool>
#include <QtConcurrent/QtConcurrentRun>

#include "plot/pictures.h"

namespace varnel::studio {
ProfilesView::ProfilesView(QWidget* parent) : QWidget(parent) {
    pool_.setMaxThreadCount(2);  // the newest profiles while stopped ones wind down
    setObjectName(QStringLiteral("profilesView"));
    setMinimumSize(400, 500);
}

ProfilesView::~ProfilesView() {
    ++generation_;
    stop_.request_stop();
    pool_.waitForDone();
}

void ProfilesView::setInputs(const DesignInputs& inputs) {
    inputs_ = inputs;
    stop_.request_stop();
    stop_ = std::stop_source();
    const quint64 generation = ++generation_;
    QtConcurrent::run(&pool_, [inputs, token = stop_.get_token()] {
        return ComputeProfiles(inputs, 2, token);
    }).then(this, [this, generation](StudyProfiles profiles) {
        if (generation != generation_ || (!profiles.axis && profiles.message.isEmpty()))
            return;
        profiles_ = std::move(profiles);
        update();
    });
}

void ProfilesView::setExtents(double axial, double radial, double percent) {
    axial_ = axial;
    radial_ = radial;
    percent_ = percent;
    update();
}

void ProfilesView::paintBoth(QPainter& p, const QRectF& area) const {
    const double aspect = static_cast<double>(kPictureWidth) / kPictureHeight;
    double h = area.height() / 2, w = area.width();
    if (w / h > aspect)
        w = h * aspect;
    else
        h = w / aspect;
    const double left = area.left() + (area.width() - w) / 2;
    const QString label = tr("within %1 %").arg(QLocale().toString(percent_, 'g', 3));
    for (int k = 0; k < 2; ++k) {
        const auto& source = k == 0 ? profiles_.axis : profiles_.midPlane;
        if (!source)
            continue;
        ProfilePicture picture = *source;
        picture.style.title = false;
        picture.style.valueLabel = tr("B, mT");
        picture.style.curveNames[0] = tr("Bz, axial");
        picture.style.curveNames[1] = tr("Bx, radial");
        picture.style.curveNames[2] = tr("|B|, modulus");
        picture.style.axisLabel =
            k == 0 ? tr("z along the axis, mm") : tr("x across the mid-plane, mm");
        const double extent = k == 0 ? axial_ : radial_;
        if (extent > 0) {
            picture.style.marks = {extent};
            if (k == 0)
                picture.style.marks.push_back(-extent);
            picture.style.marksLabel = label;
        }
        PaintProfile(p, QRectF(left, area.top() + k * h, w, h), picture);
    }
}

void ProfilesView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    if (!profiles_.axis) {
        p.drawText(rect(), Qt::AlignCenter,
                   profiles_.message.isEmpty() ? tr("Computing the profiles…") : profiles_.message);
        return;
    }
    p.setRenderHint(QPainter::Antialiasing);
    paintBoth(p, rect());
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
