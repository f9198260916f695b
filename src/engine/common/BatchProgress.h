#pragma once

#include <QString>

namespace dalvira {

// What a long batch operation reports while it walks its rows. The wait window implements it;
// engine operations take it as an optional pointer and never show anything themselves.
class BatchProgress
{
public:
    virtual ~BatchProgress() = default;
    // statusText: "Bekleyin aktarılıyor..."; counterText: "Aktarılan kayıt :"; total rows.
    virtual void start(const QString &statusText, const QString &counterText, int total,
                       bool cancellable) = 0;
    // position is 1-based; subStep/subTotal drive the second bar (0..2 unless told otherwise).
    virtual void step(int position, int subStep = 0, int subTotal = 2) = 0;
    // True once the user pressed "İPTAL ET" on a cancellable batch; the operation then rolls
    // back whole and returns a cancelled result.
    virtual bool cancelRequested() const = 0;
    virtual void finish(const QString &endText) = 0;
};

} // namespace dalvira
