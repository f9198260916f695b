#include "book/TypeLists.h"

#include "book/TransactionTypes.h"
#include "book/TransactionTypesWindow.h"
#include "common/Prompt.h"
#include "session/AppContext.h"

#include <QComboBox>

namespace dalvira {

namespace {

TransactionTypesWindow *typesWindow(AppContext &app)
{
    return app.screens().screen<TransactionTypesWindow>(TransactionTypesWindow::kName);
}

// The names in code order; when they cannot be read the message is shown and returned.
std::optional<QStringList> readTypeNames(AppContext &app, QString *message)
{
    try {
        return TransactionTypes(app.storage().ana()).names();
    } catch (const OperationError &e) {
        *message = e.message();
        app.prompt().error(kCaption, e.message());
        return std::nullopt;
    }
}

} // namespace

void registerTypeList(AppContext &app, QComboBox *list, TypeListKind kind, ListSelection selection)
{
    if (TransactionTypesWindow *w = typesWindow(app))
        w->typeLists().add(list, int(kind), selection);
}

void registerTypeList(AppContext &app, QObject *owner, TypeListKind kind,
                      ChoiceListRegistry::Filler filler)
{
    if (TransactionTypesWindow *w = typesWindow(app))
        w->typeLists().add(owner, int(kind), std::move(filler));
}

Result IslemTuruAyarla(AppContext &app)
{
    TransactionTypesWindow *w = typesWindow(app);
    if (!w)
        return Result::success();
    QString message;
    const std::optional<QStringList> names = readTypeNames(app, &message);
    if (!names)
        return Result::failure(message);
    w->typeLists().refill(
        [&](int kind) { return typeChoices(*names, static_cast<TypeListKind>(kind)); });
    return Result::success();
}

Result fillTypeList(AppContext &app, QComboBox *list, TypeListKind kind, ListSelection selection)
{
    QString message;
    const std::optional<QStringList> names = readTypeNames(app, &message);
    if (!names)
        return Result::failure(message);
    ChoiceListRegistry::fill(list, typeChoices(*names, kind), selection);
    return Result::success();
}

void setTypePickTarget(AppContext &app, const QString &callerTag, TypePickTarget target)
{
    if (TransactionTypesWindow *w = typesWindow(app))
        w->setPickTarget(callerTag, std::move(target));
}

void showTypePicker(AppContext &app, const QString &callerTag, int row)
{
    app.session().typePickerCaller = callerTag;
    app.session().typePickerRow = row;
    if (TransactionTypesWindow *w = typesWindow(app))
        w->open();
}

} // namespace dalvira
