// Text the boxes were never meant to hold, pasted through the edit control's
// own context menu, then the compute button clicked: the length limits hold,
// the program stays up and answers exactly as its core does for what the
// boxes then hold, and touches nothing else.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "calculator/calculator_layout.h"
#include "calculator/duration.h"
#include "harness.h"

namespace tarvolin::e2e {
namespace {

const std::wstring kRangeCaption = L"提示";
const std::wstring kRangeText = L"输入时间范围错误！";
constexpr std::size_t kHuge = 100'000;
// Wine's edit control lays out a single line in time that grows faster than
// the length of a run of digits: 100,000 of them take it some ten seconds,
// during which the program answers nothing.
constexpr std::chrono::milliseconds kHugePasteLimit = std::chrono::seconds(60);

constexpr int kAllBoxes[] = {kText1, kText2, kText3, kText4, kText5, kText6, kText7, kText8};
// What the boxes hold before each paste: a valid pair of times, so the
// pasted text alone decides the outcome.
const wchar_t* const kBaseline[] = {L"8", L"0", L"0", L"17", L"30", L"0", L"marker", L"0"};

std::wstring Repeated(std::wstring_view piece, std::size_t length) {
    std::wstring out;
    while (out.size() < length) out += piece;
    out.resize(length);
    return out;
}

// A text for a failure message: short ones whole, long ones by length.
std::string Brief(const std::wstring& text) {
    if (text.size() <= 24) return "\"" + Utf8(text) + "\"";
    return "\"" + Utf8(text.substr(0, 12)) + "...\" (" + std::to_string(text.size()) + " units)";
}

std::string NameOf(int id) { return "Text" + std::to_string(id - kText1 + 1); }

// UTF-16 units a box takes; 0: any length.
std::size_t LimitOf(int id) { return id == kText7 ? 0 : id == kText8 ? 4 : 2; }

struct Kind {
    const char* name;
    std::wstring text;
};
const Kind kKinds[] = {
    {"letters", L"abc"},
    {"minus", L"-"},
    {"plus", L"+"},
    {"point", L"."},
    {"exponent", L"1e"},
    {"full-width digits", L"１２"},
    {"outside the BMP", L"😀𝟙"},
    {"control characters", L"\t1\x01\x7f"},
    {"100000 nines", std::wstring(kHuge, L'9')},
    // Starts with 24: the start hour that the range error resets.
    {"100000 mixed", Repeated(L"24a-😀.\t\x01１", kHuge)},
};

struct PasteCase {
    int box;
    const Kind* kind;
    std::wstring typed;  // typed into the box before the paste
};

// Every kind into Text1, Text8 and Text7; two kinds each into Text2..Text6;
// and a paste after typed letters in Text7.
std::vector<PasteCase> PasteCases() {
    std::vector<PasteCase> cases;
    for (const Kind& kind : kKinds)
        for (int box : {kText1, kText8, kText7}) cases.push_back({box, &kind, L""});
    for (std::size_t i = 0; i < std::size(kKinds); ++i)
        cases.push_back({kText2 + static_cast<int>(i) / 2, &kKinds[i], L""});
    cases.push_back({kText7, &kKinds[std::size(kKinds) - 1], L"abc"});
    return cases;
}

testing::AssertionResult Holds(HWND box, const std::wstring& expected, std::chrono::milliseconds limit = kInputLimit) {
    std::wstring seen;
    if (WaitFor([&] { return (seen = TextOf(box)) == expected; }, limit)) return testing::AssertionSuccess();
    return testing::AssertionFailure() << NameOf(GetDlgCtrlID(box)) << " holds " << Brief(seen) << ", expected "
                                       << Brief(expected);
}

class BadInput : public SharedProgramTest {
protected:
    // Right-click in the box and the menu's Paste; the box must end up
    // holding `expected`.
    testing::AssertionResult PasteFromMenu(int id, const std::wstring& expected) {
        if (!BringToFront(Window())) return testing::AssertionFailure() << "the calculator is not in front";
        if (!PasteFromContextMenu(Shared().Id(), Box(id)))
            return testing::AssertionFailure() << "the context menu did not paste";
        const auto limit = expected.size() > 1000 ? kHugePasteLimit : kInputLimit;
        if (auto held = Holds(Box(id), expected, limit); !held) return held;
        // The edit control may still be laying the text out.
        if (!WaitFor([&] { return Sync(Window()); }, limit))
            return testing::AssertionFailure() << "the program stopped answering";
        return testing::AssertionSuccess();
    }
};

TEST_F(BadInput, PastedIntoAnyBoxThenComputed) {
    wchar_t separator[8] = L".";
    GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8);
    const std::string decimal = Utf8(separator);

