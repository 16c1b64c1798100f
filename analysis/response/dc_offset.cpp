#include "dc_offset.h"

#include <cmath>

namespace velmora {

namespace {

// The three parts at the output for a given - input resistance.
void Shares(const SignalCircuit& c, double parallel, DcOffset& o) {
    const double k = std::abs(c.Parts.K);
    o.ParallelOhms = parallel;
    o.FromVos = k * std::abs(c.Amp.VosV);
    o.FromIb = k * std::abs(c.Amp.IbA) * std::abs(o.SeriesOhms - parallel);
    o.FromIos = k * std::abs(c.Amp.IosA) / 2 * (o.SeriesOhms + parallel);
    o.Worst = o.FromVos + o.FromIb + o.FromIos;
    o.Typical = std::sqrt(o.FromVos * o.FromVos + o.FromIb * o.FromIb + o.FromIos * o.FromIos);
}

}  // namespace

DcOffset OutputOffset(const SignalCircuit& c) {
    DcOffset o;
    const FilterParts& p = c.Parts;
    o.SeriesOhms = c.SourceOhms + p.R1 + p.R2 + p.R3 + p.R4;
    const double sum = c.RStarOhms + c.RkrOhms;
    // K = 1 has no R*: the - input sees RK-R, a wire, so 0 ohms.
    const double parallel = sum != 0 ? c.RStarOhms * c.RkrOhms / sum : 0;
    if (p.K > 1) {
        // R* || (K - 1) R* = R* (K - 1) / K = Rser.
        DcOffset balanced = o;
        Shares(c, o.SeriesOhms, balanced);
        o.BalancedRStar = o.SeriesOhms * p.K / (p.K - 1);
        o.BalancedRkr = RkrFor(p.K, o.BalancedRStar);
        o.BalancedWorst = balanced.Worst;
    }
    Shares(c, parallel, o);
    return o;
}

}  // namespace velmora
