#pragma once
// A small timing harness: cases run in rounds, one batch of each case per round, so that a
// load spike on the shared machine hits every case alike; each case reports the median and
// the fastest of its per-call times over the rounds.
#include <chrono>
#include <functional>
#include <string>
#include <vector>

// Keeps the compiler from dropping writes whose result nobody reads.
inline void keepMemory(const void* p) { asm volatile("" : : "r"(p) : "memory"); }

inline double nowNs() {
    return static_cast<double>(
        std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
            .count());
}

// Runs `calls` calls and returns the nanoseconds they took; untimed set-up and clean-up
// belong inside, around the part that is timed.
using Batch = std::function<double(long calls)>;

// Times `calls` calls of a plain function.
inline Batch timedLoop(std::function<void()> call) {
    return [call](long calls) {
        double start = nowNs();
        for (long i = 0; i < calls; ++i) call();
        return nowNs() - start;
    };
}

class BenchCase {
public:
    std::string name;
    Batch batch;
    double targetNs = 0;  // 0: no target
    long calls = 1;       // per batch, set by calibrate()
    int maxRounds = 0;    // 0: every round; slow cases may take fewer
    std::vector<double> perCallNs;

    double median() const;
    double fastest() const;
};

class Harness {
public:
    std::vector<BenchCase> cases;
    double batchNs = 20e6;  // aim for batches of about 20 ms, so the clock's cost vanishes
    int rounds = 21;
    std::string only;  // when set, only the cases whose names contain it run
    long fixedCalls = 0;  // when set, every batch makes this many calls (for profiling)

    // Returns the index of the case, for looking its figures up later.
    size_t add(const std::string& name, Batch batch, double targetNs = 0, int maxRounds = 0);
    void run();
    const BenchCase& at(size_t index) const { return cases[index]; }
    bool selected(const BenchCase& c) const { return only.empty() || c.name.find(only) != std::string::npos; }
};

// "0.512 ms", "37.1 us", "1.20 s".
std::string formatNs(double ns);
