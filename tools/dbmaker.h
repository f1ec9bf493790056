#pragma once
// Makes pexlyacc.mdb files: empty, with demo data, or large generated ones.
// The application itself never creates a database; this is the only place that does.
#include <QString>

namespace dbtool {

// Each throws std::runtime_error with one clear line (in Traditional Chinese) on failure.
// An existing file is refused unless force is set, in which case it is replaced.
void createEmpty(const QString& file, bool force);
void createDemo(const QString& file, bool force);
void createGenerated(const QString& file, int employees, int months, bool force);

} // namespace dbtool
