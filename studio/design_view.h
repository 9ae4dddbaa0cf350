// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>
#include <atomic>
#include <stop_token>

#include "studio/core/latest_result.h"
#include "studio/core/study_bridge.h"

class QComboBox;
class QDoubleSpinBox;
class QFormLayout;
class QLabel;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QSortFilterProxyModel;
class QSpinBox;
class QStandardItemModel;
class QTableView;

namespace varnel::studio {

// The design search: its goals and limits, a run off the user-interface thread with progress
// and a cancel, and the designs found in a sortable table. Choosing a row offers its inputs.
class DesignView : public QWidget {
    Q_OBJECT
  public:
    explicit DesignView(QWidget* parent = nullptr);
    ~DesignView() override;

    DesignGoals goals() const;
    void setGoals(const DesignGoals& goals);
    bool running() const { return runner_.busy(); }
    QTableView* table() const { return table_; }
    // The designs the table shows, in the search's order (the table may sort them otherwise).
    const QList<FoundDesign>& designs() const { return designs_; }

    // The search that Run starts: SearchDesigns, or in a test one that waits on an event.
    using Search = std::function<DesignSearch(const DesignGoals&, std::stop_token,
                                              const SearchProgress&, unsigned)>;
    void setSearch(Search search) { search_ = std::move(search); }

    void run();
    void cancel();
    // Offers the design in the table's row `row` (as sorted) to the inputs.
    void choose(int row);
    // A binding limit's name in the user's language.
    QString bindName(const QString& limit) const;

  Q_SIGNALS:
    void designChosen(const varnel::studio::DesignInputs& inputs);
    void runFinished();

  private:
    QWidget* makeGoals();
    void addFieldGoals(QFormLayout* form);
    void addSupplyGoals(QFormLayout* form);
    void addLimits(QFormLayout* form);
    void addChoices(QFormLayout* form);
    void makeControls();
    void makeTable();
    void layOut(QWidget* goals);
    void connectControls();
    QStringList columnTitles() const;
    QString noDesignText(const DesignSearch& search) const;
    QString wireName(const QString& name) const;
    QDoubleSpinBox* addSpin(QFormLayout* form, const char* name, const QString& label,
                            const QString& suffix, const QString& tooltip, double minimum,
                            double maximum, double step, int decimals);
    QComboBox* addCombo(QFormLayout* form, const char* name, const QString& label,
                        const QString& tooltip, const QList<QPair<QString, QString>>& items);
    void finished(const DesignSearch& search);
    void fillTable();
    void fitColumns();

    QDoubleSpinBox *b0_, *b0Tol_, *uniformTol_, *uniformRadius_, *source_, *frequency_, *maxPower_,
        *maxRise_, *maxOuter_, *maxLength_, *maxMass_, *ambient_, *bore_;
    QRadioButton *voltage_, *current_;
    QComboBox *wires_, *winding_, *material_, *minimise_;
    QSpinBox* count_ = nullptr;
    QPushButton *run_, *cancel_, *load_;
    QProgressBar* progress_ = nullptr;
    QLabel* state_ = nullptr;
    QTableView* table_ = nullptr;
    QStandardItemModel* model_ = nullptr;
    QSortFilterProxyModel* sorted_ = nullptr;

    QList<FoundDesign> designs_;
    Search search_;
    std::atomic<std::size_t> done_{0}, total_{0};
    // Last, so that it ends the search before the counters the search writes go.
    LatestResult runner_{1};  // one search at a time; it uses its own threads
};

}  // namespace varnel::studio
