// SPDX-License-Identifier: GPL-3.0-or-later
#include "studio/numbers_view.h"

#include "studio/table_number.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <cmath>

namespace varnel::studio {
namespace {

// Rows after the sixteen results.
enum ExtraRow { kSelf = kResultCount, kMutual, kForce, kAxial, kRadial, kTemperature, kRowCount };

// What each result is, with its unit, in the calculator's order.
constexpr const char* kResultLabels[kResultCount] = {
    QT_TRANSLATE_NOOP("varnel::studio::NumbersView", "Turns of one coil N"),
    QT_TRANSLATE_NOOP("varnel::studio::NumbersView", "Resistance of the pair R, Ω"),
    QT_TRANSLATE_NOOP("varnel::studio::NumbersView", "Inductance of the pair L, H"),
    QT_TRANSLATE_NOOP("varnel::studio::NumbersView", "Inductive reactance ZL, Ω"),
    QT_TRANSLATE_NOOP("varnel::studio::NumbersView", "Impedance |Z|, Ω"),
    QT_TRANSLATE_NOOP("varnel::studio::NumbersView", "RMS current Id, A"),
    QT_TRANSLATE_NOOP("varnel::studio::NumbersView", "Current density in the winding j, A/mm²"),
    QT_TRANSLATE_NOOP("varnel::studio::NumbersView", "Current density in the wire, A/mm²"),
    QT_TRANSLATE_NOOP("varnel::studio::NumbersView", "Power dissipated P, W"),
    QT_TRANSLATE_NOOP("varnel::studio::NumbersView", "Flux density at the centre B0, T"),
    QT_TRANSLATE_NOOP("varnel::studio::NumbersView", "Conversion factor K0 = B0/Id, T/A"),
    QT_TRANSLATE_NOOP("varnel::studio::NumbersView", "Radial flux density Bx at the point, T"),
    QT_TRANSLATE_NOOP("varnel::studio::NumbersView", "Axial flux density Bz at the point, T"),
    QT_TRANSLATE_NOOP("varnel::studio::NumbersView", "Flux density |B| at the point, T"),
    QT_TRANSLATE_NOOP("varnel::studio::NumbersView", "Angle of the field to the axis φ, °"),
    QT_TRANSLATE_NOOP("varnel::studio::NumbersView", "Mass of wire m, kg"),
};

constexpr QChar kDash(0x2014);
constexpr QChar kEllipsis(0x2026);

// The calculator writes its results with the user's decimal separator, as its window does;
// the texts arrive written with ".".
QString CalculatorText(const QString& text) {
    return QString(text).replace(QLatin1Char('.'), QLocale().decimalPoint());
}

QString Exact(double v) {
    return TableNumber(v, kNumbersDigits);
}

// A classic value this far from the exact one is marked.
constexpr double kMarkedDifference = 0.01;

bool FarFromExact(const std::optional<double>& classic, const std::optional<double>& exact) {
    return classic && exact && *exact != 0 && std::fabs(*classic / *exact - 1) > kMarkedDifference;
}

QString Difference(const std::optional<double>& classic, const std::optional<double>& exact) {
    if (!classic || !exact || *exact == 0)
        return QString(kDash);
    return TableNumber(100 * (*classic / *exact - 1), kNumbersDigits) + QStringLiteral(" %");
}

}  // namespace

NumbersView::NumbersView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("numbersView"));
    createTable();
    fillLabels();
    showNumbers(StudyNumbers{});
}

void NumbersView::createTable() {
    auto* column = new QVBoxLayout(this);
    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("lStatus"));
    status_->setWordWrap(true);
    status_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    column->addWidget(status_);

    table_ = new QTableWidget(kRowCount, kColumnCount, this);
    // One stop in the Tab order: the arrow keys move within it.
    table_->setTabKeyNavigation(false);
    table_->setObjectName(QStringLiteral("twNumbers"));
    table_->setHorizontalHeaderLabels(
        {tr("Quantity"), tr("Calculator"), tr("Exact"), tr("Calc./exact − 1")});
    table_->verticalHeader()->hide();
    // Rows as tight as the text, so every number shows without scrolling.
    table_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    table_->setAlternatingRowColors(true);
    table_->setWordWrap(false);
    // The numbers at their width; the quantities take the rest, cut short in a narrow window
    // (the whole name is the cell's tooltip) so that the numbers always show.
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table_->horizontalHeader()->setSectionResizeMode(kQuantity, QHeaderView::Stretch);
    // Columns keep a number's width while they are empty, so the table does not jump.
    table_->horizontalHeader()->setMinimumSectionSize(
        fontMetrics().horizontalAdvance(QStringLiteral("−0.000000 %")));
    table_->setContextMenuPolicy(Qt::ActionsContextMenu);
    auto* copyAction = new QAction(tr("Copy"), table_);
    copyAction->setShortcut(QKeySequence::Copy);
    copyAction->setShortcutContext(Qt::WidgetShortcut);
    connect(copyAction, &QAction::triggered, this, [this] { copy(); });
    table_->addAction(copyAction);
    column->addWidget(table_, 1);

    auto* row = new QHBoxLayout;
    row->addStretch(1);
    copyButton_ = new QPushButton(tr("Copy table"), this);
    copyButton_->setObjectName(QStringLiteral("bCopy"));
    copyButton_->setToolTip(tr("Copies the selected cells, or the whole table, as text"));
    connect(copyButton_, &QPushButton::clicked, this, [this] { copy(); });
    row->addWidget(copyButton_);
    column->addLayout(row);
}

