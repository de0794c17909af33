#pragma once

#include <QFont>
#include <QVariant>

#include <array>
#include <cstdint>

namespace tallix {

// What a new instance of the button does with one persisted property.
enum class NewInstance : std::uint8_t {
    TakesDefault,     // takes the row's default
    TakesDisplayName, // takes the display name the container gives it
    KeepsCurrent,     // keeps what it has; so does one loaded without the key
};

// One persisted property of the button: its property-bag key, which is also
// the name of its Qt property; the value a missing key gives and that saving
// leaves out; what a new instance takes.
struct XPButtonProperty {
    const char* key;
    QVariant defaultValue;
    NewInstance newInstance;
};

inline constexpr std::size_t kXPButtonPropertyCount = 11;

// The eleven persisted properties in the order they are loaded and saved:
// the one list of their keys and defaults, which initialising, loading,
// saving and the tests read.
const std::array<XPButtonProperty, kXPButtonPropertyCount>& XPButtonProperties();

// The font a button has before any is assigned: the one its layouts were
// designed with.
QFont XPButtonDesignFont();

} // namespace tallix
