#include "usage/about_layout.h"

#include <iterator>

#include "app/app_info.h"

namespace tarvolin {
namespace {

constexpr int kDefault = kDefaultFontCentipoints;

// The spaces push the body of each text onto the label's next line.
constexpr const char* kDescription =
    "应用程序描述:                                  "
    "本程序用来计算时差.其中时间间隔默认为0,既没有超过24小时的差值计算,"
    "超过24小时应改为相应的天数.添好开始及结束时间,按开始计算即可.";
constexpr const char* kDisclaimer =
    "警告:                              "
    "本程序受著作权保护,未经许可不得复制或传播本程序.";

// clang-format off
constexpr ControlEntry kControls[] = {
    // id              name              kind                        text            left  top   width height font limit tab digits accessible
    {kPicIcon,        "picIcon",        ControlKind::Picture,       "",             {240,  240,  540,  540},  kDefault, 0, 1, false, nullptr},
    {kLblTitle,       "lblTitle",       ControlKind::Label,         "",             {1860, 240,  1905, 225},  kDefault, 0, 5, false, nullptr},
    {kLblVersion,     "lblVersion",     ControlKind::Label,         "",             {1020, 780,  3885, 225},  kDefault, 0, 6, false, nullptr},
    {kLblDescription, "lblDescription", ControlKind::PaddedLabel,   kDescription,   {390,  1125, 3765, 1170}, kDefault, 0, 3, false, nullptr},
    {kCmdOK,          "cmdOK",          ControlKind::DefaultButton, "确定",         {3120, 2580, 1500, 345},  kDefault, 0, 0, false, nullptr},
    {kLblDisclaimer,  "lblDisclaimer",  ControlKind::PaddedLabel,   kDisclaimer,    {255,  2625, 2670, 825},  kDefault, 0, 4, false, nullptr},
    {kCmdSysInfo,     "cmdSysInfo",     ControlKind::Button,        "系统信息(&S)...", {3120, 3000, 1485, 345}, kDefault, 0, 2, false, nullptr},
};
// clang-format on

constexpr WindowLayout kLayout{"程序说明", 4710, 3555, kControls, std::size(kControls)};

}  // namespace

const WindowLayout& AboutLayout() { return kLayout; }

std::string AboutCaption() { return std::string("关于 ") + ApplicationTitle; }

std::string AboutVersionLine() {
    return "版本 " + std::to_string(ApplicationVersion.major) + "." +
           std::to_string(ApplicationVersion.minor) + "." + std::to_string(ApplicationVersion.revision);
}

}  // namespace tarvolin