void NumbersView::fillLabels() {
    for (int r = 0; r < kRowCount; ++r) {
        for (int c = 0; c < kColumnCount; ++c) {
            auto* item = new QTableWidgetItem;
            if (c != kQuantity)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            table_->setItem(r, c, item);
        }
    }
    for (int r = 0; r < kResultCount; ++r)
        setCell(r, kQuantity, tr(kResultLabels[r]));
    setCell(kSelf, kQuantity, tr("Self-inductance of one coil, H"));
    setCell(kMutual, kQuantity, tr("Mutual inductance of the coils, H"));
    setCell(kForce, kQuantity, tr("Force between the coils (− attracts), N"));
    setCell(kTemperature, kQuantity, tr("Temperature rise of the winding, K"));
    // The rise with the current, power and B0 hot is one text across the three number
    // columns, so it does not widen the calculator's column.
    table_->setSpan(kTemperature, kCalculator, 1, kColumnCount - kCalculator);
}

void NumbersView::setCell(int row, int column, const QString& text) {
    table_->item(row, column)->setText(text);
    if (column == kQuantity)
        table_->item(row, column)->setToolTip(text);
}

void NumbersView::markCell(int row, int column, const QString& why) {
    QTableWidgetItem* item = table_->item(row, column);
    item->setBackground(why.isEmpty() ? QBrush() : QBrush(QColor(255, 205, 205)));
    QFont font = item->font();
    font.setBold(!why.isEmpty());
    item->setFont(font);
    item->setToolTip(why);
}

void NumbersView::showNumbers(const StudyNumbers& n) {
    numbers_ = n;
    const QLocale locale;
    const QString tolerance = locale.toString(n.uniformityTolerance * 100, 'g', 4);
    setCell(kAxial, kQuantity, tr("Uniform to %1 % along the axis, mm").arg(tolerance));
    setCell(kRadial, kQuantity, tr("Uniform to %1 % in the mid-plane, mm").arg(tolerance));
    setCell(static_cast<int>(Result::Source), kQuantity,
            n.currentSource ? tr("RMS voltage Ud, V") : tr(kResultLabels[int(Result::Source)]));

    switch (n.kind) {
        case StudyNumbers::Kind::Results:
            if (!n.checkError.isEmpty())
                status_->setText(tr("Calculated; the exact values failed: %1").arg(n.checkError));
            else
                status_->setText(n.checked ? tr("Calculated.")
                                           : tr("Calculated; the exact values follow."));
            break;
        case StudyNumbers::Kind::CheckFailed:
            status_->setText(tr("The calculator does not take these inputs: %1").arg(n.message));
            break;
        case StudyNumbers::Kind::Error:
            status_->setText(tr("The calculation failed: %1").arg(n.message));
            break;
    }
    const bool results = n.kind == StudyNumbers::Kind::Results;
    // Until the exact step has run, its cells say it is coming; then a dash means "none".
    const QString pending = results && !n.checked ? QString(kEllipsis) : QString(kDash);
    for (int r = 0; r < kResultCount; ++r) {
        const auto i = static_cast<std::size_t>(r);
        setCell(r, kCalculator, results ? CalculatorText(n.texts[i]) : QString());
        setCell(r, kExact, n.exact[i] ? Exact(*n.exact[i]) : pending);
        setCell(r, kDifference, n.exact[i] ? Difference(n.classic[i], n.exact[i]) : pending);
        markCell(r, kDifference,
                 results && FarFromExact(n.classic[i], n.exact[i])
                     ? tr("The calculator's value is more than 1 % from the exact one")
                     : QString());
    }
    auto pair = [&](int row, const std::optional<double>& classic,
                    const std::optional<double>& exact) {
        setCell(row, kCalculator, classic ? Exact(*classic) : pending);
        setCell(row, kExact, exact ? Exact(*exact) : pending);
        setCell(row, kDifference, exact ? Difference(classic, exact) : pending);
    };
    pair(kSelf, n.selfClassic, n.selfExact);
    pair(kMutual, n.mutualClassic, n.mutualExact);
    pair(kForce, std::nullopt, n.force);
    setCell(kForce, kCalculator, QString(kDash));
    auto extent = [&](int row, const UniformExtent& e) {
        QString text = pending;
        if (results && n.checked) {
            const QString mm = TableNumber(e.metres * 1000, kNumbersDigits, locale);
            text = e.found ? mm : tr("beyond %1").arg(mm);
        }
        setCell(row, kCalculator, text);
        setCell(row, kExact, QString(kDash));
        setCell(row, kDifference, QString(kDash));
    };
    extent(kAxial, n.uniformAxial);
    extent(kRadial, n.uniformRadial);
    showTemperature(n, pending);
    markDensities(n);
}

