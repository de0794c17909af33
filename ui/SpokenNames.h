#pragma once

#include "ui/CommandButtons.h"
#include "ui/Keypad.h"

#include <array>
#include <string_view>

namespace tallix {

// What a screen reader announces for the controls of the main window whose
// caption does not say what they do: the keys that show a sign or a letter,
// and the angle options, whose captions do not name their unit. The captions
// on screen stay as the layout gives them; every other control is announced
// by its caption (a digit key by its digit).
// Invariant: every keypad key that inserts anything but a digit is here
// (checked below against kKeypad).
struct SpokenName {
    std::string_view control;
    std::string_view name;
};

inline constexpr std::array<SpokenName, 12> kSpokenNames = {{
    {"XPButton10", "Plus"},
    {"XPButton11", "Multiply"},
    {"XPButton15", "Minus"},
    {"XPButton16", "Divide"},
    {"XPButton20", "Open parenthesis"},
    {"XPButton21", "Close parenthesis"},
    {"XPButton23", "Decimal point"},
    {"XPButton25", "Power"},
    {kDeleteButton, "Delete"},
    {kBackspaceButton, "Backspace"},
    {"Option1", "Arc (radians)"},
    {"Option2", "Angle (degrees)"},
}};

namespace detail {
constexpr bool HasSpokenName(std::string_view control) {
    for (const SpokenName& spoken : kSpokenNames) {
        if (spoken.control == control) {
            return true;
        }
    }
    return false;
}

constexpr bool EverySignKeyIsSpoken() {
    for (const KeypadKey& key : kKeypad) {
        const bool digit =
            key.inserts.size() == 1 && key.inserts[0] >= '0' && key.inserts[0] <= '9';
        if (!digit && !HasSpokenName(key.button)) {
            return false;
        }
    }
    return true;
}
} // namespace detail

static_assert(detail::EverySignKeyIsSpoken(),
              "every keypad key that shows a sign needs a spoken name");

} // namespace tallix
