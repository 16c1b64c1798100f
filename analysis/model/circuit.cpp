// Nodal analysis of the filter: each part is stamped into a conductance
// matrix G and a capacitance matrix C over the four ladder nodes, so that
// (G + s C) v = b vin and vout = K v4.
#include "circuit.h"

#include <Eigen/Dense>
#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

#include "state_space.h"

namespace velmora {

namespace {

using Complex = std::complex<double>;
using Matrix = Eigen::Matrix4cd;
using Vector = Eigen::Vector4cd;

// Nodes of the schematic. Only n1..n4 are unknowns: IN is driven by the
// source, the output by the amplifier (gain times n4), ground is 0.
enum Node { kIn = -3, kGround = -2, kOut = -1, kN1 = 0, kN2 = 1, kN3 = 2, kN4 = 3 };

struct Element {
    double FilterParts::*Value;
    Node A, B;
    bool Capacitor;
};

// The schematic as a netlist.
constexpr Element kElements[] = {
    {&FilterParts::R1, kIn, kN1, false}, {&FilterParts::R2, kN1, kN2, false},
    {&FilterParts::R3, kN2, kN3, false}, {&FilterParts::R4, kN3, kN4, false},
    {&FilterParts::C1, kN1, kOut, true}, {&FilterParts::C2, kN2, kGround, true},
    {&FilterParts::C3, kN3, kOut, true}, {&FilterParts::C4, kN4, kGround, true},
};

// A node's voltage as Coeff * v[Unknown] + Source * vin.
struct Terminal {
    int Unknown;  // -1: none
    Complex Coeff;
    double Source;
};

Terminal Resolve(Node node, Complex gain) {
    switch (node) {
        case kIn:
            return {-1, 0.0, 1.0};
        case kGround:
            return {-1, 0.0, 0.0};
        case kOut:
            return {kN4, gain, 0.0};
        default:
            return {node, 1.0, 0.0};
    }
}

struct NodalSystem {
    Matrix G = Matrix::Zero();
    Matrix C = Matrix::Zero();
    Vector B = Vector::Zero();  // right-hand side per volt of vin
};

// KCL at `row`: the branch current y (v_from - v_to) leaves the node.
void Stamp(Matrix& m, Vector& b, int row, double y, const Terminal& from, const Terminal& to) {
    if (from.Unknown >= 0) m(row, from.Unknown) += y * from.Coeff;
    if (to.Unknown >= 0) m(row, to.Unknown) -= y * to.Coeff;
    b(row) += y * (to.Source - from.Source);
}

NodalSystem Assemble(const FilterParts& parts, Complex gain) {
    NodalSystem sys;
    for (const Element& e : kElements) {
        const double value = parts.*e.Value;
        const double y = e.Capacitor ? value : 1.0 / value;
        Matrix& m = e.Capacitor ? sys.C : sys.G;
        const Terminal a = Resolve(e.A, gain), b = Resolve(e.B, gain);
        // No capacitor touches IN, so B holds conductances only and C is
        // multiplied by s later as a whole.
        if (e.A >= 0) Stamp(m, sys.B, e.A, y, a, b);
        if (e.B >= 0) Stamp(m, sys.B, e.B, y, b, a);
    }
    return sys;
}

bool Finite(Complex z) {
    return std::isfinite(z.real()) && std::isfinite(z.imag());
}

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

}  // namespace

bool PartsAreSolvable(const FilterParts& p) {
    for (const Element& e : kElements) {
        const double v = p.*e.Value;
        if (!std::isfinite(v) || v == 0) return false;
    }
    return std::isfinite(p.K);
}

Complex CircuitTransfer(const FilterParts& parts, Complex s, Complex gain) {
    if (!PartsAreSolvable(parts)) return {kNaN, kNaN};
    const NodalSystem sys = Assemble(parts, gain);
    const Vector v = (sys.G + s * sys.C).partialPivLu().solve(sys.B);
    return gain * v(kN4);
}

NodeVoltages CircuitNodes(const FilterParts& parts, Complex s, Complex gain,
                          const CircuitDrive& drive) {
    NodeVoltages nodes;
    if (!PartsAreSolvable(parts)) {
        nodes.Ladder.fill({kNaN, kNaN});
        nodes.Out = {kNaN, kNaN};
        return nodes;
    }
    const NodalSystem sys = Assemble(parts, gain);
    // The series voltage reaches the ladder only through the output, that
    // is through C1 into n1 and C3 into n3: their currents s C gain e move
    // to the right-hand side as the output's own term does.
    Vector b = sys.B * drive.Input;
    b(kN1) += s * parts.C1 * gain * drive.AmpInput;
    b(kN3) += s * parts.C3 * gain * drive.AmpInput;
    for (int k = 0; k < 4; ++k)
        b(k) += drive.Inject[k];
    const Vector v = (sys.G + s * sys.C).partialPivLu().solve(b);
    for (int k = 0; k < 4; ++k)
        nodes.Ladder[k] = v(k);
    nodes.Out = gain * (v(kN4) + drive.AmpInput);
    return nodes;
}

Complex CircuitResponse(const FilterParts& parts, double hz) {
    return CircuitTransfer(parts, {0, 2 * std::numbers::pi * hz}, parts.K);
}

StateSpace CircuitStateSpace(const FilterParts& parts) {
    // C is triangular with C1..C4 on its diagonal, so -C^-1 G exists for
    // solvable parts.
    const NodalSystem sys = Assemble(parts, parts.K);
    const auto c = sys.C.real().triangularView<Eigen::Upper>();
    StateSpace ss;
    ss.A = -c.solve(sys.G.real());
    ss.B = c.solve(sys.B.real());
    ss.C = Eigen::Vector4d::Zero();
    ss.C(kN4) = parts.K;
    return ss;
}

std::vector<Complex> CircuitPoles(const FilterParts& parts) {
    if (!PartsAreSolvable(parts)) return {};
    const Eigen::EigenSolver<Eigen::Matrix4d> solver(CircuitStateSpace(parts).A, false);
    if (solver.info() != Eigen::Success) return {};
    std::vector<Complex> poles;
    for (int k = 0; k < 4; ++k)
        poles.push_back(solver.eigenvalues()(k));
    return poles;
}

double CircuitGroupDelay(const FilterParts& parts, double hz) {
    if (!PartsAreSolvable(parts)) return kNaN;
    // (G + sC) v = b gives dv/ds = -(G + sC)^-1 C v; at s = j omega the
    // group delay is -Re(d ln H / ds), and H is proportional to v4.
    const NodalSystem sys = Assemble(parts, parts.K);
    const Complex s{0, 2 * std::numbers::pi * hz};
    const auto lu = (sys.G + s * sys.C).partialPivLu();
    const Vector v = lu.solve(sys.B);
    const Vector dv = -lu.solve(sys.C * v);
    return -(dv(kN4) / v(kN4)).real();
}

double CircuitPhaseDeg(const FilterParts& parts, double hz) {
    const Complex h = CircuitResponse(parts, hz);
    const std::vector<Complex> poles = CircuitPoles(parts);
    if (!Finite(h) || poles.empty()) return kNaN;
    // The ladder has no finite transmission zeros, so the continuous phase is
    // the sum of the pole angles. The nodal value gives the phase, the pole
    // sum only picks its branch of 360 degrees.
    const double omega = 2 * std::numbers::pi * hz;
    double branch = parts.K < 0 ? std::numbers::pi : 0.0;
    for (const Complex& p : poles)
        branch += std::arg(-p) - std::arg(Complex{0, omega} - p);
    const double principal = std::arg(h);
    const double turns = std::round((branch - principal) / (2 * std::numbers::pi));
    return (principal + turns * 2 * std::numbers::pi) * 180 / std::numbers::pi;
}

Complex SinglePoleStageGain(double k, double gbwHz, Complex s) {
    if (!(gbwHz > 0)) return k;
    const Complex open =
        kOpAmpOpenLoopGain / (1.0 + s * kOpAmpOpenLoopGain / (2 * std::numbers::pi * gbwHz));
    return open / (1.0 + open / k);
}

}  // namespace velmora
