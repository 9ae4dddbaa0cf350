// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/clickable_label.h"

#include <QMouseEvent>

namespace varnel::ui {

ClickableLabel::ClickableLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
    setCursor(Qt::PointingHandCursor);
}

void ClickableLabel::mouseReleaseEvent(QMouseEvent* event) {
    // A click ends on the label it started on, as a button's does.
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        Q_EMIT clicked();
    }
    QLabel::mouseReleaseEvent(event);
}

}  // namespace varnel::ui
