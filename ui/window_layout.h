// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

#include "command/control_names.h"

// The window's controls, one table per group box: kind, name, place and size in pixels at
// 96 dpi relative to the parent, text, and state. Sizes of 0 make a label fit its text.
namespace varnel::ui {

enum class Kind { Label, Edit, Radio, Group, Button, GlyphButton, Picture };

struct ControlSpec {
    Kind kind;
    std::string_view name;
    int left, top, width, height;
    std::string_view text;
    // A default number, or a caption with numbers, shown with the current decimal separator.
    bool numberText = false;
    bool checked = false;
    bool disabled = false;
};

// The input table's entry for a box; naming a box it lacks fails to compile.
constexpr const InputBox& Input(std::string_view box) {
    for (const InputBox& input : kInputBoxes) {
        if (input.name == box)
            return input;
    }
    throw "no input box of that name";
}

inline constexpr int kWindowWidth = 852;
inline constexpr int kWindowHeight = 713;
inline constexpr std::string_view kWindowCaption = "Varnel Coils V1.1";

// Top level, in tab order.
inline constexpr ControlSpec kTopLevel[] = {
    {Kind::Button, "bCalc", 392, 664, 75, 25, "Расчет"},
    {Kind::Button, "bClear", 576, 664, 75, 25, "Очистить"},
    {Kind::GlyphButton, "bbExit", 752, 664, 75, 25, "Выход"},
    {Kind::Group, "gbSystem", 16, 200, 345, 305, "Параметры системы:"},
    {Kind::Group, "gbSource", 16, 512, 345, 97, "Параметры источника питания:"},
    {Kind::Group, "gbXZ", 16, 616, 345, 89, "Координаты точки расчета магнитной индукции"},
    {Kind::Group, "gbResults", 376, 200, 465, 409, "Расчетные значения:"},
    {Kind::Group, "gb_Name", 216, 8, 393, 113, "Программа Varnel Coils (V_Loops) V1.1:"},
    {Kind::Group, "gb_Contact", 616, 8, 225, 113, "Контактная информация:"},
    {Kind::Group, "gbRoe", 216, 128, 225, 65, "Удельное сопротивление Roe, Ом * м:"},
    {Kind::Group, "gbRo", 448, 128, 161, 65, "Плотность Ro, кг/куб. м:"},
    {Kind::Group, "gbLambda", 616, 128, 225, 65, "Фактор упаковки Lambda:"},
    {Kind::Edit, "eReady", 376, 616, 465, 21, "Готов ..."},
    {Kind::Picture, "Image1", 16, 8, 193, 185, ""},
};

inline constexpr ControlSpec kNameGroup[] = {
    {Kind::Label, "l_Mame_01", 8, 16, 0, 0,
     "Расчет параметров и магнитного поля системы катушек Варнеля:"},
    {Kind::Label, "l_Name_02", 8, 32, 0, 0,
     "Число витков, активное и реактивное сопротивление, индуктивность,"},
    {Kind::Label, "l_Name_03", 8, 48, 0, 0,
     "потребляемый ток или приложенное напряжение, плотность тока,"},
    {Kind::Label, "l_Name_04", 8, 64, 0, 0,
     "рассеиваемая мощность, магнитная индукция в заданной точке,"},
    {Kind::Label, "l_Name_05", 8, 80, 0, 0, "коэффициент преобразования по току, масса провода."},
};

inline constexpr ControlSpec kRoeGroup[] = {
    {Kind::Label, "lRoe01", 8, 16, 0, 0, "Медь (Cu) 1.67E-8", true},
    {Kind::Label, "lRoe02", 8, 32, 0, 0, "Алюминий (Al) 2.69E-8", true},
    {Kind::Label, "lRoe03", 8, 48, 0, 0, "Железо (Fe) 9.71E-8", true},
};

inline constexpr ControlSpec kRoGroup[] = {
    {Kind::Label, "lRo01", 8, 16, 0, 0, "Медь (Cu) 8700"},
    {Kind::Label, "lRo02", 8, 32, 0, 0, "Алюминий (Al) 2300"},
    {Kind::Label, "lRo03", 8, 48, 0, 0, "Железо (Fe) 8300"},
};

inline constexpr ControlSpec kLambdaGroup[] = {
    {Kind::Label, "lLambda01", 8, 16, 0, 0, "Намотка внавал 0.5 ... 0.6", true},
    {Kind::Label, "lLambda02", 8, 32, 0, 0, "Намотка виток к витку 0.6 ... 0.7", true},
    {Kind::Label, "lLambda03", 8, 48, 0, 0, "Намотка шиной 0.7 ... 0.8", true},
};

// Edit boxes in tab order; gbMaterial takes tab place 6, between eLambda and eRoe.
inline constexpr ControlSpec kSystemGroup[] = {
    {Kind::Edit, "eR1", 8, 16, 81, 21, Input("eR1").defaultText, true},
    {Kind::Edit, "eR2", 8, 40, 81, 21, Input("eR2").defaultText, true},
    {Kind::Edit, "eH", 8, 64, 81, 21, Input("eH").defaultText, true},
    {Kind::Edit, "ehh", 8, 88, 81, 21, Input("ehh").defaultText, true},
    {Kind::Edit, "eD", 8, 112, 81, 21, Input("eD").defaultText, true},
    {Kind::Edit, "eLambda", 8, 136, 81, 21, Input("eLambda").defaultText, true},
    {Kind::Group, "gbMaterial", 8, 168, 129, 73, "Материал провода:"},
    {Kind::Edit, "eRoe", 8, 248, 81, 21, Input("eRoe").defaultText, true},
    {Kind::Edit, "eRo", 8, 272, 81, 21, Input("eRo").defaultText, true},
    {Kind::Label, "l_System_R1", 96, 24, 0, 0, Input("eR1").caption},
    {Kind::Label, "l_System_R2", 96, 48, 0, 0, Input("eR2").caption},
    {Kind::Label, "l_System_H", 96, 72, 0, 0, Input("eH").caption},
    {Kind::Label, "l_System_hh", 96, 96, 0, 0, Input("ehh").caption},
    {Kind::Label, "l_System_D", 96, 120, 0, 0, Input("eD").caption},
    {Kind::Label, "l_System_Lambda", 96, 144, 0, 0, Input("eLambda").caption},
    {Kind::Label, "l_System_Roe", 96, 256, 0, 0, Input("eRoe").caption},
    {Kind::Label, "l_System_Ro", 96, 280, 0, 0, Input("eRo").caption},
    {Kind::Label, "l_System_01", 144, 184, 0, 0, "Выберите материал обмоточного"},
    {Kind::Label, "l_System_02", 144, 200, 0, 0, "провода или задайте его свойства"},
};

inline constexpr ControlSpec kMaterialGroup[] = {
    {Kind::Radio, "rbCu", 8, 16, 113, 17, "Медь (Cu)", false, true},
    {Kind::Radio, "rbAl", 8, 32, 113, 17, "Алюминий (Al)"},
    {Kind::Radio, "rbFe", 8, 48, 113, 17, "Железо (Fe)"},
};

inline constexpr ControlSpec kSourceGroup[] = {
    {Kind::Radio, "rbSourceU", 8, 16, 137, 17, "Источник напряжения", false, true},
    {Kind::Radio, "rbSourceI", 168, 16, 113, 17, "Источник тока", false, false, true},
    {Kind::Edit, "eFREQ", 8, 40, 81, 21, Input("eFREQ").defaultText, true},
    {Kind::Edit, "eSource1", 8, 64, 81, 21, Input("eSource1").defaultText, true},
    {Kind::Label, "l_Sourse_FREQ", 96, 48, 0, 0, Input("eFREQ").caption},
    {Kind::Label, "l_Source1", 96, 72, 0, 0, Input("eSource1").caption},
};

inline constexpr ControlSpec kPointGroup[] = {
    {Kind::Edit, "ex", 8, 32, 81, 21, Input("ex").defaultText, true, false, true},
    {Kind::Edit, "ez", 8, 56, 81, 21, Input("ez").defaultText, true, false, true},
    {Kind::Label, "l_XY_01", 8, 16, 0, 0, "относительно центра системы Варнеля:"},
    {Kind::Label, "l_XY_02", 96, 40, 0, 0, Input("ex").caption},
    {Kind::Label, "l_XY_03", 96, 64, 0, 0, Input("ez").caption},
};

// The sixteen result boxes come from the command's list; these are the rest of the group.
inline constexpr ControlSpec kResultsExtras[] = {
    {Kind::Group, "gb_Results_01", 336, 0, 129, 161, ""},
    {Kind::Label, "l_Results_Fi_02", 280, 360, 9, 17, "φ"},
    {Kind::Label, "l_Results_Fi03", 288, 360, 0, 0, "(x, z), градусов"},
};

inline constexpr std::string_view kAngleCaption = "Угол магнитной индукции с осью Z";

inline constexpr ControlSpec kResultsNote[] = {
    {Kind::Label, "l_gb01_Results_01", 8, 8, 0, 0, "Значения"},
    {Kind::Label, "l_gb01_Results_02", 8, 24, 0, 0, "магнитной индукции"},
    {Kind::Label, "l_gb01_Results_03", 8, 40, 0, 0, "и плотности тока"},
    {Kind::Label, "l_gb01_Results_04", 8, 56, 0, 0, "действующие,"},
    {Kind::Label, "l_gb01_Results_05", 8, 72, 0, 0, "рассеиваемая "},
    {Kind::Label, "l_gb01_Results_06", 8, 88, 0, 0, "мощность средняя."},
    {Kind::Label, "l_gb01_Results_07", 8, 104, 0, 0, "Соединение"},
    {Kind::Label, "l_gb01_Results_08", 8, 120, 0, 0, "соленоидов системы"},
    {Kind::Label, "l_gb01_Results_09", 8, 136, 0, 0, "последовательное."},
};

}  // namespace varnel::ui
