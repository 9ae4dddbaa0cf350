// SPDX-License-Identifier: GPL-3.0-or-later
// The whole varnel-calc process with the default inputs: start, calculate, print, end. Wall
// time per run (UseRealTime), and the child's own CPU time as the counter child_cpu_ms, which
// load on the machine does not inflate.
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

#include <benchmark/benchmark.h>

extern char** environ;

namespace {

void RunCalc(benchmark::State& state, std::vector<std::string> args) {
    args.insert(args.begin(), VARNEL_CALC_PATH);
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    double childCpu = 0;
    for (auto _ : state) {
        pid_t child = 0;
        if (posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ) != 0) {
            state.SkipWithError("cannot start varnel-calc");
            break;
        }
        int status = 0;
        struct rusage usage = {};
        wait4(child, &status, 0, &usage);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("varnel-calc failed");
            break;
        }
        childCpu += usage.ru_utime.tv_sec * 1e3 + usage.ru_utime.tv_usec * 1e-3 +
                    usage.ru_stime.tv_sec * 1e3 + usage.ru_stime.tv_usec * 1e-3;
    }
    posix_spawn_file_actions_destroy(&actions);
    state.counters["child_cpu_ms"] =
        benchmark::Counter(childCpu, benchmark::Counter::kAvgIterations);
}

void BM_VarnelCalcProcessDefaults(benchmark::State& state) {
    RunCalc(state, {});
}
void BM_VarnelCalcProcessCheck(benchmark::State& state) {
    RunCalc(state, {"check"});
}

BENCHMARK(BM_VarnelCalcProcessDefaults)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_VarnelCalcProcessCheck)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

}  // namespace
