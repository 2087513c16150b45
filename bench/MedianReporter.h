#pragma once
// Keeps the median of each repeated benchmark while the console shows the usual table, so that a program
// can end with its ratio lines: ours against a baseline measured in the same run.

#include <benchmark/benchmark.h>
#include <map>
#include <string>

class MedianReporter : public benchmark::ConsoleReporter {
public:
    // Without colours, so that the ratio lines start their lines.
    MedianReporter() : ConsoleReporter(OO_Tabular) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.aggregate_name != "median")
                continue;
            std::string key = run.run_name.function_name;
            if (!run.run_name.args.empty())
                key.append("/").append(run.run_name.args);
            m_cpu[key] = run.GetAdjustedCPUTime();
            m_real[key] = run.GetAdjustedRealTime();
        }
        ConsoleReporter::ReportRuns(runs);
    }

    // Medians in the benchmark's unit; 0 for a benchmark that did not run.
    double Cpu(const std::string& key) const { return Find(m_cpu, key); }
    double Real(const std::string& key) const { return Find(m_real, key); }

private:
    static double Find(const std::map<std::string, double>& medians, const std::string& key) {
        auto it = medians.find(key);
        return it == medians.end() ? 0 : it->second;
    }
    std::map<std::string, double> m_cpu, m_real;
};

// Registers fn under name, run nine times in milliseconds with only the aggregates shown (the median
// among them, which the reporter keeps).
template <class Fn> benchmark::internal::Benchmark* RegisterMedian(const std::string& name, Fn fn) {
    return benchmark::RegisterBenchmark(name.c_str(), fn)
        ->Unit(benchmark::kMillisecond)
        ->Repetitions(9)
        ->ReportAggregatesOnly(true);
}

// Runs the registered benchmarks (those the command line selects) into reporter.
inline void RunBenchmarks(int* argc, char** argv, MedianReporter& reporter) {
    benchmark::Initialize(argc, argv);
    benchmark::RunSpecifiedBenchmarks(&reporter);
}
