// SPDX-License-Identifier: GPL-3.0-or-later
#include "studio/core/study_bridge.h"
#include "studio/core/goal_messages.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <stdexcept>

#include "accuracy/exact_coils.h"
#include "command/control_names.h"
#include "command/number_styles.h"
#include "design/catalogue.h"
#include "design/search.h"
#include "design/thermal.h"
#include "plot/pictures.h"
#include "study/accuracy_check.h"
#include "study/calc_request.h"
#include "study/field_points_csv.h"
#include "study/field_study.h"
#include "study/map_field.h"
#include "study/map_flux.h"

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
    std::optional<TemperatureRise> temperature;
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
        temperature = EstimateTemperatureRise(inputs, static_cast<double>(outcome.rec.R),
                                              static_cast<double>(outcome.rec.ZL));
        // B0 hot: the exact field per ampere (the calculator's where there is no exact one)
        // times the steady state's current.
        const auto centre = static_cast<std::size_t>(Result::CentreField);
        const double perAmpere =
            n.exact[centre].value_or(static_cast<double>(outcome.field.centre)) /
            static_cast<double>(outcome.rec.Id);
        if (temperature && std::isfinite(perAmpere))
            temperature->centreField = perAmpere * temperature->current;
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
    n.temperature = temperature;
    n.checked = true;
    return n;
}

std::optional<TemperatureRise> EstimateTemperatureRise(const DesignInputs& inputs,
                                                       double resistance20, double reactance) {
    // The resistance's temperature coefficient of the conductor chosen, copper's for one typed;
    // none without the table of materials.
    std::optional<design::Material> material = design::FindMaterial(inputs.material.toStdString());
    if (!material)
        material = design::FindMaterial("copper");
    if (!material)
        return std::nullopt;
    design::ThermalInput in;
    in.resistance20 = resistance20;
    in.alpha = material->alpha;
    in.ambient = inputs.ambientC;
    in.reactance = reactance;
    in.heatTransfer = 12;  // natural convection and radiation, as the design search takes it
    in.area = design::CooledArea(inputs.innerRadiusMm / 1000, inputs.outerRadiusMm / 1000,
                                 inputs.heightMm / 1000, inputs.gapMm / 1000);
    in.currentSource = inputs.currentSource;
    in.source = inputs.source;
    if (!(resistance20 > 0) || !std::isfinite(resistance20))
        return std::nullopt;
    const design::ThermalState s = design::SteadyState(in);
    // The class the design search takes unless told otherwise.
    const auto thermalClass = static_cast<double>(design::Goals{}.thermalClass);
    if (!s.runaway && !(s.power > 0))
        return TemperatureRise{0, false, 0, 0, 0, inputs.ambientC, thermalClass};
    return TemperatureRise{static_cast<double>(s.rise),
                           s.runaway,
                           static_cast<double>(s.current),
                           static_cast<double>(s.power),
                           0,
                           inputs.ambientC + static_cast<double>(s.hotSpot),
                           thermalClass};
}

MapArea DefaultMapArea(const DesignInputs& in) {
    const double reach = (in.heightMm + in.gapMm / 2) / 1000;
    const double outer = in.outerRadiusMm / 1000;
    MapArea a;
    a.x0 = 0;
    a.z1 = std::max(reach * 1.3, outer * 0.8);
    a.x1 = std::max(outer * 1.6, a.z1);
    a.z0 = -a.z1;
    a.cells = kMapCells;
    return a;
}

namespace {

GridRange Cells(double from, double to, int count) {
    GridRange g;
    g.count = std::max(2, count);
    const double step = (to - from) / g.count;
    g.start = from + step / 2;
    g.stop = to - step / 2;
    return g;
}

}  // namespace

std::shared_ptr<const MapPicture> WithFieldLines(const MapPicture& picture, unsigned threads,
                                                 std::stop_token stop) {
    const double current = static_cast<double>(picture.rec.Id);
    FluxGrid flux = MapFluxGrid(picture.rec, current, picture.x, picture.z, threads, stop);
    if (!flux.complete)
        return nullptr;
    auto out = std::make_shared<MapPicture>(picture);
    out->flux = std::move(flux.psi);
    out->fluxStep = FieldLineStep(picture.rec, current);
    return out;
}

