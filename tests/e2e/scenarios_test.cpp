// What a person types, pastes and clicks in both windows, and what the
// program then shows.
#include "rows.h"

using namespace e2e;
using namespace tarvolin;

TEST(Scenarios, Rows) {
    // clang-format off
    const Row rows[] = {
        // The digit boxes take two digits (Text8 four) and Backspace, nothing
        // else; Text7 takes anything. Enter and Escape press nothing. Ctrl+V
        // reaches a box as a typed character, which the filter drops; Text7
        // pastes the "12" copied first. 12:10:20 to 13:40:59, 1234 days on:
        // 1234 x 1440 + 90 + 0.65 minutes.
        {"TypingEveryBoxAndComputing",
         {{kClick, kText7, "12<Shift+Home><Ctrl+C>"}, {kClick, kText1, "a-123"}, {kClick, kText2, "b.1<Backspace>105"},
          {kClick, kText3, "c<Enter>205"}, {kClick, kText4, "d<Ctrl+V>135"},
          {kClick, kText5, "e<Ctrl+C><Ctrl+X><Ctrl+Z>405"}, {kClick, kText6, "f<Esc>596"},
          {kClick, kText8, "<End><Backspace>g12345",
           "Text1 12, Text2 10, Text3 20, Text4 13, Text5 40, Text6 59, Text7 12, Text8 1234, focus Text8"},
          {kClick, kCommand1}, {kClick, kText7, "<End>ab-1. 5<Enter><Esc><Ctrl+V>"}},
         "Text1 12, Text2 10, Text3 20, Text4 13, Text5 40, Text6 59, Text7 1777050.65ab-1. 512, Text8 1234, "
         "focus Text7"},
        // IDOK is the message box's OK button.
        {"AStartHourOf24IsResetAnEndHourOf24Stays",
         {{kClick, kText1, "24"}, {kClick, kText4, "1"}, {kClick, kText7, "x"},
          {kClick, kCommand1, "", "Text1 0, Text4 1, Text7 x, Text8 0, focus OK, message"},
          {kFocused, IDOK, "<Enter>", "Text1 0, Text4 1, Text7 x, Text8 0, focus Command1"},
          {kClick, kText4, "<End><Backspace>24"},
          {kClick, kCommand1, "", "Text1 0, Text4 24, Text7 x, Text8 0, focus OK, message"},
          {kFocused, IDOK, "<Enter>"}},
         "Text1 0, Text4 24, Text7 x, Text8 0, focus Command1", L"range-message"},
        // A second press shows the same usage window: when OK has closed it,
        // none is left. Four tabs walk its three buttons round to picIcon.
        {"UsageWindowClosedByOKOrEnter",
         {{kClick, kCommand2}, {kClick, kCommand2},
          {kFocused, kCmdOK, "<Tab><Tab><Tab><Tab>", "Text8 0, focus picIcon, usage"},
          {kClick, kCmdOK, "", "Text8 0, focus Command2"}, {kClick, kCommand2}, {kFocused, kCmdOK, "<Enter>"}},
         "Text8 0, focus Command2"},
        // Alt+F4 in the calculator closes it; Escape then closes the usage
        // window, the last one.
        {"EscapeOnTheLastWindowEndsTheProgram",
         {{kClick, kCommand2}, {kClick, kText3, "<Alt+F4>"}, {kFocused, kCmdOK, "<Esc>"}},
         "ended with 0"},
    };
    // clang-format on
    for (const Row& row : rows) Play(row);
}
