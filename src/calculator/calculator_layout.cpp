#include "calculator/calculator_layout.h"

#include <iterator>

namespace tarvolin {
namespace {

constexpr int kDefault = kDefaultFontCentipoints;

// Listed by position on the form, top to bottom; the tab index gives the
// focus order. Text4 sits 60 twips left of Text1: the column really is uneven.
// clang-format off
constexpr ControlEntry kControls[] = {
    // id        name        kind                  text                  left  top   width height font  limit tab digits accessible name
    {kLabel5,   "Label5",   ControlKind::Label,   "间隔天数",           {1320, 120,  855,  255},  1050, 0, 12, false, nullptr},
    {kText8,    "Text8",    ControlKind::TextBox, "0",                  {2400, 120,  495,  255},  1050, 4, 13, true,  "间隔天数"},
    {kCommand2, "Command2", ControlKind::Button,  "使用说明",           {3840, 60,   735,  615},  1050, 0, 14, false, nullptr},
    {kLabel4,   "Label4",   ControlKind::Label,   " 小时  分钟    秒",  {1920, 600,  1695, 255},  kDefault, 0, 11, false, nullptr},
    {kLabel1,   "Label1",   ControlKind::Label,   "开始时间:",          {300,  840,  1455, 375},  1500, 0, 0, false, nullptr},
    {kText1,    "Text1",    ControlKind::TextBox, "",                   {1920, 840,  495,  375},  1425, 2, 2, true,  "开始时间 小时"},
    {kText2,    "Text2",    ControlKind::TextBox, "",                   {2520, 840,  495,  375},  1425, 2, 3, true,  "开始时间 分钟"},
    {kText3,    "Text3",    ControlKind::TextBox, "",                   {3120, 840,  495,  375},  1425, 2, 4, true,  "开始时间 秒"},
    {kLabel2,   "Label2",   ControlKind::Label,   "结束时间:",          {300,  1440, 1455, 375},  1500, 0, 1, false, nullptr},
    {kText4,    "Text4",    ControlKind::TextBox, "",                   {1860, 1440, 495,  375},  1425, 2, 5, true,  "结束时间 小时"},
    {kText5,    "Text5",    ControlKind::TextBox, "",                   {2520, 1440, 495,  375},  1425, 2, 6, true,  "结束时间 分钟"},
    {kText6,    "Text6",    ControlKind::TextBox, "",                   {3120, 1440, 495,  375},  1425, 2, 7, true,  "结束时间 秒"},
    {kCommand1, "Command1", ControlKind::Button,  "计算时长",           {240,  2040, 1335, 375},  1425, 0, 8, false, nullptr},
    {kText7,    "Text7",    ControlKind::TextBox, "",                   {1920, 2040, 1575, 375},  1425, 0, 9, false, "计算结果 分钟"},
    {kLabel3,   "Label3",   ControlKind::Label,   "分钟",               {3600, 2040, 735,  375},  1500, 0, 10, false, nullptr},
    {kLabel6,   "Label6",   ControlKind::Label,   "当前时间:",          {240,  2760, 1395, 315},  1500, 0, 15, false, nullptr},
    {kLabel7,   "Label7",   ControlKind::Label,   "",                   {1740, 2820, 3015, 255},  kDefault, 0, 16, false, nullptr},
};
// clang-format on

constexpr WindowLayout kLayout{"24小时制 Tarvolin", 4875, 3645, kControls, std::size(kControls)};

}  // namespace

const WindowLayout& CalculatorLayout() { return kLayout; }

}  // namespace tarvolin
