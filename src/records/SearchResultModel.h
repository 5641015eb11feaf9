#pragma once

#include "records/Database.h"
#include "records/SearchCriteria.h"

#include <QAbstractTableModel>
#include <QIcon>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTimer>
#include <QVector>

namespace quiller {

// Prepares one page statement of a search on a connection and binds its values: the
// search's own, the page size and where the page continues (the last row's key and
// rowid). False when the statement cannot be prepared (q.lastError() says why).
bool PreparePageQuery(QSqlQuery& q, const QString& statement, const SearchQuery& query,
                      const QVariant& afterKey, qint64 afterRowid, int limit);

// One listed prescription of a search.
// One listed row: the prescription as stored (FillDate ISO text, RxImage empty for a
// null column) with what the list needs beside it.
struct SearchRow : Prescription {
    qint64 rowid = 0;
    QString Filed; // how its page was filed (PageChecks), empty when not recorded
    QVariant key;  // the ordering key's value, to continue after this row
};

// The result list of a search: columns "Rx Number", "Date", "Drug Name", "Patient" and
// "Page" (how a stored image's page was filed: verified or by position);
// the row's image file name (its tag) in Qt::UserRole of column 0 and the "RxPic" icon
// beside rows that have an image. Rows are read a page at a time as the view asks
// (canFetchMore/fetchMore), in the order the database returns them; the list itself
// never sorts. Each page is one short statement that continues after the last row read,
// so nothing stays open on the connection between pages.
class SearchResultModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit SearchResultModel(QObject* parent = nullptr);

    static constexpr int kDefaultPageSize = 256;
    void SetPageSize(int rows) { pageSize_ = rows > 0 ? rows : 1; }
    int PageSize() const { return pageSize_; }

    // Empties the list.
    void Clear();
    // Empties the list and reads the first page of a search on the given connection;
    // throws QuillerError when the statement fails (the rows read before stay).
    void Start(const SearchQuery& query, const QSqlDatabase& db);

    // Row access.
    const SearchRow& Row(int row) const { return rows_.at(row); }
    QString RowText(int row) const; // RxNbr "-" RefNo
    QString RowTag(int row) const { return rows_.at(row).RxImage; }
    bool AtEnd() const { return atEnd_; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;
    bool removeRows(int row, int count, const QModelIndex& parent = QModelIndex()) override;
    // Qt::UserRole of a row: its new image name (after a rescan), applied to every
    // listed row of the same stored Rx number and refill number.
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    // The listed rows of one prescription now have this image; false when none is listed.
    bool SetImageOf(const QString& rxNbr, const QString& refNo, const QString& imageName);
    // The listed rows of one prescription now show how their page was filed.
    void SetFiledOf(const QString& rxNbr, const QString& refNo, const QString& filed);

    // The small picture of rows that have an image.
    static QIcon RxPicIcon();

signals:
    // A later page could not be read; the list keeps what it has and reads no more.
    void FetchFailed(const QString& message);

private:
    static constexpr qsizetype kFreeAsideRows = 4096;
    static constexpr qsizetype kFreeSliceRows = 2048;
    // Frees a slice of the rows of earlier searches (one turn of the event loop).
    void FreeSlice();
    // Reads up to `limit` rows of one page statement; returns how many were read.
    int ReadPage(const QString& statement, int limit, bool withKey);
    void ReadNextPage();
    void ReadFiled(QVector<SearchRow>& page) const;

    QVector<SearchRow> rows_;
    // The rows of earlier long lists, freed a slice at a time while the window is idle.
    QList<QVector<SearchRow>> discarded_;
    QTimer freeing_;
    SearchQuery query_;
    QString connectionName_;
    // Where the next page continues: the key and rowid of the last row read (rows
    // removed from the list later do not move it).
    QVariant lastKey_;
    qint64 lastRowid_ = 0;
    int pageSize_ = kDefaultPageSize;
    bool atEnd_ = true;
    bool started_ = false;
    bool reading_ = false;
};

} // namespace quiller
