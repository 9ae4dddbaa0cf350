// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDoubleSpinBox>

namespace varnel::studio {

// A spin box that reads both "." and "," as the decimal separator, whatever the regional
// settings, and never a group separator: "12.5" and "12,5" are 12.5 under English and Russian
// settings alike. The separator typed is shown as the locale writes it. A text that is still
// no number (two separators) is refused keystroke by keystroke, as any spin box refuses a
// letter, so no character is ever dropped from what the box uses.
class NumberSpinBox : public QDoubleSpinBox {
    Q_OBJECT
  public:
    explicit NumberSpinBox(QWidget* parent = nullptr);

    QValidator::State validate(QString& text, int& position) const override;
    double valueFromText(const QString& text) const override;
    QString textFromValue(double value) const override;

    // The text with every "." and "," in its number replaced by the locale's separator.
    QString withLocaleSeparator(QString text) const;
};

}  // namespace varnel::studio
