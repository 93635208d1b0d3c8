#include "harness.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>

static double medianOf(std::vector<double> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

double BenchCase::median() const { return medianOf(perCallNs); }

double BenchCase::fastest() const {
    return perCallNs.empty() ? 0 : *std::min_element(perCallNs.begin(), perCallNs.end());
}

size_t Harness::add(const std::string& name, Batch batch, double targetNs, int maxRounds) {
    BenchCase c;
    c.name = name;
    c.batch = std::move(batch);
    c.targetNs = targetNs;
    c.maxRounds = maxRounds;
    cases.push_back(std::move(c));
    return cases.size() - 1;
}

// One warm-up call, then as many calls per batch as fit the batch time (at least one).
static void calibrate(BenchCase& c, double batchNs) {
    c.batch(1);
    double one = c.batch(1);
    double calls = one > 0 ? batchNs / one : 1000;
    c.calls = std::max(1L, std::min(1000000L, static_cast<long>(calls)));
}

void Harness::run() {
    for (BenchCase& c : cases)
        if (selected(c)) {
            calibrate(c, batchNs);
            if (fixedCalls > 0) c.calls = fixedCalls;
        }
    for (int round = 0; round < rounds; ++round) {
        for (BenchCase& c : cases) {
            if (!selected(c) || (c.maxRounds > 0 && round >= c.maxRounds)) continue;
            c.perCallNs.push_back(c.batch(c.calls) / static_cast<double>(c.calls));
        }
        if (isatty(2)) fprintf(stderr, "\rround %d of %d", round + 1, rounds);
    }
    if (isatty(2)) fprintf(stderr, "\n");
}

std::string formatNs(double ns) {
    char text[32];
    if (ns >= 1e9)
        snprintf(text, sizeof text, "%.3f s", ns / 1e9);
    else if (ns >= 1e6)
        snprintf(text, sizeof text, "%.3f ms", ns / 1e6);
    else if (ns >= 1e3)
        snprintf(text, sizeof text, "%.1f us", ns / 1e3);
    else
        snprintf(text, sizeof text, "%.0f ns", ns);
    return text;
}
