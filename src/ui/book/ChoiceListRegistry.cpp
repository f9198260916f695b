#include "book/ChoiceListRegistry.h"

#include <QComboBox>
#include <QSignalBlocker>

namespace dalvira {

void ChoiceListRegistry::add(QComboBox *list, int kind, ListSelection selection)
{
    remove(list);
    Entry e;
    e.object = list;
    e.combo = list;
    e.kind = kind;
    e.selection = selection;
    m_entries.append(e);
}

void ChoiceListRegistry::add(QObject *owner, int kind, Filler filler)
{
    Entry e;
    e.object = owner;
    e.kind = kind;
    e.filler = std::move(filler);
    m_entries.append(e);
}

void ChoiceListRegistry::remove(QObject *listOrOwner)
{
    m_entries.removeIf([listOrOwner](const Entry &e) { return e.object == listOrOwner; });
}

void ChoiceListRegistry::prune()
{
    m_entries.removeIf([](const Entry &e) { return e.object.isNull(); });
}

int ChoiceListRegistry::count() const
{
    return int(std::count_if(m_entries.begin(), m_entries.end(),
                             [](const Entry &e) { return !e.object.isNull(); }));
}

void ChoiceListRegistry::fill(QComboBox *list, const QStringList &entries, ListSelection selection)
{
    const QString previous = list->currentText();
    {
        // Clearing and adding are one change for the screen that owns the list: it hears
        // only about the entry selected at the end.
        const QSignalBlocker blocker(list);
        list->clear();
        list->addItems(entries);
        list->setCurrentIndex(-1);
    }
    int index = entries.isEmpty() ? -1 : 0;
    if (selection == ListSelection::Keep && !previous.isEmpty()) {
        const int kept = entries.indexOf(previous);
        if (kept >= 0)
            index = kept;
    }
    list->setCurrentIndex(index);
}

void ChoiceListRegistry::refill(const EntriesOf &entriesOf)
{
    prune();
    // A filler may register or remove lists; work on a copy.
    const QList<Entry> entries = m_entries;
    QHash<int, QStringList> byKind;
    for (const Entry &e : entries) {
        if (e.object.isNull())
            continue;
        if (!byKind.contains(e.kind))
            byKind.insert(e.kind, entriesOf(e.kind));
        const QStringList &list = byKind[e.kind];
        if (e.combo)
            fill(e.combo, list, e.selection);
        else
            e.filler(list);
    }
}

} // namespace dalvira
