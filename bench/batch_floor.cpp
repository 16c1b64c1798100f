// The search of engine/design.cpp step for step, in double: the same target
// coefficients, bracket, points (each evaluated once), stop test and closed
// forms.
#include "batch_floor.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <istream>
#include <ostream>
#include <string>

namespace velmora::bench {

namespace {

struct Point {
    double G1, E;
};

Point Evaluate(const double (&p)[4], double x) {
    const double x2 = x * x, x3 = x2 * x, x4 = x3 * x, x5 = x4 * x;
    const double num = -8 * x5 + 2 * p[0] * x4 - p[2] * x2 + 5 * p[3] * x;
    const double den = 29 * x4 - 10 * p[0] * x3 + 4 * p[1] * x2 - 2 * p[2] * x + 2 * p[3];
    const double g = num / den;
    return {g, g * g + 0.5 * g * (9 * x - 2 * p[0]) +
                   (8 * x4 - 2 * p[0] * x3 + p[2] * x - p[3]) / (2 * x2)};
}

// Fills the twelve display values from the eight inputs.
void Compute(const double (&in)[8], double (&v)[12]) {
    const double af1 = in[0], af2 = in[2], cap = 0.001 * in[4], fsf = in[5], isf = in[6];
    const double w1 = 2 * 3.14159265 * in[1], w2 = 2 * 3.14159265 * in[3];
    const double p[4] = {cap * (w1 * af1 + w2 * af2),
                         cap * cap * (af1 * af2 * w1 * w2 + w1 * w1 + w2 * w2),
                         cap * cap * cap * (af1 * w1 * w2 * w2 + af2 * w1 * w1 * w2),
                         cap * cap * cap * cap * (w1 * w1 * w2 * w2)};
    double lo = 1e-7, hi = 1 / 0.0001, mid = (lo + hi) / 2, g1Mid = 0;
    Point a = Evaluate(p, lo), b{}, c = Evaluate(p, hi);
    for (int pass = 0; pass < 56; ++pass) {
        b = Evaluate(p, mid);
        g1Mid = b.G1;
        const double low = b.E * a.E, high = c.E * b.E;
        bool lower = true;
        if (!(low < 0)) {
            if (low == 0 || std::isnan(low) || high == 0 || std::isnan(high)) break;
            lower = !(high < 0);
        }
        if (lower)
            hi = mid, c = b, mid = (mid + lo) / 2;
        else
            lo = mid, a = b, mid = (hi + mid) / 2;
        if (!(std::fabs((mid - hi) / mid) - 1e-6 > 0)) break;
    }
    const double r2 = 1 / mid, r1 = 1 / g1Mid, r4 = 1 / (r2 * r1 * r2 * p[3]);
    const double k = r4 * (1 / r1 + 4 / r2 - p[0]) + 2;
    const double rs[4] = {r1, r2, r2, r4};
    for (int i = 0; i < 4; ++i) {
        v[i] = 1000 * rs[i];
        v[5 + i] = 1000 * rs[i] * isf;
    }
    v[4] = k;
    v[9] = 1000 * cap / (isf * fsf);
    v[10] = k * in[7] - in[7];
    v[11] = fsf;
}

constexpr int kDecimals[12] = {1, 1, 1, 1, 4, 1, 1, 1, 1, 6, 1, 1};

}  // namespace

long RunBatchFloor(std::istream& in, std::ostream& out) {
    long lines = 0;
    std::string line;
    char text[4096];
    while (std::getline(in, line)) {
        double inputs[8] = {};
        const char* s = line.c_str();
        for (double& input : inputs) {
            char* end = nullptr;
            input = std::strtod(s, &end);
            s = end;
            while (*s && *s != '\t')
                ++s;
            if (*s) ++s;
        }
        double values[12];
        Compute(inputs, values);
        int length = 0;
        for (int k = 0; k < 12; ++k)
            length += std::snprintf(text + length, sizeof text - static_cast<size_t>(length),
                                    k ? "\t%.*f" : "%.*f", kDecimals[k], values[k]);
        text[length++] = '\n';
        out.write(text, length);
        ++lines;
    }
    return lines;
}

}  // namespace velmora::bench
