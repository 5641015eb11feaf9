#include "records/SearchResultModel.h"

#include "base/Error.h"
#include "base/Text.h"
#include "records/PageChecks.h"
#include "records/SqlSupport.h"

#include <QCoreApplication>
#include <QDate>
#include <QLocale>
#include <QPainter>
#include <QPixmap>
#include <QRegularExpression>
#include <QScopedValueRollback>
#include <QSqlError>
#include <QSqlQuery>
#include <memory>

namespace quiller {

namespace {

QuillerError SearchFailure(const QSqlError& error) {
    bool ok = false;
    const int code = error.nativeErrorCode().toInt(&ok);
    QString text = error.databaseText();
    if (text.isEmpty())
        text = error.text();
    return QuillerError(ok && code != 0 ? code : kErrorUnknown, text,
                        QStringLiteral("FillSearchList"));
}

bool Mentions(const QString& statement, const QString& placeholder) {
    // A placeholder name followed by anything but a name character.
    const QRegularExpression re(QRegularExpression::escape(placeholder) +
                                QStringLiteral("(?![A-Za-z0-9_])"));
    return re.match(statement).hasMatch();
}

void BindAll(QSqlQuery& q, const QString& statement,
             const QList<std::pair<QString, QVariant>>& values) {
    for (const auto& [name, value] : values)
        if (Mentions(statement, name))
            q.bindValue(name, value);
}

QString ShortDate(const QString& iso) {
    const QDate date = QDate::fromString(iso, Qt::ISODate);
    return date.isValid() ? ListDate(date) : iso;
}

} // namespace

bool PreparePageQuery(QSqlQuery& q, const QString& statement, const SearchQuery& query,
                      const QVariant& afterKey, qint64 afterRowid, int limit) {
    if (!q.prepare(statement))
        return false;
    BindAll(q, statement, query.bindings);
    q.bindValue(QStringLiteral(":n"), limit);
    if (Mentions(statement, QStringLiteral(":k")))
        q.bindValue(QStringLiteral(":k"), afterKey);
    if (Mentions(statement, QStringLiteral(":after")))
        q.bindValue(QStringLiteral(":after"), afterRowid);
    return true;
}

SearchResultModel::SearchResultModel(QObject* parent) : QAbstractTableModel(parent) {
    freeing_.setInterval(0);
    connect(&freeing_, &QTimer::timeout, this, &SearchResultModel::FreeSlice);
}

void SearchResultModel::FreeSlice() {
    if (discarded_.isEmpty()) {
        freeing_.stop();
        return;
    }
    QVector<SearchRow>& old = discarded_.last();
    if (old.size() > kFreeSliceRows)
        old.resize(old.size() - kFreeSliceRows);
    else
        discarded_.removeLast();
}

QIcon SearchResultModel::RxPicIcon() {
    static const QIcon icon = [] {
        // A small sheet of paper with a picture on it.
        QPixmap pixmap(16, 16);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setPen(QColor(80, 80, 80));
        p.setBrush(Qt::white);
        p.drawRect(2, 1, 11, 13);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(70, 130, 200));
        p.drawRect(4, 3, 7, 5);
        p.setBrush(QColor(60, 160, 80));
        p.drawPolygon(QPolygon({QPoint(4, 8), QPoint(7, 5), QPoint(11, 8)}));
        p.setPen(QColor(120, 120, 120));
        p.drawLine(4, 10, 11, 10);
        p.drawLine(4, 12, 9, 12);
        p.end();
        return QIcon(pixmap);
    }();
    return icon;
}

void SearchResultModel::Clear() {
    beginResetModel();
    // A search that listed every prescription holds a million rows; freeing them takes
    // far longer than reading the next search's first screen. They are freed a slice at
    // a time when the window is idle, after that first screen: freed on another thread
    // they would hold the allocator's lock the first screen needs.
    if (rows_.size() > kFreeAsideRows) {
        discarded_.append(std::move(rows_));
        freeing_.start();
    }
    rows_ = QVector<SearchRow>();
    query_ = SearchQuery();
    connectionName_.clear();
    atEnd_ = true;
    started_ = false;
    lastKey_ = QVariant();
    lastRowid_ = 0;
    endResetModel();
}

void SearchResultModel::Start(const SearchQuery& query, const QSqlDatabase& db) {
    Clear();
    if (query.engine != EngineOf(db))
        throw QuillerError(
            kErrorUnknown,
            QCoreApplication::translate("SearchResultModel",
                                        "The search was written for another database engine."),
            QStringLiteral("FillSearchList"));
    query_ = query;
    connectionName_ = db.connectionName();
    atEnd_ = false;
    started_ = true;
    // The first page is read now; on failure the rows already read stay and no more
    // pages are asked for.
    try {
        const int read = ReadPage(FirstPageStatement(query_), pageSize_, false);
        if (read < pageSize_)
            atEnd_ = true;
    } catch (...) {
        atEnd_ = true;
        throw;
    }
}

