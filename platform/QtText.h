#pragma once

#include <QString>

#include <string_view>

namespace tallix {

// The engine's texts are UTF-8 (ASCII for every name and key).
inline QString ToQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace tallix
