// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

#include "engine/calc_record.h"

// Names, captions and default texts of the window's controls that the calculation uses.
namespace varnel {

// One input of the calculation, everywhere it appears: the window's box, the record field it
// fills, the text the window opens with, varnel-calc's option and batch column, its unit and the
// caption beside the box. eSource1 fills Ud for a voltage source and Id for a current source,
// so it names no single field.
struct InputBox {
    std::string_view name;
    std::string_view defaultText;  // written with "." as the decimal separator
    long double CalcRecord::*field;
    std::string_view option;  // after "--" on the command line, and a batch file's column
    std::string_view unit;
    std::string_view caption;
    std::string_view help;  // varnel-calc's description of the option
};

// The inputs in the order the command reads them.
inline constexpr std::array<InputBox, 12> kInputBoxes = {{
    {"eR1", "0.01", &CalcRecord::R1, "R1", "m", "Внутренний радиус R1, м",
     "inner radius of the winding, m"},
    {"eR2", "0.02", &CalcRecord::R2, "R2", "m", "Внешний радиус R2, м",
     "outer radius of the winding, m"},
    {"eH", "0.03", &CalcRecord::H, "H", "m", "Высота одного соленоида H, м",
     "height of one coil, m"},
    {"ehh", "0.01", &CalcRecord::hh, "h", "m", "Расстояние между соленоидами h, м",
     "gap between the coils, m"},
    {"eD", "0.001", &CalcRecord::D, "D", "m", "Диаметр провода D, м", "wire diameter, m"},
    {"eLambda", "0.6", &CalcRecord::Lambda, "Lambda", "", "Фактор упаковки Lambda (<1)",
     "packing factor of the winding (< 1)"},
    {"eRoe", "1.67E-8", &CalcRecord::Roe, "Roe", "Ohm*m",
     "Удельное сопротивление провода Roe, Ом * м", "resistivity of the wire, Ohm*m"},
    {"eRo", "8700", &CalcRecord::Ro, "Ro", "kg/m^3", "Плотность материала провода Ro, кг/куб. м",
     "density of the wire, kg/m^3"},
    {"eFREQ", "0", &CalcRecord::FREQ, "f", "Hz", "Частота f, Гц", "supply frequency, Hz"},
    {"eSource1", "1", nullptr, "source", "V or A", "Действующее напряжение Ud, В",
     "RMS voltage of the supply, V (with --current: RMS current, A)"},
    {"ex", "0", &CalcRecord::x, "x", "m", "Радиальная координата x, м",
     "radial coordinate of the field point, m"},
    {"ez", "0", &CalcRecord::z, "z", "m", "Аксиальная координата z, м",
     "axial coordinate of the field point from the centre, m"},
}};
inline constexpr std::size_t kSourceInput = 9;
inline constexpr std::size_t kXInput = 10;
inline constexpr std::size_t kZInput = 11;

// The input with this option name, if there is one.
constexpr std::optional<std::size_t> InputIndex(std::string_view option) {
    for (std::size_t i = 0; i < kInputBoxes.size(); ++i) {
        if (kInputBoxes[i].option == option)
            return i;
    }
    return std::nullopt;
}

struct ResultBox {
    std::string_view name;
    std::string_view caption;  // the label beside the box in the window
};

inline constexpr std::string_view kCurrentCaption = "Действующий ток Id, А";
inline constexpr std::string_view kVoltageCaption = "Действующее напряжение Ud, В";

// The result boxes in the order the command fills and clears them. eSource2 shows the current
// of a voltage source; with a current source its caption is kVoltageCaption.
inline constexpr std::array<ResultBox, 16> kResultBoxes = {{
    {"eN", "Число витков одного соленоида N"},
    {"eR", "Активное сопротивление системы R, Ом"},
    {"eL", "Индуктивность системы L, Гн"},
    {"eZL", "Индуктивное сопротивление системы ZL, Ом"},
    {"eZRL", "Полное сопротивление системы, Ом"},
    {"eSource2", kCurrentCaption},
    {"ej", "Плотность тока в обмотке j, А/кв. мм"},
    {"ejcond", "Плотность тока в проводе, А/кв. мм"},
    {"eP", "Рассеиваемая в системе мощность P, Вт"},
    {"eB0d", "Индукция в центре системы B0d, Тл"},
    {"eK0", "Коэффициент преобразования в центре системы K0 = B0d/Id, Тл/А"},
    {"eBxd", "Радиальная компонента магнитной индукции Bxd (x, z), Тл"},
    {"eBzd", "Аксиальная компонента магнитной индукции Bzd (x, z), Тл"},
    {"eBd", "Модуль магнитной индукции Bd (x, z), Тл"},
    {"eFi0", "Угол магнитной индукции с осью Z φ (x, z), градусов"},
    {"em", "Общая масса провода m, кг"},
}};

inline constexpr std::string_view kStatusBox = "eReady";
inline constexpr std::string_view kVoltageSourceRadio = "rbSourceU";
inline constexpr std::string_view kCurrentSourceRadio = "rbSourceI";

inline constexpr std::string_view kReadyText = "Готов ...";
inline constexpr std::string_view kWaitText = "Ждите ...";

}  // namespace varnel
