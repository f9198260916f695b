#pragma once

#include <QHash>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>

namespace dalvira {

// Every screen exists once for the whole run: the registry makes it on first use with the
// factory registered under its name and hands out the same instance afterwards, so its
// fields, filters and grid positions persist between openings.
class ScreenRegistry
{
public:
    using Factory = std::function<QWidget *()>;

    ScreenRegistry() = default;
    ScreenRegistry(const ScreenRegistry &) = delete;
    ScreenRegistry &operator=(const ScreenRegistry &) = delete;
    // Deletes the screens it made (those without a parent), newest first.
    ~ScreenRegistry();

    void registerScreen(const QString &name, Factory factory);
    bool isRegistered(const QString &name) const { return m_factories.contains(name); }
    QStringList names() const { return m_order; }

    // The screen, made now if this is its first use; nullptr for a name never registered.
    QWidget *screen(const QString &name);
    template <class T> T *screen(const QString &name) { return dynamic_cast<T *>(screen(name)); }
    // The screen only if it has been made already.
    QWidget *existing(const QString &name) const;
    // The screen, shown, raised and activated.
    QWidget *show(const QString &name);
    // Makes every registered screen, in registration order (start-up does this once).
    void createAll();

private:
    QHash<QString, Factory> m_factories;
    QStringList m_order;
    QHash<QString, QPointer<QWidget>> m_screens;
    QList<QPointer<QWidget>> m_created;
};

} // namespace dalvira
