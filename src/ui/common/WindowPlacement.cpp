#include "common/WindowPlacement.h"

#include <QScreen>
#include <QWidget>

namespace dalvira {

void centreOnScreen(QWidget *window, const QScreen *screen)
{
    if (!screen)
        screen = window->screen();
    if (screen)
        window->move(screen->availableGeometry().center() - window->rect().center());
}

void showCentred(QWidget *window)
{
    if (window->isMinimized())
        window->showNormal();
    window->show();
    centreOnScreen(window);
    window->raise();
    window->activateWindow();
}

} // namespace dalvira
