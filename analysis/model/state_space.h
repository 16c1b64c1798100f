// State equations x' = A x + B vin, vout = C . x, inside the analysis
// library only (it keeps Eigen out of the public headers).
#pragma once

#include <Eigen/Dense>

namespace velmora {

struct FilterParts;  // circuit.h

struct StateSpace {
    Eigen::Matrix4d A;
    Eigen::Vector4d B;
    Eigen::Vector4d C;
};

// The nodal equations C dv/dt = -G v + b vin with the node voltages as
// states. Only for PartsAreSolvable(parts).
StateSpace CircuitStateSpace(const FilterParts& parts);

}  // namespace velmora
