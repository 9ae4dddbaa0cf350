// SPDX-License-Identifier: GPL-3.0-or-later
#include "studio/core/design_file.h"

#include <QCoreApplication>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QSaveFile>
#include <cmath>

namespace varnel::studio {
namespace {

// Every number of a design, by its key in the file and its place in the inputs.
struct NumberField {
    const char* key;
    double DesignInputs::*member;
};
constexpr NumberField kNumbers[] = {
    {"R1_mm", &DesignInputs::innerRadiusMm},
    {"R2_mm", &DesignInputs::outerRadiusMm},
    {"H_mm", &DesignInputs::heightMm},
    {"h_mm", &DesignInputs::gapMm},
    {"D_mm", &DesignInputs::wireDiameterMm},
    {"Lambda", &DesignInputs::packingFactor},
    {"resistivity_nOhm_m", &DesignInputs::resistivityNanoOhmM},
    {"density_kg_m3", &DesignInputs::densityKgM3},
    {"source", &DesignInputs::source},
    {"f_Hz", &DesignInputs::frequencyHz},
    {"x_mm", &DesignInputs::pointXMm},
    {"z_mm", &DesignInputs::pointZMm},
    {"uniformity_percent", &DesignInputs::uniformityPercent},
    {"ambient_C", &DesignInputs::ambientC},
};

struct TextField {
    const char* key;
    QString DesignInputs::*member;
};
// Layout 1 named the packing-factor presets by bare style names and the layer-on-layer
// winding "square"; layout 2 gives the design tool's names to the design tool's styles.
QString WindingOfLayout1(const QString& key) {
    if (key == QStringLiteral("random") || key == QStringLiteral("layer") ||
        key == QStringLiteral("bar"))
        return QStringLiteral("typical-") + key;
    if (key == QStringLiteral("square"))
        return QStringLiteral("layer");
    return key;
}

constexpr TextField kTexts[] = {
    {"wire", &DesignInputs::wire},
    {"winding", &DesignInputs::winding},
    {"material", &DesignInputs::material},
};

// The goals' numbers and texts by their keys under "goals".
struct GoalNumber {
    const char* key;
    double DesignGoals::*member;
};
constexpr GoalNumber kGoalNumbers[] = {
    {"B0_mT", &DesignGoals::centreFieldMt},
    {"B0_tolerance_percent", &DesignGoals::centreTolerancePercent},
    {"uniform_percent", &DesignGoals::uniformPercent},
    {"uniform_radius_mm", &DesignGoals::uniformRadiusMm},
    {"source", &DesignGoals::source},
    {"f_Hz", &DesignGoals::frequencyHz},
    {"max_power_W", &DesignGoals::maxPowerW},
    {"max_temp_rise_K", &DesignGoals::maxTempRiseK},
    {"max_outer_mm", &DesignGoals::maxOuterMm},
    {"max_length_mm", &DesignGoals::maxLengthMm},
    {"max_mass_kg", &DesignGoals::maxMassKg},
    {"ambient_C", &DesignGoals::ambientC},
    {"bore_mm", &DesignGoals::boreMm},
};
struct GoalText {
    const char* key;
    QString DesignGoals::*member;
};
constexpr GoalText kGoalTexts[] = {
    {"wires", &DesignGoals::wires},
    {"winding", &DesignGoals::winding},
    {"material", &DesignGoals::material},
    {"minimise", &DesignGoals::minimise},
};

QString Damaged(const QString& why) {
    return QCoreApplication::translate("DesignFile", "The file is damaged and was not opened: %1.")
        .arg(why);
}

}  // namespace

QByteArray WriteDesign(const DesignInputs& inputs) {
    QJsonObject o;
    o.insert(QStringLiteral("schema"), kDesignSchema);
    o.insert(QStringLiteral("program"), QStringLiteral("varnel-studio"));
    for (const NumberField& f : kNumbers) {
        o.insert(QLatin1String(f.key), inputs.*f.member);
    }
    for (const TextField& f : kTexts) {
        o.insert(QLatin1String(f.key), inputs.*f.member);
    }
    o.insert(QStringLiteral("current_source"), inputs.currentSource);
    return QJsonDocument(o).toJson(QJsonDocument::Indented);
}

std::variant<DesignInputs, QString> ReadDesign(const QByteArray& bytes) {
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError) {
        return Damaged(QCoreApplication::translate("DesignFile", "%1 at byte %2")
                           .arg(error.errorString())
                           .arg(error.offset));
    }
    if (!doc.isObject())
        return Damaged(QCoreApplication::translate("DesignFile", "it holds no design"));
    const QJsonObject o = doc.object();
    const QJsonValue schema = o.value(QStringLiteral("schema"));
    if (!schema.isDouble() || schema.toDouble() != std::floor(schema.toDouble()) ||
        schema.toDouble() < 1) {
        return Damaged(
            QCoreApplication::translate("DesignFile", "it has no layout version (\"schema\")"));
    }
    if (schema.toDouble() > kDesignSchema) {
        return QCoreApplication::translate(
                   "DesignFile",
                   "The file was written by a newer version of the studio (layout %1; this "
                   "version reads up to %2) and was not opened.")
            .arg(schema.toInt())
            .arg(kDesignSchema);
    }
    DesignInputs inputs;
    for (const NumberField& f : kNumbers) {
        const QJsonValue v = o.value(QLatin1String(f.key));
        if (!v.isDouble() || !std::isfinite(v.toDouble()))
            return Damaged(
                QCoreApplication::translate("DesignFile", "\"%1\" is missing or not a number")
                    .arg(QLatin1String(f.key)));
        // A value no box can show is refused, never clamped into range behind the user's back.
        const InputLimits& limits = LimitsOf(f.member);
        if (v.toDouble() < limits.minimum || v.toDouble() > limits.maximum)
            return QCoreApplication::translate(
                       "DesignFile",
                       "The file was not opened: \"%1\" is %2, outside the range %3 to %4.")
                .arg(QLatin1String(f.key), QLocale().toString(v.toDouble(), 'g', 15),
                     QLocale().toString(limits.minimum, 'g', 15),
                     QLocale().toString(limits.maximum, 'g', 15));
        inputs.*f.member = v.toDouble();
    }
    for (const TextField& f : kTexts) {
        const QJsonValue v = o.value(QLatin1String(f.key));
        if (!v.isString())
            return Damaged(
                QCoreApplication::translate("DesignFile", "\"%1\" is missing or not a text")
                    .arg(QLatin1String(f.key)));
        inputs.*f.member = v.toString();
    }
    const QJsonValue current = o.value(QStringLiteral("current_source"));
    if (!current.isBool())
        return Damaged(
            QCoreApplication::translate("DesignFile", "\"%1\" is missing or not true or false")
                .arg("current_source"));
    inputs.currentSource = current.toBool();
    if (schema.toInt() == 1)
        inputs.winding = WindingOfLayout1(inputs.winding);
    return inputs;
}

