#include "standard_values.h"

#include <cmath>

#include "design/design_target.h"
#include "model/circuit_polynomial.h"
#include "model/portable_math.h"

namespace velmora {

namespace {

double Snap(double value, const std::optional<ESeries>& series) {
    return series ? SnapToSeries(value, *series) : value;
}

double Relative(double realised, double target) {
    return realised / target - 1;
}

// Tries every series member for R* from 0.3 to 3.3 times the given one,
// each with its nearest RK-R, and keeps the pair of K nearest the design's;
// on a tie the R* nearer the given value.
void MatchGain(double k, ESeries series, SnappedBuild& b) {
    const double given = b.RStar;
    double bestError = std::fabs(GainOf(b.RkrBuilt, b.RStar) / k - 1);
    const int digits = SeriesDigits(series);
    for (int decade = -2; decade <= 1; ++decade) {
        const double unit = PowerOfTen(DecimalExponent(given) + decade - (digits - 1));
        for (int mantissa : SeriesMantissas(series)) {
            const double rstar = SnapToSeries(mantissa * unit, series);
            if (rstar < given / 3.3 || rstar > given * 3.3) continue;
            const double rkr = SnapToSeries(RkrFor(k, rstar), series);
            const double error = std::fabs(GainOf(rkr, rstar) / k - 1);
            const bool nearer = std::fabs(Log(rstar / given)) < std::fabs(Log(b.RStar / given));
            if (error < bestError * (1 - 1e-12) || (error <= bestError * (1 + 1e-12) && nearer)) {
                bestError = error;
                b.RStar = rstar;
                b.RkrBuilt = rkr;
            }
        }
    }
}

}  // namespace

SnappedBuild SnapDesign(const DesignRecord& d, const BuildSeries& series, double isf) {
    SnappedBuild b;
    b.Isf = isf;
    b.Ideal = ScaledPartsAt(d, isf);
    b.RStar = b.RStarGiven = d.RStar;
    b.RkrIdeal = RkrOhms(d);
    b.RkrBuilt = Snap(b.RkrIdeal, series.Resistors);
    if (series.MatchGain && series.Resistors) {
        MatchGain(d.K, *series.Resistors, b);
        b.RkrIdeal = RkrFor(d.K, b.RStar);
    }
    b.Built = b.Ideal;
    for (double* r : {&b.Built.R1, &b.Built.R2, &b.Built.R3, &b.Built.R4})
        *r = Snap(*r, series.Resistors);
    for (double* c : {&b.Built.C1, &b.Built.C2, &b.Built.C3, &b.Built.C4})
        *c = Snap(*c, series.Capacitors);
    b.Built.K = GainOf(b.RkrBuilt, b.RStar);
    return b;
}

ResponseShape ShapeOfParts(const FilterParts& parts) {
    return ShapeOfDenominator(IdealDenominator(CircuitPolynomialOf(parts), parts.K));
}

BuildError CompareShapes(const ResponseShape& target, const ResponseShape& realised) {
    BuildError e;
    for (int i = 0; i < 2; ++i) {
        e.F0[i] = Relative(realised.Pairs[i].F0Hz, target.Pairs[i].F0Hz);
        e.Q[i] = Relative(realised.Pairs[i].Q, target.Pairs[i].Q);
        e.Worst = std::fmax(e.Worst, std::fmax(std::fabs(e.F0[i]), std::fabs(e.Q[i])));
        e.Rss += e.F0[i] * e.F0[i] + e.Q[i] * e.Q[i];
    }
    e.Rss = std::sqrt(e.Rss);
    if (!realised.Valid || !std::isfinite(e.Rss)) e.Worst = e.Rss = INFINITY;
    e.Minus3dB = Relative(realised.Minus3dBHz, target.Minus3dBHz);
    e.PeakingDb = realised.PeakingDb - target.PeakingDb;
    return e;
}

IsfSearchResult SearchIsf(const DesignRecord& d, const BuildSeries& series, double lo, double hi,
                          int steps) {
    const ResponseShape target = TargetShape(d);
    IsfSearchResult best;
    best.Error.Worst = best.Error.Rss = INFINITY;
    if (steps < 2) steps = 2;
    for (int k = 0; k < steps; ++k) {
        const double isf = lo * Pow(hi / lo, static_cast<double>(k) / (steps - 1));
        const SnappedBuild build = SnapDesign(d, series, isf);
        const ResponseShape shape = ShapeOfParts(build.Built);
        const BuildError error = CompareShapes(target, shape);
        ++best.Tried;
        if (error.Rss < best.Error.Rss) {
            best.Build = build;
            best.Shape = shape;
            best.Error = error;
        }
    }
    return best;
}

bool CanBeMade(const SnappedBuild& b) {
    const FilterParts& p = b.Built;
    return p.R1 > 0 && p.R2 > 0 && p.R3 > 0 && p.R4 > 0 && b.RStar > 0 && b.RkrBuilt >= 0 &&
           p.C1 > 0 && p.C2 > 0 && p.C3 > 0 && p.C4 > 0 &&
           std::isfinite(p.R1 + p.R2 + p.R3 + p.R4 + p.C1 + p.C2 + p.C3 + p.C4 + p.K);
}

}  // namespace velmora
