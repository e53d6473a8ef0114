#include "engine/Db.h"
#include "reportkit/Job.h"
#include "reportkit/Output.h"
#include "reportkit/PageStore.h"
#include "reportkit/Render.h"
#include "reportkit/Totals.h"

#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTest>

#include "support/Books.h"

using namespace Qt::StringLiterals;

namespace {
rk::Band Row(const QString &left, const QString &right = {})
{
    rk::Band b;
    b.cells << rk::TextCell(0, 60, left);
    if (!right.isEmpty())
        b.cells << rk::NumberCell(100, 40, right);
    return b;
}

QStringList TextsOf(const rk::Page &page)
{
    QStringList texts;
    for (const rk::PageItem &i : page.items)
        if (i.kind == rk::PageItem::Kind::Text)
            texts << i.lines().join(u'|');
    return texts;
}

// Numbers rows 1..n, one band each.
class CountingJob : public rk::ReportJob {
public:
    explicit CountingJob(int rows) : m_rows(rows) {}
    QString title() const override { return u"Проба"_s; }
    rk::PageSetup setup() const override { return {}; }
    void begin(rk::ReportLayout &layout) override
    {
        layout.setTitle(Row(u"ЗАГЛАВИЕ"_s));
        layout.setPageHeader(Row(u"Колона"_s));
        layout.setPageFooter([](int page) { return rk::PageNumberFooter(rk::PageSetup{}, page); });
    }
    bool step(rk::ReportLayout &layout) override
    {
        if (m_done == m_rows)
            return false;
        ++m_done;
        layout.add(Row(u"ред %1"_s.arg(m_done), QString::number(m_done)));
        return true;
    }
    void end(rk::ReportLayout &layout) override { layout.add(Row(u"Всичко:"_s, QString::number(m_rows))); }
    int progress() const override { return 100 * m_done / m_rows; }

private:
    int m_rows;
    int m_done = 0;
};
}  // namespace

class ReportKitTest : public QObject {
    Q_OBJECT
private slots:
    void bandsFlowOverPagesWithHeadersAndFooters()
    {
        CountingJob job(200);
        rk::PageList pages;
        rk::RunReport(job, pages);
        QVERIFY(pages.pages.size() > 2);
        int rows = 0;
        for (const rk::Page &p : pages.pages) {
            const QStringList texts = TextsOf(p);
            QCOMPARE(texts.contains(u"ЗАГЛАВИЕ"_s), p.number == 1);
            QVERIFY(texts.contains(u"Колона"_s));
            QVERIFY(texts.contains(u"страница..."_s + QString::number(p.number)));
            rows += int(texts.filter(u"ред "_s).size());
            for (const rk::PageItem &i : p.items)  // nothing runs into the bottom margin
                QVERIFY(i.rect.bottom() <= p.setup.heightMm() - p.setup.marginMm + 0.01);
        }
        QCOMPARE(rows, 200);
        QVERIFY(TextsOf(pages.pages.last()).contains(u"Всичко:"_s));
        QCOMPARE(pages.pages.last().number, int(pages.pages.size()));
    }

    void forcedBreaksGroupsAndPageNumbersInText()
    {
        rk::PageList pages;
        rk::ReportLayout layout(rk::PageSetup{}, pages);
        layout.add(Row(u"първа"_s));
        rk::Band next = Row(u"втора на {page}"_s);
        next.breakBefore = true;
        layout.add(next);
        for (int i = 0; i < 10; ++i)
            layout.add(Row(u"още"_s));
        QList<rk::Band> group;
        for (int i = 0; i < 45; ++i)
            group << Row(u"група"_s);
        layout.addGroup(group);  // does not fit under the rows of page 2: starts a page of its own
        layout.finish();
        QCOMPARE(pages.pages.size(), 3);
        QVERIFY(TextsOf(pages.pages[1]).contains(u"втора на 2"_s));
        QCOMPARE(TextsOf(pages.pages[1]).filter(u"група"_s).size(), 0);
        QCOMPARE(TextsOf(pages.pages[2]).filter(u"група"_s).size(), 45);
    }

