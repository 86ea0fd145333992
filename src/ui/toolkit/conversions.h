#pragma once

#include <QString>

#include <cstdint>
#include <optional>

// Number conversions the game relies on when it keeps numbers as caption text.
namespace conv {

// Text to double in the C locale; surrounding blanks are ignored, anything unparsable is 0.
double textToDouble(const QString &text);

// Shortest decimal text that reads back as the same double: no leading blank, and no
// decimal point for whole numbers (11 -> "11", 0.5 -> "0.5").
QString numberToText(double value);

// Double to a 16-bit integer, halves to even (0.5 -> 0, 1.5 -> 2, 2.5 -> 2).
// Values outside the 16-bit range saturate at its ends; NaN gives 0.
std::int16_t toInteger16(double value);

// Decimal text (optional sign, digits only, surrounding blanks allowed) to a 32-bit integer.
// Empty text, other characters or a value outside the 32-bit range give nothing.
std::optional<std::int32_t> parseLong(const QString &text);

// As parseLong, with 0 for text that is not a 32-bit decimal integer.
std::int32_t textToLong(const QString &text);

} // namespace conv
