#include "circuit_polynomial.h"

namespace velmora {

CircuitElements ElementsOf(const FilterParts& p) {
    CircuitElements e;
    e.G[0] = 1 / p.R1;
    e.G[1] = 1 / p.R2;
    e.G[2] = 1 / p.R3;
    e.G[3] = 1 / p.R4;
    e.C[0] = p.C1;
    e.C[1] = p.C2;
    e.C[2] = p.C3;
    e.C[3] = p.C4;
    e.K = p.K;
    return e;
}

CircuitPolynomial CircuitPolynomialOf(const CircuitElements& e) {
    // Nodal equations of n1..n4 with the output at K*V4, solved symbolically;
    // C1 and C3 return to the output, which is where K enters.
    const double g1 = e.G[0], g2 = e.G[1], g3 = e.G[2], g4 = e.G[3];
    const double c1 = e.C[0], c2 = e.C[1], c3 = e.C[2], c4 = e.C[3];
    CircuitPolynomial p;
    p.Numerator = g1 * g2 * g3 * g4;

    p.Base[0] = g1 * g2 * g3 * g4;
    p.Base[1] = c1 * g2 * g3 * g4 + c2 * g1 * g3 * g4 + c2 * g2 * g3 * g4 + c3 * g1 * g2 * g4 +
                c3 * g1 * g3 * g4 + c3 * g2 * g3 * g4 + c4 * g1 * g2 * g3 + c4 * g1 * g2 * g4 +
                c4 * g1 * g3 * g4 + c4 * g2 * g3 * g4;
    p.Gain[1] = -(c1 * g2 * g3 * g4 + c3 * g1 * g2 * g4 + c3 * g1 * g3 * g4 + c3 * g2 * g3 * g4);

    p.Base[2] = c1 * c2 * g3 * g4 + c1 * c3 * g2 * g4 + c1 * c3 * g3 * g4 + c1 * c4 * g2 * g3 +
                c1 * c4 * g2 * g4 + c1 * c4 * g3 * g4 + c2 * c3 * g1 * g4 + c2 * c3 * g2 * g4 +
                c2 * c4 * g1 * g3 + c2 * c4 * g1 * g4 + c2 * c4 * g2 * g3 + c2 * c4 * g2 * g4 +
                c3 * c4 * g1 * g2 + c3 * c4 * g1 * g3 + c3 * c4 * g2 * g3;
    p.Gain[2] = -(c1 * c3 * g2 * g4 + c1 * c3 * g3 * g4 + c2 * c3 * g1 * g4 + c2 * c3 * g2 * g4);

    p.Base[3] = c1 * c2 * c3 * g4 + c1 * c2 * c4 * g3 + c1 * c2 * c4 * g4 + c1 * c3 * c4 * g2 +
                c1 * c3 * c4 * g3 + c2 * c3 * c4 * g1 + c2 * c3 * c4 * g2;
    p.Gain[3] = -(c1 * c2 * c3 * g4);

    p.Base[4] = c1 * c2 * c3 * c4;
    return p;
}

CircuitPolynomial CircuitPolynomialOf(const FilterParts& parts) {
    return CircuitPolynomialOf(ElementsOf(parts));
}

Polynomial IdealDenominator(const CircuitPolynomial& c, double k) {
    Polynomial d(5);
    for (size_t i = 0; i < 5; ++i)
        d[i] = c.Base[i] + k * c.Gain[i];
    return d;
}

}  // namespace velmora
