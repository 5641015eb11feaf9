#pragma once
// The statements a Database runs once per data-file line or stored page, prepared once
// for the connection (records layer only).

#include "records/Database.h"

#include <QSqlQuery>

namespace quiller {

struct Database::Statements {
    explicit Statements(const QSqlDatabase& db) : upsert(db), setImage(db) {}
    QSqlQuery upsert;
    QSqlQuery setImage;
    bool upsertPrepared = false;
    bool setImagePrepared = false;
};

} // namespace quiller