    for (const PasteCase& c : PasteCases()) {
        SCOPED_TRACE(NameOf(c.box) + ", " + c.kind->name + (c.typed.empty() ? "" : " after typing"));
        CloseStrayWindows(Shared().Id());
        for (std::size_t i = 0; i < std::size(kAllBoxes); ++i) ASSERT_TRUE(SetText(Box(kAllBoxes[i]), kBaseline[i]));
        ASSERT_TRUE(SetText(Box(c.box), L""));
        ASSERT_TRUE(SetClipboardText(c.kind->text));
        ASSERT_TRUE(ClickToFocus(Box(c.box)));
        if (!c.typed.empty()) {
            Type(c.typed);
            ASSERT_TRUE(Holds(Box(c.box), c.typed));
        }

        std::wstring pasted = c.typed + c.kind->text;
        if (const std::size_t limit = LimitOf(c.box); limit && pasted.size() > limit) pasted.resize(limit);
        const testing::AssertionResult pastedOk = PasteFromMenu(c.box, pasted);
        EXPECT_TRUE(pastedOk);
        if (!pastedOk) continue;

        std::wstring before[std::size(kAllBoxes)];
        for (std::size_t i = 0; i < std::size(kAllBoxes); ++i) before[i] = TextOf(Box(kAllBoxes[i]));
        for (std::size_t i = 0; i < std::size(kAllBoxes); ++i) {
            if (const std::size_t limit = LimitOf(kAllBoxes[i])) {
                EXPECT_LE(before[i].size(), limit) << NameOf(kAllBoxes[i]) << " holds " << Brief(before[i]);
            }
        }
        // Text1..Text6 and Text8, in the core's order.
        std::string texts[7];
        for (int i = 0; i < 6; ++i) texts[i] = Utf8(before[i]);
        texts[6] = Utf8(before[7]);
        const DurationOutcome outcome = ComputeDuration(
            {texts[0], texts[1], texts[2], texts[3], texts[4], texts[5], texts[6]}, decimal);

        ASSERT_TRUE(BringToFront(Window()));
        Click(Box(kCommand1));
        std::wstring after[std::size(kAllBoxes)];
        std::copy(std::begin(before), std::end(before), after);
        if (outcome.rangeError) {
            HWND box = nullptr;
            EXPECT_TRUE(WaitFor([&] { return (box = FindMessageBox(Shared().Id(), kRangeCaption, kRangeText)); }))
                << "no range message; the result box holds " << Brief(TextOf(Box(kText7)));
            if (box) {
                PostMessageW(box, WM_COMMAND, IDOK, 0);
                EXPECT_TRUE(WaitFor([&] { return !IsWindow(box); })) << "the message box stayed open";
            }
            if (outcome.resetStartHour) after[0] = L"0";
        } else {
            after[6] = Wide(outcome.resultText);
            EXPECT_TRUE(Holds(Box(kText7), after[6]));
            EXPECT_EQ(TopLevelWindows(Shared().Id(), kDialogClass).size(), 0u) << "an unexpected dialog";
        }

        ASSERT_TRUE(Shared().Running()) << "the program ended";
        ASSERT_TRUE(Sync(Window())) << "the program does not answer";
        for (std::size_t i = 0; i < std::size(kAllBoxes); ++i)
            EXPECT_TRUE(Holds(Box(kAllBoxes[i]), after[i]));
    }
}

}  // namespace
}  // namespace tarvolin::e2e
