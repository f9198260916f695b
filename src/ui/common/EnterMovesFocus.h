#pragma once

class QObject;
class QWidget;

namespace dalvira {

// In an entry screen Enter moves the focus on like Tab and never presses a button. Multi-line
// text fields, grids (and editors open inside them) keep their own Enter; so does a widget
// marked with setEnterKeepsFocus. Widgets added to the screen later are covered too.
// Returns the filter, owned by the screen.
QObject *installEnterMovesFocus(QWidget *screen);

// For a field whose Enter runs the screen's own command (a search box, a password field).
void setEnterKeepsFocus(QWidget *widget, bool keeps = true);

} // namespace dalvira
