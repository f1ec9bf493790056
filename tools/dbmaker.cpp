#include "dbmaker.h"
#include "tables.h"

#include <QByteArray>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <sqlite3.h>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace dbtool {
namespace {

[[noreturn]] void fail(const QString& message)
{
    throw std::runtime_error(message.toStdString());
}

QString shown(const QString& file)
{
    return QDir::toNativeSeparators(file);
}

QString errnoText(int err)
{
    return QString::fromLocal8Bit(std::strerror(err));
}

// splitmix64: tiny, fast and the same on every platform and library, so the demo
// and generated files are identical from run to run.
class Rng {
public:
    explicit Rng(std::uint64_t seed) : m_state(seed) {}
    std::uint64_t next()
    {
        std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    int range(int lo, int hi) { return lo + int(next() % std::uint64_t(hi - lo + 1)); } // inclusive
    bool chance(int percent) { return range(1, 100) <= percent; }
    template <class T, std::size_t N> const T& pick(const std::array<T, N>& items)
    {
        return items[std::size_t(range(0, int(N) - 1))];
    }

private:
    std::uint64_t m_state;
};

double roundTo(double value, double step) { return std::round(value / step) * step; }

QByteArray storedDate(int year, int month, int day)
{
    return QStringLiteral("%1-%2-%3 00:00:00")
        .arg(year, 4, 10, QLatin1Char('0'))
        .arg(month, 2, 10, QLatin1Char('0'))
        .arg(day, 2, 10, QLatin1Char('0'))
        .toLatin1();
}

// ---------------------------------------------------------------- the database file

// An open sqlite3 handle on the temporary file being built.
class Db {
public:
    Db(const QByteArray& path, const QString& target) : m_target(target)
    {
        try {
            check(sqlite3_open_v2(path.constData(), &m_db, SQLITE_OPEN_READWRITE, nullptr));
            sqlite3_extended_result_codes(m_db, 1);
            // The file is private until it is renamed into place, and a failure throws it away,
            // so neither a journal nor syncing every page is of any use here.
            exec("PRAGMA journal_mode=OFF");
            exec("PRAGMA synchronous=OFF");
        } catch (...) {
            sqlite3_close_v2(m_db);
            throw;
        }
    }
    Db(const Db&) = delete;
    Db& operator=(const Db&) = delete;
    ~Db() { sqlite3_close_v2(m_db); }

    void exec(const QString& sql) { exec(sql.toUtf8().constData()); }
    void exec(const char* sql) { check(sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr)); }

    sqlite3_stmt* prepare(const QString& sql)
    {
        sqlite3_stmt* st = nullptr;
        check(sqlite3_prepare_v3(m_db, sql.toUtf8().constData(), -1, SQLITE_PREPARE_PERSISTENT, &st, nullptr));
        return st;
    }

    void check(int rc) const
    {
        if (rc == SQLITE_OK || rc == SQLITE_DONE || rc == SQLITE_ROW)
            return;
        const QString detail = m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QString::fromUtf8(sqlite3_errstr(rc));
        fail(QStringLiteral("無法寫入資料庫檔案「%1」：%2").arg(shown(m_target), detail));
    }

    void close()
    {
        const int rc = sqlite3_close(m_db);
        if (rc != SQLITE_OK)
            check(rc);
        m_db = nullptr;
    }

private:
    sqlite3* m_db = nullptr;
    QString m_target;
};

class Statement {
public:
    Statement(Db& db, const QString& sql) : m_db(db), m_st(db.prepare(sql)) {}
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    ~Statement() { sqlite3_finalize(m_st); }

