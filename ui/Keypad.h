#pragma once

#include <array>
#include <string_view>

namespace tallix {

// The keypad of the main window: which button inserts which text at the
// caret. Invariant: every button appears once, and the text a button
// inserts is also its caption in the stored layout. What a screen reader
// announces for the keys that show a sign is in kSpokenNames
// (ui/SpokenNames.h).
struct KeypadKey {
    std::string_view button;
    std::string_view inserts;
};

inline constexpr std::array<KeypadKey, 18> kKeypad = {{
    {"XPButton7", "1"},
    {"XPButton8", "2"},
    {"XPButton9", "3"},
    {"XPButton10", "+"},
    {"XPButton11", "*"},
    {"XPButton12", "4"},
    {"XPButton13", "5"},
    {"XPButton14", "6"},
    {"XPButton15", "-"},
    {"XPButton16", "/"},
    {"XPButton17", "7"},
    {"XPButton18", "8"},
    {"XPButton19", "9"},
    {"XPButton20", "("},
    {"XPButton21", ")"},
    {"XPButton22", "0"},
    {"XPButton23", "."},
    {"XPButton25", "^"},
}};

} // namespace tallix
