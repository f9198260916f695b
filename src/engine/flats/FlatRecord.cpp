#include "flats/FlatRecord.h"

namespace dalvira {

namespace {

bool isEmptyText(const QVariant &v)
{
    return v.isNull() || v.toString().trimmed().isEmpty();
}

bool isUnsetNumber(const QVariant &v)
{
    return v.isNull() || v.toString().trimmed().isEmpty() || v.toDouble() == 0.0;
}

} // namespace

QString holderFirstNameColumn(AccountHolder holder)
{
    switch (holder) {
    case AccountHolder::Owner:
        return QStringLiteral("adi");
    case AccountHolder::Resident:
        return QStringLiteral("oturan_adi");
    case AccountHolder::FormerOwner:
        return QStringLiteral("onceki_ev_sahibi_adi");
    case AccountHolder::FormerResident:
        return QStringLiteral("onceki_oturan_adi");
    }
    return {};
}

QString holderSurnameColumn(AccountHolder holder)
{
    switch (holder) {
    case AccountHolder::Owner:
        return QStringLiteral("soyadi");
    case AccountHolder::Resident:
        return QStringLiteral("oturan_soyadi");
    case AccountHolder::FormerOwner:
        return QStringLiteral("onceki_ev_sahibi_soyadi");
    case AccountHolder::FormerResident:
        return QStringLiteral("onceki_oturan_soyadi");
    }
    return {};
}

QString holderName(const FlatRecord &flat, AccountHolder holder)
{
    return flat.text(holderFirstNameColumn(holder)) + QLatin1Char(' ') +
           flat.text(holderSurnameColumn(holder));
}

QString holderSnapshotName(const FlatRecord &flat, AccountHolder holder)
{
    if (flat.value(holderFirstNameColumn(holder)).isNull())
        return {};
    return holderName(flat, holder);
}

void applyBeforeStoreRules(FlatRecord &flat)
{
    for (const char *column : {"adi", "soyadi", "dairesi", "baba_adi", "anne_adi"}) {
        const QString key = QLatin1String(column);
        const QVariant v = flat.value(key);
        if (!v.isNull())
            flat.set(key, v.toString().trimmed());
    }

    if (!isEmptyText(flat.value(QStringLiteral("oturan_adi"))) ||
        !isEmptyText(flat.value(QStringLiteral("oturan_soyadi"))))
        return;

    static const char *const ownerToResident[][2] = {
        {"adi", "oturan_adi"},
        {"soyadi", "oturan_soyadi"},
        {"tc_kimlik", "oturan_tc_kimlik"},
        {"tel1", "oturan_tel1"},
        {"ceptel", "oturan_cep1"},
        {"ceptel2", "oturan_cep2"},
        {"giris_tarihi", "oturan_giris_tarihi"},
        {"fax", "oturan_fax"},
        {"email", "oturan_mail"},
    };
    for (const auto &pair : ownerToResident)
        flat.set(QLatin1String(pair[1]), flat.value(QLatin1String(pair[0])));

    static const char *const residentToOwner[][2] = {
        {"aidat2indirim", "aidat1indirim"},
        {"bos_number2", "bos_number1"},
        {"bos_number4", "bos_number3"},
    };
    for (const auto &pair : residentToOwner) {
        const QString resident = QLatin1String(pair[0]);
        const QString owner = QLatin1String(pair[1]);
        if (!isUnsetNumber(flat.value(resident)))
            flat.set(owner, flat.value(resident));
        else
            flat.set(resident, flat.value(owner));
    }
}

} // namespace dalvira
