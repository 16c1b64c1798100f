#include "spice_netlist.h"

#include <cmath>
#include <cstdio>
#include <numbers>

namespace velmora {

namespace {

std::string Number(double v) {
    char text[40];
    std::snprintf(text, sizeof text, "%.10g", v);
    return text;
}

struct Card {
    const char* Name;
    const char* From;
    const char* To;
    double FilterParts::*Value;
};

// The filter itself, in the schematic's node names.
constexpr Card kCards[] = {
    {"R1", "in", "n1", &FilterParts::R1},  {"R2", "n1", "n2", &FilterParts::R2},
    {"R3", "n2", "n3", &FilterParts::R3},  {"R4", "n3", "n4", &FilterParts::R4},
    {"C1", "n1", "out", &FilterParts::C1}, {"C2", "n2", "0", &FilterParts::C2},
    {"C3", "n3", "out", &FilterParts::C3}, {"C4", "n4", "0", &FilterParts::C4},
};

std::string SinglePoleOpAmp(double gbwHz) {
    if (!(gbwHz > 0))
        return ".subckt OPAMP inp inn out\n"
               "* ideal: voltage-controlled voltage source\n"
               "EOL out 0 inp inn " +
               Number(kIdealOpAmpGain) + "\n.ends OPAMP\n";
    // A transconductance of 1 S into A0 ohms gives the DC gain A0; the
    // capacitor puts the pole at GBW / A0, so C = 1 / (2 pi GBW).
    return ".subckt OPAMP inp inn out\n"
           "* single pole: DC gain " +
           Number(kOpAmpOpenLoopGain) + ", gain-bandwidth " + Number(gbwHz) +
           " Hz\n"
           "GOL 0 pole inp inn 1\n"
           "ROL pole 0 " +
           Number(kOpAmpOpenLoopGain) + "\nCOL pole 0 " +
           Number(1 / (2 * std::numbers::pi * gbwHz)) + "\nEBUF out 0 pole 0 1\n.ends OPAMP\n";
}

// SPICE's own constants, so that the noise sources scale exactly.
constexpr double kSpiceCharge = 1.6021766208e-19;
constexpr double kSpiceBoltzmann = 1.38064852e-23;
constexpr double kSpiceKelvin = 300.15;
constexpr double kNoiseDiodeAmps = 1e-3;

// The op-amp of its datasheet. SPICE has no noise source of a given
// density, so each is made from one whose density it knows:
// - en: a diode at a fixed current has shot noise 2 q I and flicker noise
//   KF I / f, so KF = 2 q fc puts the corner at fc. Its noise current,
//   taken off through a huge capacitor into a 0 V source (the capacitor
//   keeps the diode's DC out), becomes en through a CCVS.
// - in: a 1 kOhm resistor across a 0 V source sends 4kT / 1k through it;
//   a CCCS scales it to in into each input.
// Slew: the input stage's current is limited (tanh) to SR * COL. Swing: the
// output buffer clips at the rails less the headroom.
std::string RealOpAmp(const OpAmp& a) {
    const double col = 1 / (2 * std::numbers::pi * a.GbwHz);
    const double shot = std::sqrt(2 * kSpiceCharge * kNoiseDiodeAmps);
    const double thermal = std::sqrt(4 * kSpiceBoltzmann * kSpiceKelvin / 1e3);
    const double swing = a.OutputPeak();
    std::string t = ".subckt OPAMP inp inn out\n";
    t += "* gain-bandwidth " + Number(a.GbwHz) + " Hz, slew " + Number(a.SlewVPerS) +
         " V/s, output within +-" + Number(swing) + " V\n";
    t += "* en " + Number(a.EnVPerRtHz) + " V/rtHz, 1/f corner " + Number(a.FlickerCornerHz) +
         " Hz; in " + Number(a.InAPerRtHz) + " A/rtHz\n";
    t += "IEN 0 den DC " + Number(kNoiseDiodeAmps) + "\nDEN den 0 DNOISE\n";
    t += ".model DNOISE D(IS=1e-14 N=1 RS=0 CJO=0 TT=0 AF=1 KF=" +
         Number(2 * kSpiceCharge * a.FlickerCornerHz) + ")\n";
    t += "CEN den dsense 1e3\nVEN dsense 0 DC 0\n";
    t += "HEN inpe inp VEN " + Number(a.EnVPerRtHz / shot) + "\n";
    t += "RINN rn 0 1000\nVINN rn 0 DC 0\n";
    t += "FINP inp 0 VINN " + Number(a.InAPerRtHz / thermal) + "\n";
    t += "RINM rm 0 1000\nVINM rm 0 DC 0\n";
    t += "FINM inn 0 VINM " + Number(a.InAPerRtHz / thermal) + "\n";
    if (a.CinF > 0) t += "CIN inp 0 " + Number(a.CinF) + "\n";
    t += "BOL 0 pole I=" + Number(a.SlewVPerS * col) + "*tanh(V(inpe,inn)/" +
         Number(a.SlewVPerS * col) + ")\n";
    t += "ROL pole 0 " + Number(kOpAmpOpenLoopGain) + "\nCOL pole 0 " + Number(col) + "\n";
    t += "BOUT out 0 V=max(" + Number(-swing) + ",min(" + Number(swing) + ",V(pole)))\n";
    return t + ".ends OPAMP\n";
}

}  // namespace

SpiceNetlist MakeSpiceNetlist(const FilterParts& parts, double rStarOhms, double rkrOhms,
                              const SpiceOptions& options) {
    SpiceNetlist net;
    // 1. Only values a simulator can take.
    for (const Card& card : kCards) {
        const double v = parts.*card.Value;
        if (!std::isfinite(v) || v == 0) {
            net.Problem = std::string(card.Name) + " is " + (v == 0 ? "zero" : "not finite") +
                          ": there is no circuit to simulate";
            return net;
        }
    }
    if (!std::isfinite(rStarOhms) || !(rStarOhms > 0)) {
        net.Problem = "R* is not a positive value: the gain network cannot be drawn";
        return net;
    }
    if (options.Amp && !(options.Amp->GbwHz > 0 && options.Amp->SlewVPerS > 0)) {
        net.Problem = "the op-amp needs a gain-bandwidth and a slew rate above 0";
        return net;
    }
    if (!std::isfinite(rkrOhms)) {
        net.Problem = "RK-R is not finite: the gain network cannot be drawn";
        return net;
    }

    // 2. Title and what the file holds.
    std::string t =
        "* " +
        (options.Title.empty() ? std::string("Fourth-order low-pass filter") : options.Title) +
        "\n";
    t += "* Four-pole low-pass, one op-amp; gain K = 1 + RK-R / R* = " +
         Number(GainOf(rkrOhms, rStarOhms)) + "\n";
    if (rkrOhms < 0) t += "* RK-R is negative (K < 1): it simulates, but cannot be built\n";
    t += options.SourceOhms > 0
             ? "* Input: 1 V AC at node src, through the source's RS to node in; output: node "
               "out,\n* so V(out) is the transfer function.\n"
             : "* Input: 1 V AC at node in; output: node out, so V(out) is the transfer "
               "function.\n";
    t += "* ngspice -b FILE prints the gain in dB and the phase in radians; interactively,\n"
         "* 'run' and then 'plot vdb(out)'.\n";

    // 3. Source, filter, gain network, op-amp.
    if (options.SourceOhms > 0)
        t += "VIN src 0 DC 0 AC 1\nRS src in " + Number(options.SourceOhms) + "\n";
    else
        t += "VIN in 0 DC 0 AC 1\n";
    for (const Card& card : kCards)
        t += std::string(card.Name) + " " + card.From + " " + card.To + " " +
             Number(parts.*card.Value) + "\n";
    t += "RSTAR inn 0 " + Number(rStarOhms) + "\n";
    // A zero RK-R is a plain wire: a 0 V source keeps the node names.
    t += rkrOhms == 0 ? "VKR out inn DC 0\n" : "RKR out inn " + Number(rkrOhms) + "\n";
    t += "XOP n4 inn out OPAMP\n";
    if (options.LoadOhms > 0) t += "RLOAD out 0 " + Number(options.LoadOhms) + "\n";
    t += options.Amp ? RealOpAmp(*options.Amp) : SinglePoleOpAmp(options.GbwHz);

    // 4. The analysis.
    t += ".ac dec " + std::to_string(options.PointsPerDecade) + " " + Number(options.StartHz) +
         " " + Number(options.StopHz) + "\n";
    t += ".print ac vdb(out) vp(out)\n";
    if (options.Amp)
        t += "* noise: .noise v(out) VIN dec " + std::to_string(options.PointsPerDecade) + " " +
             Number(options.StartHz) + " " + Number(options.StopHz) +
             "\n* slew and swing: .tran with VIN given a SIN(0 A F)\n";
    t += ".end\n";
    net.Ok = true;
    net.Text = t;
    return net;
}

}  // namespace velmora
