#pragma once

class QScreen;
class QWidget;

namespace dalvira {

// Moves window to the middle of the free area of screen (the window's own screen when none is
// given; nothing happens when there is no screen).
void centreOnScreen(QWidget *window, const QScreen *screen = nullptr);

// How small windows come up when called: restored if minimised, shown in the middle of their
// screen, in front and active.
void showCentred(QWidget *window);

} // namespace dalvira
