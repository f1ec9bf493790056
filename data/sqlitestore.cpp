// SQLite behind the store interface: one sqlite3 handle per data set, autocommit only.
#include "connection.h"
#include "errors.h"
#include "store.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <sqlite3.h>
#include <unistd.h>

namespace data {
namespace {

constexpr int kBusyTimeoutMs = 1500;

QString quoted(const QString& name)
{
    QString q = name;
    q.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + q + QLatin1Char('"');
}

class Statement {
public:
    Statement() = default;
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    ~Statement() { sqlite3_finalize(m_stmt); }
    sqlite3_stmt* m_stmt = nullptr;
};

class SqliteConnection final : public StoreConnection {
public:
    explicit SqliteConnection(const QString& file) : m_file(file)
    {
        try {
            open();
        } catch (...) {
            sqlite3_close_v2(m_db);
            throw;
        }
    }
    ~SqliteConnection() override
    {
        m_cache.clear();
        sqlite3_close_v2(m_db);
    }

    bool isReadOnly() const override { return m_readOnly; }
    const QString& fileName() const override { return m_file; }

    void readTable(const QString& table, ResultSink& sink) override
    {
        Statement st;
        prepareInto(st, QStringLiteral("SELECT rowid, * FROM %1").arg(quoted(table)), table);
        scan(st.m_stmt, 1, sink);
    }

    void readRow(const QString& table, qint64 rowid, ResultSink& sink) override
    {
        Statement st;
        prepareInto(st, QStringLiteral("SELECT rowid, * FROM %1 WHERE rowid=?").arg(quoted(table)), table);
        sqlite3_bind_int64(st.m_stmt, 1, rowid);
        scan(st.m_stmt, 1, sink);
    }

    void runQuery(const QString& sql, const std::vector<std::pair<QString, QString>>& params,
                  ResultSink& sink) override
    {
        Statement st;
        prepareInto(st, sql, {});
        for (const auto& [name, value] : params) {
            const QByteArray key = (QLatin1Char(':') + name).toUtf8();
            const int index = sqlite3_bind_parameter_index(st.m_stmt, key.constData());
            if (index > 0)
                bindText(st.m_stmt, index, value);
        }
        scan(st.m_stmt, 0, sink);
    }

    qint64 insertRow(const QString& table, const std::vector<ColumnValue>& values) override
    {
        QString sql;
        if (values.empty()) {
            sql = QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(quoted(table));
        } else {
            QStringList cols, marks;
            for (const auto& v : values) {
                cols << quoted(v.column);
                marks << QStringLiteral("?");
            }
            sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                      .arg(quoted(table), cols.join(QLatin1Char(',')), marks.join(QLatin1Char(',')));
        }
        sqlite3_stmt* st = cached(sql, table);
        int i = 1;
        for (const auto& v : values)
            bind(st, i++, v.value);
        step(st, table);
        return sqlite3_last_insert_rowid(m_db);
    }

    void updateRow(const QString& table, qint64 rowid, const std::vector<ColumnValue>& original,
                   const std::vector<ColumnValue>& changed) override
    {
        if (changed.empty())
            return;
        QStringList sets;
        for (const auto& v : changed)
            sets << quoted(v.column) + QStringLiteral("=?");
        const QString sql = QStringLiteral("UPDATE %1 SET %2 WHERE rowid=?%3")
                                .arg(quoted(table), sets.join(QLatin1Char(',')), matchClause(original));
        sqlite3_stmt* st = cached(sql, table);
        int i = 1;
        for (const auto& v : changed)
            bind(st, i++, v.value);
        sqlite3_bind_int64(st, i++, rowid);
        for (const auto& v : original)
            bind(st, i++, v.value);
        step(st, table);
        if (sqlite3_changes(m_db) != 1)
            throw StoreError(QStringLiteral("這筆資料在讀取後已被其他連線變更或刪除，無法存檔；請重新啟動程式以讀取最新資料"));
    }

