#include "studio/study_bridge.h"

#include <exception>
#include <stdexcept>

#include "command/control_names.h"
#include "study/accuracy_check.h"
#include "study/calc_request.h"
#include "study/field_study.h"

namespace varnel::studio {
namespace {

CalcRequest RequestFor(const DesignInputs& inputs) {
    const CalculatorTexts t = TextsFor(inputs);
    CalcRequest request;
    for (std::size_t i = 0; i < request.texts.size(); ++i) {
        request.texts[i] = t.texts.at(static_cast<qsizetype>(i)).toStdString();
    }
    request.currentSource = t.currentSource;
    return request;
}

QString FromUtf8(const std::string& s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// Where each quantity of the accuracy check sits among the results, by the name it gives.
std::optional<Result> ResultOfCheck(const std::string& name) {
    if (name == "pair inductance L")
        return Result::Inductance;
    if (name == "B0d")
        return Result::CentreField;
    if (name == "Bxd at the point")
        return Result::RadialField;
    if (name == "Bzd at the point")
        return Result::AxialField;
    if (name == "Bd at the point")
        return Result::FieldModulus;
    if (name == "angle at the point")
        return Result::FieldAngle;
    return std::nullopt;
}

}  // namespace

CalculatorTexts TextsFor(const DesignInputs& in) {
    CalculatorTexts t;
    // In the calculator's order: R1, R2, H, h, D, Lambda, Roe, Ro, f, source, x, z.
    t.texts = {
        DecimalText(in.innerRadiusMm, -3),
        DecimalText(in.outerRadiusMm, -3),
        DecimalText(in.heightMm, -3),
        DecimalText(in.gapMm, -3),
        DecimalText(in.wireDiameterMm, -3),
        DecimalText(in.packingFactor),
        DecimalText(in.resistivityNanoOhmM, -9),
        DecimalText(in.densityKgM3),
        DecimalText(in.frequencyHz),
        DecimalText(in.source),
        DecimalText(in.pointXMm, -3),
        DecimalText(in.pointZMm, -3),
    };
    t.currentSource = in.currentSource;
    return t;
}

StudyNumbers Calculate(const DesignInputs& inputs) {
    StudyNumbers n;
    const CalcOutcome outcome = RunCalculation(RequestFor(inputs));
    n.currentSource = inputs.currentSource;
    n.uniformityTolerance = inputs.uniformityPercent / 100;
    n.message = FromUtf8(outcome.message);
    switch (outcome.kind) {
        case CalcOutcome::Kind::Results:
            n.kind = StudyNumbers::Kind::Results;
            break;
        case CalcOutcome::Kind::CheckFailed:
            n.kind = StudyNumbers::Kind::CheckFailed;
            return n;
        case CalcOutcome::Kind::Error:
            n.kind = StudyNumbers::Kind::Error;
            return n;
    }
    for (int i = 0; i < kResultCount; ++i) {
        n.texts[static_cast<std::size_t>(i)] =
            FromUtf8(outcome.controls.Text(kResultBoxes[static_cast<std::size_t>(i)].name));
    }
    return n;
}

StudyNumbers Refine(const DesignInputs& inputs, StudyNumbers n) {
    if (n.kind != StudyNumbers::Kind::Results)
        return n;
    const CalcRequest request = RequestFor(inputs);
    try {
        const CalcOutcome outcome = RunCalculation(request);
        if (outcome.kind != CalcOutcome::Kind::Results)
            throw std::runtime_error(outcome.message);
        for (const CheckedQuantity& q : CheckAccuracy(outcome)) {
            const double exact = static_cast<double>(q.exact);
            const double classic = static_cast<double>(q.classic);
            if (const std::optional<Result> r = ResultOfCheck(q.name)) {
                const auto i = static_cast<std::size_t>(*r);
                n.classic[i] = classic;
                n.exact[i] = exact;
            } else if (q.name == "self-inductance of one coil") {
                n.selfClassic = classic;
                n.selfExact = exact;
            } else if (q.name == "mutual inductance") {
                n.mutualClassic = classic;
                n.mutualExact = exact;
            } else if (q.name == "force between the coils") {
                n.force = exact;
            }
        }
        const CalcOutcome base = StudyBase(request);
        if (base.kind == CalcOutcome::Kind::Results) {
            const UniformRegion region =
                FindUniformRegion(base, static_cast<long double>(n.uniformityTolerance));
            n.uniformAxial = {
                region.axialFound,
                static_cast<double>(region.axialFound ? region.axial : region.scanAxial)};
            n.uniformRadial = {
                region.radialFound,
                static_cast<double>(region.radialFound ? region.radial : region.scanRadial)};
        }
    } catch (const std::exception& e) {
        // The quick step's numbers stand; the extra ones stay empty and say why.
        n.checkError = QString::fromUtf8(e.what());
    }
    n.temperature = EstimateTemperatureRise(inputs, n);
    n.checked = true;
    return n;
}

std::optional<TemperatureRise> EstimateTemperatureRise(const DesignInputs&, const StudyNumbers&) {
    return std::nullopt;
}

QStringList CommandLineArguments(const DesignInputs& inputs) {
    const CalculatorTexts t = TextsFor(inputs);
    QStringList args;
    for (std::size_t i = 0; i < kInputBoxes.size(); ++i) {
        args << QStringLiteral("--") + FromUtf8(std::string(kInputBoxes[i].option))
             << t.texts.at(static_cast<qsizetype>(i));
    }
    if (t.currentSource)
        args << QStringLiteral("--current");
    return args;
}

}  // namespace varnel::studio
