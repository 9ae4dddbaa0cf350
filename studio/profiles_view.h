// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>
#include <memory>

#include "studio/core/design_inputs.h"
#include "studio/core/latest_result.h"
#include "studio/core/study_bridge.h"

class QComboBox;
class QLabel;

namespace varnel::studio {

// The field along the axis, across the mid-plane or along a line drawn on the map, one plot
// filling the tab, with the uniform extents of the numbers marked: the components of B or the
// deviation from B0 in % or ppm, the value under the mouse read out, the wheel zooming along
// the line. Computed off the user-interface thread; a result for
// inputs that have changed since is dropped.
class ProfileCanvas;

class ProfilesView : public QWidget {
    Q_OBJECT
  public:
    explicit ProfilesView(QWidget* parent = nullptr);
    ~ProfilesView() override;

    void setInputs(const DesignInputs& inputs);
    // The line drawn on the map, m: its profile is computed and shown.
    void setLine(double x0, double z0, double x1, double z1);
    // Which line is shown: 0 the axis, 1 the mid-plane, 2 the line drawn on the map.
    void showLine(int which);
    // What is plotted: 0 the components of B, 1 the deviation in %, 2 in ppm.
    void showQuantity(int which);
    // The picture shown (null before one is ready) and the readout of the point under the
    // mouse.
    std::shared_ptr<const ProfilePicture> shownPicture() const;
    ProfilePicture styledPicture() const;
    QString readout() const;
    bool lineReady() const { return line_.line != nullptr; }
    // The uniform extents to mark, m, at the tolerance in %; none found: 0.
    void setExtents(double axial, double radial, double percent);
    bool ready() const { return profiles_.axis != nullptr; }

    // Writes both profiles as PNG, SVG or CSV by the path's suffix; an error message or empty.
    QString exportTo(const QString& path) const;

  private:
    friend class ProfileCanvas;
    void paintBoth(class QPainter& p, const QRectF& area) const;
    void styleFor(ProfilePicture& picture, int which) const;
    void computeLine();
    void pointed(double position);

    DesignInputs inputs_;
    StudyProfiles profiles_;
    LineProfile line_;
    double lineEnds_[4] = {0, 0, 0, 0};
    bool hasLine_ = false;
    double from_ = 0, to_ = 0;  // the zoomed stretch, mm; equal: all
    QComboBox* lineChoice_ = nullptr;
    QComboBox* quantity_ = nullptr;
    QLabel* readout_ = nullptr;
    QWidget* canvas_ = nullptr;
    double axial_ = 0, radial_ = 0, percent_ = 0;
    // The axis and mid-plane profiles, and the line's: each the newest while stale ones end.
    LatestResult profilesRunner_{2};
    LatestResult lineRunner_{2};
};

}  // namespace varnel::studio
