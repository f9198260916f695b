#pragma once

#include <QLineEdit>

namespace dalvira {

class AmountValidator;

// Entry field for a sum of money: digits and one "," with at most two decimals; the integer
// part is regrouped with "." while typed; a zero field empties when entered, and a field is
// rewritten as "#,###.00" when left (zero reads ",00"). Right-aligned.
class AmountEdit : public QLineEdit
{
    Q_OBJECT
public:
    explicit AmountEdit(QWidget *parent = nullptr);

    double value() const;
    void setValue(double value);

    // A leading "-" is refused unless allowed.
    bool negativeAllowed() const;
    void setNegativeAllowed(bool allowed);

    // Integer digits accepted: beyond 13 a double no longer keeps every kuruş.
    static constexpr int kMaxIntegerDigits = 13;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    AmountValidator *m_validator;
};

} // namespace dalvira
