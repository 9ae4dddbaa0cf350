#pragma once

#include <array>
#include <string_view>

// Names, captions and default texts of the window's controls that the calculation uses.
namespace varnel {

struct InputBox {
    std::string_view name;
    std::string_view defaultText;  // written with "." as the decimal separator
};

// The input edit boxes in the order the command reads them. eSource1 holds the voltage of a
// voltage source or the current of a current source.
inline constexpr std::array<InputBox, 12> kInputBoxes = {{
    {"eR1", "0.01"},
    {"eR2", "0.02"},
    {"eH", "0.03"},
    {"ehh", "0.01"},
    {"eD", "0.001"},
    {"eLambda", "0.6"},
    {"eRoe", "1.67E-8"},
    {"eRo", "8700"},
    {"eFREQ", "0"},
    {"eSource1", "1"},
    {"ex", "0"},
    {"ez", "0"},
}};

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
