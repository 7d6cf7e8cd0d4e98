#pragma once

#include <QtGlobal>
#include <optional>

// Mean kinetic temperature of a temperature channel, the single figure cold-chain users
// compare with a storage limit.
namespace zt2 {

// Activation energy over the gas constant, in kelvin.
constexpr double ActivationOverGas = 10000.0;

// T_mk in degrees Celsius over the valid samples (tenths of a degree) of `samples`;
// nullopt when none is valid.
std::optional<double> meanKineticTemperature(const qint16 *samples, int count);

} // namespace zt2
