#pragma once
// Shared test helpers: database files in temporary folders and direct SQLite access.
#include <QDir>
#include <QString>
#include <QTemporaryDir>
#include <QVariant>

namespace testsupport {

// A temporary folder that is the working directory while the object lives,
// so data sets find "pexlyacc.mdb" there.
class WorkDir {
public:
    WorkDir();
    ~WorkDir();
    QString path() const { return m_dir.path(); }
    QString dbPath() const { return m_dir.filePath(QStringLiteral("pexlyacc.mdb")); }
    // A new empty database with both tables, made by the database tool's own code.
    QString makeEmptyDb() const;

private:
    QTemporaryDir m_dir;
    QString m_previous;
};

// Runs SQL statements on a file directly (no data set); fails the test on error.
void exec(const QString& file, const QString& sql);
// The first column of the first row of a query, or an invalid QVariant without rows.
QVariant scalar(const QString& file, const QString& sql);

} // namespace testsupport
