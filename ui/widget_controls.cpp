// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widget_controls.h"

#include <QLineEdit>
#include <QRadioButton>
#include <stdexcept>

namespace varnel::ui {
namespace {

template <typename Widget>
Widget* Find(QWidget* root, std::string_view name) {
    const QString objectName = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
    auto* widget = root->findChild<Widget*>(objectName);
    if (widget == nullptr)
        throw std::logic_error("no control " + std::string(name));
    return widget;
}

}  // namespace

std::string WidgetControls::Text(std::string_view name) const {
    return Find<QLineEdit>(root_, name)->text().toStdString();
}

void WidgetControls::SetText(std::string_view name, std::string_view text) {
    Find<QLineEdit>(root_, name)
        ->setText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

bool WidgetControls::IsChecked(std::string_view name) const {
    return Find<QRadioButton>(root_, name)->isChecked();
}

}  // namespace varnel::ui