StudyMap ComputeMap(const DesignInputs& inputs, const MapArea& area, unsigned threads,
                    std::stop_token stop, bool fieldLines) {
    StudyMap out;
    auto base = std::make_shared<CalcOutcome>(StudyBase(RequestFor(inputs)));
    if (base->kind != CalcOutcome::Kind::Results) {
        out.message = FromUtf8(base->message);
        return out;
    }
    // Square cells, `cells` across the longer side; a view about the mid-plane stays so, for
    // the mirror image that halves the work.
    const double w = area.x1 - area.x0, h = area.z1 - area.z0;
    const double cell = std::max(w, h) / std::max(8, area.cells);
    const GridRange x = Cells(area.x0, area.x1, static_cast<int>(std::lround(w / cell)));
    GridRange z = Cells(area.z0, area.z1, static_cast<int>(std::lround(h / cell)));
    if (std::fabs(area.z0 + area.z1) < 1e-12 * h)
        z.start = -z.stop;
    const MapGrid grid =
        MapFieldGrid(base->rec, static_cast<double>(base->rec.Id), x, z, threads, stop);
    if (!grid.complete)
        return out;
    auto picture = std::make_shared<MapPicture>();
    picture->x = x;
    picture->z = z;
    picture->rec = base->rec;
    picture->centre = base->field.centre;
    picture->points.resize(grid.field.size());
    const auto nz = static_cast<std::size_t>(z.count);
    for (std::size_t k = 0; k < grid.field.size(); ++k) {
        FieldPoint& p = picture->points[k];
        p.x = x.At(static_cast<int>(k / nz));
        p.z = z.At(static_cast<int>(k % nz));
        const MapVector& v = grid.field[k];
        p.field.radial = v.radial;
        p.field.axial = v.axial;
        p.field.modulus = std::hypot(v.radial, v.axial);
        p.deviation = p.field.modulus / grid.centre - 1;
    }
    out.picture = std::move(picture);
    out.base = std::move(base);
    if (fieldLines) {
        out.picture = WithFieldLines(*out.picture, threads, stop);
        if (!out.picture)
            out.base.reset();
    }
    return out;
}

PointField FieldAtPoint(const CalcOutcome& base, double x, double z) {
    PointField f;
    f.x = x;
    f.z = z;
    const std::vector<FieldPoint> points =
        FieldGrid(base, GridRange{x, x, 1}, GridRange{z, z, 1}, 1);
    if (points.empty())
        return f;
    const FieldPoint& p = points.front();
    f.message = FromUtf8(p.status);
    f.ok = p.status.empty();
    f.radial = static_cast<double>(p.field.radial);
    f.axial = static_cast<double>(p.field.axial);
    f.modulus = static_cast<double>(p.field.modulus);
    f.angle = static_cast<double>(p.field.angle);
    return f;
}

StudyProfiles ComputeProfiles(const DesignInputs& inputs, unsigned threads, std::stop_token stop) {
    StudyProfiles out;
    const CalcOutcome base = StudyBase(RequestFor(inputs));
    if (base.kind != CalcOutcome::Kind::Results) {
        out.message = FromUtf8(base.message);
        return out;
    }
    const MapArea area = DefaultMapArea(inputs);
    constexpr int kPoints = 161;
    auto axis = std::make_shared<ProfilePicture>();
    axis->points =
        FieldProfile(base, true, GridRange{area.z0, area.z1, kPoints}, "0", threads, stop);
    axis->alongZ = true;
    axis->rec = base.rec;
    auto mid = std::make_shared<ProfilePicture>();
    mid->points =
        FieldProfile(base, false, GridRange{0, base.rec.R1 * 0.98L, kPoints}, "0", threads, stop);
    mid->alongZ = false;
    mid->rec = base.rec;
    if (stop.stop_requested())
        return out;
    out.axis = std::move(axis);
    out.midPlane = std::move(mid);
    return out;
}

