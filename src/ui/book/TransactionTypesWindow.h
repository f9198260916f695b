#pragma once

#include "book/ChoiceListRegistry.h"
#include "book/TransactionType.h"
#include "book/TypePickTarget.h"
#include "common/Result.h"

#include <QHash>
#include <QWidget>

class QLineEdit;
class QMenu;
class QPushButton;
class QTableWidget;

namespace dalvira {

class AppContext;

// The transaction types screen "gelirturF": the types of the open site with their code and
// name, and the picker other screens open to choose a type. It also keeps the registry of
// every type list of the program, which IslemTuruAyarla refills (TypeLists.h).
class TransactionTypesWindow : public QWidget
{
    Q_OBJECT
public:
    static inline const QString kName = QStringLiteral("gelirturF");

    explicit TransactionTypesWindow(AppContext &app, QWidget *parent = nullptr);

    // Reads the types again and shows the screen centred, restored and in front; it does not
    // block the screen that opened it.
    void open();

    // The commands.
    bool store();         // "SAKLA": stores a pending edit or new type, then refills the lists
    bool startNew();      // "YENİ İŞLEM TÜRÜ"
    bool removeCurrent(); // "SİL"
    void discard();       // "VAZGEÇ"
    bool pick();          // "SEÇ" and a double click on the list
    bool closeScreen();   // "KAPAT": stores like "SAKLA", then hides
    bool fillUntypedMovements(); // context menu "Boş Gelir İşlem Türlerine Aktar"

    // Reads the table again; keeps the type with this key current when it is still there.
    bool reload(qint64 currentKey = 0);
    // True while the fields hold a change or a new type that is not stored.
    bool hasPendingChange() const { return m_inserting || m_edited; }
    // The stored type the fields show (none while a new one is typed).
    std::optional<TransactionType> currentType() const;

    void setPickTarget(const QString &callerTag, TypePickTarget target);
    ChoiceListRegistry &typeLists() { return m_lists; }

    QLineEdit *codeField() const { return m_code; }
    QLineEdit *nameField() const { return m_name; }
    QTableWidget *typeList() const { return m_table; }
    QPushButton *button(const QString &caption) const;
    QMenu *listMenu() const { return m_menu; }

    static QString deleteQuestion(const TransactionType &type);
    static QString renameQuestion(const QString &oldName, int usage);
    static QString fillQuestion(const QString &typeName);
    // tag: "GelirDetay" or "GiderDetay".
    static QString retypeQuestion(const QString &tag, const QString &oldName,
                                  const QString &newName);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void showRecord();
    void rowChosen();
    void refreshTypeLists();

    AppContext &m_app;
    QLineEdit *m_code;
    QLineEdit *m_name;
    QTableWidget *m_table;
    QMenu *m_menu;
    QList<QPushButton *> m_buttons;
    QList<TransactionType> m_types;
    int m_current = -1;
    bool m_inserting = false;
    bool m_edited = false;
    bool m_filling = false;
    QHash<QString, TypePickTarget> m_targets;
    ChoiceListRegistry m_lists;
};

} // namespace dalvira
