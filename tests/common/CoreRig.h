#pragma once
// The station core without windows over a database of its own (a SQLite file in a fresh
// test environment, or a server database when given one): context, simulated feeder
// scanner with manual delivery, every message box recorded.
#include "common/ScriptedMessageBoxes.h"
#include "common/ScriptedScanner.h"
#include "common/TestEnv.h"
#include "records/Database.h"
#include "station/PageStaging.h"
#include "station/StationContext.h"
#include "station/StationCore.h"

#include <QDir>
#include <QtTest>
#include <optional>

namespace quiller::test {

// A station of its own: context, database, simulated feeder scanner and core.
struct Rig {
    ScriptedMessageBoxes boxes;
    TestEnv env;
    StationContext ctx;
    ScriptedScanner scanner;
    std::unique_ptr<StationCore> core;

    explicit Rig(const QString& mode = "off",
                 const std::optional<ServerAddress>& server = std::nullopt) {
        env.writeSettings("[verify]\nmode=" + mode + "\n");
        ctx.dataPath = env.imageFolder();
        ctx.filePath = env.interchangeFolder();
        ctx.ScannerID = "A";
        ctx.DbConnection = std::make_unique<Database>();
        if (server) {
            ctx.DbConnection->OpenServer(*server, ctx.dataPath);
        } else {
            Database::EnsureFile(ctx.dataPath, QString());
            ctx.DbConnection->Open(ctx.dataPath);
        }
        scanner.StartDevice();
        scanner.script().feederAvailable = true;
        scanner.script().manual = true;
        Start();
    }
    void Start() {
        core = std::make_unique<StationCore>(ctx);
        core->SetScanner(&scanner);
        core->Resume();
    }
    // A batch of prescriptions 1-00 .. n-00, each with its row.
    void Batch(int n) {
        for (int i = 1; i <= n; ++i) {
            const QString rx = QString::number(i);
            ctx.DbConnection->UpsertPrescription(
                Prescription{rx, "00", "03/07/2006", "Drug", "Ann", "Lee", ""});
            core->Entries().Append(rx + "-00", "03/07/2006", "Drug", "Lee, Ann", "X");
        }
        core->AcquireBatch();
    }
    bool Lock() const { return QFile::exists(ctx.LockFilePath()); }
    QString Image(int rx) const {
        const auto row = ctx.DbConnection->Find(QString::number(rx), "00");
        return row ? row->RxImage : "<no row>";
    }
    QStringList Files(const QString& sub = QString()) const {
        return QDir(env.imageFolder() + sub).entryList({"*.jpg"}, QDir::Files);
    }
    QStringList Staged() const {
        return QDir(PageStaging::FolderFor(ctx.dataPath, ctx.ScannerID))
            .entryList({"*.jpg", "*.part"}, QDir::Files);
    }
    // Every delivered page is filed or kept; no row names a missing file.
    void CheckNothingLost(int delivered) const {
        QCOMPARE(Files().size() + Files("/Unmatched").size(), delivered);
        QCOMPARE(Staged(), QStringList());
        for (const QString& name : Files())
            QCOMPARE(Image(name.section('_', 0, 0).toInt()), name);
    }
};

} // namespace quiller::test
