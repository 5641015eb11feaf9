#include "records/RowImages.h"

#include "records/SqlSupport.h"

#include <QSqlQuery>
#include <QVariant>

namespace quiller {

namespace RowImages {

std::optional<QString> ImageOf(const QSqlDatabase& db, const QString& rxNbr, const QString& refNo) {
    QSqlQuery query(db);
    query.setForwardOnly(true);
    query.prepare(
        QStringLiteral("SELECT RxImage FROM RxImages WHERE RxNbr = :rx AND RefNo = :ref"));
    query.bindValue(QStringLiteral(":rx"), BoundText(rxNbr));
    query.bindValue(QStringLiteral(":ref"), BoundText(refNo));
    Exec(query, QStringLiteral("RowImages.ImageOf"));
    if (!query.next())
        return std::nullopt;
    const QVariant image = query.value(0);
    return image.isNull() ? QString() : image.toString().trimmed();
}

} // namespace RowImages

} // namespace quiller