QByteArray WriteDesign(const DesignInputs& inputs, const DesignGoals& goals) {
    QJsonObject o = QJsonDocument::fromJson(WriteDesign(inputs)).object();
    QJsonObject g;
    for (const GoalNumber& f : kGoalNumbers)
        g.insert(QLatin1String(f.key), goals.*f.member);
    for (const GoalText& f : kGoalTexts)
        g.insert(QLatin1String(f.key), goals.*f.member);
    g.insert(QStringLiteral("current_source"), goals.currentSource);
    g.insert(QStringLiteral("count"), goals.count);
    o.insert(QStringLiteral("goals"), g);
    return QJsonDocument(o).toJson(QJsonDocument::Indented);
}

std::optional<DesignGoals> ReadDesignGoals(const QByteArray& bytes) {
    const QJsonObject g =
        QJsonDocument::fromJson(bytes).object().value(QStringLiteral("goals")).toObject();
    if (g.isEmpty())
        return std::nullopt;
    DesignGoals goals;
    for (const GoalNumber& f : kGoalNumbers) {
        const QJsonValue v = g.value(QLatin1String(f.key));
        if (!v.isDouble() || !std::isfinite(v.toDouble()))
            return std::nullopt;
        goals.*f.member = v.toDouble();
    }
    for (const GoalText& f : kGoalTexts) {
        const QJsonValue v = g.value(QLatin1String(f.key));
        if (!v.isString())
            return std::nullopt;
        goals.*f.member = v.toString();
    }
    const QJsonValue current = g.value(QStringLiteral("current_source"));
    const QJsonValue count = g.value(QStringLiteral("count"));
    if (!current.isBool() || !count.isDouble())
        return std::nullopt;
    goals.currentSource = current.toBool();
    goals.count = count.toInt();
    return goals;
}

QString SaveDesign(const QString& path, const DesignInputs& inputs) {
    return SaveDesign(path, inputs, DesignGoals{});
}

QString SaveDesign(const QString& path, const DesignInputs& inputs, const DesignGoals& goals) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return QCoreApplication::translate("DesignFile", "Cannot write %1: %2.")
            .arg(path, file.errorString());
    file.write(WriteDesign(inputs, goals));
    if (!file.commit())
        return QCoreApplication::translate("DesignFile", "Cannot write %1: %2.")
            .arg(path, file.errorString());
    return {};
}

std::variant<DesignInputs, QString> OpenDesign(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QCoreApplication::translate("DesignFile", "Cannot open %1: %2.")
            .arg(path, file.errorString());
    // A design is a few hundred bytes; anything far larger is not one.
    constexpr qint64 kLargest = 1 << 20;
    if (file.size() > kLargest)
        return Damaged(
            QCoreApplication::translate("DesignFile", "it is far too large for a design"));
    return ReadDesign(file.readAll());
}

}  // namespace varnel::studio
