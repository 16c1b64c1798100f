#include "board_draw.h"

namespace velmora {

const char* BoardPartName(int part) {
    static const char* const kNames[] = {"R1", "R2", "R3", "R4", "C1",
                                         "C2", "C3", "C4", "R*", "RK-R"};
    return part >= 0 && part < kBoardPartCount ? kNames[part] : "?";
}

bool IsCapacitor(int part) {
    return part >= kBoardC1 && part <= kBoardC4;
}

PartTolerances EqualGrades(const Tolerances& tol) {
    PartTolerances t;
    for (int part = 0; part < kBoardPartCount; ++part)
        t.Of[part] = IsCapacitor(part) ? tol.Capacitor : tol.Resistor;
    t.Shape = tol.Shape;
    return t;
}

DrawnBoard DrawBoard(RandomState& r, const BoardNominal& n, const PartTolerances& tol,
                     const KTrim* trim) {
    DrawnBoard d;
    d.Parts = n.Parts;
    FilterParts& p = d.Parts;
    double* const values[] = {&p.R1, &p.R2, &p.R3, &p.R4, &p.C1, &p.C2, &p.C3, &p.C4};
    for (int part = kBoardR1; part <= kBoardC4; ++part)
        *values[part] *= DrawFactor(r, tol.Of[part], tol.Shape);
    d.RStar = n.RStar * DrawFactor(r, tol.Of[kBoardRStar], tol.Shape);
    d.Rkr = n.Rkr * DrawFactor(r, tol.Of[kBoardRkr], tol.Shape);
    if (trim) {
        d.Pot = trim->PotOhms * DrawFactor(r, trim->PotTolerance, tol.Shape);
        d.Meter = DrawFactor(r, trim->Meter, tol.Shape);
    }
    if (!n.Amp.Ideal()) {
        d.Amp = n.Amp;
        d.Amp.GbwHz = n.Amp.GbwHz * DrawFactor(r, n.Amp.GbwSpread, tol.Shape);
    }
    p.K = GainOf(d.Rkr, d.RStar);
    return d;
}

uint64_t StepsPerBoard(Distribution shape, bool trimmed, bool realOpAmp) {
    return ((trimmed ? 12 : 10) + (realOpAmp ? 1 : 0)) * StepsPerDraw(shape);
}

}  // namespace velmora
