// Speed of the whole Calculate pipeline (validate, implicit multiply,
// translate, evaluate, result text) on fresh expressions, next to muparser
// defining and evaluating the same expressions, and on the longest inputs
// the edit box takes.
#include "bench/BenchCorpus.h"
#include "bench/RatioReporter.h"

#include "engine/Calculation.h"

#include <benchmark/benchmark.h>
#include <muParser.h>

#include <iostream>
#include <string>

namespace tallix::bench {
namespace {

// The result text of one calculation, as the label beside its figures.
std::string ResultText(std::string_view typed) {
    return Calculate(typed, {}).resultText;
}

void TallixPipeline(benchmark::State& state, std::string_view typed) {
    for (auto _ : state) {
        CalculationResult result = Calculate(typed, {});
        benchmark::DoNotOptimize(result);
    }
    state.SetLabel(ResultText(typed));
}

double MuparserEvaluate(mu::Parser& parser, const std::string& expression) {
    parser.SetExpr(expression);
    return parser.Eval();
}

// A fresh parser per calculation, as each calculation starts from fresh state.
void MuparserFresh(benchmark::State& state, std::string_view expression) {
    const std::string text(expression);
    double x = 1.0;
    double value = 0.0;
    for (auto _ : state) {
        mu::Parser parser;
        parser.DefineVar("x", &x);
        value = MuparserEvaluate(parser, text);
        benchmark::DoNotOptimize(value);
    }
    state.SetLabel(std::to_string(value));
}

// One parser kept across calculations; each one defines the expression
// anew (SetExpr discards the previous bytecode) and evaluates it.
void MuparserKept(benchmark::State& state, std::string_view expression) {
    const std::string text(expression);
    double x = 1.0;
    mu::Parser parser;
    parser.DefineVar("x", &x);
    double value = 0.0;
    for (auto _ : state) {
        value = MuparserEvaluate(parser, text);
        benchmark::DoNotOptimize(value);
    }
    state.SetLabel(std::to_string(value));
}

// (((...(1)...))) and 1+1+...+1, about `length` characters each.
std::string NestedParentheses(std::size_t length) {
    const std::size_t depth = (length - 1) / 2;
    return std::string(depth, '(') + "1" + std::string(depth, ')');
}

std::string LongSum(std::size_t length) {
    std::string sum = "1";
    while (sum.size() + 2 <= length) {
        sum += "+1";
    }
    return sum;
}

template <std::string (*Make)(std::size_t)> void TallixLongInput(benchmark::State& state) {
    const std::string input = Make(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        CalculationResult result = Calculate(input, {});
        benchmark::DoNotOptimize(result);
    }
    state.SetComplexityN(static_cast<benchmark::IterationCount>(input.size()));
    state.SetLabel(ResultText(input));
}

// Three short repetitions each; the summary keeps the fastest.
void Repeated(benchmark::internal::Benchmark* benchmark) {
    benchmark->Unit(benchmark::kNanosecond)->MinTime(0.1)->Repetitions(3);
}

void RegisterBenchmarks() {
    for (const CorpusEntry& entry : kCorpus) {
        const std::string name(entry.name);
        benchmark::RegisterBenchmark((kTallixPrefix + name).c_str(), TallixPipeline, entry.tallix)
            ->Apply(Repeated);
        benchmark::RegisterBenchmark((kMuparserFreshPrefix + name).c_str(), MuparserFresh,
                                     entry.muparser)
            ->Apply(Repeated);
        benchmark::RegisterBenchmark((kMuparserKeptPrefix + name).c_str(), MuparserKept,
                                     entry.muparser)
            ->Apply(Repeated);
    }
    for (auto* long_input :
         {benchmark::RegisterBenchmark((kLongPrefix + "NestedParentheses").c_str(),
                                       TallixLongInput<NestedParentheses>),
          benchmark::RegisterBenchmark((kLongPrefix + "Sum").c_str(), TallixLongInput<LongSum>)}) {
        long_input->RangeMultiplier(4)
            ->Range(2000, 32000)
            ->Complexity(benchmark::oN)
            ->Unit(benchmark::kMicrosecond);
    }
}

} // namespace
} // namespace tallix::bench

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    tallix::bench::RegisterBenchmarks();
    tallix::bench::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintSummary(std::cout);
    benchmark::Shutdown();
    return 0;
}
