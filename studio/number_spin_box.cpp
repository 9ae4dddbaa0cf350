// SPDX-License-Identifier: GPL-3.0-or-later
#include "studio/number_spin_box.h"

namespace varnel::studio {

NumberSpinBox::NumberSpinBox(QWidget* parent) : QDoubleSpinBox(parent) {
    setGroupSeparatorShown(false);
}

QString NumberSpinBox::withLocaleSeparator(QString text) const {
    const QString point = locale().decimalPoint();
    // Only the number: a unit such as " nΩ·m" keeps its own marks.
    const qsizetype end = !suffix().isEmpty() && text.endsWith(suffix())
                              ? text.size() - suffix().size()
                              : text.size();
    for (qsizetype i = prefix().size(); i < end; ++i) {
        if (text[i] == QLatin1Char('.') || text[i] == QLatin1Char(','))
            text.replace(i, 1, point);
    }
    return text;
}

QValidator::State NumberSpinBox::validate(QString& text, int& position) const {
    QString number = withLocaleSeparator(text);
    // The base box takes a group separator as a digit grouping ("12,5" as 125 under English
    // settings); with the separators made decimal points, a second one is refused instead.
    const QString group = locale().groupSeparator();
    const qsizetype end = !suffix().isEmpty() && number.endsWith(suffix())
                              ? number.size() - suffix().size()
                              : number.size();
    if (!group.isEmpty() && group != locale().decimalPoint() &&
        number.left(end).mid(prefix().size()).contains(group))
        return QValidator::Invalid;
    const QValidator::State state = QDoubleSpinBox::validate(number, position);
    if (state != QValidator::Invalid)
        text = number;
    return state;
}

double NumberSpinBox::valueFromText(const QString& text) const {
    return QDoubleSpinBox::valueFromText(withLocaleSeparator(text));
}

QString NumberSpinBox::textFromValue(double value) const {
    // The locale's digits without grouping, so the text shown reads back to the same value.
    return locale().toString(value, 'f', decimals()).remove(locale().groupSeparator());
}

}  // namespace varnel::studio
