// The whole `kinetra-sim` process of a tolerance study on the thyristor example, its table to
// /dev/null: the wall time and the peak resident memory of 10 000 and 200 000 variants. Rows
// are written as they come, so "peak_rss_MB" stays the same as the study grows; "per_s" is the
// variants per second on every core.

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

extern char** environ;

namespace {

const std::string Program = KINETRA_SIM_PROGRAM;
const std::string Model = KINETRA_EXAMPLE_MODEL;

// Runs the study and gives the child's own resource use; false when it did not end well.
bool runStudy(long long samples, rusage& usage)
{
    std::vector<std::string> arguments{Program,
                                       "--decimal-separator",
                                       ",",
                                       "--vary",
                                       "Kpw=80+-20%",
                                       "--vary",
                                       "J=0.35~0.02",
                                       "--samples",
                                       std::to_string(samples),
                                       "--seed",
                                       "1",
                                       Model};
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t child = 0;
    const int spawned =
        posix_spawn(&child, Program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return false;
    int status = 0;
    return wait4(child, &status, 0, &usage) == child && WIFEXITED(status) &&
           WEXITSTATUS(status) == 0;
}

void ToleranceStudyProcess(benchmark::State& state)
{
    const long long samples = state.range(0);
    double peakKilobytes = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        rusage usage{};
        if (!runStudy(samples, usage)) {
            state.SkipWithError("the study did not run to its end");
            return;
        }
        state.SetIterationTime(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        peakKilobytes = std::max(peakKilobytes, double(usage.ru_maxrss));
    }
    state.counters["peak_rss_MB"] = peakKilobytes / 1024;
    state.counters["per_s"] = benchmark::Counter(double(samples) * double(state.iterations()),
                                                 benchmark::Counter::kIsRate);
}
BENCHMARK(ToleranceStudyProcess)
    ->Arg(10000)
    ->Arg(200000)
    ->ArgName("variants")
    ->UseManualTime()
    ->Unit(benchmark::kSecond)
    ->Iterations(1);

} // namespace

BENCHMARK_MAIN();