    void deleteRow(const QString& table, qint64 rowid, const std::vector<ColumnValue>& original) override
    {
        const QString sql = QStringLiteral("DELETE FROM %1 WHERE rowid=?%2").arg(quoted(table), matchClause(original));
        sqlite3_stmt* st = cached(sql, table);
        int i = 1;
        sqlite3_bind_int64(st, i++, rowid);
        for (const auto& v : original)
            bind(st, i++, v.value);
        step(st, table);
        if (sqlite3_changes(m_db) != 1)
            throw StoreError(QStringLiteral("這筆資料在讀取後已被其他連線變更或刪除，無法刪除；請重新啟動程式以讀取最新資料"));
    }

private:
    void open()
    {
        const QFileInfo info(m_file);
        const QString shown = QDir::toNativeSeparators(info.absoluteFilePath());
        if (!info.exists())
            throw StoreError(QStringLiteral("找不到資料庫檔案「%1」。請把 pexlyacc.mdb 放在程式的工作資料夾，或用 quorvel-db create 建立新的資料庫檔案")
                                 .arg(shown));
        if (info.isDir())
            throw StoreError(QStringLiteral("「%1」是資料夾，不是資料庫檔案").arg(shown));
        checkHeader(shown);
        // Root may write anything, so honour the file's own permission bits as well.
        m_readOnly = ::access(QFile::encodeName(m_file).constData(), W_OK) != 0
            || !(info.permissions() & QFileDevice::WriteOwner);
        const int flags = (m_readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE) | SQLITE_OPEN_NOMUTEX;
        const int rc = sqlite3_open_v2(QFile::encodeName(m_file).constData(), &m_db, flags, nullptr);
        if (rc != SQLITE_OK)
            fail(rc, {});
        sqlite3_busy_timeout(m_db, kBusyTimeoutMs);
        sqlite3_extended_result_codes(m_db, 1);
        // Reading the schema is the first real access: a damaged or locked file shows here.
        Statement st;
        prepareInto(st, QStringLiteral("SELECT count(*) FROM sqlite_master"), {});
        const int step = sqlite3_step(st.m_stmt);
        if (step != SQLITE_ROW)
            fail(step, {});
    }

    void checkHeader(const QString& shown)
    {
        QFile f(m_file);
        if (!f.open(QIODevice::ReadOnly))
            throw StoreError(QStringLiteral("無法讀取資料庫檔案「%1」：%2").arg(shown, f.errorString()));
        const QByteArray head = f.read(100);
        if (head.isEmpty())
            return; // an empty file is an empty database to SQLite; the missing tables report it
        if (head.startsWith(QByteArrayLiteral("SQLite format 3\0")))
            return;
        if (head.mid(4, 15) == "Standard Jet DB" || head.mid(4, 15) == "Standard ACE DB")
            throw StoreError(QStringLiteral("「%1」是 Microsoft Access 資料庫檔案，此版本無法開啟。請用 quorvel-db 建立新的資料庫檔案，再把資料輸入進去")
                                 .arg(shown));
        throw StoreError(QStringLiteral("「%1」不是 Quorvel 的資料庫檔案（不是 SQLite 資料庫）").arg(shown));
    }

    [[noreturn]] void fail(int rc, const QString& table) const
    {
        const QString shown = QDir::toNativeSeparators(QFileInfo(m_file).absoluteFilePath());
        const QString detail = m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QString::fromUtf8(sqlite3_errstr(rc));
        switch (rc & 0xff) {
        case SQLITE_BUSY:
        case SQLITE_LOCKED:
            throw StoreError(QStringLiteral("資料庫檔案「%1」正被其他程式鎖定，請稍後再試").arg(shown));
        case SQLITE_NOTADB:
            throw StoreError(QStringLiteral("「%1」不是 Quorvel 的資料庫檔案（不是 SQLite 資料庫）").arg(shown));
        case SQLITE_CORRUPT:
            throw StoreError(QStringLiteral("資料庫檔案「%1」已損壞（%2），請改用備份檔案").arg(shown, detail));
        case SQLITE_READONLY:
            throw StoreError(QStringLiteral("資料庫檔案「%1」是唯讀的，無法寫入").arg(shown));
        case SQLITE_FULL:
            throw StoreError(QStringLiteral("磁碟已滿，無法寫入資料庫檔案「%1」").arg(shown));
        case SQLITE_CANTOPEN:
            throw StoreError(QStringLiteral("無法開啟資料庫檔案「%1」（%2）").arg(shown, detail));
        default:
            break;
        }
        if (!table.isEmpty() && detail.startsWith(QLatin1String("no such table")))
            throw StoreError(QStringLiteral("資料庫檔案「%1」中沒有資料表 %2").arg(shown, table));
        throw StoreError(QStringLiteral("資料庫錯誤（%1）：%2").arg(shown, detail));
    }

