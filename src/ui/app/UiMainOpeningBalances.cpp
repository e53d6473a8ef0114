// The main window's opening-balances mode: the account list with its search and filter, the
// balance rows of the chosen account and their editor.
#include "accounts/FolderStore.h"
#include "app/DocumentTools.h"
#include "app/MainWindowPanels.h"
#include "app/TErrorHook.h"
#include "app/TForm1.h"
#include "app/TSplashForm.h"
#include "closing/YearClosing.h"
#include "engine/Engine.h"
#include "engine/Formats.h"
#include "engine/Messages.h"
#include "engine/Settings.h"
#include "firm/TDM.h"
#include "firms/TFirmDataEditForm.h"
#include "firms/TFirmForm.h"
#include "posting/TTranForm.h"
#include "registry/FirmChoice.h"
#include "registry/TFD.h"
#include "reports/ReportList.h"
#include "shell/MainCommands.h"
#include "widgets/TitleStripDialog.h"
#include <QActionGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QScopeGuard>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>

using namespace Qt::StringLiterals;

void TForm1::fillBalanceAccounts(std::optional<int> select)
{
    m_balancesPage->setAccounts(m_balanceAccounts);
    {
        const QSignalBlocker block(m_balancesPage);
        if (!(select && m_balancesPage->selectAccount(*select)) && !m_balanceAccounts.isEmpty())
            m_balancesPage->accounts()->setCurrentCell(0, 0);
    }
    balanceAccountChanged();
}

std::optional<SRow> TForm1::balanceAccountRow() const
{
    const auto account = m_balancesPage->currentAccount();
    for (const SRow &row : m_balanceAccounts)
        if (account && row.S_UNo == *account)
            return row;
    return std::nullopt;
}

void TForm1::balanceAccountChanged() { fillBalanceRows(std::nullopt); }

void TForm1::fillBalanceRows(std::optional<SnsRow> select)
{
    const auto account = balanceAccountRow();
    m_balanceRows = account ? OpeningBalances::RowsOf(m_dm.db(), account->S_UNo) : QList<SnsRow>();
    QList<QStringList> cells;
    for (const SnsRow &row : m_balanceRows)
        cells << OpeningBalanceCells(m_dm.db(), *account, row);
    m_balancesPage->setRows(cells, account.value_or(SRow{}));
    const OpeningTotalsLine totals = OpeningTotalsOf(m_dm.db());
    m_balancesPage->setFirmTotals(totals.text, totals.balanced);
    int current = m_balanceRows.isEmpty() ? -1 : 0;
    for (int i = 0; select && i < m_balanceRows.size(); ++i)
        if (m_balanceRows[i].Sn_An == select->Sn_An)
            current = i;
    {
        const QSignalBlocker block(m_balancesPage);
        m_balancesPage->grid()->setCurrentCell(current, 0);
    }
    balanceRowChanged();
}

void TForm1::balanceRowChanged()
{
    const auto account = balanceAccountRow();
    if (account)
        m_sheet->setLines(OpeningBalanceLines(m_dm.db(), *account, currentBalanceRow()));
    else
        m_sheet->clear();
    updateButtons();
}

void TForm1::editAccountFromBalances(bool newAccount)
{
    const auto account = m_balancesPage->currentAccount();
    if (!ready() || !m_hooks.editAccount || (!newAccount && !account))
        return;
    if (const auto saved = m_hooks.editAccount(newAccount ? std::nullopt : account)) {
        m_balanceAccounts = ChartStore::All(m_dm.db(), m_filter);
        fillBalanceAccounts(saved);
    }
}

void TForm1::editBalance(bool newRow)
{
    const auto account = m_balancesPage->currentAccount();
    const auto row = currentBalanceRow();
    if (!account || (!newRow && !row))
        return;
    const QList<SnsRow> before = m_balanceRows;
    QTableWidget *grid = m_balancesPage->grid();
    grid->setEnabled(false);
    const auto enable = qScopeGuard([grid] { grid->setEnabled(true); });
    m_hooks.editOpeningBalance(*account, newRow ? std::nullopt : row);
    // The editor may have saved several rows; the first one that is new becomes current.
    std::optional<SnsRow> select = row;
    for (const SnsRow &r : OpeningBalances::RowsOf(m_dm.db(), *account)) {
        const auto sameKey = [&r](const SnsRow &b) { return b.Sn_An == r.Sn_An; };
        if (std::none_of(before.begin(), before.end(), sameKey)) {
            select = r;
            break;
        }
    }
    fillBalanceRows(select);
}

void TForm1::searchAccount(const QString &text)
{
    RunGuarded([&] {
        const QString wanted = text;
        m_balancesPage->searchBox()->clear();
        if (m_mode != MainMode::OpeningBalances || wanted.trimmed().isEmpty())
            return;
        const AccountSearchResult found = SearchAccount(m_balanceAccounts, wanted);
        if (found.account)
            m_balancesPage->selectAccount(*found.account);
        else
            Messages::show(found.message);
    });
}

void TForm1::filterAccounts(AccountFilter filter)
{
    RunGuarded([&] {
        if (!ready() || m_mode != MainMode::OpeningBalances)
            return;
        const auto account = m_balancesPage->currentAccount();
        const MainCommands::FilteredAccounts result = MainCommands::FilterAccounts(m_dm.db(), filter);
        m_filter = result.filter;
        m_balanceAccounts = result.accounts;
        m_balancesPage->filterLabel()->setText(AccountFilterCaption(m_filter));
        fillBalanceAccounts(account);
    });
}

