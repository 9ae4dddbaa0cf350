// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QThreadPool>
#include <QWidget>
#include <memory>
#include <stop_token>

#include "studio/design_inputs.h"
#include "studio/study_bridge.h"

namespace varnel::studio {

// The field along the axis and across the mid-plane, one plot above the other, with the
// uniform extents of the numbers marked. Computed off the user-interface thread; a result for
// inputs that have changed since is dropped.
class ProfilesView : public QWidget {
    Q_OBJECT
  public:
    explicit ProfilesView(QWidget* parent = nullptr);
    ~ProfilesView() override;

    void setInputs(const DesignInputs& inputs);
    // The uniform extents to mark, m, at the tolerance in %; none found: 0.
    void setExtents(double axial, double radial, double percent);
    bool ready() const { return profiles_.axis != nullptr; }

    // Writes both profiles as PNG, SVG or CSV by the path's suffix; an error message or empty.
    QString exportTo(const QString& path) const;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void paintBoth(class QPainter& p, const QRectF& area) const;

    DesignInputs inputs_;
    StudyProfiles profiles_;
    double axial_ = 0, radial_ = 0, percent_ = 0;
    quint64 generation_ = 0;
    QThreadPool pool_;
    std::stop_source stop_;
};

}  // namespace varnel::studio
