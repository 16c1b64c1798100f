#include "help_page.h"

#include "velmora_version.h"

namespace {

// One line per item; the message box wraps each to its own width.
constexpr std::string_view kHelpPage =
    "Velmora Calculator\n"
    "Velmora Designer " VELMORA_VERSION_TEXT
    " - free to use, copy and pass on.\n"
    "\n"
    "Freeware with no guarantee of suitability for any purpose. No liability is assumed for any "
    "loss or damage, of any kind and under any circumstances.\n"
    "\n"
    "Given suitable starting parameters, this program will calculate the resistor values of the "
    "prototype 4-pole filter shown in the schematic. The frequency scaling factor (FSF) and the "
    "impedance scaling factor (ISF) then give the desired frequency and reasonable component "
    "values. Some standard filter parameters are provided, and many other types of filter are "
    "possible. The filter parameters will typically be for the prototype frequency of 1 rad/s and "
    "the program automatically converts to 1 Hz output. Be aware that characteristics such as "
    "phase shift remain tied to 1 rad/s.\n"
    "\n"
    "Extracting suitable parameters from common tables can be a bit confusing. In general, AF1 is "
    "the reciprocal of Q1. AF2 is the reciprocal of Q2. F1 is w1 and F2 is w2, but they must be in "
    "radians/second. If the numbers are Hz, divide by 2*Pi.\n"
    "\n"
    "The pairs, AF1|F1 and AF2|F2 can be reversed with no effect. Note C1=C2=C3=C4 and R2=R3. The "
    "resistor R should be any sensible feedback value and it's mate will be calculated.\n"
    "\n"
    "If you can get the pole locations for a given filter you can use the real and imaginary parts "
    "to calculate the frequency and Q. Frequency = SQRT(Real^2 + |Imag|^2) and Q is that same "
    "number divided by 2*Real.\n"
    "\n"
    "Using parameter tables (TI SLOA049B is a good example in the right format) you can create "
    "higher-order filters by cascading stages. The component tolerances of higher-order filters "
    "can become unmanageable, and trimming may be needed. Always simulate a filter in a circuit "
    "simulator to confirm its response and to check its sensitivity to component tolerances.\n"
    "\n"
    "A well designed 4-pole filter can offer a useful performance improvement over 2- and 3-pole "
    "designs, especially when a single op-amp is sufficient. Op-amps were once challenged by "
    "higher frequencies, but properly implemented, this design performs well up into the MHz "
    "region.\n"
    "\n"
    "This program is a rewrite of the design program published in a 1976 reference book. The "
    "book is out of print, but used copies are often available.\n"
    "\n";

}  // namespace

std::string_view HelpPageText() {
    return kHelpPage;
}
