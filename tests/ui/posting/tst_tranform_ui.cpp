// The documents window driven through its commands: a new document, typing and saving, the leave
// check, "Отказ", both deletions (also under another user's lock), the lines list and the VAT
// summary of the demo firm, docked and modal looks, the wizard buttons and the single-document
// opening. Browsing through the main window is tested with it (tst_form1_documents_ui).
#include "accounts/FolderStore.h"
#include "app/TErrorHook.h"
#include "demo/DemoFirm.h"
#include "engine/Formats.h"
#include "firm/AccountTotals.h"
#include "firm/Schema.h"
#include "posting/DocumentLinesList.h"
#include "posting/JournalLines.h"
#include "posting/TTranForm.h"
#include "registry/FirmChoice.h"
#include "support/TestFixture.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(QList<int>)

namespace {

void WriteLine(Db &db, int docNo, int group, int kind = 0)
{
    JournalLine l;
    l.Doc_No = docNo;
    l.Doc_StGrp = group;
    l.Doc_StNo = JournalLines::NextLineNo(db);
    l.Doc_Date = QDate(2026, 3, 1);
    l.Doc_S_Dt = 501;
    l.Doc_S_Kt = 411;
    l.Doc_St = 10;
    l.Doc_DDSType = kind;
    l.papNo = 1;
    JournalLines::Write(db, l);
}

// A saved document of folder 1 with one line in each of `groups`.
int SavedDocument(Db &db, double printedNo, const QList<int> &groups, int docType = 4)
{
    NomPRow d = Documents::NewDocument(db, 1, ReadPeriod(db), QDate(2026, 3, 1));
    d.Nom_DDoc_No = printedNo;
    d.Nom_DocType = docType;
    Documents::Save(db, d, true);
    for (int g : groups)
        WriteLine(db, d.Nom_Doc_No, g);
    return d.Nom_Doc_No;
}

void LockByAnotherUser(Db &db, int docNo)
{
    db.exec(u"insert into RecLocks (Lock_Table, Lock_Key, Lock_User, Lock_Host, Lock_Pid, Lock_Start) "
            "values ('nom_p', ?, 'иван', 'каса-1', 1, 1)"_s,
            {QString::number(docNo)});
}

void Clear(QLineEdit *box)
{
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Backspace);
}

struct Demo {
    Demo()
    {
        const int firm = EnsureDemoFirm(f.fd, 2026);
        if (!OpenFirm(f.fd, f.dm, *f.fd.Firm(firm)).opened)
            qFatal("the demo firm does not open");
    }
    TestFixture f;
};

constexpr int SalesFolder = 4;

}  // namespace

class TranFormTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        new TErrorHook(qApp);
    }

    void aNewDocumentGetsTheNextNumberAndTodayWithinThePeriod_data()
    {
        QTest::addColumn<int>("year");
        QTest::addColumn<QDate>("date");
        const QDate today = QDate::currentDate();
        QTest::newRow("this year: today") << today.year() << today;
        QTest::newRow("a past year: its last day") << today.year() - 1 << QDate(today.year() - 1, 12, 31);
        QTest::newRow("a year to come: its first day") << today.year() + 1 << QDate(today.year() + 1, 1, 1);
    }
    void aNewDocumentGetsTheNextNumberAndTodayWithinThePeriod()
    {
        QFETCH(int, year);
        QFETCH(QDate, date);
        TestFixture f;
        f.openNewFirm(u"Нова ООД"_s, year);
        TTranForm form(f.fd, f.dm, 1, true, {});
        form.start();
        QCOMPARE(form.documentsGrid()->rowCount(), 0);
        QVERIFY(!form.numberEdit()->isEnabled());
        form.button(u"Нов документ"_s)->click();
        QCOMPARE(form.state(), EditState::Insert);
        QCOMPARE(form.stateText(), u"Добавяне "_s);
        QCOMPARE(form.currentDocument()->Nom_Doc_No, 1);
        QCOMPARE(f.dm.db().scalar(u"select NetDoc_ID from net"_s).toInt(), 1);
        QCOMPARE(form.dateEdit()->text(), Formats::Date(date));
        QVERIFY(form.numberEdit()->text().isEmpty());
        QCOMPARE(form.documentsGrid()->rowCount(), 1);
    }

    void commandsFollowTheEditState()
    {
        TestFixture f;
        f.openNewFirm();
        SavedDocument(f.dm.db(), 5, {1});
        TTranForm form(f.fd, f.dm, 1, true, {});
        form.start();
        const auto states = [&form] {
            QList<bool> enabled;
            for (const QString &c : {u"Запис"_s, u"Отказ"_s, u"Нов документ"_s, u"Изтриване на документ"_s})
                enabled << form.button(c)->isEnabled();
            enabled << form.refreshAction()->isEnabled() << form.menuAction(u"Изтриване на документ"_s)->isEnabled();
            return enabled;
        };
        QCOMPARE(form.stateText(), u"Преглед "_s);
        QCOMPARE(states(), (QList<bool>{false, false, true, true, true, true}));
        QTest::keyClicks(form.noteEdit(), u"payment"_s);
        QCOMPARE(form.stateText(), u"Редактиране "_s);
        QCOMPARE(states(), (QList<bool>{true, true, false, false, false, false}));
        // Being edited, the row is held against other copies of the program.
        QCOMPARE(f.dm.db().scalar(u"select count(*) from RecLocks where Lock_Table = 'nom_p'"_s).toInt(), 1);
        form.button(u"Отказ"_s)->click();
        QCOMPARE(states(), (QList<bool>{false, false, true, true, true, true}));
        QVERIFY(form.noteEdit()->text().isEmpty());
        QCOMPARE(f.dm.db().scalar(u"select count(*) from RecLocks"_s).toInt(), 0);
    }

    void typedNumbersAreSavedAsTenDigits_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("message");
        QTest::newRow("1") << u"1"_s << u"0000000001"_s << QString();
        QTest::newRow("9999999999") << u"9999999999"_s << u"9999999999"_s << QString();
        QTest::newRow("letters are not taken") << u"12a3"_s << u"0000000123"_s << QString();
        QTest::newRow("0") << u"0"_s << u"0"_s << Schema::DocumentNumberMessage;
        QTest::newRow("10000000000") << u"10000000000"_s << u"10000000000"_s << Schema::DocumentNumberMessage;
    }
    void typedNumbersAreSavedAsTenDigits()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(QString, message);
        TestFixture f;
        f.openNewFirm();
        const int docNo = SavedDocument(f.dm.db(), 5, {1});
        TTranForm form(f.fd, f.dm, 1, true, {});
        form.start();
        QCOMPARE(form.numberEdit()->text(), u"0000000005"_s);
        Clear(form.numberEdit());
        QTest::keyClicks(form.numberEdit(), typed);
        form.button(u"Запис"_s)->click();
        QCOMPARE(form.numberEdit()->text(), shown);
        QCOMPARE(f.messages.shown, message.isEmpty() ? QStringList() : QStringList{message});
        QCOMPARE(form.state(), message.isEmpty() ? EditState::Browse : EditState::Edit);
        QCOMPARE(*Documents::Find(f.dm.db(), docNo)->Nom_DDoc_No, message.isEmpty() ? shown.toDouble() : 5.0);
    }

    void savedDocumentsAppearInTheLinkList()
    {
        TestFixture f;
        f.openNewFirm();
        Db &db = f.dm.db();
        const int first = SavedDocument(db, 5, {1});
        const int second = SavedDocument(db, 6, {1});
        TTranForm form(f.fd, f.dm, 1, true, {});
        form.start(second);
        QCOMPARE(form.linkBox()->count(), 3);
        QVERIFY(form.linkBox()->currentText().isEmpty());  // no link shows as a blank
        QVERIFY(form.linkBox()->itemText(1).startsWith(u"0000000005   01.03.2026"_s));
        QTest::keyClicks(form.dateEdit(), QString());  // nothing typed, nothing changes
        QCOMPARE(form.state(), EditState::Browse);
        form.linkBox()->activated(1);
        QCOMPARE(form.state(), EditState::Edit);
        form.save();
        QCOMPARE(Documents::Find(db, second)->Nom_DocNo_Link, first);
        QCOMPARE(form.linkBox()->currentIndex(), 1);
    }

    void leavingAnIncompleteDocumentIsRefused_data()
    {
        QTest::addColumn<QString>("emptied");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("docType");
        QTest::addColumn<QString>("message");
        QTest::newRow("no number") << u"number"_s << QString() << 15 << DocumentNumberMissing;
        QTest::newRow("no date") << u"date"_s << QString() << 15 << DocumentDateMissing;
        QTest::newRow("no such day") << u"date"_s << u"31.02.2026"_s << 15 << InvalidDateMessage;
        QTest::newRow("a year of one digit") << u"date"_s << u"01.03.1"_s << 15 << InvalidDateMessage;
        QTest::newRow("kind 4 without lines") << QString() << QString() << 4 << DocumentWithoutLines;
        QTest::newRow("kind 15 without lines") << QString() << QString() << 15 << QString();
    }
    void leavingAnIncompleteDocumentIsRefused()
    {
        QFETCH(QString, emptied);
        QFETCH(QString, typed);
        QFETCH(int, docType);
        QFETCH(QString, message);
        TestFixture f;
        f.openNewFirm();
        Db &db = f.dm.db();
        SavedDocument(db, 5, {1});
        const int bare = SavedDocument(db, 6, {}, docType);
        TTranForm form(f.fd, f.dm, 1, true, {});
        form.start(bare);
        if (emptied == u"number"_s)
            Clear(form.numberEdit());
        else if (emptied == u"date"_s) {
            Clear(form.dateEdit());
            QTest::keyClicks(form.dateEdit(), typed);
            QCOMPARE(form.dateEdit()->text(), typed);  // what was typed stays in the box
        }
        form.documentsGrid()->setCurrentCell(0, 0);
        const bool left = message.isEmpty();
        QCOMPARE(f.messages.shown, left ? QStringList() : QStringList{message});
        QCOMPARE(form.documentsGrid()->currentRow(), left ? 0 : 1);
        QCOMPARE(form.currentDocument()->Nom_DDoc_No.value_or(0), left ? 5.0 : (emptied == u"number"_s ? 0.0 : 6.0));
        // "Назад" runs the same check.
        form.back();
        QCOMPARE(form.succeeded(), left);
    }

    void cancelDropsANewDocument()
    {
        TestFixture f;
        f.openNewFirm();
        const int docNo = SavedDocument(f.dm.db(), 5, {1});
        TTranForm form(f.fd, f.dm, 1, true, {});
        form.start();
        form.newDocument();
        QTest::keyClicks(form.numberEdit(), u"77"_s);
        form.back();  // a new document without lines may not be left
        QVERIFY(!form.succeeded());
        QCOMPARE(f.messages.shown, QStringList{DocumentWithoutLines});
        form.cancelEdit();
        QCOMPARE(form.currentDocument()->Nom_Doc_No, docNo);
        QCOMPARE(form.documentsGrid()->rowCount(), 1);
        QCOMPARE(f.dm.RecordCount(u"nom_p"_s), 1);
        form.back();
        QVERIFY(form.succeeded());
    }

    void deletingADocumentAsksFirst_data()
    {
        QTest::addColumn<QList<int>>("answers");
        QTest::addColumn<int>("documentsLeft");
        QTest::addColumn<int>("postingsLeft");
        QTest::newRow("not confirmed") << QList<int>{Messages::No} << 2 << 6;
        QTest::newRow("confirmed") << QList<int>{Messages::Yes} << 1 << 2;
    }
    void deletingADocumentAsksFirst()
    {
        QFETCH(QList<int>, answers);
        QFETCH(int, documentsLeft);
        QFETCH(int, postingsLeft);
        TestFixture f;
        f.openNewFirm();
        Db &db = f.dm.db();
        SavedDocument(db, 5, {1, 2});
        const int other = SavedDocument(db, 6, {1});
        TTranForm form(f.fd, f.dm, 1, true, {});
        form.start();
        f.messages.answers = answers;
        form.button(u"Изтриване на документ"_s)->click();
        QCOMPARE(f.messages.asked, QStringList{DocumentDeleteQuestion});
        QCOMPARE(form.documentsGrid()->rowCount(), documentsLeft);
        QCOMPARE(f.dm.RecordCount(u"nom_p"_s), documentsLeft);
        QCOMPARE(f.dm.RecordCount(u"an"_s), postingsLeft);
        if (documentsLeft == 1)
            QCOMPARE(form.currentDocument()->Nom_Doc_No, other);
    }

    void deletingTheGroupOfTheClickedLine()
    {
        TestFixture f;
        f.openNewFirm();
        Db &db = f.dm.db();
        const int docNo = SavedDocument(db, 5, {1, 2, 2, 3});
        TTranForm form(f.fd, f.dm, 1, false, {});
        form.start();
        QCOMPARE(form.linesList()->rowCount(), 4);
        form.linesList()->setCurrentCell(1, 0);
        f.messages.answers = {Messages::Yes};
        form.menuAction(u"Изтриване на статия"_s)->trigger();
        QCOMPARE(f.messages.asked, QStringList{GroupDeleteQuestion});
        QCOMPARE(form.linesList()->rowCount(), 2);
        QList<int> groups;
        for (const DocLineView &l : form.linesList()->lines())
            groups << l.Doc_StGrp;
        QCOMPARE(groups, (QList<int>{1, 3}));
        QCOMPARE(Documents::LineCount(db, docNo), 2);
    }

    void deletionsUnderAnotherUsersLockAreRefused()
    {
        TestFixture f;
        f.openNewFirm();
        Db &db = f.dm.db();
        const int docNo = SavedDocument(db, 5, {1, 2});
        LockByAnotherUser(db, docNo);
        TTranForm form(f.fd, f.dm, 1, true, {});
        form.start();
        f.messages.answers = {Messages::Yes, Messages::Yes};
        form.button(u"Изтриване на документ"_s)->click();
        form.menuAction(u"Изтриване на статия"_s)->trigger();
        QCOMPARE(f.messages.shown.size(), 2);
        QCOMPARE(f.messages.shown[0], DocumentLockedByOther);
        QVERIFY2(f.messages.shown[1].startsWith(DocumentLockPrefix + u"иван (компютър каса-1)"_s),
                 qPrintable(f.messages.shown[1]));
        QCOMPARE(Documents::LineCount(db, docNo), 2);
        QCOMPARE(form.linesList()->rowCount(), 2);

        // Typing into it is refused as well and the box shows the document as it is.
        QTest::keyClicks(form.noteEdit(), u"x"_s);
        QCOMPARE(f.messages.shown.last(), DocumentLockPrefix + u"иван (компютър каса-1)"_s);
        QVERIFY(form.noteEdit()->text().isEmpty());
        QCOMPARE(form.state(), EditState::Browse);
    }

    void theLinesListOfADemoSale()
    {
        Demo d;
        TTranForm form(d.f.fd, d.f.dm, SalesFolder, true, {});
        form.start();
        DocumentLinesList *lines = form.linesList();
        QStringList headings;
        for (int c = 0; c < DocumentLinesList::VatMark; ++c)
            headings << lines->horizontalHeaderItem(c)->text();
        QCOMPARE(headings, QStringList({u"Дебит сметка:"_s, u"Количество"_s, u"Кредит сметка"_s, u"Количество"_s,
                                        u"Стойност"_s}));
        QVERIFY(lines->rowCount() >= 3);
        const QColor background = lines->palette().color(QPalette::Base);
        int vatLines = 0, quantities = 0;
        for (int row = 0; row < lines->rowCount(); ++row) {
            const DocLineView line = *lines->lineAt(row);
            const bool vat = line.Doc_DDSType >= 1 && line.Doc_DDSType <= 3;
            QTableWidgetItem *mark = lines->item(row, DocumentLinesList::VatMark);
            QCOMPARE(mark->text(), vat ? u"ДДС"_s : QString());
            if (vat) {
                QCOMPARE(mark->foreground().color(), QColor(Qt::red));
                ++vatLines;
            }
            QVERIFY(lines->item(row, DocumentLinesList::Debit)->text().startsWith(QString::number(line.Doc_S_Dt) + u"  "_s));
            QCOMPARE(lines->item(row, DocumentLinesList::Amount)->text(), Formats::Amount(line.Doc_St));
            QTableWidgetItem *quantity = lines->item(row, DocumentLinesList::CreditQuantity);
            QCOMPARE(quantity->foreground().color() == background, line.Doc_S_Kt_Kol == 0);
            QCOMPARE(lines->item(row, DocumentLinesList::DebitQuantity)->foreground().color(), background);
            if (line.Doc_S_Kt_Kol != 0) {
                QCOMPARE(quantity->text(), Formats::Quantity(line.Doc_S_Kt_Kol));
                ++quantities;
            }
        }
        QCOMPARE(vatLines, 2);    // revenue and VAT against the customer
        QCOMPARE(quantities, 3);  // the three goods released

        // An account missing from the chart shows question marks after "Обновяване".
        const int docNo = form.currentDocument()->Nom_Doc_No;
        d.f.dm.db().exec(u"update doc set Doc_S_Dt = 8888 where Doc_No = ?"_s, {docNo});
        form.show();
        QApplication::setActiveWindow(&form);
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QTest::keyClick(form.documentsGrid(), Qt::Key_F5);
        QCOMPARE(lines->item(0, DocumentLinesList::Debit)->text(), u"8888  ???"_s);
        QCOMPARE(lines->visibleRows(), lines->viewport()->height() / 20);
    }

    void theVatSummaryOfADemoSale()
    {
        Demo d;
        TTranForm form(d.f.fd, d.f.dm, SalesFolder, true, {});
        form.start();
        QCOMPARE(form.numberEdit()->text(), u"0000000001"_s);
        const QList<std::pair<QString, QString>> expected = {
            {u"Документа е отразен в :"_s, u"Дневника за продажби"_s},
            {u"Контрагент:"_s, u"Дунав Маркет АД"_s},
            {u"Вид на доставката:"_s, u"Облагаеми доставки"_s},
            {u"Вид на документа:"_s, u"Фактура"_s},
            {u"Дата на доставката:"_s, u"15.01.2026"_s},
            {u"Данъчна основа:"_s, u"3059.00"_s},
            {u"Акциз в данъчната основа:"_s, u"0.00"_s},
            {u"Данък Добавена Стойност:"_s, u"611.80"_s},
            {u"Обща стойност на доставката:"_s, u"3670.80"_s}};
        for (const auto &[caption, value] : expected)
            QCOMPARE(form.summaryValue(caption), value);
        QVERIFY(form.summaryShown(u"Дата на доставката:"_s));

        // A bank statement has no VAT details: the look-ups find nothing and clear their labels.
        TTranForm bank(d.f.fd, d.f.dm, 1, true, {});
        bank.start();
        QVERIFY(bank.summaryValue(u"Документа е отразен в :"_s).isEmpty());
        QVERIFY(bank.summaryValue(u"Контрагент:"_s).isEmpty());
        QVERIFY(!bank.summaryShown(u"Дата на доставката:"_s));
        QCOMPARE(bank.summaryValue(u"Обща стойност на доставката:"_s), u"0.00"_s);
    }

    void dockedAndModalLooks_data()
    {
        QTest::addColumn<bool>("docked");
        QTest::newRow("docked") << true;
        QTest::newRow("modal") << false;
    }
    void dockedAndModalLooks()
    {
        QFETCH(bool, docked);
        TestFixture f;
        f.openNewFirm();
        SavedDocument(f.dm.db(), 5, {1});
        QWidget host;
        TTranForm form(f.fd, f.dm, 1, docked, {}, docked ? &host : nullptr);
        form.start();
        QCOMPARE(form.isWindow(), !docked);
        QCOMPARE(form.strip()->isHidden(), docked);
        QCOMPARE(form.caption(), u"   Документи"_s);
        QCOMPARE(form.button(u"Нов документ"_s)->isHidden(), !docked);
        QCOMPARE(form.button(u"Изтриване на документ"_s)->isHidden(), !docked);
        QVERIFY(!form.button(u"Назад"_s)->isHidden());
        QVERIFY(form.menuAction(u"Изтриване на документ"_s)->isVisible());
        QVERIFY(form.menuAction(u"Изтриване на документ"_s)->isEnabled());
    }

    void wizardCommandsAreOffWithoutTheWizard()
    {
        TestFixture f;
        f.openNewFirm();
        SavedDocument(f.dm.db(), 5, {1});
        TTranForm form(f.fd, f.dm, 1, true, {});
        form.start();
        QVERIFY(!form.button(u"С ДДС"_s)->isEnabled());
        QVERIFY(!form.button(u"Без ДДС"_s)->isEnabled());
        QVERIFY(!form.menuAction(u"Редактиране на статия"_s)->isEnabled());
        emit form.linesList()->lineActivated(0);  // a double click does nothing either
        QCOMPARE(form.state(), EditState::Browse);
    }

    void wizardCommandsAskForTheRightGroup_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("isNew");
        QTest::addColumn<bool>("withVat");
        QTest::addColumn<int>("group");
        // The document has groups 1 and 3 without VAT and group 2 with VAT; line 1 is group 2's.
        QTest::newRow("Без ДДС") << u"Без ДДС"_s << true << false << 4;
        QTest::newRow("С ДДС edits the VAT group") << u"С ДДС"_s << false << true << 2;
        QTest::newRow("Редактиране на статия") << u"Редактиране на статия"_s << false << true << 2;
        QTest::newRow("double click") << u"double click"_s << false << true << 2;
    }
    void wizardCommandsAskForTheRightGroup()
    {
        QFETCH(QString, command);
        QFETCH(bool, isNew);
        QFETCH(bool, withVat);
        QFETCH(int, group);
        TestFixture f;
        f.openNewFirm();
        Db &db = f.dm.db();
        const int docNo = SavedDocument(db, 5, {1});
        WriteLine(db, docNo, 2, 1);
        WriteLine(db, docNo, 3);
        QList<EntryWizardRequest> calls;
        TTranForm form(f.fd, f.dm, 1, true, [&](const EntryWizardRequest &r) {
            calls << r;
            WriteLine(db, r.docNo, r.group);  // the wizard saves a line
            return true;
        });
        form.start();
        form.linesList()->setCurrentCell(1, 0);
        if (command == u"double click"_s)
            emit form.linesList()->lineActivated(1);
        else if (QPushButton *button = form.button(command))
            button->click();
        else
            form.menuAction(command)->trigger();
        QCOMPARE(calls.size(), 1);
        QCOMPARE(calls[0].isNew, isNew);
        QCOMPARE(calls[0].withVat, withVat);
        QCOMPARE(calls[0].group, group);
        QCOMPARE(calls[0].docNo, docNo);
        QCOMPARE(form.linesList()->rowCount(), 4);  // read again after the wizard
        QCOMPARE(f.dm.db().scalar(u"select count(*) from RecLocks"_s).toInt(), 0);
    }

    void aNewDocumentIsSavedBeforeTheWizardOpens()
    {
        TestFixture f;
        f.openNewFirm();
        Db &db = f.dm.db();
        FolderStore::Insert(db, {1, u"Покупки"_s});
        bool savedWhenAsked = false;
        bool answer = false;
        TTranForm form(f.fd, f.dm, 1, true, [&](const EntryWizardRequest &r) {
            savedWhenAsked = Documents::Find(db, r.docNo).has_value();
            if (answer)
                WriteLine(db, r.docNo, r.group, 1);
            return answer;
        });
        form.start();
        form.newDocument();
        form.button(u"С ДДС"_s)->click();  // nothing to save yet: no number
        QCOMPARE(f.messages.shown, QStringList{DocumentNumberMissing});
        QVERIFY(!savedWhenAsked);
        QTest::keyClicks(form.numberEdit(), u"42"_s);
        form.button(u"С ДДС"_s)->click();
        QVERIFY(savedWhenAsked);
        // Nothing entered: the document is being added again, as typed.
        QCOMPARE(form.state(), EditState::Insert);
        QCOMPARE(form.numberEdit()->text(), u"0000000042"_s);
        QCOMPARE(f.dm.RecordCount(u"nom_p"_s), 0);

        answer = true;
        form.button(u"С ДДС"_s)->click();
        QCOMPARE(form.state(), EditState::Browse);
        QCOMPARE(form.linesList()->rowCount(), 1);
        QCOMPARE(form.linesList()->item(0, DocumentLinesList::VatMark)->text(), u"ДДС"_s);
        form.back();
        QVERIFY(form.succeeded());
    }

    void aSingleDocumentOpensOnItUnlessAnotherUserEditsIt()
    {
        TestFixture f;
        f.openNewFirm();
        Db &db = f.dm.db();
        SavedDocument(db, 5, {1});
        const int docNo = SavedDocument(db, 6, {1});
        int current = 0;
        QTimer::singleShot(0, [&] {
            if (auto *form = qobject_cast<TTranForm *>(QApplication::activeModalWidget())) {
                current = form->currentDocument()->Nom_Doc_No;
                form->back();
            }
        });
        QVERIFY(TTranForm::OpenSingle(f.fd, f.dm, docNo, {}, nullptr));
        QCOMPARE(current, docNo);

        LockByAnotherUser(db, docNo);
        QVERIFY(!TTranForm::OpenSingle(f.fd, f.dm, docNo, {}, nullptr));
        QCOMPARE(f.messages.shown, QStringList{DocumentLockPrefix + u"иван (компютър каса-1)"_s});
    }
};

QTEST_MAIN(TranFormTest)
#include "tst_tranform_ui.moc"