    void text(int i, const QByteArray& utf8)
    {
        m_db.check(sqlite3_bind_text(m_st, i, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT));
    }
    void real(int i, std::optional<double> v)
    {
        m_db.check(v ? sqlite3_bind_double(m_st, i, *v) : sqlite3_bind_null(m_st, i));
    }
    void integer(int i, int v) { m_db.check(sqlite3_bind_int(m_st, i, v)); }
    void null(int i) { m_db.check(sqlite3_bind_null(m_st, i)); }
    void run()
    {
        m_db.check(sqlite3_step(m_st));
        m_db.check(sqlite3_reset(m_st));
    }

private:
    Db& m_db;
    sqlite3_stmt* m_st;
};

// Builds the database in a hidden temporary file beside the target and moves it into
// place only once it is complete, so no failure leaves a half-made database behind.
class TargetFile {
public:
    TargetFile(const QString& file, bool force) : m_target(file), m_force(force)
    {
        if (file.isEmpty())
            fail(QStringLiteral("缺少資料庫檔案名稱"));
        const QFileInfo info(file);
        if (!force && info.isDir())
            fail(QStringLiteral("「%1」是資料夾，不是資料庫檔案").arg(shown(file)));
        if (!force && (info.exists() || info.isSymLink()))
            refuseExisting();

        const QString dir = info.absolutePath();
        for (int attempt = 0;; ++attempt) {
            m_temp = QFile::encodeName(QStringLiteral("%1/.%2.%3-%4.tmp")
                                           .arg(dir, info.fileName())
                                           .arg(::getpid())
                                           .arg(attempt));
            const int fd = ::open(m_temp.constData(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0666);
            if (fd >= 0) {
                ::close(fd);
                break;
            }
            const int err = errno;
            if (err != EEXIST || attempt > 100) {
                m_temp.clear();
                fail(QStringLiteral("無法在資料夾「%1」建立暫存檔：%2").arg(shown(dir), errnoText(err)));
            }
        }
    }
    TargetFile(const TargetFile&) = delete;
    TargetFile& operator=(const TargetFile&) = delete;
    ~TargetFile()
    {
        if (!m_temp.isEmpty())
            ::unlink(m_temp.constData());
    }

    const QByteArray& tempPath() const { return m_temp; }

    void publish()
    {
        const QByteArray target = QFile::encodeName(m_target);
        const int fd = ::open(m_temp.constData(), O_RDONLY | O_CLOEXEC);
        if (fd < 0 || ::fsync(fd) != 0) {
            const int err = errno;
            if (fd >= 0)
                ::close(fd);
            fail(QStringLiteral("無法寫入資料庫檔案「%1」：%2").arg(shown(m_target), errnoText(err)));
        }
        ::close(fd);

        int rc;
        if (m_force) {
            rc = std::rename(m_temp.constData(), target.constData());
        } else {
            // The file may have appeared while the database was being built; never replace it then.
            rc = ::renameat2(AT_FDCWD, m_temp.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE);
            if (rc != 0 && (errno == EINVAL || errno == ENOSYS)) { // file system without it
                if (QFileInfo::exists(m_target))
                    refuseExisting();
                rc = std::rename(m_temp.constData(), target.constData());
            }
        }
        if (rc != 0) {
            const int err = errno;
            if (err == EEXIST && !m_force)
                refuseExisting();
            if (err == EISDIR)
                fail(QStringLiteral("「%1」是資料夾，不是資料庫檔案").arg(shown(m_target)));
            fail(QStringLiteral("無法把暫存檔改名為「%1」：%2").arg(shown(m_target), errnoText(err)));
        }
        m_temp.clear();
    }

private:
    [[noreturn]] void refuseExisting() const
    {
        fail(QStringLiteral("檔案「%1」已存在；要覆寫請加上 --force").arg(shown(m_target)));
    }

    QString m_target;
    bool m_force;
    QByteArray m_temp;
};

void createTables(Db& db)
{
    db.exec(data::createTableSql(QStringLiteral("t_user"), data::userColumns()));
    db.exec(data::createTableSql(QStringLiteral("m_money"), data::moneyColumns()));
}

// Not unique: the application allows two employees with one number and two pay records
// with one serial. They only speed up the link, the serial search and the payslip join.
void createIndexes(Db& db)
{
    db.exec("CREATE INDEX m_money_number ON m_money (m_number)");
    db.exec("CREATE INDEX m_money_sn ON m_money (m_sn)");
}

template <class Fill> void build(const QString& file, bool force, Fill fill)
{
    TargetFile target(file, force);
    {
        Db db(target.tempPath(), file);
        db.exec("BEGIN");
        createTables(db);
        fill(db);
        createIndexes(db);
        db.exec("COMMIT");
        db.close();
    }
    target.publish();
}

// ---------------------------------------------------------------- rows

struct Employee {
    QByteArray name, number, title, grade, rank, joined;
    double overtime1 = 0, overtime2 = 0, overtime3 = 0;
    // What the pay records are made from; not stored in t_user.
    double baseSalary = 0, positionAllowance = 0, professionalAllowance = 0;
    int dependants = 0;
};

class EmployeeInsert {
public:
    explicit EmployeeInsert(Db& db)
        : m_st(db, QStringLiteral("INSERT INTO t_user (u_name, u_number, u_title, u_lv, u_class, u_indate, "
                                  "u_add1, u_add2, u_add3) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"))
    {
    }
    void add(const Employee& e)
    {
        m_st.text(1, e.name);
        m_st.text(2, e.number);
        m_st.text(3, e.title);
        m_st.text(4, e.grade);
        m_st.text(5, e.rank);
        m_st.text(6, e.joined);
        m_st.real(7, e.overtime1);
        m_st.real(8, e.overtime2);
        m_st.real(9, e.overtime3);
        m_st.run();
    }

private:
    Statement m_st;
};

// Index into PayRecord::amounts of each amount column.
enum Amount { I1 = 0, U1 = 9, DI1 = 18, DU1 = 25, AmountCount = 32 };

struct PayRecord {
    QByteArray date, number, serial, note;
    std::array<std::optional<double>, AmountCount> amounts{};
    int workDays = 0, absentDays = 0, restDays = 0;
};

class PayInsert {
public:
    explicit PayInsert(Db& db) : m_st(db, sql()) {}
    void add(const PayRecord& r)
    {
        m_st.text(1, r.date);
        m_st.text(2, r.number);
        m_st.text(3, r.serial);
        for (int i = 0; i < AmountCount; ++i)
            m_st.real(4 + i, r.amounts[std::size_t(i)]);
        if (r.note.isEmpty())
            m_st.null(36);
        else
            m_st.text(36, r.note);
        m_st.integer(37, r.workDays);
        m_st.integer(38, r.absentDays);
        m_st.integer(39, r.restDays);
        m_st.run();
    }

private:
    static QString sql()
    {
        QStringList columns{QStringLiteral("m_date"), QStringLiteral("m_number"), QStringLiteral("m_sn")};
        for (const char* prefix : {"m_i", "m_u"})
            for (int n = 1; n <= 9; ++n)
                columns << QLatin1String(prefix) + QString::number(n);
        for (const char* prefix : {"m_di", "m_du"})
            for (int n = 1; n <= 7; ++n)
                columns << QLatin1String(prefix) + QString::number(n);
        columns << QStringLiteral("m_note") << QStringLiteral("m_day") << QStringLiteral("m_offday")
                << QStringLiteral("m_freeday");
        QStringList marks;
        for (int i = 0; i < columns.size(); ++i)
            marks << QStringLiteral("?");
        return QStringLiteral("INSERT INTO m_money (%1) VALUES (%2)")
            .arg(columns.join(QStringLiteral(", ")), marks.join(QStringLiteral(", ")));
    }

