#include "EnterMovesFocus.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QChildEvent>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace dalvira {

namespace {

const char *const kKeepsProperty = "dalviraEnterKeepsFocus";

bool keepsOwnEnter(const QWidget *widget)
{
    for (const QWidget *w = widget; w; w = w->parentWidget()) {
        if (w->property(kKeepsProperty).toBool())
            return true;
        if (qobject_cast<const QAbstractItemView *>(w))
            return true;
        if (w->isWindow())
            break;
    }
    return qobject_cast<const QTextEdit *>(widget) || qobject_cast<const QPlainTextEdit *>(widget);
}

class EnterFocusFilter : public QObject
{
public:
    explicit EnterFocusFilter(QWidget *screen) : QObject(screen) { watch(screen); }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::ChildAdded) {
            QObject *child = static_cast<QChildEvent *>(event)->child();
            if (child->isWidgetType())
                watch(static_cast<QWidget *>(child));
            return false;
        }
        if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
            return false;
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
            return false;
        if (key->modifiers() & ~Qt::KeypadModifier)
            return false;
        auto *widget = static_cast<QWidget *>(watched);
        // The key reaches the focused widget first; its parents only see it when passed on.
        if (!widget->hasFocus() || keepsOwnEnter(widget))
            return false;
        QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
        QCoreApplication::sendEvent(widget, &tab);
        return true;
    }

private:
    void watch(QWidget *widget)
    {
        widget->installEventFilter(this);
        for (QObject *child : widget->children()) {
            if (child->isWidgetType())
                watch(static_cast<QWidget *>(child));
        }
    }
};

} // namespace

QObject *installEnterMovesFocus(QWidget *screen)
{
    return new EnterFocusFilter(screen);
}

void setEnterKeepsFocus(QWidget *widget, bool keeps)
{
    widget->setProperty(kKeepsProperty, keeps);
}

} // namespace dalvira
