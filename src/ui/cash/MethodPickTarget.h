#pragma once

#include "common/Result.h"

#include <QString>
#include <functional>

namespace dalvira {

// What a report that opens the payment methods to re-assign its records does with the chosen
// method ("Bu Ödeme Şekline Aktar"). It registers one under its caller tag
// (methodPickerCaller: "Tahsilat" or "Odeme") once, and sets the tag before it opens the screen.
struct MethodPickTarget
{
    // The method whose records are to move.
    std::function<QString()> replacedMethod;
    // Moves them to the chosen method; a failed result is shown and the screen stays open.
    std::function<Result(const QString &method)> accept;
};

} // namespace dalvira
