#pragma once

#include <QLineEdit>

namespace dalvira {

// The list's name search field: a letter typed at the start of the text or after a blank
// becomes its Turkish capital (i -> İ, ı -> I, ç -> Ç ...).
class FlatListNameEdit : public QLineEdit
{
    Q_OBJECT
public:
    using QLineEdit::QLineEdit;

    static QString turkishCapital(QChar letter);

protected:
    void keyPressEvent(QKeyEvent *event) override;
};

} // namespace dalvira
