// jetsql [--password P] [--create] DBFILE: runs Jet SQL statements from standard input against a database.
//
// Each line is a statement. A statement over several lines starts after an empty line (or at the top) and
// ends with a line ";;": the lines gathered since the last empty or ";;" line run as one statement, while an
// empty line or the end of the input runs them one by one. Queries print a tab-separated header and rows,
// other statements "rows affected: N", failures "error: <message>" (and the next statement runs).
#include "platform/rtl/Exceptions.h"
#include "platform/sql/Connection.h"

#include <QLocale>
#include <QStringList>
#include <QTextStream>
#include <cstdio>
#include <memory>

namespace {

QString Cell(const QVariant& value) {
    if (value.isNull()) return {};
    if (value.typeId() == QMetaType::Double)
        return QString::number(value.toDouble(), 'g', QLocale::FloatingPointShortest);
    if (value.typeId() == QMetaType::QByteArray)
        return QLatin1String("0x") + QString::fromLatin1(value.toByteArray().toHex());
    return value.toString();
}

void Run(sql::Connection& connection, const QString& statement, QTextStream& out) {
    try {
        const QString first = statement.trimmed().section(QLatin1Char(' '), 0, 0).toLower();
        if (first != QLatin1String("select")) {
            const int changed = connection.Execute(statement);
            out << "rows affected: " << changed << '\n';
            return;
        }
        const auto query = connection.Prepare(statement);
        QStringList header;
        for (int i = 0; i < query->ColumnCount(); ++i) header << query->ColumnName(i);
        out << header.join(QLatin1Char('\t')) << '\n';
        while (query->Step()) {
            QStringList row;
            for (int i = 0; i < query->ColumnCount(); ++i) row << Cell(query->Value(i));
            out << row.join(QLatin1Char('\t')) << '\n';
        }
    } catch (const Exception& error) {
        out << "error: " << error.Message() << '\n';
    }
}

}  // namespace

int main(int argc, char** argv) {
    QStringList args;
    for (int i = 1; i < argc; ++i) args << QString::fromLocal8Bit(argv[i]);
    sql::ConnectOptions options;
    bool create = false;
    while (!args.isEmpty() && args.first().startsWith(QLatin1String("--"))) {
        const QString option = args.takeFirst();
        if (option == QLatin1String("--create")) create = true;
        else if (option == QLatin1String("--password") && !args.isEmpty()) options.password = args.takeFirst();
        else args.clear();
    }
    if (args.size() != 1) {
        std::fprintf(stderr, "usage: jetsql [--password P] [--create] DBFILE\n");
        return 2;
    }
    options.dataSource = args.first();
    QTextStream out(stdout);
    std::unique_ptr<sql::Connection> connection;
    try {
        if (create) sql::Connection::CreateDatabase(options);
        connection = std::make_unique<sql::Connection>(options);
    } catch (const Exception& error) {
        out << "error: " << error.Message() << '\n';
        return 1;
    }

    QTextStream in(stdin);
    QStringList pending;
    const auto runEachLine = [&] {
        for (const QString& line : pending) Run(*connection, line, out);
        pending.clear();
    };
    QString line;
    while (in.readLineInto(&line)) {
        if (line.trimmed() == QLatin1String(";;")) {
            Run(*connection, pending.join(QLatin1String("\r\n")), out);
            pending.clear();
        } else if (line.trimmed().isEmpty()) {
            runEachLine();
        } else {
            pending << line;
        }
    }
    runEachLine();
    return 0;
}