// The steady rise, with the current, power and B0 hot beside it, or why there is none.
void NumbersView::showTemperature(const StudyNumbers& n, const QString& pending) {
    const QLocale locale;
    const bool results = n.kind == StudyNumbers::Kind::Results;
    QString temperature = pending;
    if (results && n.checked) {
        if (!n.temperature)
            temperature = tr("needs the thermal model");
        else if (n.temperature->runaway)
            temperature = tr("no steady state (thermal runaway)");
        else if (n.temperature->power > 0)
            // The steady state's current and power beside the rise: what a design found by
            // the search gives hot, where the calculator's results are at 20 °C.
            temperature =
                tr("%1 (%2 A, %3 W, %4 mT)")
                    .arg(TableNumber(n.temperature->kelvin, kNumbersDigits, locale),
                         TableNumber(n.temperature->current, kNumbersDigits, locale),
                         TableNumber(n.temperature->power, kNumbersDigits, locale),
                         TableNumber(n.temperature->centreField * 1000, kNumbersDigits, locale));
        else
            temperature = TableNumber(n.temperature->kelvin, kNumbersDigits, locale);
    }
    setCell(kTemperature, kCalculator, temperature);
    markCell(kTemperature, kCalculator,
             results && n.checked && n.temperature && n.temperature->runaway
                 ? tr("Thermal runaway: the winding heats faster than it can lose heat")
                 : QString());
    if (!(results && n.checked && n.temperature && n.temperature->runaway))
        table_->item(kTemperature, kCalculator)
            ->setToolTip(tr("The rise, and in brackets the current, power and B0 at the steady "
                            "temperature"));
    setCell(kTemperature, kExact, QString(kDash));
    setCell(kTemperature, kDifference, QString(kDash));
}

// A current density that heats the winding past its insulation's thermal class is marked on
// both density rows and said on the status line.
void NumbersView::markDensities(const StudyNumbers& n) {
    const std::optional<TemperatureRise>& t = n.temperature;
    const bool beyond = n.kind == StudyNumbers::Kind::Results && n.checked && t && t->beyondClass();
    QString why;
    if (beyond) {
        const QLocale locale;
        const QString limit = TableNumber(t->thermalClassC, kNumbersDigits, locale);
        why = t->runaway ? tr("The current density heats the winding without bound, past its "
                              "insulation's thermal class of %1 °C")
                               .arg(limit)
                         : tr("The current density heats the winding to %1 °C at its hottest, "
                              "past its insulation's thermal class of %2 °C")
                               .arg(TableNumber(t->hottestC, kNumbersDigits, locale), limit);
        status_->setText(status_->text() + QLatin1Char(' ') + why + QLatin1Char('.'));
    }
    for (const Result r : {Result::WindingDensity, Result::WireDensity})
        markCell(static_cast<int>(r), kCalculator, why);
}

QString NumbersView::selectedText() const {
    QList<QTableWidgetSelectionRange> ranges = table_->selectedRanges();
    int top = 0, bottom = kRowCount - 1, left = 0, right = kColumnCount - 1;
    if (!ranges.isEmpty()) {
        top = kRowCount, bottom = -1, left = kColumnCount, right = -1;
        for (const auto& range : ranges) {
            top = std::min(top, range.topRow());
            bottom = std::max(bottom, range.bottomRow());
            left = std::min(left, range.leftColumn());
            right = std::max(right, range.rightColumn());
        }
    }
    QStringList lines;
    if (ranges.isEmpty()) {
        QStringList header;
        for (int c = left; c <= right; ++c)
            header << table_->horizontalHeaderItem(c)->text();
        lines << header.join(QLatin1Char('\t'));
    }
    for (int r = top; r <= bottom; ++r) {
        QStringList cells;
        for (int c = left; c <= right; ++c) {
            const QTableWidgetItem* item = table_->item(r, c);
            cells << (ranges.isEmpty() || item->isSelected() ? item->text() : QString());
        }
        lines << cells.join(QLatin1Char('\t'));
    }
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

void NumbersView::copy() const {
    QApplication::clipboard()->setText(selectedText());
}

}  // namespace varnel::studio
