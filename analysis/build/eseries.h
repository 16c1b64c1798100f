// Preferred-number series for resistors and capacitors (E6 to E96), and
// snapping a computed value to the nearest part one can buy.
//
//   SnapToSeries(4321.0, ESeries::E96)  -> 4320
//   SnapToSeries(9.8e-9, ESeries::E6)   -> 1.0e-8
//   SnapToSeries(1234.0, ESeries::E12)  -> 1200
//   ParseSeries("e24") -> ESeries::E24;  ParseSeries("E13") -> nullopt
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace velmora {

enum class ESeries { E6, E12, E24, E48, E96 };

// One decade of the series as integer mantissas: two digits for E6 to E24
// (10, 12, 15 ...), three for E48 and E96 (100, 102, 105 ...).
std::span<const int> SeriesMantissas(ESeries series);

// 2 for E6 to E24, 3 for E48 and E96.
int SeriesDigits(ESeries series);

const char* SeriesName(ESeries series);
std::optional<ESeries> ParseSeries(std::string_view name);

// The series value closest to value on a logarithmic scale (the measure
// tolerances are given in), so 4.75 between 4.7 and 5.1 goes to 4.7 (ratio
// 1.0106) and not to 5.1. Values that are not finite and positive come back
// unchanged.
double SnapToSeries(double value, ESeries series);

// True when value is within 1e-9 relative of a member of the series.
bool InSeries(double value, ESeries series);

}  // namespace velmora
