#pragma once

#include "records/Database.h"
#include "station/StationContext.h"

#include <QStringList>
#include <QVariant>

namespace quiller::test {

// One hand-written row of RxImages (FillDate in ISO form, RxImage null when invalid).
struct FixtureRow {
    QString RxNbr, RefNo, FillDate, Drug, FirstName, LastName;
    QVariant RxImage;
};

// The stored prescriptions the view tests search: leading zeros and a leading blank in
// Rx numbers, refills that differ only by a zero, names and drugs that differ only by
// letter case, apostrophes, a "%" in a drug name, rows without an image (empty and null).
QList<FixtureRow> FixtureRows();

// The station context of this test program: every window and behaviour under test is
// given this one, so a fixture can set its folders and database.
StationContext& SharedContext();

// Opens an empty database of the test's engine as SharedContext().DbConnection and
// stores the rows.
void OpenFixtureDatabase(const QList<FixtureRow>& rows = FixtureRows());
// The same on a given connection and engine (in memory, or the test cluster's database).
void OpenFixtureOn(Database& db, Engine engine, const QList<FixtureRow>& rows);
void InsertRows(Database& db, const QList<FixtureRow>& rows);

// The status line, for the behaviours that write it: every text written, in order.
class StatusLine : public MainWindowPort {
public:
    void SetStatusText(const QString& text) override { texts << text; }
    QString StatusText() const override { return texts.value(texts.size() - 1); }

    QStringList texts;
};

// Writes a small solid picture as a JPEG file.
void WritePicture(const QString& path, const QColor& colour, int width = 40, int height = 30);

} // namespace quiller::test
