#include "cash/ReferenceList.h"

#include "book/ChoiceEntries.h"
#include "cash/ListFileText.h"
#include "common/TextHelpers.h"
#include "storage/ProgramFolder.h"

#include <QFile>

namespace dalvira {

ReferenceList::ReferenceList(Kind kind) : m_kind(kind), m_entries(builtIn(kind)) {}

QString ReferenceList::fileName(Kind kind)
{
    return kind == Kind::PaymentMethods ? QStringLiteral("OdemeSekli.ods")
                                        : QStringLiteral("ParaBirimi.pbr");
}

QStringList ReferenceList::builtIn(Kind kind)
{
    if (kind == Kind::PaymentMethods)
        return {QStringLiteral("Kasa"), QStringLiteral("Banka"), QStringLiteral("Kredi Kartı"),
                QStringLiteral("Çek"),  QStringLiteral("Senet"), QStringLiteral("Diğer")};
    return {QStringLiteral("USD"), QStringLiteral("EURO")};
}

QString ReferenceList::filePath() const
{
    return GetPathPath() + fileName(m_kind);
}

QString ReferenceList::duplicateMessage() const
{
    return m_kind == Kind::Currencies ? QStringLiteral("Bu para birimi mevcut!")
                                      : QStringLiteral("Bu ödeme şekli mevcut!");
}

QString ReferenceList::reservedMessage()
{
    return QStringLiteral("\"Hepsi\" listelerde tüm kayıtları seçmek için kullanılır, "
                          "eklenemez!");
}

Result ReferenceList::load()
{
    m_entries = builtIn(m_kind);
    QFile file(filePath());
    if (!file.exists())
        return Result::success();
    if (!file.open(QIODevice::ReadOnly))
        return Result::failure(QStringLiteral("\"%1\" dosyası okunamadı: %2")
                                   .arg(file.fileName(), file.errorString()));
    QStringList entries = listFileEntries(decodeListFileText(file.readAll()));
    if (m_kind == Kind::Currencies)
        entries.removeIf([](const QString &entry) {
            return turkishLower(entry) == turkishLower(kHomeCurrency);
        });
    m_entries = entries;
    return Result::success();
}

bool ReferenceList::contains(const QString &text) const
{
    const QString key = turkishLower(text);
    for (const QString &entry : m_entries) {
        if (turkishLower(entry) == key)
            return true;
    }
    return false;
}

Result ReferenceList::add(const QString &text)
{
    if (text.isEmpty())
        return Result::cancelled();
    const QString key = turkishLower(text);
    if (contains(text) || (m_kind == Kind::Currencies && key == turkishLower(kHomeCurrency)))
        return Result::failure(duplicateMessage());
    if (key == turkishLower(kAllEntry))
        return Result::failure(reservedMessage());
    if (text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r')))
        return Result::failure(QStringLiteral("Bir kayıt birden fazla satır olamaz!"));
    QStringList entries = m_entries;
    entries.append(text);
    return save(entries);
}

Result ReferenceList::removeAt(int index)
{
    if (index < 0 || index >= m_entries.size())
        return Result::success();
    QStringList entries = m_entries;
    entries.removeAt(index);
    return save(entries);
}

Result ReferenceList::save(const QStringList &entries)
{
    const Result r = writeListFile(filePath(), entries);
    if (r)
        m_entries = entries;
    return r;
}

} // namespace dalvira
