// quorvel-db: makes pexlyacc.mdb files for the application, the tests and the benchmarks.
#include "dbmaker.h"

#include <QElapsedTimer>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

#include <cstdio>
#include <exception>
#include <stdexcept>

namespace {

const char* const kUsage =
    "用法：quorvel-db <子命令> 檔案 [選項]\n"
    "\n"
    "子命令：\n"
    "  create 檔案      建立空的資料庫（資料表 t_user 與 m_money，沒有資料）\n"
    "  demo 檔案        建立含示範資料的資料庫：12 位員工，2026 年每月的薪資紀錄\n"
    "  generate 檔案 --employees N --months M\n"
    "                   建立效能測試用的大型資料庫：N 位員工，每人 M 筆薪資紀錄\n"
    "                   （預設 1000 位、120 個月）\n"
    "\n"
    "選項：\n"
    "  --force          檔案已存在時覆寫（可放在任何位置）\n"
    "  -h, --help       顯示這段說明\n"
    "\n"
    "檔案先寫在同一資料夾的暫存檔，完成後才改名為指定的檔名；失敗時不會留下不完整的檔案。\n";

[[noreturn]] void usageError(const QString& message)
{
    throw std::invalid_argument(message.toStdString());
}

int readCount(const QStringList& args, qsizetype& i, const QString& option, int max)
{
    if (i + 1 >= args.size())
        usageError(QStringLiteral("%1 後面需要一個數值").arg(option));
    const QString text = args[++i];
    static const QRegularExpression digits(QStringLiteral("^[0-9]{1,9}$"));
    bool ok = digits.match(text).hasMatch();
    const int value = ok ? text.toInt(&ok) : 0;
    if (!ok || value < 1 || value > max)
        usageError(QStringLiteral("%1 必須是 1 到 %2 的整數，收到「%3」").arg(option).arg(max).arg(text));
    return value;
}

int run(const QStringList& args)
{
    if (args.isEmpty() || args.contains(QLatin1String("--help")) || args.contains(QLatin1String("-h"))) {
        std::fputs(kUsage, stdout);
        return 0;
    }

    bool force = false;
    int employees = 1000;
    int months = 120;
    QStringList positional;
    QStringList countOptions;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == QLatin1String("--force")) {
            force = true;
        } else if (a == QLatin1String("--employees")) {
            employees = readCount(args, i, a, 999999);
            countOptions << a;
        } else if (a == QLatin1String("--months")) {
            months = readCount(args, i, a, 1200);
            countOptions << a;
        } else if (a.startsWith(QLatin1Char('-')) && a.size() > 1) {
            usageError(QStringLiteral("不認得的選項「%1」；請執行 quorvel-db --help").arg(a));
        } else {
            positional << a;
        }
    }

    const QString command = positional.value(0);
    const QStringList known{QStringLiteral("create"), QStringLiteral("demo"), QStringLiteral("generate")};
    if (command.isEmpty())
        usageError(QStringLiteral("缺少子命令（create、demo 或 generate）；請執行 quorvel-db --help"));
    if (!known.contains(command))
        usageError(QStringLiteral("不認得的子命令「%1」；可用的有 create、demo、generate").arg(command));
    if (positional.size() < 2 || positional[1].isEmpty())
        usageError(QStringLiteral("%1 需要一個資料庫檔案名稱").arg(command));
    if (positional.size() > 2)
        usageError(QStringLiteral("多餘的參數「%1」").arg(positional[2]));
    if (command != QLatin1String("generate") && !countOptions.isEmpty())
        usageError(QStringLiteral("%1 只用於 generate").arg(countOptions.first()));

    const QString& file = positional[1];
    QElapsedTimer timer;
    timer.start();
    if (command == QLatin1String("create")) {
        dbtool::createEmpty(file, force);
        std::printf("已建立空的資料庫 %s\n", qPrintable(file));
    } else if (command == QLatin1String("demo")) {
        dbtool::createDemo(file, force);
        std::printf("已建立示範資料庫 %s\n", qPrintable(file));
    } else {
        dbtool::createGenerated(file, employees, months, force);
        std::printf("已建立 %s：員工 %d 位，薪資紀錄 %lld 筆，用時 %.2f 秒\n", qPrintable(file), employees,
                    static_cast<long long>(employees) * months, double(timer.elapsed()) / 1000.0);
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    try {
        return run(args);
    } catch (const std::invalid_argument& e) {
        std::fprintf(stderr, "quorvel-db: %s\n", e.what());
        return 2;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "quorvel-db: %s\n", e.what());
        return 1;
    }
}
