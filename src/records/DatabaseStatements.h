#pragma once
// The statements a Database runs once per data-file line or stored page, prepared once
// for the connection (records layer only).

#include "records/Database.h"

#include <QDeadlineTimer>
#include <QSqlQuery>

namespace quiller {

struct Database::Statements {
    explicit Statements(const QSqlDatabase& db) : upsert(db), setImage(db) {}
    QSqlQuery upsert;
    QSqlQuery setImage;
    bool upsertPrepared = false;
    bool setImagePrepared = false;
};

// A lost server connection being brought back (DatabaseReconnect.cpp).
struct Database::Reconnection {
    ~Reconnection();
    void* probe = nullptr;  // libpq's connection attempt in progress, if any
    int waitingFor = 0;     // what the attempt waits for on its socket (POLLIN/POLLOUT)
    int failures = 0;       // attempts failed since the connection broke
    QDeadlineTimer next;    // when the next attempt may start
    QDeadlineTimer attempt; // when the attempt in progress is given up
};

} // namespace quiller
