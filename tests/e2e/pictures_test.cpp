// Both windows against their approved pictures (docs/*.png) as they start at
// 96 and 144 DPI, the calculator also with the focus in a box.
#include "rows.h"
#include "settings.h"

namespace e2e {
namespace {

using namespace tarvolin;

// An approved picture of a whole window, frame and all: where the window
// starts on the tests' screen of 1280 x 1024 pixels (the calculator centred,
// the usage window at its own place), and what is left out of the picture,
// in its coordinates: the clock line's glyphs, in Label7.
struct WindowLook {
    const wchar_t* picture;
    POINT startsAt;
    std::vector<RECT> moving;
};

const WindowLook kCalculator = {L"calculator", {473, 377}, {{120, 211, 321, 225}}};
const WindowLook kCalculator144 = {L"calculator-144", {391, 310}, {{179, 315, 481, 336}}};
const WindowLook kUsage = {L"usage", {353, 260}, {}};
const WindowLook kUsage144 = {L"usage-144", {531, 392}, {}};
// As the calculator starts, the focus in Text1, before any key: Command1
// must show that it is no default button. With the focus on it, it would
// wear the default button's border anyway, and under Wine a stray default
// style is gone once Tab has moved the focus. The caret in Text1 blinks: a
// picture taken while it is off differs, and is taken again.
const WindowLook kCalculatorAtStart = {L"calculator-start", {473, 377}, {{120, 211, 321, 225}}};

// The program started at that DPI; the times of the pictures, 8:00:00 to
// 17:30:00, typed and computed, Tab walking the boxes and Space pressing
// Command1; the usage window opened from Command2, three tabs on, and in
// front. After the first picture the focus is on a button, where no caret
// blinks.
void ExpectAsTheyStart(DWORD dpi, const WindowLook& calculator, const WindowLook& usage) {
    // The pictures are Wine's rendering, of its fonts and its controls.
    if (!OnWine() || !MayChangeSettings()) GTEST_SKIP() << "Wine's pictures, at a DPI of the tests' own";
    const bool set = SetRegistryValue(HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"LogPixels", REG_DWORD,
                                      &dpi, sizeof dpi);
    ASSERT_TRUE(set) << "the screen's DPI could not be set";
    Program program;
    ASSERT_TRUE(program.Start()) << "the calculator never became ready for input";
    if (dpi == 96)
        ExpectApproved(kCalculatorAtStart.picture, kCalculatorAtStart.startsAt, kCalculatorAtStart.moving);
    Press("8<Tab>0<Tab>0<Tab>17<Tab>30<Tab>0<Tab><Space>");
    ASSERT_TRUE(WaitFor([&] { return TextOf(program.Control(kText7)) == "570"; }));
    ExpectApproved(calculator.picture, calculator.startsAt, calculator.moving);
    ASSERT_TRUE(Perform(program, {kFocused, kCommand1, "<Tab><Tab><Tab><Space>"}));
    ASSERT_TRUE(Perform(program, {kFocused, kCmdOK}));
    ExpectApproved(usage.picture, usage.startsAt, usage.moving);
}

TEST(Pictures, AsTheyStartAt96Dpi) { ExpectAsTheyStart(96, kCalculator, kUsage); }

TEST(Pictures, AsTheyStartAt144Dpi) { ExpectAsTheyStart(144, kCalculator144, kUsage144); }

}  // namespace
}  // namespace e2e
