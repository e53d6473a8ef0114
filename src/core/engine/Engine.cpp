#include "engine/Engine.h"

#include "engine/Errors.h"
#include "engine/Messages.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <QUuid>

using namespace Qt::StringLiterals;

bool DisplayCheckPasses(int bitsPerPixel, int planes)
{
    return ((bitsPerPixel * planes) & 0xff) > 7;
}

QString AddTrailingSlash(const QString &path)
{
    if (path.isEmpty())
        return path;
    if (path.endsWith(u':') || path.endsWith(u'/') || path.endsWith(u'\\'))
        return path;
    if (path.size() == 1 && path.at(0).isLetter())
        return path + u":/"_s;
    return path + u'/';
}

int EngineVersionNumber(const QString &sqliteVersion)
{
    const QStringList parts = sqliteVersion.split(u'.');
    if (parts.size() < 2)
        return 0;
    return parts.at(0).toInt() * 100 + parts.at(1).toInt();
}

EngineSession &EngineSession::instance()
{
    static EngineSession session;
    return session;
}

InstalledEngine EngineSession::probeInstalled()
{
    InstalledEngine found;
    if (!QSqlDatabase::isDriverAvailable(u"QSQLITE"_s))
        return found;
    const QString name = u"probe-"_s + QUuid::createUuid().toString(QUuid::WithoutBraces);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, name);
        db.setDatabaseName(u":memory:"_s);
        if (db.open()) {
            QSqlQuery q(db);
            if (q.exec(u"select sqlite_version()"_s) && q.next()) {
                found.present = true;
                found.version = EngineVersionNumber(q.value(0).toString());
                found.resource = u"SQLite "_s + q.value(0).toString();
            }
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    found.libraryDir = QLibraryInfo::path(QLibraryInfo::PluginsPath) + u"/sqldrivers"_s;
    found.configFile = u"QSQLITE"_s;
    found.saveConfig = u"WAL, synchronous=FULL"_s;
    return found;
}

void EngineSession::locate(const QStringList &arguments, const QString &programDir,
                           const InstalledEngine &installed)
{
    const QString privateDir = AddTrailingSlash(programDir) + u"SYSTEM/DLL/"_s;
    const bool forcePrivate =
        arguments.size() > 1 && arguments.at(1).toUpper() == u"/USBDE"_s.toUpper();
    if (!forcePrivate && installed.present) {
        m_info = {installed.configFile, installed.libraryDir, installed.resource, installed.saveConfig,
                  u" SQLite инсталирано в системата"_s};
        if (installed.version >= MinimumEngineVersion)
            return;
        Messages::show(u"Version is:"_s + QString::number(installed.version));
    }
    if (!QDir::setCurrent(privateDir))
        throw MyException(u"Не мога да открия системните файлове!\rПът: "_s + privateDir);
    // Drivers kept in the program's own directory are found before the system's.
    QCoreApplication::addLibraryPath(privateDir);
    m_info = {privateDir, privateDir, installed.resource.isEmpty() ? u"0009"_s : installed.resource,
              u"WAL, synchronous=FULL"_s, u" SQLite инсталирано от програмата"_s};
}

void EngineSession::setLanguageDriver(const QString &driver)
{
    const int saved = m_configMode;
    m_configMode = SessionOnlyConfigMode;
    m_languageDriver = driver;
    m_configMode = saved;
}

namespace {
// Holds the session-only configuration mode and restores the previous one, also on failure.
class SessionOnlyMode {
public:
    explicit SessionOnlyMode(EngineSession &s) : m_session(s), m_saved(s.configMode())
    {
        s.setConfigMode(SessionOnlyConfigMode);
    }
    ~SessionOnlyMode() { m_session.setConfigMode(m_saved); }

private:
    EngineSession &m_session;
    int m_saved;
};
}  // namespace

EngineSession::AliasOutcome EngineSession::setUpAlias(const QString &name)
{
    SessionOnlyMode mode(*this);
    const QString path = m_currentDataPath;
    auto it = m_aliases.find(name);
    if (it == m_aliases.end()) {
        m_aliases.insert(name, {u"STANDARD"_s, {{u"PATH"_s, path}, {u"DEFAULT DRIVER"_s, u"PARADOX"_s}}});
        return AliasOutcome::Added;
    }
    if (it->driver != u"STANDARD"_s)
        throw MyException(AliasClashMessage);
    const auto &p = it->params;
    if (p.value(u"PATH"_s) == path && p.value(u"DEFAULT DRIVER"_s) == u"PARADOX"_s
        && p.value(u"ENABLE BCD"_s) == u"FALSE"_s)
        return AliasOutcome::Unchanged;
    it->params[u"PATH"_s] = path;
    it->params[u"DEFAULT DRIVER"_s] = u"PARADOX"_s;
    it->params[u"ENABLE BCD"_s] = u"FALSE"_s;
    return AliasOutcome::Modified;
}

QString EngineSession::aliasPath(const QString &name) const
{
    return m_aliases.value(name).params.value(u"PATH"_s);
}

QString EngineSession::informationText() const
{
    return u"В момента се използава BDE със следните параметри:\rКонфигурационен фаил: "_s + m_info.configFile
           + u"\r"_s + u"Път до DLL-лите: "_s + m_info.libraryDir + u"\r"_s + u"Ресурсен файл: "_s
           + m_info.resource + u"\r"_s + u"Save config: "_s + m_info.saveConfig + u"\r"_s
           + u"Данни на тетущо избраната Фирма: "_s + m_currentDataPath + u"\r"_s + u"\r"_s
           + u"Използва се: "_s + m_info.origin + u"\r"_s;
}

static bool DirectoryWritable(const QString &dir)
{
    if (!QDir().mkpath(dir))
        return false;
    QTemporaryFile probe(AddTrailingSlash(dir) + u"write-test-XXXXXX"_s);
    return probe.open();
}

QString ResolveSystemDataDir(const QString &commandLineDir, const QString &programDir)
{
    if (!commandLineDir.isEmpty())
        return AddTrailingSlash(QDir(commandLineDir).absolutePath());
    const QString fromEnv = qEnvironmentVariable("ORVALIS_DATA_DIR");
    if (!fromEnv.isEmpty())
        return AddTrailingSlash(QDir(fromEnv).absolutePath());
    const QString besideProgram = AddTrailingSlash(programDir) + u"SYSTEM/DATA/"_s;
    if (DirectoryWritable(besideProgram))
        return besideProgram;
    return AddTrailingSlash(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
           + u"SYSTEM/DATA/"_s;
}
