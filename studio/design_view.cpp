// SPDX-License-Identifier: GPL-3.0-or-later
#include "studio/design_view.h"

#include "studio/core/catalogue.h"
#include "studio/number_spin_box.h"
#include "studio/table_number.h"

#include <algorithm>

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSortFilterProxyModel>
#include <QSpinBox>
#include <QSplitter>
#include <QStandardItemModel>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>
#include <thread>

namespace varnel::studio {
namespace {

// The columns of the supply's current and voltage.
constexpr int kCurrentColumn = 8, kVoltageColumn = 9;

}  // namespace

DesignView::DesignView(QWidget* parent) : QWidget(parent), search_(SearchDesigns) {
    setObjectName(QStringLiteral("designView"));
    QWidget* goals = makeGoals();
    makeControls();
    makeTable();
    layOut(goals);
    connectControls();
}

// The goals and limits as three forms side by side above the table, in the order of varnel-calc
// design's options: the field and the supply, the limits, the choices.
QWidget* DesignView::makeGoals() {
    auto* goals = new QWidget;
    auto* columns = new QHBoxLayout(goals);
    columns->setContentsMargins(0, 0, 0, 0);
    auto form = [columns] {
        auto* f = new QFormLayout;
        f->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
        columns->addLayout(f, 1);
        return f;
    };
    QFormLayout* field = form();
    addFieldGoals(field);
    addSupplyGoals(field);
    addLimits(form());
    addChoices(form());
    setGoals(DesignGoals{});
    return goals;
}

void DesignView::addFieldGoals(QFormLayout* form) {
    b0_ =
        addSpin(form, "sbGoalB0", tr("Field at the centre B0"), tr(" mT"),
                tr("The flux density at the centre, met with the winding hot"), 0.001, 10000, 1, 3);
    b0Tol_ = addSpin(form, "sbGoalB0Tol", tr("Tolerance of B0"), tr(" %"),
                     tr("How far B0 may be from the goal"), 0.01, 50, 0.5, 2);
    uniformTol_ =
        addSpin(form, "sbGoalUniform", tr("Uniform within"), tr(" %"),
                tr("|B| / B0 − 1 within this inside the sphere below"), 0.0001, 50, 0.05, 4);
    uniformRadius_ = addSpin(form, "sbGoalSphere", tr("Uniform sphere radius"), tr(" mm"),
                             tr("The radius of the sphere about the centre; 0: no uniformity goal"),
                             0, 10000, 1, 2);
    uniformRadius_->setSpecialValueText(tr("no uniformity goal"));
}

void DesignView::addSupplyGoals(QFormLayout* form) {
    voltage_ = new QRadioButton(tr("Voltage"));
    voltage_->setObjectName(QStringLiteral("rbGoalVoltage"));
    current_ = new QRadioButton(tr("Current"));
    current_->setObjectName(QStringLiteral("rbGoalCurrent"));
    voltage_->setChecked(true);
    auto* supply = new QHBoxLayout;
    supply->addWidget(voltage_);
    supply->addWidget(current_);
    form->addRow(tr("Source"), supply);
    source_ =
        addSpin(form, "sbGoalSource", tr("Supply, RMS"), tr(" V"),
                tr("The supply's RMS voltage, or current for a current source"), 0.001, 1e6, 1, 3);
    connect(current_, &QRadioButton::toggled, this,
            [this](bool on) { source_->setSuffix(on ? tr(" A") : tr(" V")); });
    frequency_ = addSpin(form, "sbGoalF", tr("Frequency"), tr(" Hz"),
                         tr("The supply's frequency; 0 for direct current"), 0, 1e6, 50, 1);
}

void DesignView::addLimits(QFormLayout* form) {
    const QString none = tr("0: no limit");
    maxPower_ = addSpin(form, "sbGoalPower", tr("Largest power"), tr(" W"), none, 0, 1e6, 1, 2);
    maxRise_ =
        addSpin(form, "sbGoalRise", tr("Largest temperature rise"), tr(" K"), none, 0, 500, 5, 1);
    maxOuter_ =
        addSpin(form, "sbGoalOuter", tr("Largest outer radius"), tr(" mm"), none, 0, 10000, 1, 2);
    maxLength_ =
        addSpin(form, "sbGoalLength", tr("Largest length 2H + h"), tr(" mm"), none, 0, 10000, 1, 2);
    maxMass_ =
        addSpin(form, "sbGoalMass", tr("Largest mass of wire"), tr(" kg"), none, 0, 10000, 0.1, 3);
    // At their least these boxes set no limit at all; they say so instead of showing 0.
    for (QDoubleSpinBox* limit : {maxPower_, maxRise_, maxOuter_, maxLength_, maxMass_})
        limit->setSpecialValueText(tr("no limit"));
    bore_ = addSpin(form, "sbGoalBore", tr("Least bore radius"), tr(" mm"),
                    tr("The least inner radius R1"), 0, 10000, 1, 2);
    ambient_ = addSpin(form, "sbGoalAmbient", tr("Ambient temperature"), tr(" °C"),
                       tr("The temperature of the air about the coils"), -60, 200, 1, 1);
}

void DesignView::addChoices(QFormLayout* form) {
    wires_ = addCombo(form, "cbGoalWires", tr("Wires"), tr("The catalogue of wires to choose from"),
                      {{QStringLiteral("metric"), tr("Metric enamelled wires")},
                       {QStringLiteral("awg"), tr("AWG enamelled wires")}});
    winding_ = addCombo(form, "cbGoalWinding", tr("Winding"), tr("How the turns lie"),
                        {{QStringLiteral("orthocyclic"), tr("Orthocyclic")},
                         {QStringLiteral("layer"), tr("Layer on layer")},
                         {QStringLiteral("random"), tr("Random")}});
    // The metals the search knows: those of the one table of materials.
    QList<QPair<QString, QString>> metals;
    for (const MaterialEntry& m : ShippedMaterialEntries())
        metals.append({m.key, m.name});
    material_ = addCombo(form, "cbGoalMaterial", tr("Conductor"), tr("The wire's metal"), metals);
    minimise_ =
        addCombo(form, "cbGoalMinimise", tr("Least"), tr("What the best design has least of"),
                 {{QStringLiteral("mass"), tr("Mass")},
                  {QStringLiteral("power"), tr("Power")},
                  {QStringLiteral("size"), tr("Size")}});
    count_ = new QSpinBox;
    count_->setObjectName(QStringLiteral("sbGoalCount"));
    count_->setRange(1, 100);
    count_->setToolTip(tr("How many designs to list"));
    form->addRow(tr("Designs"), count_);
}

void DesignView::makeControls() {
    run_ = new QPushButton(tr("Run"));
    run_->setObjectName(QStringLiteral("pbRun"));
    run_->setToolTip(tr("Searches for coil pairs that meet the goals"));
    cancel_ = new QPushButton(tr("Cancel"));
    cancel_->setObjectName(QStringLiteral("pbCancel"));
    cancel_->setEnabled(false);
    load_ = new QPushButton(tr("Load into Inputs"));
    load_->setObjectName(QStringLiteral("pbLoad"));
    load_->setToolTip(tr("Puts the chosen design into the inputs (also: double-click a row)"));
    load_->setEnabled(false);
    progress_ = new QProgressBar;
    progress_->setObjectName(QStringLiteral("pgSearch"));
    progress_->setRange(0, 1);
    progress_->setValue(0);
    progress_->setMinimumWidth(40);
    state_ = new QLabel(tr("Set the goals and run the search."));
    state_->setObjectName(QStringLiteral("lSearchState"));
    state_->setWordWrap(true);
}

void DesignView::makeTable() {
    model_ = new QStandardItemModel(this);
    model_->setHorizontalHeaderLabels(columnTitles());
    sorted_ = new QSortFilterProxyModel(this);
    sorted_->setSourceModel(model_);
    sorted_->setSortRole(Qt::UserRole);
    table_ = new QTableView;
    table_->setTabKeyNavigation(false);  // one stop in the Tab order
    table_->setObjectName(QStringLiteral("tvDesigns"));
    table_->setModel(sorted_);
    table_->setSortingEnabled(true);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->verticalHeader()->hide();
    table_->setMinimumWidth(150);  // scrolls in a small window
    table_->setWordWrap(false);
    // Each column as wide as its widest number or line of its title (fitColumns), not the
    // style's wider measure of a title with room for the sort arrow.
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    table_->horizontalHeader()->setMinimumSectionSize(
        fontMetrics().horizontalAdvance(QStringLiteral("000")));
    // The limits that bind take what the numbers leave, cut short if need be (the whole list
    // is the cell's tooltip).
    table_->horizontalHeader()->setSectionResizeMode(model_->columnCount() - 1,
                                                     QHeaderView::Stretch);
    // Titles of two lines ("R1" over "mm") keep the columns as narrow as their numbers.
    table_->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
}

// The goals above, then the controls of the search, then its table, which takes the window's
// whole width so that its columns fit.
void DesignView::layOut(QWidget* goals) {
    auto* goalsBox = new QGroupBox(tr("Goals and limits"));
    auto* goalsColumn = new QVBoxLayout(goalsBox);
    auto* scroll = new QScrollArea;
    scroll->setWidget(goals);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    // Whole where there is room; in a small window it scrolls rather than clips.
    const QSize whole = goals->sizeHint();
    const int bar = scroll->horizontalScrollBar()->sizeHint().height();
    scroll->setMinimumHeight(std::min(whole.height(), 80));
    scroll->setMaximumHeight(whole.height() + bar);
    scroll->setMinimumWidth(150);
    goalsColumn->addWidget(scroll);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(run_);
    buttons->addWidget(cancel_);
    buttons->addWidget(progress_, 1);
    buttons->addWidget(load_);
    auto* results = new QWidget;
    auto* column = new QVBoxLayout(results);
    column->setContentsMargins(0, 0, 0, 0);
    column->addLayout(buttons);
    column->addWidget(state_);
    column->addWidget(table_, 1);
    // The goals whole where the window has the height, the results below; the user may move
    // the line between them.
    auto* split = new QSplitter(Qt::Vertical);
    split->addWidget(goalsBox);
    split->addWidget(results);
    split->setChildrenCollapsible(false);
    split->setStretchFactor(1, 1);
    const int goalsHeight =
        whole.height() + bar + goalsBox->sizeHint().height() - scroll->sizeHint().height();
    split->setSizes({goalsHeight, 2 * goalsHeight});
    auto* page = new QVBoxLayout(this);
    page->addWidget(split);
}

void DesignView::connectControls() {
    connect(run_, &QPushButton::clicked, this, [this] { run(); });
    connect(cancel_, &QPushButton::clicked, this, [this] { cancel(); });
    connect(load_, &QPushButton::clicked, this, [this] {
        const QModelIndexList rows = table_->selectionModel()->selectedRows();
        if (!rows.isEmpty())
            choose(rows.first().row());
    });
    connect(table_, &QTableView::activated, this,
            [this](const QModelIndex& index) { choose(index.row()); });
    connect(table_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { load_->setEnabled(table_->selectionModel()->hasSelection()); });
    auto* ticker = new QTimer(this);
    ticker->setInterval(100);
    connect(ticker, &QTimer::timeout, this, [this] {
        if (!running())
            return;
        const auto total = static_cast<int>(std::max<std::size_t>(1, total_.load()));
        progress_->setRange(0, total);
        progress_->setValue(static_cast<int>(std::min<std::size_t>(done_.load(), total_.load())));
    });
    ticker->start();
}

DesignView::~DesignView() = default;

// Each title over its unit, so that a column is as narrow as its numbers.
QStringList DesignView::columnTitles() const {
    return {tr("Wire"),
            tr("R1\nmm"),
            tr("R2\nmm"),
            tr("H\nmm"),
            tr("h\nmm"),
            tr("Turns"),
            tr("Λ"),
            tr("P\nW"),
            tr("I\nA"),
            tr("U\nV"),
            tr("B0\nmT"),
            tr("Rise\nK"),
            tr("Mass\nkg"),
            tr("Uniform\n|z|\nmm"),
            tr("Uniform\nx\nmm"),
            tr("Rank"),
            tr("Binds")};
}

QDoubleSpinBox* DesignView::addSpin(QFormLayout* form, const char* name, const QString& label,
                                    const QString& suffix, const QString& tooltip, double minimum,
                                    double maximum, double step, int decimals) {
    auto* spin = new NumberSpinBox;
    spin->setObjectName(QLatin1String(name));
    spin->setRange(minimum, maximum);
    spin->setSingleStep(step);
    spin->setDecimals(decimals);
    spin->setSuffix(suffix);
    spin->setToolTip(tooltip);
    spin->setAccelerated(true);
    form->addRow(label, spin);
    return spin;
}

QComboBox* DesignView::addCombo(QFormLayout* form, const char* name, const QString& label,
                                const QString& tooltip,
                                const QList<QPair<QString, QString>>& items) {
    auto* combo = new QComboBox;
    combo->setObjectName(QLatin1String(name));
    combo->setToolTip(tooltip);
    // Long names (in Russian above all) are elided in the closed box rather than widening
    // the whole tab past the screen; the open list shows them whole.
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    combo->setMinimumContentsLength(10);
    for (const auto& [key, text] : items)
        combo->addItem(text, key);
    form->addRow(label, combo);
    return combo;
}

DesignGoals DesignView::goals() const {
    DesignGoals g;
    g.centreFieldMt = b0_->value();
    g.centreTolerancePercent = b0Tol_->value();
    g.uniformPercent = uniformTol_->value();
    g.uniformRadiusMm = uniformRadius_->value();
    g.currentSource = current_->isChecked();
    g.source = source_->value();
    g.frequencyHz = frequency_->value();
    g.maxPowerW = maxPower_->value();
    g.maxTempRiseK = maxRise_->value();
    g.maxOuterMm = maxOuter_->value();
    g.maxLengthMm = maxLength_->value();
    g.maxMassKg = maxMass_->value();
    g.ambientC = ambient_->value();
    g.boreMm = bore_->value();
    g.wires = wires_->currentData().toString();
    g.winding = winding_->currentData().toString();
    g.material = material_->currentData().toString();
    g.minimise = minimise_->currentData().toString();
    g.count = count_->value();
    return g;
}

void DesignView::setGoals(const DesignGoals& g) {
    b0_->setValue(g.centreFieldMt);
    b0Tol_->setValue(g.centreTolerancePercent);
    uniformTol_->setValue(g.uniformPercent);
    uniformRadius_->setValue(g.uniformRadiusMm);
    (g.currentSource ? current_ : voltage_)->setChecked(true);
    source_->setValue(g.source);
    frequency_->setValue(g.frequencyHz);
    maxPower_->setValue(g.maxPowerW);
    maxRise_->setValue(g.maxTempRiseK);
    maxOuter_->setValue(g.maxOuterMm);
    maxLength_->setValue(g.maxLengthMm);
    maxMass_->setValue(g.maxMassKg);
    ambient_->setValue(g.ambientC);
    bore_->setValue(g.boreMm);
    auto choose = [](QComboBox* c, const QString& key) {
        const int i = c->findData(key);
        if (i >= 0)
            c->setCurrentIndex(i);
    };
    choose(wires_, g.wires);
    choose(winding_, g.winding);
    choose(material_, g.material);
    choose(minimise_, g.minimise);
    count_->setValue(g.count);
}

void DesignView::run() {
    if (running())
        return;
    run_->setEnabled(false);
    cancel_->setEnabled(true);
    done_ = 0;
    total_ = 0;
    progress_->setRange(0, 0);  // busy until the search says how much there is
    state_->setText(tr("Searching…"));
    const unsigned threads = std::max(1u, std::thread::hardware_concurrency());
    runner_.start(
        [this, search = search_, goals = goals(), threads](std::stop_token stop) {
            return search(
                goals, stop,
                [this](std::size_t done, std::size_t total) {
                    done_ = done;
                    total_ = total;
                },
                threads);
        },
        [this](const DesignSearch& search) { finished(search); });
}

void DesignView::cancel() {
    if (!running())
        return;
    runner_.stop();  // the search still ends and says it was stopped
    cancel_->setEnabled(false);
    state_->setText(tr("Cancelling…"));
}

void DesignView::finished(const DesignSearch& search) {
    run_->setEnabled(true);
    cancel_->setEnabled(false);
    progress_->setRange(0, 1);
    progress_->setValue(search.interrupted ? 0 : 1);
    if (search.interrupted) {
        // The table keeps the designs of the last whole run.
        state_->setText(tr("Cancelled; the table still shows the last complete search."));
    } else if (search.designs.isEmpty()) {
        designs_.clear();
        fillTable();
        state_->setText(search.noDesign            ? noDesignText(search)
                        : search.message.isEmpty() ? tr("No design meets the goals.")
                                                   : search.message);
    } else {
        designs_ = search.designs;
        fillTable();
        state_->setText(
            tr("%n design(s) found, best first. Sort by a column; double-click a "
               "row to load it.",
               nullptr, static_cast<int>(designs_.size())));
    }
    Q_EMIT runFinished();
}

void DesignView::fillTable() {
    model_->removeRows(0, model_->rowCount());
    const QLocale locale;
    for (int i = 0; i < designs_.size(); ++i) {
        const FoundDesign& d = designs_[i];
        QList<QStandardItem*> cells;
        auto add = [&](const QString& text, const QVariant& sortKey) {
            auto* item = new QStandardItem(text);
            item->setData(sortKey, Qt::UserRole);
            item->setData(i, Qt::UserRole + 1);  // the design's place in designs_
            if (sortKey.typeId() == QMetaType::Double || sortKey.typeId() == QMetaType::LongLong)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            cells << item;
        };
        auto number = [&](double v) { add(TableNumber(v, kDesignDigits, locale), v); };
        add(wireName(d.wire), d.inputs.wireDiameterMm);
        number(d.inputs.innerRadiusMm);
        number(d.inputs.outerRadiusMm);
        number(d.inputs.heightMm);
        number(d.inputs.gapMm);
        add(locale.toString(d.turns), static_cast<qlonglong>(d.turns));
        number(d.lambda);
        number(d.power);
        number(d.current);
        number(d.voltage);
        number(d.centreFieldMt);
        number(d.riseK);
        number(d.massKg);
        number(d.uniformAxialMm);
        number(d.uniformRadialMm);
        add(locale.toString(d.rank), static_cast<qlonglong>(d.rank));
        QStringList binds;
        for (const QString& limit : d.binds)
            binds << bindName(limit);
        add(binds.isEmpty() ? tr("none") : binds.join(QStringLiteral(", ")), binds.join(','));
        cells.last()->setToolTip(cells.last()->text());
        model_->appendRow(cells);
    }
    table_->sortByColumn(-1, Qt::AscendingOrder);
    load_->setEnabled(false);
    fitColumns();
}

void DesignView::fitColumns() {
    const QFontMetrics metrics = table_->fontMetrics();
    const int pad = metrics.horizontalAdvance(QLatin1Char(' ')) * 2;  // a space each side
    QHeaderView* header = table_->horizontalHeader();
    for (int c = 0; c + 1 < model_->columnCount(); ++c) {
        int widest = 0;
        const QString title = model_->headerData(c, Qt::Horizontal).toString();
        for (const QString& line : title.split(QLatin1Char('\n')))
            widest = std::max(widest, metrics.horizontalAdvance(line));
        for (int r = 0; r < model_->rowCount(); ++r)
            widest = std::max(widest, metrics.horizontalAdvance(model_->item(r, c)->text()));
        header->resizeSection(c, widest + pad);
    }
    // The supply the goals fix is the same in every row: its column is not shown.
    const bool currentSource = !designs_.isEmpty() && designs_.first().inputs.currentSource;
    table_->setColumnHidden(kCurrentColumn, currentSource);
    table_->setColumnHidden(kVoltageColumn, !designs_.isEmpty() && !currentSource);
}

// Why the table is empty, in the user's language and number format: the goal and, where the
// search found anything, how close the closest came.
QString DesignView::noDesignText(const DesignSearch& search) const {
    const QLocale locale;
    const DesignGoals g = goals();
    const QString goal = TableNumber(g.centreFieldMt, kDesignDigits, locale);
    if (!search.closest)
        return tr("No design reaches %1 mT: no wire of the catalogue can, at this supply and a "
                  "bore of %2 mm.")
            .arg(goal, TableNumber(g.boreMm, kDesignDigits, locale));
    const ClosestDesign& c = *search.closest;
    QString text = tr("No design reaches %1 mT within the goals and limits; the closest reaches "
                      "%2 mT")
                       .arg(goal, TableNumber(c.centreFieldMt, kDesignDigits, locale));
    if (g.uniformRadiusMm > 0)
        text += tr(", a deviation of %1 % on the sphere")
                    .arg(TableNumber(c.deviation * 100, kDesignDigits, locale));
    text += c.runaway ? tr(", %1 W and runs away thermally.")
                            .arg(TableNumber(c.powerW, kDesignDigits, locale))
                      : tr(", %1 W and a rise of %2 K.")
                            .arg(TableNumber(c.powerW, kDesignDigits, locale),
                                 TableNumber(c.riseK, kDesignDigits, locale));
    return text;
}

// A wire of the catalogue by its name ("0.180 mm", "AWG 24") in the user's number format.
QString DesignView::wireName(const QString& name) const {
    const QString unit = QStringLiteral(" mm");
    if (!name.endsWith(unit))
        return name;
    const QString digits = name.chopped(unit.size());
    bool ok = false;
    const double mm = digits.toDouble(&ok);  // the catalogue writes "." whatever the locale
    if (!ok)
        return name;
    const int point = digits.indexOf(QLatin1Char('.'));
    const int decimals = point < 0 ? 0 : static_cast<int>(digits.size()) - point - 1;
    return QLocale().toString(mm, 'f', decimals) + tr(" mm");
}

QString DesignView::bindName(const QString& limit) const {
    // The limits by the goal boxes' words, so that the column reads in the user's language.
    if (limit == QStringLiteral("uniform"))
        return tr("uniformity");
    if (limit == QStringLiteral("max-power"))
        return tr("power");
    if (limit == QStringLiteral("max-temp-rise"))
        return tr("rise");
    if (limit == QStringLiteral("max-outer") || limit == QStringLiteral("search-outer"))
        return tr("outer radius");
    if (limit == QStringLiteral("max-length") || limit == QStringLiteral("search-length"))
        return tr("length");
    if (limit == QStringLiteral("max-mass"))
        return tr("mass");
    if (limit == QStringLiteral("bore"))
        return tr("bore");
    return limit;
}

void DesignView::choose(int row) {
    const QModelIndex index = sorted_->index(row, 0);
    if (!index.isValid())
        return;
    const int i = sorted_->data(index, Qt::UserRole + 1).toInt();
    if (i >= 0 && i < designs_.size())
        Q_EMIT designChosen(designs_[i].inputs);
}

}  // namespace varnel::studio
