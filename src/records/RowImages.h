#pragma once

#include <QList>
#include <QSqlDatabase>
#include <QString>

#include <optional>
#include <utility>

namespace quiller {

// The image a prescription's row names, for deciding where a page of an earlier batch
// goes: no row (nullopt), a row still waiting for its page (empty text), or the image.
namespace RowImages {

// Throws QuillerError when the database fails.
std::optional<QString> ImageOf(const QSqlDatabase& db, const QString& rxNbr, const QString& refNo);

} // namespace RowImages

} // namespace quiller
