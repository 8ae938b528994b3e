// The keyboard and the mouse, used as a person uses them: input that Windows
// queues for the window in front.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <cctype>
#include <sstream>
#include <string>
#include <vector>

#include "program.h"

namespace e2e {

// A named key, or the key of a letter: the V of Ctrl+V.
inline WORD KeyNamed(const std::string& name) {
    const std::pair<const char*, WORD> named[] = {
        {"Tab", VK_TAB},     {"Enter", VK_RETURN}, {"Esc", VK_ESCAPE},   {"Backspace", VK_BACK},
        {"Space", VK_SPACE}, {"End", VK_END},      {"Home", VK_HOME},    {"Insert", VK_INSERT},
        {"F4", VK_F4},       {"Shift", VK_SHIFT},  {"Ctrl", VK_CONTROL}, {"Alt", VK_MENU}};
    for (auto [keyName, key] : named)
        if (name == keyName) return key;
    if (name.size() != 1) ADD_FAILURE() << "no key is named " << name;
    return LOBYTE(VkKeyScanA(char(std::tolower(name[0]))));
}

inline INPUT KeyInput(WORD key, DWORD flags) {
    INPUT input{INPUT_KEYBOARD};
    input.ki.wVk = key;
    input.ki.dwFlags = flags;
    return input;
}

// Types the text. A key without a character, or a chord, is written by name
// in angle brackets: <Tab>, <Enter>, <Esc>, <Backspace>, <Space>, <Home>,
// <End>, <Insert>, <F4>, <Shift+Tab>, <Ctrl+V>, <Alt+F4>. False when a name
// is not closed by ">", or when Windows did not take all of it.
inline bool Press(const std::string& keys) {
    std::vector<INPUT> inputs;
    for (std::size_t i = 0; i < keys.size(); ++i) {
        std::vector<WORD> chord;
        if (keys[i] == '<') {
            const std::size_t end = keys.find('>', i);
            if (end == std::string::npos) return false;
            std::istringstream names(keys.substr(i + 1, end - i - 1));
            for (std::string name; std::getline(names, name, '+');) chord.push_back(KeyNamed(name));
            i = end;
        } else {
            const SHORT key = VkKeyScanA(keys[i]);
            // With Shift, where the character takes it.
            if (HIBYTE(key) & 1) chord.push_back(VK_SHIFT);
            chord.push_back(LOBYTE(key));
        }
        // Pressed in order, let go in the reverse order.
        for (WORD key : chord) inputs.push_back(KeyInput(key, 0));
        for (auto key = chord.rbegin(); key != chord.rend(); ++key)
            inputs.push_back(KeyInput(*key, KEYEVENTF_KEYUP));
    }
    return SendInput(UINT(inputs.size()), inputs.data(), sizeof(INPUT)) == inputs.size();
}

// Clicks the middle of the window with the left button. False when something
// else is at that place, or when a button still holds the mouse capture from
// an earlier click: it would take this click too.
inline bool Click(HWND window) {
    GUITHREADINFO thread{sizeof thread};
    const DWORD threadId = GetWindowThreadProcessId(window, nullptr);
    if (!WaitFor([&] { return GetGUIThreadInfo(threadId, &thread) && !thread.hwndCapture; })) return false;
    RECT r{};
    GetWindowRect(window, &r);
    const POINT middle{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    if (WindowFromPoint(middle) != window) return false;
    // Press and release both carry the place (in 65536ths of the screen), so
    // that a pointer event still on its way cannot move the release.
    INPUT inputs[2] = {{INPUT_MOUSE}, {INPUT_MOUSE}};
    inputs[0].mi = {(2 * middle.x + 1) * 32768 / GetSystemMetrics(SM_CXSCREEN),
                    (2 * middle.y + 1) * 32768 / GetSystemMetrics(SM_CYSCREEN), 0,
                    MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE};
    inputs[1].mi = inputs[0].mi;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    return SendInput(2, inputs, sizeof(INPUT)) == 2;
}

}  // namespace e2e