    Statement m_st;
};

const std::array<const char*, 10> kNumerals = {"一", "二", "三", "四", "五", "六", "七", "八", "九", "十"};

// Monday to Friday in a month are working days; the rest are public rest days.
struct MonthDays {
    int work = 0, rest = 0;
};
MonthDays monthDays(int year, int month)
{
    const QDate first(year, month, 1);
    MonthDays days;
    for (int d = 0; d < first.daysInMonth(); ++d)
        (first.addDays(d).dayOfWeek() <= 5 ? days.work : days.rest)++;
    return days;
}


// One month's pay of an employee. approved is what the rules give; actual differs where
// attendance, real overtime or an advance make it differ, as on a real pay run.
PayRecord payFor(const Employee& e, int year, int month, Rng& rng, bool sparse)
{
    PayRecord r;
    r.date = storedDate(year, month, 1);
    r.number = e.number;
    const MonthDays days = monthDays(year, month);
    r.absentDays = rng.chance(15) ? rng.range(1, 2) : 0;
    r.workDays = days.work - r.absentDays;
    r.restDays = days.rest;

    const double base = e.baseSalary;
    const double hourly = base / 240;
    const double overtime = roundTo(hourly * (e.overtime1 * 1.34 + e.overtime2 * 1.67 + e.overtime3 * 2.0), 1);
    const double bonus = month % 3 == 0 ? roundTo(base * rng.range(5, 30) / 100.0, 100) : 0;
    const double suggestion = rng.chance(8) ? rng.range(1, 4) * 500.0 : 0;
    const double other = month == 2 || month == 6 ? 2000 : (rng.chance(10) ? rng.range(1, 6) * 100.0 : 0);
    const std::array<double, 9> approved = {
        base, overtime, e.positionAllowance, e.professionalAllowance, 1000, bonus, suggestion, 2400, other,
    };
    for (int n = 0; n < 9; ++n) {
        r.amounts[std::size_t(I1 + n)] = approved[std::size_t(n)];
        r.amounts[std::size_t(U1 + n)] = approved[std::size_t(n)];
    }
    // Overtime is paid for the hours really worked, which wander around the approved ones.
    if (overtime > 0)
        r.amounts[U1 + 1] = std::max(0.0, overtime + rng.range(-8, 8) * roundTo(hourly * 1.34, 1));
    if (r.absentDays > 0)
        r.amounts[U1 + 4] = 0.0;

    const double advance = rng.chance(6) ? rng.range(2, 10) * 1000.0 : 0;
    const std::array<double, 7> deductions = {
        roundTo(base * 0.023, 1),                      // labour insurance, employee share
        roundTo(base * 0.0155 * (1 + e.dependants), 1), // health insurance with dependants
        advance,
        roundTo(base * 0.005, 1),                // welfare fund
        month == 1 ? 600.0 : 0.0,                // uniform, once a year
        roundTo(base / 30 * r.absentDays, 1),    // unpaid days
        rng.chance(20) ? 150.0 : 0.0,            // group insurance and the like
    };
    for (int n = 0; n < 7; ++n) {
        r.amounts[std::size_t(DI1 + n)] = deductions[std::size_t(n)];
        r.amounts[std::size_t(DU1 + n)] = deductions[std::size_t(n)];
    }
    // Remarks explain what differs from an ordinary month, as a clerk would write them.
    const bool repaidInTwo = advance > 0 && rng.chance(40);
    if (repaidInTwo)
        r.amounts[DU1 + 2] = advance / 2;
    if (r.absentDays > 0 && rng.chance(60))
        r.note = r.absentDays == 1 ? "事假一天，未發全勤津貼" : "病假二天，依規定扣薪";
    else if (advance > 0)
        r.note = QStringLiteral("借支 %1 元，%2").arg(advance).arg(repaidInTwo ? QStringLiteral("分兩期扣還") : QStringLiteral("本月扣還")).toUtf8();
    else if (suggestion > 0)
        r.note = "提案獲採用，發給提案獎金";
    else if (month == 2)
        r.note = "含春節禮金";
    else if (month == 6)
        r.note = "含端午節禮金";
    else if (r.amounts[U1 + 1] != r.amounts[I1 + 1] && rng.chance(sparse ? 15 : 5))
        r.note = "加班費依實際時數核發";

    // A clerk leaves the odd box empty rather than typing 0.
    if (sparse && rng.chance(15)) {
        static constexpr std::array<int, 6> kOptional = {I1 + 6, U1 + 6, I1 + 8, U1 + 8, DI1 + 6, DU1 + 6};
        for (int i : kOptional)
            if (r.amounts[std::size_t(i)] == 0.0 && rng.chance(50))
                r.amounts[std::size_t(i)] = std::nullopt;
    }
    return r;
}

// ---------------------------------------------------------------- demo data

struct DemoPerson {
    const char *name, *title;
    int grade, rank;
    int joinYear, joinMonth, joinDay;
    double overtime1, overtime2, overtime3;
    double base, position, professional;
    int dependants;
};

const std::array<DemoPerson, 12> kDemo = {{
    {"陳美玲", "總經理", 9, 3, 2008, 3, 3, 0, 0, 0, 98000, 15000, 0, 2},
    {"林志明", "會計", 5, 2, 2012, 7, 16, 6, 2, 0, 42000, 2000, 3000, 1},
    {"王俊傑", "業務經理", 7, 1, 2014, 1, 6, 10, 4, 0, 62000, 8000, 0, 2},
    {"張雅婷", "業務專員", 3, 2, 2019, 9, 2, 12, 6, 2, 34000, 0, 0, 0},
    {"李建宏", "工程師", 5, 3, 2017, 4, 10, 16, 8, 4, 52000, 0, 4000, 1},
    {"黃淑芬", "出納", 4, 1, 2015, 11, 23, 4, 0, 0, 38000, 1500, 2000, 3},
    {"吳家豪", "倉管人員", 2, 2, 2021, 2, 22, 20, 10, 6, 31000, 0, 0, 0},
    {"劉怡君", "人事專員", 4, 2, 2018, 6, 11, 5, 1, 0, 40000, 1000, 1500, 1},
    {"蔡宗翰", "資深工程師", 6, 2, 2013, 8, 19, 14, 6, 3, 68000, 3000, 6000, 2},
    {"楊佩珊", "行政助理", 2, 1, 2023, 3, 1, 3, 0, 0, 30000, 0, 0, 0},
    {"許文雄", "司機", 3, 3, 2010, 10, 4, 24, 12, 8, 36000, 0, 0, 1},
    {"鄭雅琪", "品管專員", 3, 1, 2026, 12, 28, 0, 0, 0, 33000, 0, 1000, 0},
}};

Employee demoEmployee(const DemoPerson& p, int index)
{
    Employee e;
    e.name = p.name;
    e.number = QStringLiteral("E%1").arg(index + 1, 3, 10, QLatin1Char('0')).toLatin1();
    e.title = p.title;
    e.grade = QByteArray(kNumerals[std::size_t(p.grade - 1)]) + "等";
    e.rank = QByteArray(kNumerals[std::size_t(p.rank - 1)]) + "級";
    e.joined = storedDate(p.joinYear, p.joinMonth, p.joinDay);
    e.overtime1 = p.overtime1;
    e.overtime2 = p.overtime2;
    e.overtime3 = p.overtime3;
    e.baseSalary = p.base;
    e.positionAllowance = p.position;
    e.professionalAllowance = p.professional;
    e.dependants = p.dependants;
    return e;
}

void fillDemo(Db& db)
{
    constexpr int kYear = 2026;
    std::vector<Employee> staff;
    EmployeeInsert users(db);
    for (std::size_t i = 0; i < kDemo.size(); ++i) {
        staff.push_back(demoEmployee(kDemo[i], int(i)));
        users.add(staff.back());
    }
    // The last one joined at the end of the year and has no pay record yet.
    staff.pop_back();

    Rng rng(20260101);
    PayInsert pay(db);
    for (int month = 1; month <= 12; ++month) {
        int seq = 0;
        for (const Employee& e : staff) {
            PayRecord r = payFor(e, kYear, month, rng, true);
            r.serial = QStringLiteral("%1%2%3")
                           .arg(kYear % 100, 2, 10, QLatin1Char('0'))
                           .arg(month, 2, 10, QLatin1Char('0'))
                           .arg(++seq, 4, 10, QLatin1Char('0'))
                           .toLatin1();
            pay.add(r);
        }
    }
}

// ---------------------------------------------------------------- generated data

constexpr int kMaxEmployees = 999999; // "E" and six digits
constexpr int kMaxMonths = 1200;
constexpr qint64 kMaxRecords = 999999999; // nine-digit serials

const std::array<const char*, 24> kSurnames = {
    "陳", "林", "黃", "張", "李", "王", "吳", "劉", "蔡", "楊", "許", "鄭",
    "謝", "郭", "洪", "曾", "邱", "廖", "賴", "周", "徐", "蘇", "葉", "莊",
};
const std::array<const char*, 32> kGiven = {
    "美", "玲", "志", "明", "俊", "傑", "雅", "婷", "建", "宏", "淑", "芬", "家", "豪", "怡", "君",
    "宗", "翰", "佩", "珊", "文", "雄", "琪", "偉", "欣", "嘉", "冠", "廷", "詩", "涵", "承", "恩",
};
const std::array<const char*, 12> kTitles = {
    "會計", "出納", "業務專員", "業務經理", "工程師", "資深工程師",
    "行政助理", "人事專員", "倉管人員", "品管專員", "司機", "採購專員",
};

void fillUnused(PayRecord& r, int approved, int actual, Rng& rng)
{
    auto& a = r.amounts[std::size_t(approved)];
    if (a && *a != 0)
        return;
    a = rng.range(1, 30) * 10.0;
    r.amounts[std::size_t(actual)] = a;
}

void fillGenerated(Db& db, int employees, int months)
{
    Rng rng(1000003);
    std::vector<Employee> staff(static_cast<std::size_t>(employees));
    // The last month is December 2026; count back from there.
    const int firstMonthIndex = 2026 * 12 + 11 - (months - 1);
    const int firstYear = firstMonthIndex / 12;

    EmployeeInsert users(db);
    for (int i = 0; i < employees; ++i) {
        Employee& e = staff[std::size_t(i)];
        e.name = QByteArray(rng.pick(kSurnames)) + rng.pick(kGiven) + rng.pick(kGiven);
        e.number = QStringLiteral("E%1").arg(i + 1, 6, 10, QLatin1Char('0')).toLatin1();
        e.title = rng.pick(kTitles);
        const int grade = rng.range(1, 9);
        e.grade = QByteArray(kNumerals[std::size_t(grade - 1)]) + "等";
        e.rank = QByteArray(kNumerals[std::size_t(rng.range(0, 2))]) + "級";
        e.joined = storedDate(rng.range(firstYear - 15, firstYear), rng.range(1, 12), rng.range(1, 28));
        e.overtime1 = rng.range(0, 40) / 2.0;
        e.overtime2 = rng.range(0, 20) / 2.0;
        e.overtime3 = rng.range(0, 8) / 2.0;
        e.baseSalary = 28000 + grade * 4000 + rng.range(0, 40) * 100;
        e.positionAllowance = rng.range(1, 10) * 500.0;
        e.professionalAllowance = rng.range(1, 8) * 500.0;
        e.dependants = rng.range(0, 3);
        users.add(e);
    }

    PayInsert pay(db);
    qint64 serial = 0;
    for (int m = 0; m < months; ++m) {
        const int year = (firstMonthIndex + m) / 12;
        const int month = (firstMonthIndex + m) % 12 + 1;
        for (Employee& e : staff) {
            // A yearly raise keeps salaries moving over a long history.
            if (month == 1 && m > 0)
                e.baseSalary = roundTo(e.baseSalary * (1 + rng.range(0, 3) / 100.0), 100);
            PayRecord r = payFor(e, year, month, rng, false);
            // Every item in use: the benchmarks should sum real numbers, not mostly zeros.
            for (int n = 0; n < 9; ++n)
                fillUnused(r, I1 + n, U1 + n, rng);
            for (int n = 0; n < 7; ++n)
                fillUnused(r, DI1 + n, DU1 + n, rng);
            r.serial = QStringLiteral("%1").arg(++serial, 9, 10, QLatin1Char('0')).toLatin1();
            pay.add(r);
        }
    }
}

} // namespace

void createEmpty(const QString& file, bool force)
{
    build(file, force, [](Db&) {});
}

void createDemo(const QString& file, bool force)
{
    build(file, force, fillDemo);
}

void createGenerated(const QString& file, int employees, int months, bool force)
{
    if (employees < 1 || employees > kMaxEmployees)
        fail(QStringLiteral("員工人數必須在 1 到 %1 之間，收到 %2").arg(kMaxEmployees).arg(employees));
    if (months < 1 || months > kMaxMonths)
        fail(QStringLiteral("月數必須在 1 到 %1 之間，收到 %2").arg(kMaxMonths).arg(months));
    if (qint64(employees) * months > kMaxRecords)
        fail(QStringLiteral("薪資紀錄 %1 筆超過九位數薪資編號的上限 %2 筆")
                 .arg(qint64(employees) * months)
                 .arg(kMaxRecords));
    build(file, force, [&](Db& db) { fillGenerated(db, employees, months); });
}

} // namespace dbtool
