#pragma once
// The engine a test program runs on, and fresh databases on the test cluster
// (tests/pgcluster) for the runs on PostgreSQL.
#include "records/Database.h"

namespace quiller::test {

// PostgreSQL when the run says so (QUILLER_TEST_ENGINE=postgresql), else SQLite.
Engine TestEngine();
// Makes `name` on the test cluster an empty database (made when missing, its tables
// dropped otherwise) and returns its address.
ServerAddress FreshServerDatabase(const QString& name);
// Opens `db` on an empty database: the SQLite file `sqliteFile` or, on PostgreSQL, the
// fresh database named after the test program.
void OpenEmpty(Database& db, const QString& sqliteFile = QStringLiteral(":memory:"));
// Opens `second` on the database `first` uses, as another station would.
void OpenSecond(Database& second, const Database& first);

} // namespace quiller::test
