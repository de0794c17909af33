#include "bench/RatioReporter.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace tallix::bench {
namespace {

bool StartsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

std::string Line(const char* format, auto... values) {
    char line[160];
    std::snprintf(line, sizeof line, format, values...);
    return line;
}

// The timing of the named benchmark in a vector of timings, or null.
template <typename Timings> auto* FindIn(Timings& timings, const std::string& name) {
    const auto found = std::find_if(timings.begin(), timings.end(),
                                    [&](const auto& timing) { return timing.name == name; });
    return found == timings.end() ? nullptr : &*found;
}

// The benchmark's name without its length argument.
std::string FamilyOf(const std::string& name) {
    return name.substr(0, name.rfind('/'));
}

// Microseconds per thousand characters of a long input.
template <typename Timing> double PerThousand(const Timing& timing) {
    return timing.nanoseconds / 1000.0 / (static_cast<double>(timing.length) / 1000.0);
}

} // namespace

// Keeps the fastest repetition of each benchmark: on a shared machine the
// slower ones measure the neighbours.
void RatioReporter::ReportRuns(const std::vector<Run>& runs) {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
        if (run.run_type != Run::RT_Iteration || run.error_occurred) {
            continue;
        }
        const double nanoseconds =
            run.GetAdjustedCPUTime() * 1e9 / benchmark::GetTimeUnitMultiplier(run.time_unit);
        std::string name = run.run_name.function_name;
        if (!run.run_name.args.empty()) {
            name += "/" + run.run_name.args;
        }
        if (Timing* known = FindIn(timings_, name)) {
            known->nanoseconds = std::min(known->nanoseconds, nanoseconds);
        } else {
            timings_.push_back({name, nanoseconds, run.complexity_n});
        }
    }
}

void RatioReporter::PrintSummary(std::ostream& out) const {
    PrintPairs(out, kMuparserFreshPrefix,
               "muparser with a fresh parser per calculation, as each Tallix calculation\n"
               "starts from fresh state:\n"
               "construct, define x, define the expression, evaluate",
               "(target 30x)");
    PrintPairs(out, kMuparserKeptPrefix,
               "muparser keeping one parser: define the expression, evaluate",
               "(for comparison only)");
    PrintLongInputs(out);
}

void RatioReporter::PrintPairs(std::ostream& out, const std::string& muparserPrefix,
                               const char* title, const char* verdict) const {
    out << "\nWhole Calculate pipeline against " << title
        << " (CPU time per expression, fastest of the repetitions)\n";
    out << Line("%-16s %14s %14s %10s\n", "expression", "Tallix ns", "muparser ns", "ratio");
    double logSum = 0.0;
    int pairs = 0;
    for (const Timing& tallix : timings_) {
        if (!StartsWith(tallix.name, kTallixPrefix)) {
            continue;
        }
        const std::string entry = tallix.name.substr(kTallixPrefix.size());
        const Timing* muparser = FindIn(timings_, muparserPrefix + entry);
        if (muparser == nullptr) {
            continue;
        }
        const double ratio = muparser->nanoseconds / tallix.nanoseconds;
        out << Line("%-16s %14.1f %14.1f %9.1fx\n", entry.c_str(), tallix.nanoseconds,
                    muparser->nanoseconds, ratio);
        logSum += std::log(ratio);
        ++pairs;
    }
    if (pairs > 0) {
        out << Line("Geometric mean over %d expressions: Tallix is %.1fx faster %s\n", pairs,
                    std::exp(logSum / pairs), verdict);
    }
}

void RatioReporter::PrintLongInputs(std::ostream& out) const {
    out << "\nLong inputs (the edit box holds at most 32,000 characters)\n";
    std::vector<const Timing*> family;
    for (const Timing& timing : timings_) {
        if (!StartsWith(timing.name, kLongPrefix) || timing.length <= 0) {
            continue;
        }
        if (!family.empty() && FamilyOf(family.front()->name) != FamilyOf(timing.name)) {
            PrintFamily(out, family);
            family.clear();
        }
        family.push_back(&timing);
    }
    PrintFamily(out, family);
}

// One input shape from its shortest length to its longest; the ratio of
// their costs per character says whether the time stays linear.
void RatioReporter::PrintFamily(std::ostream& out, const std::vector<const Timing*>& family) {
    for (const Timing* timing : family) {
        out << Line("%-44s %10.1f us total %8.2f us per 1000 characters\n", timing->name.c_str(),
                    timing->nanoseconds / 1000.0, PerThousand(*timing));
    }
    if (family.size() > 1) {
        out << Line("%-44s per character, %lld characters cost %.2fx what %lld do\n",
                    FamilyOf(family.front()->name).c_str(), family.back()->length,
                    PerThousand(*family.back()) / PerThousand(*family.front()),
                    family.front()->length);
    }
}

} // namespace tallix::bench