int SearchResultModel::ReadPage(const QString& statement, int limit, bool withKey) {
    const QScopedValueRollback<bool> reading(reading_, true);
    QSqlQuery q(QSqlDatabase::database(connectionName_, false));
    q.setForwardOnly(true);
    if (!PreparePageQuery(q, statement, query_, withKey ? lastKey_ : QVariant(),
                          withKey ? lastRowid_ : 0, limit))
        throw SearchFailure(q.lastError());
    if (!q.exec())
        throw SearchFailure(q.lastError());

    QVector<SearchRow> page;
    page.reserve(limit);
    const bool hasKey = !query_.keyColumn.isEmpty();
    while (q.next()) {
        SearchRow r;
        r.rowid = q.value(0).toLongLong();
        ReadPrescription(q, 1, r);
        if (hasKey)
            r.key = q.value(8);
        page.append(std::move(r));
    }
    const QSqlError error = q.lastError();
    const bool failed = error.isValid() && error.type() != QSqlError::NoError;
    ReadFiled(page);
    if (!page.isEmpty()) {
        lastKey_ = page.constLast().key;
        lastRowid_ = page.constLast().rowid;
        beginInsertRows(QModelIndex(), int(rows_.size()), int(rows_.size() + page.size() - 1));
        rows_ += page;
        endInsertRows();
    }
    if (failed)
        throw SearchFailure(error);
    return int(page.size());
}

// How the stored pages of a page of rows were filed. The column is an aid: when it
// cannot be read the rows are listed without it.
void SearchResultModel::ReadFiled(QVector<SearchRow>& page) const {
    QList<std::pair<QString, QString>> keys;
    for (const SearchRow& r : std::as_const(page))
        if (!r.RxImage.isEmpty())
            keys.append({r.RxNbr, r.RefNo});
    if (keys.isEmpty())
        return;
    try {
        const QHash<QString, QString> filed =
            PageChecks::FiledOf(QSqlDatabase::database(connectionName_, false), keys);
        for (SearchRow& r : page)
            if (!r.RxImage.isEmpty())
                r.Filed = filed.value(PageChecks::Key(r.RxNbr, r.RefNo));
    } catch (const QuillerError&) {
    }
}

void SearchResultModel::SetFiledOf(const QString& rxNbr, const QString& refNo,
                                   const QString& filed) {
    for (int i = 0; i < rows_.size(); ++i) {
        SearchRow& r = rows_[i];
        if (r.RxNbr != rxNbr || r.RefNo != refNo)
            continue;
        r.Filed = filed;
        emit dataChanged(index(i, 4), index(i, 4), {Qt::DisplayRole});
    }
}

void SearchResultModel::ReadNextPage() {
    const int read = ReadPage(SameKeyPageStatement(query_), pageSize_, true);
    if (query_.keyColumn.isEmpty()) {
        if (read < pageSize_)
            atEnd_ = true;
        return;
    }
    if (read < pageSize_) {
        const int more = ReadPage(NextKeyPageStatement(query_), pageSize_ - read, true);
        if (more < pageSize_ - read)
            atEnd_ = true;
    }
}

bool SearchResultModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::UserRole || !index.isValid() || index.row() >= rows_.size())
        return false;
    const SearchRow& r = rows_.at(index.row());
    return SetImageOf(r.RxNbr, r.RefNo, value.toString());
}

bool SearchResultModel::SetImageOf(const QString& rxNbr, const QString& refNo,
                                   const QString& imageName) {
    bool any = false;
    for (int i = 0; i < rows_.size(); ++i) {
        SearchRow& r = rows_[i];
        if (r.RxNbr != rxNbr || r.RefNo != refNo)
            continue;
        r.RxImage = imageName;
        any = true;
        emit dataChanged(index(i, 0), index(i, columnCount() - 1),
                         {Qt::UserRole, Qt::DecorationRole, Qt::DisplayRole});
    }
    return any;
}

QString SearchResultModel::RowText(int row) const {
    const SearchRow& r = rows_.at(row);
    return r.RxNbr + QLatin1Char('-') + r.RefNo;
}

int SearchResultModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(rows_.size());
}

int SearchResultModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 5;
}

QVariant SearchResultModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rows_.size())
        return QVariant();
    const SearchRow& r = rows_.at(index.row());
    if (role == Qt::DisplayRole) {
        switch (index.column()) {
        case 0:
            return RowText(index.row());
        case 1:
            return ShortDate(r.FillDate);
        case 2:
            return r.Drug;
        case 3:
            return r.LastName + QStringLiteral(", ") + r.FirstName;
        case 4:
            return PageChecks::Shown(r.Filed);
        }
    } else if (role == Qt::UserRole && index.column() == 0) {
        return r.RxImage;
    } else if (role == Qt::DecorationRole && index.column() == 0 && !r.RxImage.isEmpty()) {
        return RxPicIcon();
    }
    return QVariant();
}

QVariant SearchResultModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QVariant();
    static const char* const names[] = {QT_TR_NOOP("Rx Number"), QT_TR_NOOP("Date"),
                                        QT_TR_NOOP("Drug Name"), QT_TR_NOOP("Patient"),
                                        QT_TR_NOOP("Page")};
    return section >= 0 && section < 5 ? tr(names[section]) : QVariant();
}

bool SearchResultModel::canFetchMore(const QModelIndex& parent) const {
    // A view may ask again while rows are being inserted; one page at a time.
    return !parent.isValid() && started_ && !atEnd_ && !reading_;
}

void SearchResultModel::fetchMore(const QModelIndex& parent) {
    if (!canFetchMore(parent))
        return;
    try {
        ReadNextPage();
    } catch (const QuillerError& e) {
        atEnd_ = true;
        emit FetchFailed(e.description());
    }
}

bool SearchResultModel::removeRows(int row, int count, const QModelIndex& parent) {
    if (parent.isValid() || row < 0 || count < 1 || row + count > rows_.size())
        return false;
    beginRemoveRows(QModelIndex(), row, row + count - 1);
    rows_.remove(row, count);
    endRemoveRows();
    return true;
}

} // namespace quiller