LineProfile ComputeLineProfile(const DesignInputs& inputs, double x0, double z0, double x1,
                               double z1, std::stop_token stop) {
    LineProfile out;
    const CalcOutcome base = StudyBase(RequestFor(inputs));
    if (base.kind != CalcOutcome::Kind::Results) {
        out.message = FromUtf8(base.message);
        return out;
    }
    const double length = std::hypot(x1 - x0, z1 - z0);
    if (!(length > 0))
        return out;
    constexpr int kPoints = 121;
    auto line = std::make_shared<ProfilePicture>();
    line->rec = base.rec;
    line->slanted = true;
    line->lineX = x0;
    line->lineZ = z0;
    line->lineUx = (x1 - x0) / length;
    line->lineUz = (z1 - z0) / length;
    for (int k = 0; k < kPoints; ++k) {
        if (stop.stop_requested())
            return out;
        const double t = static_cast<double>(k) / (kPoints - 1);
        // The half-plane ends at the axis: a line drawn across it is folded back.
        const double x = std::fabs(x0 + t * (x1 - x0)), z = z0 + t * (z1 - z0);
        std::vector<FieldPoint> one = FieldGrid(base, GridRange{x, x, 1}, GridRange{z, z, 1}, 1);
        if (one.empty())
            continue;
        one.front().x = x0 + t * (x1 - x0);  // the position along the line as drawn
        one.front().xText.clear();           // so that the position, not |x|, is written
        line->points.push_back(one.front());
    }
    out.line = std::move(line);
    return out;
}

namespace {

// The study's one writer of field points; a point that failed keeps its line, its values empty
// and its status saying why. The studio's pictures are of the exact field.
QByteArray PointsCsv(const std::vector<FieldPoint>& points) {
    static constexpr PointColumn kColumns[] = {
        PointColumn::X, PointColumn::Z,         PointColumn::Bx,     PointColumn::Bz,
        PointColumn::B, PointColumn::Deviation, PointColumn::Status, PointColumn::Model};
    return QByteArray::fromStdString(FieldPointsCsv(points, FieldModel::Exact, kColumns));
}

}  // namespace

QByteArray MapCsv(const MapPicture& picture) {
    return PointsCsv(picture.points);
}

QByteArray ProfileCsv(const ProfilePicture& picture) {
    return PointsCsv(picture.points);
}