    void prepareInto(Statement& st, const QString& sql, const QString& table)
    {
        const QByteArray utf8 = sql.toUtf8();
        const int rc = sqlite3_prepare_v2(m_db, utf8.constData(), int(utf8.size()), &st.m_stmt, nullptr);
        if (rc != SQLITE_OK)
            fail(rc, table);
    }

    sqlite3_stmt* cached(const QString& sql, const QString& table)
    {
        auto it = m_cache.find(sql);
        if (it == m_cache.end()) {
            auto st = std::make_shared<Statement>();
            prepareInto(*st, sql, table);
            it = m_cache.insert(sql, st);
        }
        sqlite3_stmt* st = (*it)->m_stmt;
        sqlite3_reset(st);
        sqlite3_clear_bindings(st);
        return st;
    }

    void step(sqlite3_stmt* st, const QString& table)
    {
        const int rc = sqlite3_step(st);
        sqlite3_reset(st);
        if (rc != SQLITE_DONE && rc != SQLITE_ROW)
            fail(rc, table);
    }

    static QString matchClause(const std::vector<ColumnValue>& original)
    {
        QString s;
        for (const auto& v : original)
            s += QStringLiteral(" AND %1 IS ?").arg(quoted(v.column));
        return s;
    }

    static void bindText(sqlite3_stmt* st, int i, const QString& text)
    {
        const QByteArray utf8 = text.toUtf8();
        sqlite3_bind_text(st, i, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
    }

    static void bind(sqlite3_stmt* st, int i, const QVariant& v)
    {
        switch (v.typeId()) {
        case QMetaType::UnknownType: sqlite3_bind_null(st, i); break;
        case QMetaType::Double: sqlite3_bind_double(st, i, v.toDouble()); break;
        case QMetaType::Int:
        case QMetaType::LongLong: sqlite3_bind_int64(st, i, v.toLongLong()); break;
        default: bindText(st, i, v.toString()); break;
        }
    }

    void scan(sqlite3_stmt* st, int first, ResultSink& sink)
    {
        const int n = sqlite3_column_count(st);
        std::vector<StoreColumn> cols;
        cols.reserve(size_t(n - first));
        for (int c = first; c < n; ++c) {
            StoreColumn col;
            col.name = QString::fromUtf8(sqlite3_column_name(st, c));
            col.declType = QString::fromUtf8(sqlite3_column_decltype(st, c)).toUpper();
            const char* table = sqlite3_column_table_name(st, c);
            const char* origin = sqlite3_column_origin_name(st, c);
            int autoinc = 0;
            if (table && origin)
                sqlite3_table_column_metadata(m_db, nullptr, table, origin, nullptr, nullptr, nullptr, nullptr, &autoinc);
            col.autoIncrement = autoinc != 0;
            cols.push_back(std::move(col));
        }
        sink.columns(cols);
        std::vector<RawValue> values(size_t(n - first));
        int rc;
        while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
            for (int c = first; c < n; ++c) {
                RawValue& v = values[size_t(c - first)];
                switch (sqlite3_column_type(st, c)) {
                case SQLITE_INTEGER: v.type = RawValue::Integer; v.i = sqlite3_column_int64(st, c); break;
                case SQLITE_FLOAT: v.type = RawValue::Real; v.d = sqlite3_column_double(st, c); break;
                case SQLITE_TEXT:
                    v.type = RawValue::Text;
                    v.text = reinterpret_cast<const char*>(sqlite3_column_text(st, c));
                    v.size = sqlite3_column_bytes(st, c);
                    break;
                case SQLITE_BLOB: v.type = RawValue::Blob; break;
                default: v.type = RawValue::Null; break;
                }
            }
            sink.row(first ? sqlite3_column_int64(st, 0) : 0, values.data());
        }
        if (rc != SQLITE_DONE)
            fail(rc, {});
        // The rows now live in the data set; the pages read for them need not stay cached too.
        sqlite3_db_release_memory(m_db);
    }

    QString m_file;
    sqlite3* m_db = nullptr;
    bool m_readOnly = false;
    QHash<QString, std::shared_ptr<Statement>> m_cache;
};

} // namespace

std::unique_ptr<StoreConnection> openStore(const QString& connectionString)
{
    const QString file = dataSourceOf(connectionString);
    if (file.isEmpty())
        throw StoreError(QStringLiteral("連線設定中沒有 Data Source，不知道要開啟哪個資料庫檔案"));
    return std::make_unique<SqliteConnection>(file);
}

} // namespace data
