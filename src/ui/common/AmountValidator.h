#pragma once

#include <QValidator>

namespace dalvira {

// Keeps an amount field's text in shape: an optional "-" (when allowed), the integer digits
// grouped by "." in threes, one "," and at most two decimals. validate() regroups the text
// and keeps the cursor behind the same digit, so typing, deleting and pasting all regroup.
class AmountValidator : public QValidator
{
    Q_OBJECT
public:
    explicit AmountValidator(QObject *parent = nullptr);

    bool negativeAllowed() const { return m_negativeAllowed; }
    void setNegativeAllowed(bool allowed) { m_negativeAllowed = allowed; }

    State validate(QString &input, int &pos) const override;

private:
    bool m_negativeAllowed = false;
};

} // namespace dalvira
