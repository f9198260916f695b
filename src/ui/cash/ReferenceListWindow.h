#pragma once

#include "book/ChoiceListRegistry.h"
#include "cash/MethodPickTarget.h"
#include "cash/ReferenceList.h"

#include <QHash>
#include <QWidget>

class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;

namespace dalvira {

class AppContext;

// The payment methods screen "odemesekliF" and the currencies screen "parabirimiF": the list
// of the program folder's list file, a field and "EKLE" to add, "Kaydı Sil" in the list's
// context menu. Each keeps the registry of the choice lists that its list feeds, refilled by
// OdemeSekliAyarla or ParaBirimiAyarla (MethodLists.h). The payment methods screen also
// re-assigns records of the detail reports ("Bu Ödeme Şekline Aktar").
class ReferenceListWindow : public QWidget
{
    Q_OBJECT
public:
    static inline const QString kMethodsName = QStringLiteral("odemesekliF");
    static inline const QString kCurrenciesName = QStringLiteral("parabirimiF");

    // Loads the list file at once (the built-in list when there is none).
    ReferenceListWindow(AppContext &app, ReferenceList::Kind kind, QWidget *parent = nullptr);

    ReferenceList::Kind kind() const { return m_list.kind(); }
    const QStringList &entries() const { return m_list.entries(); }

    // Shows the screen centred, restored and in front, without blocking its opener.
    void open();
    // "EKLE": the field's text.
    bool add();
    // "Kaydı Sil": the selected entry, after the question.
    bool removeSelected();
    // "Bu Ödeme Şekline Aktar" (payment methods only).
    bool reassignToSelected();
    // Reads the list file again (another program folder in tests).
    void reload();

    // Rebuilds every registered list (OdemeSekliAyarla / ParaBirimiAyarla).
    void refillLists();
    ChoiceListRegistry &choiceLists() { return m_lists; }
    void setPickTarget(const QString &callerTag, MethodPickTarget target);

    QLineEdit *textField() const { return m_text; }
    QPushButton *addButton() const { return m_add; }
    QListWidget *listView() const { return m_view; }
    QMenu *listMenu() const { return m_menu; }

    static QString removeQuestion();
    static QString reassignQuestion(const QString &oldMethod, const QString &newMethod);

private:
    void showEntries();
    QStringList choices(int kind) const;

    AppContext &m_app;
    ReferenceList m_list;
    QLineEdit *m_text;
    QPushButton *m_add;
    QListWidget *m_view;
    QMenu *m_menu;
    ChoiceListRegistry m_lists;
    QHash<QString, MethodPickTarget> m_targets;
};

} // namespace dalvira
