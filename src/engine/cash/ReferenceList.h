#pragma once

#include "common/Result.h"

#include <QStringList>

namespace dalvira {

// One of the two short lists every site of the installation shares: the payment methods
// ("OdemeSekli.ods") or the currencies other than "TL" ("ParaBirimi.pbr"), each a list file in
// the program folder. Until the first change there is no file and the built-in list applies.
// Entries keep the order in which they were added.
class ReferenceList
{
public:
    enum class Kind { PaymentMethods, Currencies };

    explicit ReferenceList(Kind kind);

    Kind kind() const { return m_kind; }
    static QString fileName(Kind kind);
    static QStringList builtIn(Kind kind);
    QString filePath() const; // in the program folder

    // Reads the list file; with no file, the built-in list. A file that exists but cannot be
    // read gives the failure and leaves the built-in list in place. A "TL" line (never
    // written by this program) is skipped, so the home currency is never offered twice.
    Result load();

    const QStringList &entries() const { return m_entries; }
    // Compared the Turkish way without regard to case or surrounding blanks.
    bool contains(const QString &text) const;

    // Appends the entry and writes the whole list. An empty text adds nothing and gives a
    // cancelled result. Refused: an entry already in the list (for currencies also "TL"):
    // duplicateMessage(); "Hepsi", the word of the filters for all entries: reservedMessage();
    // a line break (it would split the line of the file). When the file cannot be written the
    // list stays as it was and the failure carries the file system's reason.
    Result add(const QString &text);
    // Removes the entry at index and writes the whole list; an index outside the list removes
    // and writes nothing. The list is kept unchanged when the file cannot be written.
    Result removeAt(int index);

    QString duplicateMessage() const;
    static QString reservedMessage();

private:
    Result save(const QStringList &entries);

    Kind m_kind;
    QStringList m_entries;
};

} // namespace dalvira
