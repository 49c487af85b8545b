#pragma once

#include <string_view>

#include "SimulationRecord.h"
#include "StaticCharacteristic.h"

namespace kinetra {

// Runs one simulation. False when no model applies (no motor, a servomotor off the transistor
// converter) or the run met a floating-point division by zero, invalid operation or overflow.
// True still counts as a failure when errorText is not empty afterwards. A refused supply leaves
// its reason in errorText.
bool RunSimulation(SimulationRecord& record);

// Why the drive cannot run on its supply, in the words the program shows (UTF-8); empty when it
// can. A synchronous servomotor neither starts from the mains nor runs on the thyristor
// converter: it needs the transistor converter to orient its stator voltage by the rotor.
std::string_view SupplyRefusal(const ModelParams& params);

} // namespace kinetra
