#pragma once

#include <benchmark/benchmark.h>

#include <ostream>
#include <string>
#include <vector>

namespace tallix::bench {

// The console report, plus a summary at the end: for each corpus entry
// Tallix's time next to muparser's (with a fresh parser, and with one kept
// parser) and their ratio, the geometric means of those ratios, and the
// cost of the long inputs per thousand characters.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override;

    // Benchmarks named kTallixPrefix + name are paired with both muparser
    // variants of the same name; those named kLongPrefix + ... carry their
    // input length as the complexity argument.
    void PrintSummary(std::ostream& out) const;

private:
    struct Timing {
        std::string name;
        double nanoseconds = 0.0; // CPU time per iteration: the machine may be shared
        long long length = 0;
    };
    void PrintPairs(std::ostream& out, const std::string& muparserPrefix, const char* title,
                    const char* verdict) const;
    void PrintLongInputs(std::ostream& out) const;
    static void PrintFamily(std::ostream& out, const std::vector<const Timing*>& family);

    std::vector<Timing> timings_; // in the order the benchmarks ran
};

inline const std::string kTallixPrefix = "Tallix/";
inline const std::string kMuparserFreshPrefix = "muparserFresh/";
inline const std::string kMuparserKeptPrefix = "muparserKept/";
inline const std::string kLongPrefix = "TallixLong/";

} // namespace tallix::bench