    void pageHeaderFollowsTheFirstBandOfItsPage()
    {
        rk::PageList pages;
        rk::ReportLayout layout(rk::PageSetup{}, pages);
        layout.setPageHeader([](const rk::Band &next) {
            return Row(next.tag.toInt() <= 60 ? u"ЛЯВО"_s : u"ДЯСНО"_s);
        });
        for (int i = 1; i <= 90; ++i) {
            rk::Band b = Row(u"ред %1"_s.arg(i));
            b.tag = i;
            b.breakBefore = i == 61;
            if (i <= 80)
                layout.add(b);
            else if (i == 81)
                layout.addGroup({b});
        }
        layout.finish();
        // 60 rows overflow onto a second page, which still holds the first side; row 61 opens
        // the other side's page by its forced break.
        QCOMPARE(pages.pages.size(), 3);
        QCOMPARE(TextsOf(pages.pages[0]).first(), u"ЛЯВО"_s);
        QCOMPARE(TextsOf(pages.pages[1]).first(), u"ЛЯВО"_s);
        QVERIFY(TextsOf(pages.pages[1]).contains(u"ред 60"_s));
        QCOMPARE(TextsOf(pages.pages[2]).mid(0, 2), QStringList({u"ДЯСНО"_s, u"ред 61"_s}));
        QVERIFY(TextsOf(pages.pages[2]).contains(u"ред 81"_s));

        rk::PageList empty;
        rk::ReportLayout none(rk::PageSetup{}, empty);
        none.setPageHeader([](const rk::Band &next) { return Row(next.tag.isValid() ? u"ред"_s : u"празна"_s); });
        none.finish();
        QCOMPARE(TextsOf(empty.pages.first()), QStringList{u"празна"_s});
    }

    void wrappedCellsMakeTallerBands()
    {
        rk::Band one, many;
        rk::Cell c = rk::TextCell(0, 30, u"кратко"_s);
        c.wrap = true;
        one.cells << c;
        c.text = u"Неразпределена печалба от минали години и други резерви на дружеството"_s;
        many.cells << c;
        QVERIFY(rk::ReportLayout::BandHeight(many) > 2 * rk::ReportLayout::BandHeight(one));
        const QStringList lines = rk::WrapText(c.text, 28, 8, false);
        QVERIFY(lines.size() >= 3);
        QCOMPARE(lines.join(u' '), c.text);
    }

