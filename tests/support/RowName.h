#pragma once

#include <cctype>
#include <string>

namespace tallix::testing {

// Names each row of a parameterised GoogleTest after its `name` member, any
// character but a letter or digit made "_", so that a failure names the row
// and one row runs alone (--gtest_filter).
struct RowName {
    template <typename Info> std::string operator()(const Info& info) const {
        std::string name = info.param.name;
        for (char& c : name) {
            c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        }
        return name;
    }
};

} // namespace tallix::testing
