#pragma once

namespace dalvira {

// Rounds to n decimals, halves to the even neighbour. Whether a value is a half is judged on
// its shortest decimal form, so 2.5 -> 2, 0.125 -> 0.12, 1.015 -> 1.02 (1.015 is stored as
// 1.01499999..., but the user typed and sees 1.015, an exact half).
double roundHalfEven(double value, int decimals);

} // namespace dalvira