    void lineBreaksMakeTheBandAsTallAsItsLines_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("lines");
        QTest::newRow("one line") << u"304 Стоки"_s << 1;
        QTest::newRow("three lines") << u"304 Стоки\nОлио\n"_s << 3;
    }
    void lineBreaksMakeTheBandAsTallAsItsLines()
    {
        QFETCH(QString, text);
        QFETCH(int, lines);
        rk::Band band = Row(u"ред"_s);
        band.cells << rk::TextCell(70, 40, text);
        const double line = rk::LineHeightMm(8);
        QCOMPARE(rk::ReportLayout::BandHeight(band), rk::ReportLayout::BandHeight(Row(u"ред"_s)) + (lines - 1) * line);
        const QList<rk::PageItem> items = rk::BandItems(band, rk::ReportLayout::BandHeight(band));
        QCOMPARE(items.last().lines(), text.split(u'\n'));
        rk::PageList pages;
        rk::ReportLayout layout(rk::PageSetup{}, pages);
        layout.add(band);
        layout.add(Row(u"следващ"_s));
        layout.finish();
        const QStringList printed = rk::PageText(pages.pages.first()).split(u'\n');
        QCOMPARE(printed.indexOf(u"следващ"_s), lines);  // under the last line of the tall band
    }

    void aGroupHeaderStaysWithItsFirstRowAndContinuationPagesRepeatIt()
    {
        rk::PageList pages;
        rk::ReportLayout layout(rk::PageSetup{}, pages);
        const double rowHeight = rk::ReportLayout::BandHeight(Row(u"ред"_s));
        const int perPage = int(rk::PageSetup{}.contentHeight() / rowHeight);
        for (int i = 0; i < perPage - 1; ++i)  // one row's room is left on page 1
            layout.add(Row(u"преди"_s));
        layout.openGroup({Row(u"Папка: Банка"_s)}, {Row(u"Папка: Банка (продължение)"_s)});
        for (int i = 0; i < perPage + 5; ++i)
            layout.add(Row(u"ред"_s));
        layout.closeGroup();
        layout.add(Row(u"след"_s));
        layout.finish();
        QCOMPARE(pages.pages.size(), 3);
        // The header did not stay alone at the foot of page 1.
        QVERIFY(!TextsOf(pages.pages[0]).contains(u"Папка: Банка"_s));
        QCOMPARE(TextsOf(pages.pages[1]).first(), u"Папка: Банка"_s);
        QVERIFY(!TextsOf(pages.pages[1]).contains(u"Папка: Банка (продължение)"_s));
        QCOMPARE(TextsOf(pages.pages[2]).first(), u"Папка: Банка (продължение)"_s);
        QCOMPARE(TextsOf(pages.pages[2]).filter(u"Папка"_s).size(), 1);
        int rows = 0;
        for (const rk::Page &p : pages.pages)
            rows += int(TextsOf(p).count(u"ред"_s));
        QCOMPARE(rows, perPage + 5);
        QCOMPARE(TextsOf(pages.pages[2]).last(), u"след"_s);

        // A group without a header, opened before its report's first page, starts on that page.
        rk::PageList bare;
        rk::ReportLayout plain(rk::PageSetup{}, bare);
        plain.openGroup({}, {Row(u"Партида: Олио (продължение)"_s)});
        for (int i = 0; i < perPage + 5; ++i)
            plain.add(Row(u"ред"_s));
        plain.closeGroup();
        plain.finish();
        QCOMPARE(bare.pages.size(), 2);
        QCOMPARE(TextsOf(bare.pages[0]).first(), u"ред"_s);
        QCOMPARE(TextsOf(bare.pages[1]).first(), u"Партида: Олио (продължение)"_s);
    }

    void nestedGroupsCloseInnermostFirstAndRepeatOutermostFirst()
    {
        rk::PageList pages;
        rk::ReportLayout layout(rk::PageSetup{}, pages);
        double sum = 0;
        auto named = [](const QString &prefix) {
            return [prefix](const QVariant &key) { return QList<rk::Band>{Row(prefix + key.toString())}; };
        };
        rk::GroupLevels groups({{named(u"папка "_s), named(u"общо папка "_s), named(u"още папка "_s), {}},
                                {named(u"док "_s), [&sum](const QVariant &key) {
                                     return QList<rk::Band>{Row(u"общо док "_s + key.toString(), QString::number(sum))};
                                 },
                                 named(u"още док "_s), [&sum](const QVariant &) { sum = 0; }}});
        const QList<std::tuple<QString, int, double>> rows = {
            {u"А"_s, 1, 1}, {u"А"_s, 1, 2}, {u"А"_s, 2, 4}, {u"Б"_s, 2, 8}, {u"Б"_s, 2, 16}};
        for (const auto &[folder, doc, value] : rows) {
            const std::array<QVariant, 2> keys{folder, doc};
            groups.row(layout, keys);
            sum += value;
            layout.add(Row(u"ред"_s, QString::number(value)));
        }
        groups.finish(layout);
        layout.finish();
        QStringList texts = TextsOf(pages.pages.first());
        texts.removeAll(u"ред"_s);
        QCOMPARE(texts, QStringList({u"папка А"_s, u"док 1"_s, u"1"_s, u"2"_s, u"общо док 1"_s, u"3"_s, u"док 2"_s,
                                     u"4"_s, u"общо док 2"_s, u"4"_s, u"общо папка А"_s, u"папка Б"_s, u"док 2"_s,
                                     u"8"_s, u"16"_s, u"общо док 2"_s, u"24"_s, u"общо папка Б"_s}));

        // A document that runs onto the next page repeats both groups' continuations.
        rk::PageList long_;
        rk::ReportLayout second(rk::PageSetup{}, long_);
        rk::GroupLevels again({{named(u"папка "_s), {}, named(u"още папка "_s), {}},
                               {named(u"док "_s), {}, named(u"още док "_s), {}}});
        for (int i = 0; i < 100; ++i) {
            const std::array<QVariant, 2> keys{u"А"_s, 1};
            again.row(second, keys);
            second.add(Row(u"ред"_s));
        }
        again.finish(second);
        second.finish();
        QVERIFY(long_.pages.size() >= 2);
        QCOMPARE(TextsOf(long_.pages[1]).mid(0, 2), QStringList({u"още папка А"_s, u"още док 1"_s}));
    }

    void textRendererPlacesColumns()
    {
        rk::PageList pages;
        rk::ReportLayout layout(rk::PageSetup{}, pages);
        layout.add(Row(u"Каса"_s, u"12.50"_s));
        layout.add(Row(u"Банка"_s, u"1234567.00"_s));
        layout.finish();
        const QStringList lines = rk::PageText(pages.pages.first()).split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 2);
        QVERIFY(lines[0].startsWith(u"Каса"_s));
        // Right-aligned numbers end in the same column.
        QCOMPARE(lines[0].size(), lines[1].size());
        QVERIFY(lines[1].endsWith(u"1234567.00"_s));
    }

    // A wrapped name takes as many text rows as it has lines; the next row of the page starts
    // below the last of them.
    void wrappedRowsTakeTheirLinesInText()
    {
        rk::PageList pages;
        rk::ReportLayout layout(rk::PageSetup{}, pages);
        for (const QString &name : {u"Неразпределена печалба от минали години и други резерви"_s, u"Каса"_s}) {
            rk::Band b;
            rk::Cell c = rk::TextCell(0, 25, name);
            c.wrap = true;
            b.cells << c << rk::NumberCell(30, 30, u"10.00"_s);
            layout.add(b);
        }
        layout.finish();
        const rk::Page &page = pages.pages.first();
        const QStringList wrapped = rk::FitCell([] {
            rk::Cell c = rk::TextCell(0, 25, u"Неразпределена печалба от минали години и други резерви"_s);
            c.wrap = true;
            return c;
        }()).lines;
        QVERIFY(wrapped.size() >= 3);
        const QStringList lines = rk::PageText(page).split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), wrapped.size() + 1);
        for (int i = 0; i < wrapped.size(); ++i)
            QVERIFY2(lines[i].startsWith(wrapped[i]), qPrintable(lines[i]));
        QVERIFY(lines[0].endsWith(u"10.00"_s));
        QVERIFY(lines.last().startsWith(u"Каса "_s) && lines.last().endsWith(u"10.00"_s));
    }

    // A number wider than its cell is set smaller in print and widens its column in text; the
    // neighbouring columns keep their own text whole.
    void wideNumbersAreSetSmallerOrWidenTheirColumn()
    {
        auto row = [](const QString &amount) {
            rk::Band b;
            b.cells << rk::TextCell(0, 20, u"Обороти:"_s) << rk::NumberCell(20, 18, amount)
                    << rk::TextCell(38, 40, u"Доставчици"_s);
            return b;
        };
        rk::PageList pages;
        rk::ReportLayout layout(rk::PageSetup{}, pages);
        layout.add(row(u"12.50"_s));
        layout.add(row(u"-99999999999.99"_s));
        layout.add(row(u"-199999999999.98"_s));
        layout.finish();
        const rk::Page &page = pages.pages.first();
        int shrunk = 0;
        for (const rk::PageItem &i : page.items) {
            if (i.kind != rk::PageItem::Kind::Text)
                continue;
            const double width = rk::TextWidthMm(i.lines().first(), i.fontPt * i.scale, i.bold);
            QVERIFY2(width <= i.rect.width(), qPrintable(i.lines().first()));
            shrunk += i.scale < 1 ? 1 : 0;
            QCOMPARE(i.scale < 1, i.lines().first().size() > 12);
        }
        QCOMPARE(shrunk, 2);
        const QStringList lines = rk::PageText(page).split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 3);
        const int end = int(lines[0].indexOf(u"12.50"_s)) + 5;
        QCOMPARE(int(lines[1].indexOf(u"-99999999999.99"_s)) + 15, end);
        QCOMPARE(int(lines[2].indexOf(u"-199999999999.98"_s)) + 16, end);
        for (const QString &line : lines) {
            QVERIFY(line.startsWith(u"Обороти: "_s));
            QVERIFY(line.endsWith(u" Доставчици"_s));
        }
    }

    // One word longer than its wrapped cell is set smaller rather than cut or run over.
    void aLongWordIsSetSmaller()
    {
        rk::Cell c = rk::TextCell(0, 12, u"Самоосигуряващи"_s);
        c.wrap = true;
        const rk::FittedText fitted = rk::FitCell(c);
        QVERIFY(fitted.scale < 1);
        QCOMPARE(fitted.lines, QStringList{c.text});
        QVERIFY(rk::TextWidthMm(c.text, c.fontPt * fitted.scale, false) <= c.w - 2 * rk::CellInsetMm);
        c.w = 40;
        QCOMPARE(rk::FitCell(c).scale, 1.0);
    }

    void spooledPagesReadBackAndPdf()
    {
        CountingJob job(300);
        rk::PageStore store;
        rk::PageList list;
        rk::RunReport(job, store);
        CountingJob again(300);
        rk::RunReport(again, list);
        QCOMPARE(store.count(), int(list.pages.size()));
        const auto fromStore = [&](int i) { return store.page(i); };
        const auto fromList = [&](int i) { return list.pages.at(i); };
        QCOMPARE(rk::ReportText(store.count(), fromStore), rk::ReportText(store.count(), fromList));
        QCOMPARE(store.page(store.count() - 1).number, store.count());

        QTemporaryDir dir;
        const QString file = dir.path() + u"/r.pdf"_s;
        rk::SavePdf(file, store.count(), fromStore);
        QFile pdf(file);
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        QVERIFY(pdf.read(5) == "%PDF-");
        QVERIFY(pdf.size() > 2000);
        QVERIFY(ErrorOf([&] { rk::SavePdf(dir.path() + u"/no/such/dir/r.pdf"_s, 1, fromStore); })
                    .startsWith(u"Справката не е записана във файла"_s));
    }

    // Every field of an item comes back from the spool as it went in, whether it is the usual
    // value (left out of the bytes) or not, and texts in any script.
    void spooledItemsKeepEveryField()
    {
        rk::Page page;
        page.number = 7;
        page.setup.landscape = true;
        rk::PageItem usual;
        usual.text = u"Сметка 411 Клиенти\nпартида €, 𝄞"_s;
        usual.scale = 1;
        rk::PageItem unusual = usual;
        unusual.text = u"12 345.67"_s;
        unusual.kind = rk::PageItem::Kind::Box;
        unusual.align = rk::Align::Right;
        unusual.bold = unusual.frame = true;
        unusual.fill = QColor(200, 210, 220, 128);
        unusual.fontPt = 7.5;
        unusual.scale = 0.75;
        unusual.penMm = 0.5;
        unusual.rect = QRectF(12.5, 30.25, 40, 4.5);
        rk::PageItem empty;
        empty.kind = rk::PageItem::Kind::Line;
        empty.rect = QRectF(1, 2, 3, 0);
        page.items = {usual, unusual, empty};
        rk::PageStore store;
        store.addPage(page);
        store.addPage(page);
        const rk::Page back = store.page(1);
        QCOMPARE(back.number, 7);
        QVERIFY(back.setup.landscape);
        QCOMPARE(back.items.size(), page.items.size());
        for (qsizetype i = 0; i < page.items.size(); ++i) {
            const rk::PageItem &a = page.items[i], &b = back.items[i];
            QCOMPARE(b.text, a.text);
            QCOMPARE(int(b.kind), int(a.kind));
            QCOMPARE(int(b.align), int(a.align));
            QCOMPARE(b.bold, a.bold);
            QCOMPARE(b.frame, a.frame);
            QCOMPARE(b.fill, a.fill);
            QCOMPARE(b.fontPt, a.fontPt);
            QCOMPARE(b.scale, a.scale);
            QCOMPARE(b.penMm, a.penMm);
            QCOMPARE(b.rect, a.rect);
        }
    }

    // Pages go to the file a batch at a time: a page is read back the same whether it is in the
    // file or still waiting, and pages added after a read land after the earlier ones.
    void spooledPagesReadBackInAnyOrderBetweenWrites()
    {
        auto pageOf = [](int number) {
            rk::Page page;
            page.number = number;
            rk::PageItem item;
            item.text = QString(60000, QChar(u'А' + number % 30)) + QString::number(number);
            page.items = {item};
            return page;
        };
        rk::PageStore store;
        for (int n = 1; n <= 12; ++n)
            store.addPage(pageOf(n));
        for (const int read : {1, 12, 3})
            QCOMPARE(store.page(read - 1).items.first().text, pageOf(read).items.first().text);
        for (int n = 13; n <= 40; ++n)
            store.addPage(pageOf(n));
        for (const int read : {40, 2, 25, 13, 39}) {
            const rk::Page back = store.page(read - 1);
            QCOMPARE(back.number, read);
            QCOMPARE(back.items.first().text, pageOf(read).items.first().text);
        }
    }

    // A write that fails is never taken for done: a full device, a folder that is not there.
    void failedWritesSayWhy_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("pdf");
        QTest::newRow("text on a full device") << u"/dev/full"_s << false;
        QTest::newRow("PDF on a full device") << u"/dev/full"_s << true;
        QTest::newRow("text into no folder") << u"/nonexistent-folder/r.txt"_s << false;
        QTest::newRow("a folder") << u"/tmp"_s << false;
    }
    void failedWritesSayWhy()
    {
        QFETCH(QString, path);
        QFETCH(bool, pdf);
        CountingJob job(120);
        rk::PageList pages;
        rk::RunReport(job, pages);
        const QString error = ErrorOf([&] {
            if (pdf)
                rk::SavePdf(path, int(pages.pages.size()), [&](int i) { return pages.pages.at(i); });
            else
                rk::SaveText(path, u"текст"_s.repeated(1000));
        });
        QVERIFY2(error.startsWith(u"Справката не е записана във файла „"_s + path + u"“: "_s), qPrintable(error));
        QVERIFY(error.size() > path.size() + 40);  // with the reason
    }

    // A report never lands on a database, nor on a file the books use; the file stays as it was.
    void databaseFilesAreNeverOverwritten()
    {
        QTemporaryDir dir;
        const QString books = dir.path() + u"/books.sqlite"_s;
        {
            Db db(u"probe"_s);
            db.open(books, true);
            db.exec(u"create table t (x)"_s);
        }
        const QString copy = dir.path() + u"/copy.bin"_s;
        QVERIFY(QFile::copy(books, copy));  // a database under another name, never opened
        const QString companion = books + u"-shm"_s;
        for (const QString &target : {books, copy, companion, dir.path() + u"/./books.sqlite"_s}) {
            QFile before(target);
            const QByteArray bytes = before.open(QIODevice::ReadOnly) ? before.readAll() : QByteArray();
            const QString error = ErrorOf([&] { rk::SaveText(target, u"справка"_s); });
            QVERIFY2(error.contains(u"е файл с данни на програмата и не се презаписва"_s), qPrintable(target));
            QFile after(target);
            QCOMPARE(after.open(QIODevice::ReadOnly) ? after.readAll() : QByteArray(), bytes);
        }
        const QString plain = dir.path() + u"/r.txt"_s;
        rk::SaveText(plain, u"справка\n"_s);
        QFile written(plain);
        QVERIFY(written.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(written.readAll()), u"справка\n"_s);
        rk::SaveText(plain, u"втора"_s);  // an earlier report is replaced
        QFile again(plain);
        QVERIFY(again.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(again.readAll()), u"втора"_s);
    }

    void groupsBreakOnTheKeyWithTheirRunningTotals()
    {
        rk::PageList pages;
        rk::ReportLayout layout(rk::PageSetup{}, pages);
        rk::RunningTotals totals;
        rk::GroupBreak groups(
            [](const QVariant &key) { return QList<rk::Band>{Row(u"група "_s + key.toString())}; },
            [&totals](const QVariant &key) {
                return QList<rk::Band>{Row(u"общо "_s + key.toString(), QString::number(totals.group(u"sum"_s)))};
            },
            &totals);
        const QList<std::pair<QString, double>> rows = {{u"А"_s, 1}, {u"А"_s, 2}, {u"Б"_s, 10}, {u"В"_s, 5}, {u"В"_s, 5}};
        for (const auto &[key, value] : rows) {
            groups.row(layout, key);
            totals.add(u"sum"_s, value);
            layout.add(Row(u"ред"_s, QString::number(value)));
        }
        groups.finish(layout);
        layout.add(Row(u"всичко"_s, QString::number(totals.report(u"sum"_s))));
        layout.finish();
        const QStringList texts = TextsOf(pages.pages.first());
        QCOMPARE(texts.filter(u"група"_s), QStringList({u"група А"_s, u"група Б"_s, u"група В"_s}));
        QCOMPARE(texts.mid(texts.indexOf(u"общо А"_s), 2), QStringList({u"общо А"_s, u"3"_s}));
        QCOMPARE(texts.mid(texts.indexOf(u"общо Б"_s), 2), QStringList({u"общо Б"_s, u"10"_s}));
        QCOMPARE(texts.mid(texts.indexOf(u"общо В"_s), 2), QStringList({u"общо В"_s, u"10"_s}));
        QCOMPARE(texts.mid(texts.indexOf(u"всичко"_s), 2), QStringList({u"всичко"_s, u"23"_s}));
        QCOMPARE(totals.group(u"sum"_s), 0.0);  // reset when the last group closed
    }

    void incrementalRunShowsFirstPagesAndStops()
    {
        CountingJob job(100000);
        rk::PageStore store;
        rk::ReportRun run(job, store);
        int slices = 0;
        while (store.count() < 2 && !run.finished()) {
            run.runSlice(5);
            ++slices;
        }
        QVERIFY(store.count() >= 2);
        QVERIFY(!run.finished());
        QVERIFY(run.progress() < 100);
        run.stop();
        QVERIFY(run.finished() && run.stopped());
        const int kept = store.count();
        QVERIFY(kept >= 2);
        QVERIFY(run.runSlice(5));
        QCOMPARE(store.count(), kept);  // nothing more after a stop
    }
};

QTEST_MAIN(ReportKitTest)
#include "tst_reportkit.moc"
