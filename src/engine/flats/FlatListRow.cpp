#include "flats/FlatListRow.h"

namespace dalvira {

namespace {

QString fullName(const QString &first, const QString &last)
{
    return first + QLatin1Char(' ') + last;
}

} // namespace

QString FlatListRow::ownerName() const
{
    return fullName(ownerFirst, ownerLast);
}

QString FlatListRow::residentName() const
{
    return fullName(residentFirst, residentLast);
}

QString FlatListRow::formerOwnerName() const
{
    return fullName(formerOwnerFirst, formerOwnerLast);
}

QString FlatListRow::formerResidentName() const
{
    return fullName(formerResidentFirst, formerResidentLast);
}

QString FlatListRow::blockFlatSection() const
{
    return block + QLatin1Char(' ') + flat + QLatin1Char(' ') + section;
}

QString FlatListRow::flatNumberText() const
{
    return flatNumber.isNull() ? QString() : QString::number(flatNumber.toLongLong());
}

QString shownName(const QString &holderName)
{
    return holderName.trimmed().isEmpty() ? QString() : holderName;
}

FlatPickNames flatPickNames(const FlatListRow &row, FlatPickMode mode)
{
    FlatPickNames names;
    if (mode == FlatPickMode::FormerHolders) {
        names.owner = row.formerOwnerFirst.isEmpty() ? row.ownerName() : row.formerOwnerName();
        names.resident =
            row.formerResidentFirst.isEmpty() ? row.residentName() : row.formerResidentName();
    } else {
        names.owner = row.ownerName();
        names.resident = row.residentName();
    }
    return names;
}

QString flatPickQuestion(const FlatPickNames &names)
{
    return QStringLiteral("Daire Sahibi ") + names.owner +
           QStringLiteral(" adına işlem yapılacaksa EVET (YES)") + QStringLiteral("\n\r") +
           QStringLiteral("Dairede oturan ") + names.resident +
           QStringLiteral(" adına işlem yapılacaksa HAYIR (NO) tuşunu tıklayın.");
}

FlatStatementRequest flatStatementRequest(const FlatListRow &row, FlatStatementRequest::Kind kind)
{
    FlatStatementRequest request;
    request.kind = kind;
    switch (kind) {
    case FlatStatementRequest::Kind::Owner:
        request.holder = row.ownerName();
        break;
    case FlatStatementRequest::Kind::Resident:
        request.holder = row.residentName();
        break;
    case FlatStatementRequest::Kind::FormerOwner:
        request.holder = row.formerOwnerName();
        break;
    case FlatStatementRequest::Kind::FormerResident:
        request.holder = row.formerResidentName();
        break;
    case FlatStatementRequest::Kind::WholeFlat:
        request.wholeFlat = true;
        request.flatNumber = row.flatNumber;
        request.title = QStringLiteral("Tüm Daireye Ait Hareketler");
        return request;
    }
    request.title = request.holder;
    return request;
}

FlatStatementRequest flatStatementRequest(const FlatRecord &flat, FlatStatementRequest::Kind kind)
{
    using Kind = FlatStatementRequest::Kind;
    FlatStatementRequest request;
    request.kind = kind;
    request.allTypesAndCurrencies =
        kind == Kind::Owner || kind == Kind::Resident || kind == Kind::WholeFlat;
    if (kind == Kind::WholeFlat) {
        request.wholeFlat = true;
        request.flatNumber = flat.number();
        request.title = QStringLiteral("Tüm Daireye Ait Hareketler");
        return request;
    }
    const AccountHolder holder = kind == Kind::Owner      ? AccountHolder::Owner
                                 : kind == Kind::Resident ? AccountHolder::Resident
                                 : kind == Kind::FormerOwner ? AccountHolder::FormerOwner
                                                             : AccountHolder::FormerResident;
    request.holder = holderName(flat, holder);
    request.title = request.holder;
    return request;
}

} // namespace dalvira
