// The console table of Google Benchmark followed by one line per speed goal: the measure, its
// goal, its median and the ratio the goal is about. The median is the "median" row when the
// program runs with --benchmark_repetitions, else the median of the runs reported (one without
// repetitions), so each figure comes from its own benchmark whatever rows the run prints.
#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include <unistd.h>

namespace bench {

struct Goal {
    enum Kind {
        AtMostNanoseconds, // the measure's median, per iteration, under `limit` ns
        AtMostTimes,       // the measure takes at most `limit` times the baseline
        AtLeastSpeed,      // the measure runs at `limit` times the baseline's speed or faster
        Report,            // no goal: the median alone
    };
    const char* measure;
    const char* baseline; // for AtMostTimes and AtLeastSpeed
    Kind kind;
    double limit;
    bool cpuTime; // compare CPU time (else real time)
};

class GoalReporter : public benchmark::ConsoleReporter {
  public:
    // Coloured only on a terminal, as the library's own table.
    explicit GoalReporter(std::vector<Goal> goals)
        : ConsoleReporter(isatty(fileno(stdout)) ? OO_Defaults : OO_Tabular),
          goals(std::move(goals)) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.error_occurred)
                continue;
            Figures& figures = byName[run.run_name.function_name];
            const double nanoseconds = 1e9 / benchmark::GetTimeUnitMultiplier(run.time_unit);
            const double real = run.GetAdjustedRealTime() * nanoseconds;
            const double cpu = run.GetAdjustedCPUTime() * nanoseconds;
            if (run.run_type == Run::RT_Aggregate) {
                if (run.aggregate_name == "median")
                    figures.median = {real, cpu};
            } else {
                figures.real.push_back(real);
                figures.cpu.push_back(cpu);
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }

    void Finalize() override {
        ConsoleReporter::Finalize();
        std::printf("\n%-44s %-22s %14s %8s\n", "measure", "goal", "median", "ratio");
        for (const Goal& goal : goals)
            PrintGoal(goal);
    }

  private:
    struct Figures {
        std::vector<double> real, cpu; // ns per iteration, one per run reported
        std::vector<double> median;    // real, cpu from a "median" row
    };

    // Median in ns per iteration; negative when the measure did not run.
    double Median(const std::string& name, bool cpu) const {
        auto found = byName.find(name);
        if (found == byName.end())
            return -1;
        const Figures& figures = found->second;
        if (!figures.median.empty())
            return figures.median[cpu ? 1 : 0];
        std::vector<double> values = cpu ? figures.cpu : figures.real;
        if (values.empty())
            return -1;
        std::sort(values.begin(), values.end());
        const size_t half = values.size() / 2;
        return values.size() % 2 ? values[half] : (values[half - 1] + values[half]) / 2;
    }

    static std::string Time(double ns) {
        char text[32];
        if (ns >= 1e6)
            std::snprintf(text, sizeof text, "%.2f ms", ns / 1e6);
        else if (ns >= 1e3)
            std::snprintf(text, sizeof text, "%.2f us", ns / 1e3);
        else
            std::snprintf(text, sizeof text, "%.1f ns", ns);
        return text;
    }

    void PrintGoal(const Goal& goal) const {
        const double median = Median(goal.measure, goal.cpuTime);
        const char* clock = goal.cpuTime ? "cpu" : "real";
        char measure[64], wanted[40], ratioText[16] = "";
        std::snprintf(measure, sizeof measure, "%s (%s)", goal.measure, clock);
        double ratio = 0;
        bool met = true;
        switch (goal.kind) {
        case Goal::AtMostNanoseconds:
            std::snprintf(wanted, sizeof wanted, "under %.0f ns", goal.limit);
            ratio = median / goal.limit;
            met = median < goal.limit;
            break;
        case Goal::AtMostTimes:
        case Goal::AtLeastSpeed: {
            const double base = Median(goal.baseline, goal.cpuTime);
            const bool slower = goal.kind == Goal::AtMostTimes;
            std::snprintf(wanted, sizeof wanted, "%s %.1fx %s", slower ? "<=" : ">=", goal.limit,
                          goal.baseline);
            ratio = slower ? median / base : base / median;
            met = slower ? ratio <= goal.limit : ratio >= goal.limit;
            if (base <= 0)
                ratio = -1;
            break;
        }
        case Goal::Report:
            std::snprintf(wanted, sizeof wanted, "(none)");
            break;
        }
        if (median <= 0 || ratio < 0) {
            std::printf("%-44s %-22s %14s %8s  not run\n", measure, wanted, "-", "-");
            return;
        }
        if (goal.kind != Goal::Report)
            std::snprintf(ratioText, sizeof ratioText, "%.2f", ratio);
        std::printf("%-44s %-22s %14s %8s  %s\n", measure, wanted, Time(median).c_str(), ratioText,
                    goal.kind == Goal::Report ? ""
                    : met                     ? "met"
                                              : "MISSED");
    }

    std::vector<Goal> goals;
    std::map<std::string, Figures> byName;
};

// Runs the benchmarks the command line selects and prints the goals after them.
inline int RunWithGoals(int argc, char** argv, std::vector<Goal> goals) {
    benchmark::Initialize(&argc, argv);
    GoalReporter reporter(std::move(goals));
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}

} // namespace bench
