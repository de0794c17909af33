#pragma once

#include <string_view>

namespace tallix {

// The stored names of the command buttons, which the layouts fix; the
// window connects them and the tests click them by these constants alone.
// The keypad's buttons are in kKeypad (ui/Keypad.h).
inline constexpr std::string_view kDeleteButton = "XPButton24";    // "D"
inline constexpr std::string_view kBackspaceButton = "XPButton26"; // "B"
inline constexpr std::string_view kInsertButton = "XPButton27";    // inserts the chosen function
inline constexpr std::string_view kCalculateButton = "XPButton28";
inline constexpr std::string_view kClearButton = "XPButton29";
inline constexpr std::string_view kHelpButton = "XPButton30";
inline constexpr std::string_view kAboutButton = "XPButton31";

// The About box's OK button.
inline constexpr std::string_view kAboutOkButton = "cmdOK";

} // namespace tallix
