#include "response.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

#include "model/portable_math.h"

namespace velmora {

namespace {

using Complex = std::complex<double>;

constexpr double kTwoPi = 2 * std::numbers::pi;
constexpr int kSamplesPerDecade = 200;
constexpr int kRefineSteps = 80;

double Db(double ratio) {
    return 20 * Log10(ratio);
}

// Golden-section search for the maximum of f on [a, b] in log frequency.
double MaximiseOnLogScale(const std::function<double(double)>& f, double a, double b) {
    const double ratio = (std::sqrt(5.0) - 1) / 2;
    double lo = Log(a), hi = Log(b);
    double x1 = hi - ratio * (hi - lo), x2 = lo + ratio * (hi - lo);
    double f1 = f(Exp(x1)), f2 = f(Exp(x2));
    for (int k = 0; k < kRefineSteps; ++k) {
        if (f1 < f2) {
            lo = x1, x1 = x2, f1 = f2;
            x2 = lo + ratio * (hi - lo), f2 = f(Exp(x2));
        } else {
            hi = x2, x2 = x1, f2 = f1;
            x1 = hi - ratio * (hi - lo), f1 = f(Exp(x1));
        }
    }
    return Exp((lo + hi) / 2);
}

// Per-pair terms of the target at s = j omega.
struct PairTerms {
    Complex Den;   // s^2 + (w/Q) s + w^2
    double W2;     // w^2
    Complex DDen;  // d Den / ds
};

PairTerms Terms(const PolePair& pair, double omega) {
    const double w = kTwoPi * pair.F0Hz;
    const Complex s{0, omega};
    return {s * s + (w / pair.Q) * s + w * w, w * w, 2.0 * s + w / pair.Q};
}

}  // namespace

FrequencySpan SearchSpan(std::span<const PolePair> pairs) {
    double low = std::numeric_limits<double>::infinity(), high = 0;
    for (const PolePair& p : pairs) {
        if (!(p.F0Hz > 0) || !std::isfinite(p.F0Hz)) continue;
        low = std::min(low, p.F0Hz);
        high = std::max(high, p.F0Hz);
    }
    if (!(high > 0)) return {1, 1};
    return {low / 1e3, high * 1e3};
}

std::vector<double> LogFrequencies(double lowHz, double highHz, int count) {
    std::vector<double> hz;
    const double a = Log10(lowHz), b = Log10(highHz);
    for (int k = 0; k < count; ++k)
        hz.push_back(count == 1 ? lowHz : Pow(10, a + (b - a) * k / (count - 1)));
    if (count > 1) hz.front() = lowHz, hz.back() = highHz;
    return hz;
}

PassbandFigures MeasurePassband(const std::function<double(double)>& magnitude, double dcMagnitude,
                                double lowHz, double highHz) {
    PassbandFigures figures;
    if (!(dcMagnitude > 0) || !std::isfinite(dcMagnitude) || !(highHz > lowHz)) return figures;
    const int count = 1 + static_cast<int>(std::ceil(Log10(highHz / lowHz) * kSamplesPerDecade));
    const std::vector<double> hz = LogFrequencies(lowHz, highHz, count);

    // 1. Sample the whole span; the first sample below half power ends the passband.
    const double threshold = kHalfPower * dcMagnitude;
    size_t edge = hz.size();
    std::vector<double> mag;
    for (size_t k = 0; k < hz.size(); ++k) {
        mag.push_back(magnitude(hz[k]));
        if (edge == hz.size() && mag.back() < threshold) edge = k;
    }

    // 2. Bisect the crossing in log frequency.
    if (edge < hz.size() && edge > 0) {
        double a = hz[edge - 1], b = hz[edge];
        for (int k = 0; k < kRefineSteps; ++k) {
            const double m = std::sqrt(a * b);
            (magnitude(m) < threshold ? b : a) = m;
        }
        figures.Minus3dBHz = std::sqrt(a * b);
    }

    // 3. The largest sample anywhere, refined between its neighbours: a
    //    response may peak above its DC gain after its first -3 dB point.
    const size_t top = static_cast<size_t>(std::max_element(mag.begin(), mag.end()) - mag.begin());
    if (mag[top] > dcMagnitude) {
        const double a = hz[top == 0 ? 0 : top - 1];
        const double b = hz[std::min(top + 1, mag.size() - 1)];
        figures.PeakHz = MaximiseOnLogScale(magnitude, a, b);
        figures.PeakingDb =
            std::max(0.0, Db(std::max(magnitude(figures.PeakHz), mag[top]) / dcMagnitude));
    }
    return figures;
}

ResponsePoint CircuitPoint(const FilterParts& parts, double hz) {
    return {hz, Db(Abs(CircuitResponse(parts, hz))), CircuitPhaseDeg(parts, hz),
            CircuitGroupDelay(parts, hz)};
}

Complex PolePairResponse(std::span<const PolePair> pairs, double dcGain, double hz) {
    Complex h = dcGain;
    for (const PolePair& pair : pairs) {
        const PairTerms t = Terms(pair, kTwoPi * hz);
        h *= t.W2 / t.Den;
    }
    return h;
}

ResponsePoint PolePairPoint(std::span<const PolePair> pairs, double dcGain, double hz) {
    const double omega = kTwoPi * hz;
    double phase = dcGain < 0 ? 180.0 : 0.0, delay = 0;
    for (const PolePair& pair : pairs) {
        const PairTerms t = Terms(pair, omega);
        // Each second-order section turns from 0 to -180 degrees; atan2 of
        // its denominator stays on one branch for any Q > 0.
        phase -= std::atan2(t.Den.imag(), t.Den.real()) * 180 / std::numbers::pi;
        delay += (t.DDen / t.Den).real();
    }
    return {hz, Db(Abs(PolePairResponse(pairs, dcGain, hz))), phase, delay};
}

CircuitAnalysis AnalysePolePairs(std::span<const PolePair> pairs, double dcGain) {
    CircuitAnalysis a;
    for (const PolePair& p : pairs)
        if (!std::isfinite(p.F0Hz) || !std::isfinite(p.Q) || p.F0Hz == 0 || p.Q == 0) return a;
    if (pairs.size() != 2 || !std::isfinite(dcGain)) return a;
    a.Valid = true;
    a.Pairs[0] = pairs[0];
    a.Pairs[1] = pairs[1];
    if (LowerQ(a.Pairs[1], a.Pairs[0])) std::swap(a.Pairs[0], a.Pairs[1]);
    a.Stable = pairs[0].Q > 0 && pairs[1].Q > 0 && pairs[0].F0Hz > 0 && pairs[1].F0Hz > 0;
    a.DcGain = dcGain;
    const FrequencySpan span = SearchSpan(pairs);
    const PassbandFigures f =
        MeasurePassband([&](double hz) { return Abs(PolePairResponse(pairs, dcGain, hz)); },
                        std::abs(dcGain), span.LowHz, span.HighHz);
    a.Minus3dBHz = f.Minus3dBHz;
    a.PeakingDb = f.PeakingDb;
    a.PeakHz = f.PeakHz;
    return a;
}

CircuitAnalysis AnalyseCircuit(const FilterParts& parts) {
    CircuitAnalysis a;
    // 1. Only finite, non-zero parts make four capacitor states.
    const std::vector<Complex> poles = CircuitPoles(parts);
    if (poles.size() != 4) return a;
    a.Valid = true;

    // 2. Poles as two pairs; stable when all lie left of the imaginary axis.
    const std::array<PolePair, 2> pairs = PairPoles(poles);
    a.Pairs[0] = pairs[0];
    a.Pairs[1] = pairs[1];
    a.Stable = std::all_of(poles.begin(), poles.end(), [](Complex p) { return p.real() < 0; });

    // 3. DC gain from the nodal solution at s = 0.
    a.DcGain = CircuitResponse(parts, 0).real();

    // 4. Passband figures on a frequency grid wide around the poles.
    const FrequencySpan span = SearchSpan(pairs);
    const PassbandFigures figures =
        MeasurePassband([&](double hz) { return Abs(CircuitResponse(parts, hz)); },
                        std::abs(a.DcGain), span.LowHz, span.HighHz);
    a.Minus3dBHz = figures.Minus3dBHz;
    a.PeakingDb = figures.PeakingDb;
    a.PeakHz = figures.PeakHz;
    return a;
}

}  // namespace velmora
