// Design computation: from the eight input texts to the twelve result texts.
//
// A calculation is always ReadInputs, ComputeDesign, ShowResults, in that
// order. The engine touches the window only through a text source and a text
// sink keyed by control ID, so a host without a window can feed the texts
// directly:
//
//   DesignRecord d;
//   ReadInputs(d, [&](int id) { return inputs.at(id); });
//   int passes = ComputeDesign(d);              // Butterworth row: 41
//   ShowResults(d, [&](int id, const std::string& t) { shown[id] = t; });
//   // shown[ID_PROTO_R1] == "119421.6", shown[ID_OUT_C] == "0.1"
#pragma once

#include <functional>
#include <string>

#include "control_ids.h"

// Inputs, intermediates and results of one calculation. Resistances are in
// kilo-ohms, conductances in millisiemens and CapMF in millifarads, so that
// R times C is in seconds.
struct DesignRecord {
    double AF1 = 0, F1 = 0, AF2 = 0, F2 = 0;  // pole pairs: 1/Q and frequency (Hz)
    double CapUF = 0;                         // each of the four capacitors, uF
    double FSF = 0, ISF = 0;                  // frequency and impedance scaling
    double RStar = 0;                         // R* of the gain network, ohms
    double W1 = 0, W2 = 0;                    // rad/s
    double CapMF = 0;                         // mF
    double P1 = 0, P2 = 0, P3 = 0, P4 = 0;    // target coefficients times powers of CapMF
    double GMin = 0, GMax = 0;                // search range for the conductance of R2
    double XLo = 0, XMid = 0, XHi = 0;        // bisection bracket
    double G1Lo = 0, G1Mid = 0, G1Hi = 0;     // conductance of R1 at each bracket point
    double ELo = 0, EMid = 0, EHi = 0;        // residual at each bracket point
    double R1 = 0, R2 = 0, R3 = 0, R4 = 0;    // prototype resistors, kOhm
    double K = 0;                             // amplifier gain
};

using TextSource = std::function<std::string(int controlId)>;
using TextSink = std::function<void(int controlId, const std::string& text)>;

// Reads ID_AF1, ID_F1, ID_AF2, ID_F2, ID_CAP, ID_FSF, ID_ISF, ID_RSTAR, in
// that order, through ParseNumber. Nothing is validated.
void ReadInputs(DesignRecord& design, const TextSource& source);

// Called after each bisection pass with the record as the pass left it: the
// three points just evaluated in G1Lo..EHi, the bracket already halved (or
// not, on the pass that stops without halving).
using PassObserver = std::function<void(const DesignRecord& design, int pass)>;

// Fills every derived field from the eight inputs and returns the number of
// bisection passes (at most 56; 40 to 42 for the standard sets). Infinities
// and NaN flow through silently.
int ComputeDesign(DesignRecord& design, const PassObserver& observer = {});

// One trial of the search, for tools that look past the root the bisection
// keeps (every root of the design equation): the conductance of R1 and the
// residual of the remaining design equation at a trial conductance x of R2
// and R3, all in mS, evaluated exactly as each pass evaluates them.
struct DesignPoint {
    double G1 = 0;
    double E = 0;
};
DesignPoint EvaluateDesignAt(const DesignRecord& design, double x);

// The design at a root x of the residual: XMid = x, G1Mid = G1 at x, and
// R1 .. R4 and K by the closed forms ComputeDesign ends with. The record's
// P1 .. P4 must be filled (by ComputeDesign).
//
//   DesignRecord root = d;          // d after ComputeDesign
//   ComputePartsAt(root, x);        // EvaluateDesignAt(d, x).E changes sign at x
//   // root.R1 .. root.K: the design at that root
void ComputePartsAt(DesignRecord& design, double x);

// Hands the twelve result texts to the sink in display order: ID_PROTO_R1 ..
// ID_PROTO_R4, ID_PROTO_K, ID_OUT_R1 .. ID_OUT_R4, ID_OUT_C, ID_OUT_RKR,
// ID_OUT_FREQ.
void ShowResults(const DesignRecord& design, const TextSink& sink);

// The twelve result IDs in display order.
inline constexpr int kResultIds[12] = {ID_PROTO_R1, ID_PROTO_R2, ID_PROTO_R3, ID_PROTO_R4,
                                       ID_PROTO_K,  ID_OUT_R1,   ID_OUT_R2,   ID_OUT_R3,
                                       ID_OUT_R4,   ID_OUT_C,    ID_OUT_RKR,  ID_OUT_FREQ};

// The eight input IDs in reading order.
inline constexpr int kInputIds[8] = {ID_AF1, ID_F1,  ID_AF2, ID_F2,
                                     ID_CAP, ID_FSF, ID_ISF, ID_RSTAR};
