#include "testsupport.h"
#include "dbmaker.h"

#include <QTest>
#include <sqlite3.h>

namespace testsupport {

WorkDir::WorkDir() : m_previous(QDir::currentPath())
{
    QDir::setCurrent(m_dir.path());
}

WorkDir::~WorkDir() { QDir::setCurrent(m_previous); }

QString WorkDir::makeEmptyDb() const
{
    dbtool::createEmpty(dbPath(), true);
    return dbPath();
}

void exec(const QString& file, const QString& sql)
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(file.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    char* err = nullptr;
    const int rc = sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &err);
    const QString message = err ? QString::fromUtf8(err) : QString();
    sqlite3_free(err);
    sqlite3_close(db);
    if (rc != SQLITE_OK)
        qFatal("SQL failed: %s: %s", qPrintable(sql), qPrintable(message));
}

QVariant scalar(const QString& file, const QString& sql)
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(file.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* st = nullptr;
    QVariant out;
    if (sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &st, nullptr) == SQLITE_OK && sqlite3_step(st) == SQLITE_ROW) {
        switch (sqlite3_column_type(st, 0)) {
        case SQLITE_INTEGER: out = qint64(sqlite3_column_int64(st, 0)); break;
        case SQLITE_FLOAT: out = sqlite3_column_double(st, 0); break;
        case SQLITE_TEXT: out = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0))); break;
        default: break;
        }
    }
    sqlite3_finalize(st);
    sqlite3_close(db);
    return out;
}

} // namespace testsupport
