#include "FunctionLibrary.h"
#include "EngineError.h"
#include "FunctionNames.h"
#include "ResultText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <ostream>
#include <string>
#include <variant>

namespace tallix {
namespace {

const std::string kNoValue = "cannot calculate";

const LibraryFunction& Function(std::string_view name) {
    const LibraryFunction* function = FindFunction(name);
    EXPECT_NE(function, nullptr) << name;
    return *function;
}

// What the user would see for one function call: the result text, the
// cannot-calculate outcome, or the failure's description.
std::string Shown(std::string_view name, double x, bool degree) {
    try {
        const FunctionOutcome outcome = ApplyFunction(Function(name), x, degree);
        if (!outcome) {
            return kNoValue;
        }
        return FormatResult(static_cast<float>(ToDouble(*outcome)), ".");
    } catch (const EngineError& error) {
        return error.Description();
    }
}

enum class Mode { Radians, Degrees, Both };

struct FunctionCase {
    const char* name;
    const char* function;
    double x;
    Mode mode;
    std::string shown;
};

std::ostream& operator<<(std::ostream& os, const FunctionCase& c) {
    return os << c.name;
}

class FunctionTest : public ::testing::TestWithParam<FunctionCase> {};

TEST_P(FunctionTest, ShowsTheExpectedOutcome) {
    const FunctionCase& c = GetParam();
    if (c.mode != Mode::Degrees) {
        EXPECT_EQ(Shown(c.function, c.x, false), c.shown) << "radians";
    }
    if (c.mode != Mode::Radians) {
        EXPECT_EQ(Shown(c.function, c.x, true), c.shown) << "degrees";
    }
}

const FunctionCase kDirectTrigonometry[] = {
    {"SinOf30Degrees",            "SIN",  30,     Mode::Degrees, "0.5"         },
    {"SinOf180DegreesIsNotZero",  "SIN",  180,    Mode::Degrees, "5.358979E-08"},
    {"SinOf90Radians",            "SIN",  90,     Mode::Radians, "0.8939967"   },
    {"CosOf90Degrees",            "COS",  90,     Mode::Degrees, "2.67949E-08" },
    {"TanOf45Degrees",            "TAN",  45,     Mode::Degrees, "1"           },
    {"TanOf90DegreesHasNoGuard",  "TAN",  90,     Mode::Degrees, "3.732054E+07"},
    {"SecOf90Degrees",            "SEC",  90,     Mode::Degrees, "3.732054E+07"},
    {"SecOfZero",                 "SEC",  0,      Mode::Both,    "1"           },
    {"CsecOf180Degrees",          "CSEC", 180,    Mode::Degrees, "1.866027E+07"},
    {"CsecOfZero",                "CSEC", 0,      Mode::Both,    kNoValue      },
    {"CsecBeyondDoubleRange",     "CSEC", 1e-310, Mode::Radians, "Overflow"    },
    {"CtanOf90Degrees",           "CTAN", 90,     Mode::Degrees, "2.67949E-08" },
    {"CtanOfZero",                "CTAN", 0,      Mode::Both,    kNoValue      },
    {"DegreeConversionOverflows", "SIN",  1e308,  Mode::Degrees, "Overflow"    },
};
INSTANTIATE_TEST_SUITE_P(Direct, FunctionTest, ::testing::ValuesIn(kDirectTrigonometry),
                         [](const auto& info) { return std::string(info.param.name); });

const FunctionCase kPlainFunctions[] = {
    {"LogOfZero",            "LOG",  0,                       Mode::Both,    kNoValue   },
    {"LogOfNegative",        "LOG",  -1,                      Mode::Both,    kNoValue   },
    {"LogOfOne",             "LOG",  1,                       Mode::Both,    "0"        },
    {"LogOfSmallestDouble",  "LOG",  4.9406564584124654e-324, Mode::Radians, "-744.4401"},
    {"ExpOfOne",             "EXP",  1,                       Mode::Both,    "2.718282" },
    {"ExpUnderflowsToZero",  "EXP",  -1000,                   Mode::Radians, "0"        },
    {"ExpOverflows",         "EXP",  710,                     Mode::Radians, "Overflow" },
    {"AbsOfNegative",        "ABS",  -3,                      Mode::Both,    "3"        },
    {"AtanOfOneIgnoresMode", "ATAN", 1,                       Mode::Both,    "0.7853982"},
    {"IntRoundsDown",        "INT",  -2.5,                    Mode::Both,    "-3"       },
    {"IntOfWhole",           "INT",  7,                       Mode::Radians, "7"        },
    {"SqrOfNegative",        "SQR",  -4,                      Mode::Both,    kNoValue   },
    {"SqrOfZero",            "SQR",  0,                       Mode::Both,    "0"        },
    {"SqrOfFour",            "SQR",  4,                       Mode::Radians, "2"        },
};
INSTANTIATE_TEST_SUITE_P(Plain, FunctionTest, ::testing::ValuesIn(kPlainFunctions),
                         [](const auto& info) { return std::string(info.param.name); });

const FunctionCase kInverseTrigonometry[] = {
    {"AsinOfOne",           "ASIN",  1,         Mode::Both,    "1.570796"    },
    {"AsinOfMinusOne",      "ASIN",  -1,        Mode::Both,    "-1.570796"   },
    {"AsinOfHalf",          "ASIN",  0.5,       Mode::Both,    "0.5235988"   },
    {"AsinOfTwo",           "ASIN",  2,         Mode::Both,    kNoValue      },
    {"AsinJustAboveOne",    "ASIN",  1.0000001, Mode::Radians, kNoValue      },
    {"AsinSquareOverflows", "ASIN",  1e200,     Mode::Radians, "Overflow"    },
    {"AcosOfMinusOne",      "ACOS",  -1,        Mode::Both,    "3.141593"    },
    {"AcosOfOne",           "ACOS",  1,         Mode::Both,    "0"           },
    {"AcosOfHalf",          "ACOS",  0.5,       Mode::Both,    "1.047198"    },
    {"AcosOfMinusTwo",      "ACOS",  -2,        Mode::Both,    kNoValue      },
    {"AsecOfTwo",           "ASEC",  2,         Mode::Both,    "1.047198"    },
    {"AsecOfMinusTwo",      "ASEC",  -2,        Mode::Both,    "2.094395"    },
    {"AsecOfOne",           "ASEC",  1,         Mode::Both,    kNoValue      },
    {"AsecOfMinusOne",      "ASEC",  -1,        Mode::Both,    kNoValue      },
    {"AsecOfHalf",          "ASEC",  0.5,       Mode::Both,    kNoValue      },
    {"AsecJustAboveOne",    "ASEC",  1.0000001, Mode::Radians, "0.0004472136"},
    {"AcsecOfTwo",          "ACSEC", 2,         Mode::Both,    "0.5235988"   },
    {"AcsecOfMinusTwo",     "ACSEC", -2,        Mode::Both,    "-0.5235988"  },
    {"AcsecOfOne",          "ACSEC", 1,         Mode::Both,    kNoValue      },
    {"AcsecOfZero",         "ACSEC", 0,         Mode::Both,    kNoValue      },
    {"ActanOfOne",          "ACTAN", 1,         Mode::Both,    "0.7853982"   },
    {"ActanOfMinusOne",     "ACTAN", -1,        Mode::Both,    "2.356194"    },
    {"ActanOfZero",         "ACTAN", 0,         Mode::Both,    "1.570796"    },
};
INSTANTIATE_TEST_SUITE_P(Inverse, FunctionTest, ::testing::ValuesIn(kInverseTrigonometry),
                         [](const auto& info) { return std::string(info.param.name); });

const FunctionCase kHyperbolic[] = {
    {"SinhOfThousandOverflows",    "SINH",   1000,    Mode::Radians, "Overflow"  },
    {"SinhOfMinusThousand",        "SINH",   -1000,   Mode::Radians, "Overflow"  },
    {"CoshOfThousandOverflows",    "COSH",   1000,    Mode::Radians, "Overflow"  },
    {"CoshOfZero",                 "COSH",   0,       Mode::Both,    "1"         },
    {"SechOfZero",                 "SECH",   0,       Mode::Both,    "1"         },
    {"CtanhOfZero",                "CTANH",  0,       Mode::Both,    kNoValue    },
    {"CsechOfZero",                "CSECH",  0,       Mode::Both,    kNoValue    },
    {"CtanhBeyondDoubleRange",     "CTANH",  1e-310,  Mode::Radians, "Overflow"  },
    {"AsinhOfOne",                 "ASINH",  1,       Mode::Both,    "0.8813736" },
    {"AcoshOfOne",                 "ACOSH",  1,       Mode::Both,    "0"         },
    {"AcoshOfHalf",                "ACOSH",  0.5,     Mode::Both,    kNoValue    },
    {"AcoshOfMinusTwo",            "ACOSH",  -2,      Mode::Both,    kNoValue    },
    {"AtanhOfOne",                 "ATANH",  1,       Mode::Both,    kNoValue    },
    {"AtanhOfMinusOne",            "ATANH",  -1,      Mode::Both,    kNoValue    },
    {"AtanhOfHalf",                "ATANH",  0.5,     Mode::Both,    "0.5493062" },
    {"AsechOfOne",                 "ASECH",  1,       Mode::Both,    "0"         },
    {"AsechOfZero",                "ASECH",  0,       Mode::Both,    kNoValue    },
    {"AsechOfMinusHalf",           "ASECH",  -0.5,    Mode::Both,    kNoValue    },
    {"AsechAboveOne",              "ASECH",  1.5,     Mode::Both,    kNoValue    },
    {"AcsechOfMinusOne",           "ACSECH", -1,      Mode::Both,    "-0.8813736"},
    {"AcsechOfZero",               "ACSECH", 0,       Mode::Both,    kNoValue    },
    {"ActanhOfOne",                "ACTANH", 1,       Mode::Both,    kNoValue    },
    {"ActanhOfHalf",               "ACTANH", 0.5,     Mode::Both,    kNoValue    },
    {"ActanhOfMinusOne",           "ACTANH", -1,      Mode::Both,    kNoValue    },
    {"ActanhOfTwo",                "ACTANH", 2,       Mode::Both,    "0.5493062" },
    {"ActanhOfMinusTwo",           "ACTANH", -2,      Mode::Both,    "-0.5493062"},
 // Arguments the exponential formulas got wrong.
    {"AsinhOfMinusHundredMillion", "ASINH",  -1e8,    Mode::Radians, "-19.11383" },
    {"AsinhBeyondSquareRange",     "ASINH",  1e200,   Mode::Radians, "461.2102"  },
    {"SinhWithoutCancellation",    "SINH",   1e-12,   Mode::Radians, "1E-12"     },
    {"TanhOfThousand",             "TANH",   1000,    Mode::Radians, "1"         },
    {"TanhOfMinusThousand",        "TANH",   -1000,   Mode::Radians, "-1"        },
    {"SechOfThousand",             "SECH",   1000,    Mode::Radians, "0"         },
    {"CtanhOfThousand",            "CTANH",  1000,    Mode::Radians, "1"         },
    {"CsechOfThousand",            "CSECH",  1000,    Mode::Radians, "0"         },
    {"AsechOfTinyArgument",        "ASECH",  1e-310,  Mode::Radians, "714.4945"  },
    {"AcsechOfTinyArgument",       "ACSECH", -1e-310, Mode::Radians, "-714.4945" },
};
INSTANTIATE_TEST_SUITE_P(Hyperbolic, FunctionTest, ::testing::ValuesIn(kHyperbolic),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(FunctionLibrary, FindsEveryNameExactlyAndNothingElse) {
    for (std::string_view name : kFunctionNames) {
        const LibraryFunction* function = FindFunction(name);
        ASSERT_NE(function, nullptr) << name;
        EXPECT_EQ(function->name, name);
    }
    for (std::string_view other : {"sin", "Sin", "SI", "SINHX", "", "XX", "(-)", "PI"}) {
        EXPECT_EQ(FindFunction(other), nullptr) << other;
    }
}

TEST(FunctionLibrary, FindsEveryNameInAnyLetterCaseAndNothingElse) {
    for (std::string_view name : kFunctionNames) {
        std::string lower(name);
        std::string mixed(name);
        for (std::size_t i = 0; i < name.size(); ++i) {
            lower[i] = static_cast<char>(lower[i] - 'A' + 'a');
            mixed[i] = i % 2 == 0 ? lower[i] : mixed[i];
        }
        for (const std::string& spelling : {lower, mixed}) {
            const LibraryFunction* function = FindFunctionIgnoringCase(spelling);
            ASSERT_NE(function, nullptr) << spelling;
            EXPECT_EQ(function->name, name);
        }
    }
    for (std::string_view other : {"si", "sinhx", "acsechx", "", "pi", "x", "s_n", "sin_"}) {
        EXPECT_EQ(FindFunctionIgnoringCase(other), nullptr) << other;
    }
}

TEST(FunctionLibrary, OnlyDirectTrigonometryTakesAnAngle) {
    for (std::string_view name : kFunctionNames) {
        const bool direct = name == "SIN" || name == "COS" || name == "TAN" || name == "SEC" ||
                            name == "CSEC" || name == "CTAN";
        EXPECT_EQ(Function(name).takesAngle, direct) << name;
    }
}

TEST(FunctionLibrary, SpecialValuesKeepTheirTags) {
    EXPECT_TRUE(std::holds_alternative<std::int16_t>(*ApplyFunction(Function("ACOS"), 1, false)));
    EXPECT_EQ(ToDouble(*ApplyFunction(Function("ACOS"), 1, false)), 0.0);
    EXPECT_EQ(std::get<double>(*ApplyFunction(Function("ACOS"), -1, false)), 3.1415926);
    EXPECT_EQ(std::get<double>(*ApplyFunction(Function("ASIN"), 1, false)), 3.1415926 / 2);
    EXPECT_TRUE(std::holds_alternative<float>(*ApplyFunction(Function("RND"), 5, false)));
}

TEST(FunctionLibrary, RandomDrawsStayBelowOneAndMoveOn) {
    float previous = -1.0f;
    int repeats = 0;
    for (int i = 0; i < 10000; ++i) {
        const float draw = std::get<float>(*ApplyFunction(Function("RND"), i, i % 2 == 0));
        ASSERT_GE(draw, 0.0f);
        ASSERT_LT(draw, 1.0f);
        repeats += draw == previous ? 1 : 0;
        previous = draw;
    }
    EXPECT_LT(repeats, 3);
}

// The hyperbolic family against long-double references (the reciprocal
// functions by their defining logarithms, which long double evaluates
// accurately): the seven digits shown must match wherever the value is a
// double.
struct Reference {
    const char* function;
    long double (*value)(long double);
    bool (*defined)(long double);
};

bool Everywhere(long double) {
    return true;
}
bool NotZero(long double x) {
    return x != 0;
}
bool AtLeastOne(long double x) {
    return x >= 1;
}
bool InsideOne(long double x) {
    return std::fabs(x) < 1;
}
bool OutsideOne(long double x) {
    return std::fabs(x) > 1;
}
bool UnitInterval(long double x) {
    return x > 0 && x <= 1;
}

const Reference kReferences[] = {
    {"SINH",   [](long double x) { return std::sinh(x); },                             Everywhere  },
    {"COSH",   [](long double x) { return std::cosh(x); },                             Everywhere  },
    {"TANH",   [](long double x) { return std::tanh(x); },                             Everywhere  },
    {"CTANH",  [](long double x) { return 1 / std::tanh(x); },                         NotZero     },
    {"SECH",   [](long double x) { return 1 / std::cosh(x); },                         Everywhere  },
    {"CSECH",  [](long double x) { return 1 / std::sinh(x); },                         NotZero     },
    {"ASINH",  [](long double x) { return std::asinh(x); },                            Everywhere  },
    {"ACOSH",  [](long double x) { return std::acosh(x); },                            AtLeastOne  },
    {"ATANH",  [](long double x) { return std::atanh(x); },                            InsideOne   },
    {"ASECH",  [](long double x) { return std::log((1 + std::sqrt(1 - x * x)) / x); }, UnitInterval},
    {"ACSECH", [](long double x) { return std::asinh(1 / x); },                        NotZero     },
    {"ACTANH",
     [](long double x) {
         return std::fabs(x) < 2 ? std::log((x + 1) / (x - 1)) / 2 : std::atanh(1 / x);
     },                                                                                OutsideOne  },
};

std::string SevenDigits(long double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.6e", static_cast<double>(value));
    return text;
}

// Tiny and huge arguments, and arguments at the ends of the domains, where
// 1/x and 1 - x*x lose the digits that matter.
const double kSweep[] = {1e-300,   1e-12,       1e-6, 0.001,       0.1,      0.5, 0.9,
                         0.999999, 1 - 0x1p-53, 1,    1 + 0x1p-52, 1.000001, 1.5, 2,
                         10,       100,         700,  1e8,         1e200};

TEST(FunctionLibrary, HyperbolicFamilyMatchesLongDoubleReferences) {
    for (const Reference& reference : kReferences) {
        for (double magnitude : kSweep) {
            for (double x : {magnitude, -magnitude}) {
                const long double expected = reference.value(x);
                if (!reference.defined(x) || std::isinf(static_cast<double>(expected))) {
                    continue;
                }
                const FunctionOutcome outcome =
                    ApplyFunction(Function(reference.function), x, false);
                ASSERT_TRUE(outcome) << reference.function << "(" << x << ")";
                EXPECT_EQ(SevenDigits(ToDouble(*outcome)), SevenDigits(expected))
                    << reference.function << "(" << x << ")";
            }
        }
    }
}

TEST(FunctionLibrary, HyperbolicFamilyHasNoValueExactlyOutsideItsDomain) {
    for (const Reference& reference : kReferences) {
        for (double magnitude : kSweep) {
            for (double x : {0.0, magnitude, -magnitude}) {
                if (reference.defined(x)) {
                    continue;
                }
                EXPECT_FALSE(ApplyFunction(Function(reference.function), x, false))
                    << reference.function << "(" << x << ")";
            }
        }
    }
}

} // namespace
} // namespace tallix
