#include "engine/Db.h"
#include "engine/Errors.h"
#include "engine/Formats.h"
#include "engine/SqliteReader.h"
#include "support/Books.h"

#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {
// A books file of its own with a few rows, in WAL mode as every books file is.
struct File {
    QTemporaryDir dir;
    QString path = dir.path() + u"/books.sqlite"_s;
    Db db{u"test"_s};
    File()
    {
        db.open(path, true);
        db.exec(u"CREATE TABLE t (n INTEGER, x REAL, s TEXT)"_s);
        db.exec(u"INSERT INTO t VALUES (1, 2.5, 'Стоки'), (2, NULL, NULL), (3, -0.01, '2025-07-01')"_s);
    }
    qint64 count(SqliteReader &reader)
    {
        SqliteReader::Rows rows = reader.query(u"SELECT count(*) FROM t"_s);
        return rows.next() ? rows.integer(0) : -1;
    }
};
}  // namespace

class SqliteReaderTest : public QObject {
    Q_OBJECT
private slots:
    void readsEveryKindOfValueWithBoundValues()
    {
        File f;
        SqliteReader reader(f.path);
        SqliteReader::Rows rows = reader.query(u"SELECT n, x, s FROM t WHERE n >= ? AND x > ? OR s = ? ORDER BY n"_s,
                                               {1, -1.0, u"2025-07-01"_s});
        QVERIFY(rows.next());
        QCOMPARE(rows.integer(0), 1);
        QCOMPARE(rows.real(1), 2.5);
        QCOMPARE(rows.text(2), u"Стоки"_s);
        QVERIFY(rows.next());
        QCOMPARE(rows.integer(0), 3);
        QCOMPARE(Formats::FromSqlDate(rows.bytes(2)), QDate(2025, 7, 1));
        QVERIFY(!rows.next());
        QVERIFY(!rows.next());
        SqliteReader::Rows nulls = reader.query(u"SELECT x, s FROM t WHERE n = ?"_s, {2});
        QVERIFY(nulls.next());
        QVERIFY(nulls.isNull(0) && nulls.isNull(1));
        QVERIFY(nulls.text(1).isEmpty());
        // The first row fetched ahead is still the first one given.
        SqliteReader::Rows ahead = reader.query(u"SELECT n FROM t ORDER BY n DESC"_s);
        ahead.fetchFirst();
        ahead.fetchFirst();
        QVERIFY(ahead.next());
        QCOMPARE(ahead.integer(0), 3);
    }

    // A reader sees the books as they were when it was made until it is released; others go on
    // saving meanwhile.
    void seesOneStateUntilReleased()
    {
        File f;
        SqliteReader reader(f.path);
        f.db.exec(u"INSERT INTO t VALUES (4, 1, 'нов')"_s);
        QCOMPARE(f.count(reader), 3);
        reader.release();
        QCOMPARE(f.count(reader), 4);
    }

    // Readers made together see the same state; with the write lock held elsewhere only the
    // first is made, and it reads all the same.
    void readersMadeTogether()
    {
        File f;
        const auto together = SqliteReader::Together(f.path, 3);
        QCOMPARE(int(together.size()), 3);
        f.db.exec(u"INSERT INTO t VALUES (4, 1, 'нов')"_s);
        for (const auto &reader : together)
            QCOMPARE(f.count(*reader), 3);
        WriteLock saving(f.db);
        const auto alone = SqliteReader::Together(f.path, 3, 50);
        QCOMPARE(int(alone.size()), 1);
        QCOMPARE(f.count(*alone.front()), 4);
    }

    void failuresSayWhat_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("expected");
        QTest::newRow("no such table") << u"SELECT * FROM gone"_s << u"gone"_s;
        QTest::newRow("a write") << u"DELETE FROM t"_s << u"readonly"_s;
    }
    void failuresSayWhat()
    {
        QFETCH(QString, sql);
        QFETCH(QString, expected);
        File f;
        SqliteReader reader(f.path);
        QVERIFY(ErrorOf([&] {
                    SqliteReader::Rows rows = reader.query(sql);
                    rows.next();
                }).contains(expected, Qt::CaseInsensitive));
        QCOMPARE(f.count(reader), 3);
        QVERIFY(ErrorOf([&] { SqliteReader missing(f.dir.path() + u"/none.sqlite"_s); })
                    .startsWith(u"Липсва файлът с данни"_s));
    }
};

QTEST_MAIN(SqliteReaderTest)
#include "tst_sqlitereader.moc"
