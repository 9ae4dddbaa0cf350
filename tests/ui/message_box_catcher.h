// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>
#include <QList>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

// Watches for modal message boxes while an action runs, notes what each showed and answers it
// with OK, so a test can drive code that opens one.
class MessageBoxCatcher {
  public:
    struct Seen {
        QString title;
        QString text;
        QMessageBox::Icon icon;
        int buttonCount;
    };

    MessageBoxCatcher() {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            // Boxes live on the stack and may reuse an address: mark the answered one itself.
            if (box == nullptr || box->property("answered").toBool())
                return;
            box->setProperty("answered", true);
            seen_.append({box->windowTitle(), box->text(), box->icon(),
                          static_cast<int>(box->buttons().size())});
            box->button(QMessageBox::Ok)->click();
        });
        timer_.start(5);
    }

    const QList<Seen>& seen() const { return seen_; }

  private:
    QTimer timer_;
    QList<Seen> seen_;
};
