#pragma once

#include <QString>

namespace dalvira {

// Rounds to n decimals, halves to the even neighbour. Whether a value is a half is judged on
// its shortest decimal form, so 2.5 -> 2, 0.125 -> 0.12, 1.015 -> 1.02 (1.015 is stored as
// 1.01499999..., but the user typed and sees 1.015, an exact half).
// decimals may be negative: -1 rounds to tens (125 -> 120), -2 to hundreds.
// NaN and infinities are returned as they are; a result of zero is never negative zero.
double roundHalfEven(double value, int decimals);

// The same rounding, given as plain decimal text: an optional "-", the digits, and for
// decimals > 0 a "." followed by exactly that many digits ("-1234.50", "0.00", "120").
// Exact for any magnitude (the rounding is done on the digit string, never on a binary
// double). Zero never carries a sign. Non-finite values give an empty text.
QString roundedDecimalText(double value, int decimals);

} // namespace dalvira
