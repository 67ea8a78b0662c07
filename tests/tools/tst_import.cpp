// The master tables to a CSV file and back: billdb export and import run as
// the operator runs them, on the engine of the test run.

#include "support/TestDatabase.h"
#include "support/ToolRun.h"

#include <QTemporaryDir>
#include <QtTest>

class ImportTest : public QObject {
    Q_OBJECT

    TestDatabase db;
    QTemporaryDir dir;

    toolrun::Result billdb(const QStringList& arguments)
    {
        return toolrun::run(arguments, toolrun::environment(db.iniPath(), dir.path()));
    }
    QString write(const QString& name, const QString& text)
    {
        QFile file(dir.filePath(name));
        if (!file.open(QIODevice::WriteOnly) || file.write(text.toUtf8()) < 0)
            qFatal("cannot write %s", qPrintable(file.fileName()));
        return file.fileName();
    }
    QStringList rowsOf(const QString& name) { return db.rows("select * from " + name + " order by SN"); }

private slots:
    void init() { db.reset(); }

    // The file holds every awkward value quoted as a spreadsheet reads it
    // (a comma, quotes, a line break, blanks at the ends, UTF-8), and brings
    // the table back into an empty database as it was.
    void exportImportsBackUnchanged_data()
    {
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("table");
        QTest::addColumn<QStringList>("records");
        QTest::addColumn<QString>("csv");
        const QStringList party{"1,'RAVI, KUMAR','12 \"MAIN\" ROAD\nPUNE','98450'", "2,'ÇAĞRI ŞEN',' GATE 2 ','O''BRIEN'",
                                "3,'नमस्ते','',''"};
        const QString partyCsv = "SN,ITEM,PARTNO,REMARK\r\n1,\"RAVI, KUMAR\",\"12 \"\"MAIN\"\" ROAD\nPUNE\",98450\r\n"
                                 "2,ÇAĞRI ŞEN,\" GATE 2 \",O'BRIEN\r\n3,नमस्ते,,\r\n";
        const QStringList priced{"1,'TEA, HOT',45.5,'-',0", "2,'\"BEST\" COFFEE',0.1,'-',0", "3,'DOSA\r\nPLAIN',-1234567.25,'-',0"};
        const QString pricedCsv = "SN,TYPEOFCHARGES,VALUEofCHARGES\r\n1,\"TEA, HOT\",45.5\r\n2,\"\"\"BEST\"\" COFFEE\",0.1\r\n"
                                  "3,\"DOSA\r\nPLAIN\",-1234567.25\r\n";
        QTest::newRow("customers") << "customers" << "Customer" << party << partyCsv;
        QTest::newRow("suppliers") << "suppliers" << "Supplier" << party << partyCsv;
        QTest::newRow("personnel") << "personnel" << "ExpenditurePerson" << party << partyCsv;
        QTest::newRow("items") << "items" << "Charges" << priced << pricedCsv;
        QTest::newRow("heads") << "heads" << "ExpenditureHead" << priced << pricedCsv;
    }
    void exportImportsBackUnchanged()
    {
        QFETCH(QString, word);
        QFETCH(QString, table);
        QFETCH(QStringList, records);
        QFETCH(QString, csv);
        for (const QString& record : records)
            db.exec("insert into " + table + " values(" + record + ")");
        const QStringList before = rowsOf(table);
        const QString file = dir.filePath(word + ".csv");
        const toolrun::Result exported = billdb({"export", word, file});
        QVERIFY2(exported.exitCode == 0, qPrintable(exported.err));
        QCOMPARE(toolrun::fileText(file), csv);

        db.reset();
        const toolrun::Result imported = billdb({"import", word, file});
        QVERIFY2(imported.exitCode == 0 && imported.out.contains("(SN 1 to 3)"), qPrintable(imported.out + imported.err));
        QCOMPARE(rowsOf(table), before);
    }

    // Every bad record is listed by its line with its reason, and nothing
    // is imported; with --skip-bad the good ones are, in the file's order
    // under the SNs after the table's, their letters capitals as typed on
    // the screen. A heading naming no column of the table imports nothing.
    void badRecordsAreListed_data()
    {
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("csv");
        QTest::addColumn<QStringList>("reasons");
        QTest::addColumn<QStringList>("after");
        QTest::newRow("customers")
            << "customers" << "Customer" << "5,'ASHA','','98450'"
            << "remark,Item,SN,PARTNO\n111,ravi,9,1 road\n1," + QString(256, 'A') + ",,\n98450,asha k,,\n"
                                                                                 "222,\"meera\nrao\",,\n111,dev,,\n333,only\n333,dev,,\n"
            << QStringList{"3: ITEM has 256 characters, more than 255", "4: duplicate REMARK \"98450\": SN 5 has it",
                           "7: duplicate REMARK \"111\": line 2 has it", "8: 2 values where the heading names 4 columns"}
            << QStringList{"5|ASHA||98450", "6|RAVI|1 ROAD|111", "7|MEERA\nRAO||222", "8|DEV||333"};
        QTest::newRow("items") << "items" << "Charges" << "4,'TEA',10,'-',0"
                               << "VALUEofCHARGES,TYPEOFCHARGES\r\n12.5,coffee\r\nabc,milk\r\n3,tea\r\n7,\r\n"
            << QStringList{"3: VALUEofCHARGES \"ABC\" is not a number", "4: duplicate TYPEOFCHARGES \"TEA\": SN 4 has it",
                           "5: TYPEOFCHARGES is empty"}
            << QStringList{"4|TEA|10|-|0", "5|COFFEE|12.5|-|0"};
    }
    void badRecordsAreListed()
    {
        QFETCH(QString, word);
        QFETCH(QString, table);
        QFETCH(QString, stored);
        QFETCH(QString, csv);
        QFETCH(QStringList, reasons);
        QFETCH(QStringList, after);
        db.exec("insert into " + table + " values(" + stored + ")");
        const QString file = write("bad.csv", csv);
        QStringList listed;
        for (const QString& reason : reasons)
            listed << file + ":" + reason;

        const toolrun::Result refused = billdb({"import", word, file});
        QCOMPARE(refused.exitCode, 2);
        QCOMPARE(refused.err.split('\n', Qt::SkipEmptyParts), listed);
        QCOMPARE(rowsOf(table).size(), 1);

        const toolrun::Result skipped = billdb({"import", word, file, "--skip-bad"});
        QCOMPARE(skipped.exitCode, 3);
        QCOMPARE(skipped.err.split('\n', Qt::SkipEmptyParts), listed);
        QCOMPARE(rowsOf(table), after);

        const toolrun::Result unknown = billdb({"import", word, write("unknown.csv", "SN,NAME\n1,X\n")});
        QVERIFY2(unknown.refusedInOneLine() && unknown.err.contains(":1: \"NAME\" is no column of " + table),
                 qPrintable(unknown.err));
        QCOMPARE(rowsOf(table), after);
    }
};

QTEST_GUILESS_MAIN(ImportTest)
#include "tst_import.moc"
