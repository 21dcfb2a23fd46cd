#pragma once
// Qt's scale variables, checked before Qt reads them. Qt takes QT_SCALE_FACTOR=0 (or NaN, or
// 1e9) at its word and then never shows a window; a value that makes no sense is dropped
// instead, with a line saying so.

#include <cstdio>
#include <string_view>

namespace starquill {

inline constexpr double kMinScaleVariable = 0.1;
inline constexpr double kMaxScaleVariable = 10;

// Whether the text is a scale Qt can use: a decimal number (blanks around it and a leading
// '+' allowed, as Qt reads it), finite, from 0.1 to 10.
bool IsSensibleScale(std::string_view text);

// Whether every entry of a QT_SCREEN_SCALE_FACTORS list is: entries are separated by ';' and
// are either a scale or "screen name=scale"; empty entries are skipped.
bool AreSensibleScreenScales(std::string_view list);

// Removes QT_SCALE_FACTOR and QT_SCREEN_SCALE_FACTORS from the environment when their values
// make no sense, and prints one line for each on `out`. QT_SCREEN_SCALE_FACTORS goes as a
// whole when any entry is bad: its entries without a name go by the screens' order, which
// dropping one would shift. An empty variable is left alone (Qt reads it as unset).
void DropSenselessScaleVariables(std::FILE* out);

}  // namespace starquill