DesignSearch SearchDesigns(const DesignGoals& in, std::stop_token stop,
                           const SearchProgress& progress, unsigned threads) {
    DesignSearch out;
    design::Goals g;
    try {
        g.B0 = in.centreFieldMt / 1000;
        g.B0Tol = in.centreTolerancePercent / 100;
        if (in.uniformRadiusMm > 0)
            g.uniform = design::Uniformity{in.uniformPercent / 100, in.uniformRadiusMm / 1000};
        g.currentSource = in.currentSource;
        g.source = in.source;
        g.frequency = in.frequencyHz;
        auto limit = [](double v, double scale) {
            return v > 0 ? std::optional<long double>(v * scale) : std::nullopt;
        };
        g.maxPower = limit(in.maxPowerW, 1);
        g.maxTempRise = limit(in.maxTempRiseK, 1);
        g.maxOuter = limit(in.maxOuterMm, 1e-3);
        g.maxLength = limit(in.maxLengthMm, 1e-3);
        g.maxMass = limit(in.maxMassKg, 1);
        g.ambient = in.ambientC;
        g.bore = in.boreMm / 1000;
        g.minimise = in.minimise == QStringLiteral("power")  ? design::Minimise::Power
                     : in.minimise == QStringLiteral("size") ? design::Minimise::Size
                                                             : design::Minimise::Mass;
        g.count = in.count;
        g.winding = design::ParseWinding(in.winding.toStdString());
        g.material = design::LoadMaterial(in.material.toStdString());
        g.wires = design::LoadWires(in.wires.toStdString(), "");
        design::CheckGoals(g);
    } catch (const design::GoalError& e) {
        out.message = GoalMessage(e);  // in the user's words
        return out;
    } catch (const std::exception& e) {
        out.message = QString::fromUtf8(e.what());
        return out;
    }
    design::Answer a;
    try {
        a = design::FindDesigns(g, stop, progress, threads);
    } catch (const std::exception& e) {
        out.message = QString::fromUtf8(e.what());
        return out;
    }
    out.interrupted = a.interrupted || stop.stop_requested();
    if (out.interrupted)
        return out;
    out.message = FromUtf8(a.error);
    out.noDesign = a.designs.empty();
    if (a.closest) {
        const design::Closest& c = *a.closest;
        out.closest =
            ClosestDesign{static_cast<double>(c.B0 * 1000), static_cast<double>(c.deviation),
                          static_cast<double>(c.power), static_cast<double>(c.rise), c.runaway};
    }
    for (const design::Design& d : a.designs) {
        FoundDesign f;
        auto option = [&d](const char* name) {
            for (std::size_t i = 0; i + 1 < d.inputs.size(); ++i) {
                if (d.inputs[i] == name)
                    // Written with "." whatever the locale, so read by the same rule.
                    return static_cast<double>(ReadDigitsText(d.inputs[i + 1]).value_or(0));
            }
            return 0.0;
        };
        DesignInputs& di = f.inputs;
        di.innerRadiusMm = option("--R1") * 1000;
        di.outerRadiusMm = option("--R2") * 1000;
        di.heightMm = option("--H") * 1000;
        di.gapMm = option("--h") * 1000;
        di.wireDiameterMm = option("--D") * 1000;
        di.wire = FromUtf8(d.wire.name);
        // The material as such, at 20 C: the studio heats it to the working temperature by
        // the same thermal model as the search, so the rise, current and power come out as
        // the search found them (the calculator's own results stay those at 20 C).
        di.material = in.material;
        di.resistivityNanoOhmM = static_cast<double>(g.material.resistivity20 * 1e9L);
        di.densityKgM3 = static_cast<double>(g.material.density);
        di.frequencyHz = option("--f");
        di.source = option("--source");
        di.currentSource = in.currentSource;
        di.ambientC = in.ambientC;
        di.uniformityPercent = in.uniformPercent;
        di = RoundedToBoxes(di);
        // The turns as such: the packing factor that gives them for the geometry the boxes
        // hold, to the packing box's nine decimals (a change of N by about 1e-6).
        di.winding = QStringLiteral("given");
        di.packingFactor = PackingForTurns(di, static_cast<double>(d.model.fit.turns));
        di = RoundedToBoxes(di);
        f.wire = FromUtf8(d.wire.name);
        f.turns = d.model.fit.turns;
        f.lambda = di.packingFactor;
        // Hot as the steady state of the thermal model has it, the same model the Numbers tab
        // heats a loaded design with (the calculator run on the printed hot resistivity
        // differs from it in the fourth digit).
        const design::ThermalState& hot = d.model.hot;
        f.resistance = static_cast<double>(hot.resistance);
        f.current = static_cast<double>(hot.current);
        f.voltage = static_cast<double>(hot.voltage);
        f.power = static_cast<double>(hot.power);
        f.riseK = static_cast<double>(hot.rise);
        f.centreFieldMt = static_cast<double>(d.B0exact * 1000);
        // The hot numbers again for the pair as the boxes will hold it (lengths to the
        // micrometre, the turns through the packing factor), by the very steps the Numbers
        // tab takes, so that loading the design shows the table's numbers to its digits.
        const CalcOutcome loaded = RunCalculation(RequestFor(di));
        if (loaded.kind == CalcOutcome::Kind::Results && loaded.rec.Id != 0) {
            const CalcRecord& r = loaded.rec;
            const std::optional<TemperatureRise> heated =
                EstimateTemperatureRise(di, static_cast<double>(r.R), static_cast<double>(r.ZL));
            if (heated && !heated->runaway) {
                f.current = heated->current;
                f.power = heated->power;
                f.riseK = heated->kelvin;
                const exact::RefinedField centre =
                    exact::PairField(r.R1, r.R2, r.H, r.hh, r.N, 0, 0, r.Id);
                f.centreFieldMt = static_cast<double>(std::fabs(centre.axial.value) /
                                                      std::fabs(r.Id) * heated->current * 1000);
            }
        }
        f.massKg = static_cast<double>(d.model.mass);
        f.uniformAxialMm = static_cast<double>(d.extents.axial * 1000);
        f.uniformRadialMm = static_cast<double>(d.extents.radial * 1000);
        f.command = FromUtf8(d.command);
        f.rank = static_cast<int>(out.designs.size()) + 1;  // the search lists the best first
        for (const std::string& limit : d.binding)
            f.binds << FromUtf8(limit);
        out.designs.append(f);
    }
    return out;
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
