#include "base/Error.h"
#include "base/Log.h"
#include "records/Database.h"
#include "records/DatabaseStatements.h"
#include "records/SqlSupport.h"

#include <QCoreApplication>

#include <libpq-fe.h>
#include <poll.h>

namespace quiller {

namespace {

// Seconds between attempts: after the failure, then after each failed attempt.
constexpr int kRetryDelays[] = {1, 2, 5, 10};
// How long one call waits for the server at most; an attempt not finished by then goes
// on at the next call.
constexpr int kWaitPerCallMs = 200;
// An attempt the server never finishes is given up (libpq's connect_timeout does not
// apply to an attempt driven this way).
constexpr int kAttemptMs = 5000;

PGconn* Probe(void* p) {
    return static_cast<PGconn*>(p);
}

} // namespace

Database::Reconnection::~Reconnection() {
    if (probe)
        PQfinish(Probe(probe));
}

QString Database::ServerUnavailableStatus() {
    return QCoreApplication::translate("Database", "Database server unavailable, retrying");
}

Database::State Database::CurrentState() {
    if (!IsOpen())
        return State::Closed;
    try {
        Usable(QStringLiteral("Database.CurrentState"), !inTransaction_);
    } catch (const QuillerError& e) {
        if (e.number() == kErrorServerUnavailable)
            return State::ServerUnavailable;
        throw;
    }
    return State::Open;
}

void Database::Usable(const QString& source) {
    Usable(source, !inTransaction_);
}

void Database::Usable(const QString& source, bool reconnect) {
    if (engine_ != Engine::PostgreSql || !server_)
        return;
    if (!reconnection_) {
        const QSqlDatabase db = Connection();
        if (db.isOpen() && !ServerConnectionLost(db))
            return;
        qCWarning(lcStorage).noquote()
            << "the connection to the database server broke; trying again by itself";
        reconnection_ = std::make_unique<Reconnection>();
        reconnection_->next.setRemainingTime(kRetryDelays[0] * 1000);
        statements_.reset();
    }
    if (!reconnect || !TryReconnect())
        throw QuillerError(kErrorServerUnavailable, ServerUnavailableStatus() + QLatin1Char('.'),
                           source);
}

bool Database::TryReconnect() {
    Reconnection& r = *reconnection_;
    const auto failed = [&r] {
        if (r.probe)
            PQfinish(Probe(r.probe));
        r.probe = nullptr;
        const int delay = kRetryDelays[std::min<int>(++r.failures, std::size(kRetryDelays) - 1)];
        r.next.setRemainingTime(delay * 1000);
        return false;
    };
    if (!r.probe) {
        if (!r.next.hasExpired())
            return false;
        const QList<std::pair<QByteArray, QByteArray>> pairs = ConnectionKeywords(*server_);
        std::vector<const char*> keys;
        std::vector<const char*> values;
        for (const auto& [key, value] : pairs) {
            keys.push_back(key.constData());
            values.push_back(value.constData());
        }
        keys.push_back(nullptr);
        values.push_back(nullptr);
        r.probe = PQconnectStartParams(keys.data(), values.data(), 0);
        if (!r.probe || PQstatus(Probe(r.probe)) == CONNECTION_BAD)
            return failed();
        r.waitingFor = POLLOUT;
        r.attempt.setRemainingTime(kAttemptMs);
    }
    // libpq's asynchronous connection: wait (briefly) until its socket is ready for
    // what it needs, then let it take the next step.
    const QDeadlineTimer budget(kWaitPerCallMs);
    for (;;) {
        if (r.attempt.hasExpired())
            return failed();
        pollfd fd{PQsocket(Probe(r.probe)), static_cast<short>(r.waitingFor), 0};
        const int ready = ::poll(&fd, 1, static_cast<int>(budget.remainingTime()));
        if (ready < 0)
            return failed();
        if (ready == 0)
            return false; // still on its way: the next call goes on
        const PostgresPollingStatusType step = PQconnectPoll(Probe(r.probe));
        if (step == PGRES_POLLING_FAILED)
            return failed();
        if (step == PGRES_POLLING_OK)
            break;
        r.waitingFor = step == PGRES_POLLING_READING ? POLLIN : POLLOUT;
    }
    PQfinish(Probe(r.probe));
    r.probe = nullptr;
    // The server answers: the station's own connection is made again in its place.
    QSqlDatabase db = Connection();
    db.close();
    if (!db.open())
        return failed();
    try {
        LimitServerStatements(db);
    } catch (const QuillerError&) {
        db.close();
        return failed();
    }
    qCInfo(lcStorage).noquote() << "the connection to the database server is back after"
                                << r.failures + 1 << "attempt(s)";
    reconnection_.reset();
    return true;
}

} // namespace quiller
