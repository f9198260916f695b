#include "ScreenRegistry.h"

namespace dalvira {

ScreenRegistry::~ScreenRegistry()
{
    for (auto it = m_created.crbegin(); it != m_created.crend(); ++it) {
        if (*it && !(*it)->parent())
            delete it->data();
    }
}

void ScreenRegistry::registerScreen(const QString &name, Factory factory)
{
    if (!m_factories.contains(name))
        m_order.append(name);
    m_factories.insert(name, std::move(factory));
}

QWidget *ScreenRegistry::existing(const QString &name) const
{
    return m_screens.value(name).data();
}

QWidget *ScreenRegistry::screen(const QString &name)
{
    if (QWidget *made = existing(name))
        return made;
    const auto factory = m_factories.constFind(name);
    if (factory == m_factories.constEnd() || !*factory)
        return nullptr;
    QWidget *made = (*factory)();
    if (!made)
        return nullptr;
    if (made->objectName().isEmpty())
        made->setObjectName(name);
    m_screens.insert(name, made);
    m_created.append(made);
    return made;
}

QWidget *ScreenRegistry::show(const QString &name)
{
    QWidget *w = screen(name);
    if (!w)
        return nullptr;
    w->show();
    w->raise();
    w->activateWindow();
    return w;
}

void ScreenRegistry::createAll()
{
    for (const QString &name : std::as_const(m_order))
        screen(name);
}

} // namespace dalvira
