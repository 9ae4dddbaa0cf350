// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>

namespace varnel::ui {

// A label that runs a handler when clicked with the left button, with a pointing hand over it.
class ClickableLabel : public QLabel {
    Q_OBJECT
  public:
    explicit ClickableLabel(const QString& text, QWidget* parent = nullptr);

  Q_SIGNALS:
    void clicked();

  protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

}  // namespace varnel::ui
