#pragma once

#include <QList>
#include <QPointer>
#include <QStringList>
#include <functional>

class QComboBox;
class QObject;

namespace dalvira {

// What a refill does with the current entry of a registered list.
enum class ListSelection {
    First, // select the first entry (the usual rule of the program's lists)
    Keep,  // keep the entry the user had when it is still offered, otherwise the first
};

// The choice lists of other screens that one source feeds (the transaction types, the payment
// methods, the currencies). Screens register their lists once, with the shape they need; a
// refill then rebuilds every list still alive from one place. Lists whose widget is gone
// drop out by themselves.
class ChoiceListRegistry
{
public:
    using Filler = std::function<void(const QStringList &entries)>;
    // The entries of a list of the given shape (an enum value of the source's kinds).
    using EntriesOf = std::function<QStringList(int kind)>;

    // A combo box: cleared and filled, then its selection set by the rule. A combo box
    // registered again just takes the new shape and rule.
    void add(QComboBox *list, int kind, ListSelection selection);
    // Any other list (a grid column's choices, a delegate): filler gets the entries; the
    // registration lives as long as owner.
    void add(QObject *owner, int kind, Filler filler);
    void remove(QObject *listOrOwner);

    // Rebuilds every registered list.
    void refill(const EntriesOf &entriesOf);
    // Fills one combo box now, without registering it.
    static void fill(QComboBox *list, const QStringList &entries, ListSelection selection);

    // Registered lists still alive.
    int count() const;

private:
    struct Entry
    {
        QPointer<QObject> object;
        QComboBox *combo = nullptr; // object as a combo box, when it is one
        int kind = 0;
        ListSelection selection = ListSelection::First;
        Filler filler;
    };
    void prune();

    QList<Entry> m_entries;
};

} // namespace dalvira
