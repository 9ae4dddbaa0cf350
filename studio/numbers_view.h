// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

#include "studio/core/study_numbers.h"

class QLabel;
class QPushButton;
class QTableWidget;

namespace varnel::studio {

// The Numbers tab: the calculator's sixteen results in its own texts beside the exact values,
// then the inductances, the force, the uniform extents and the temperature rise. Cells can be
// selected and copied as tab-separated text.
class NumbersView : public QWidget {
    Q_OBJECT
  public:
    explicit NumbersView(QWidget* parent = nullptr);

    void showNumbers(const StudyNumbers& numbers);
    const StudyNumbers& numbers() const { return numbers_; }

    // The selected cells, or the whole table when none are, as tab-separated lines.
    QString selectedText() const;
    void copy() const;

  private:
    enum Column { kQuantity, kCalculator, kExact, kDifference, kColumnCount };

    void createTable();
    void fillLabels();
    void setCell(int row, int column, const QString& text);
    // Marks a cell that warns, saying why in its tooltip; empty: unmarked.
    void markCell(int row, int column, const QString& why);
    void showTemperature(const StudyNumbers& numbers, const QString& pending);
    void markDensities(const StudyNumbers& numbers);

    QLabel* status_ = nullptr;
    QTableWidget* table_ = nullptr;
    QPushButton* copyButton_ = nullptr;
    StudyNumbers numbers_;
};

}  // namespace varnel::studio
