#pragma once
// The database environment of the process: where the engine comes from, the two aliases through
// which the registry (A8900a) and the current firm (A8900b) are reached, and the engine
// information shown on request. Aliases live for this session only.
#include <QMap>
#include <QString>
#include <QStringList>
#include <functional>

inline const QString AliasRegistry = QStringLiteral("A8900a");
inline const QString AliasFirm = QStringLiteral("A8900b");

// Product constants shown in the main window title and the footer of every report.
namespace Product {
inline const QString Name = QStringLiteral("Orvalis--");
inline const QString V1 = QStringLiteral("V1.");
inline const QString V2 = QStringLiteral("0.");
inline const QString V3 = QStringLiteral("2");
inline const QString Maker = QStringLiteral("Quillon");
inline QString Title() { return Name + V1 + V2 + V3; }
}  // namespace Product

// At least 256 colours: bits per pixel times planes, low 8 bits, must exceed 7.
bool DisplayCheckPasses(int bitsPerPixel, int planes);
inline const QString DisplayCheckMessage = QStringLiteral(
    "За нормална рабита с програмата е необходимо,\rда установите графичен режим с 256 или повече цвята!");

// Empty stays empty; a path ending in ':' or a separator is kept; a single drive letter gets ":/";
// any other path gets "/".
QString AddTrailingSlash(const QString &path);

struct EngineInfo {
    QString configFile;
    QString libraryDir;
    QString resource;
    QString saveConfig;
    QString origin;
};

// What the program finds of an installed engine: the SQL driver that Qt's own plugins provide.
struct InstalledEngine {
    bool present = false;
    int version = 0;  // EngineVersionNumber of the library
    QString configFile, libraryDir, resource, saveConfig;
};

// SQLite "3.40.1" reads 340. The installed library is recent enough from 3.24 on (upsert and
// the window functions the reports use).
int EngineVersionNumber(const QString &sqliteVersion);
inline constexpr int MinimumEngineVersion = 324;

struct AliasDef {
    QString driver;  // "STANDARD" for a file-based alias
    QMap<QString, QString> params;
};

class EngineSession {
public:
    static EngineSession &instance();

    // Decides which engine the process uses. A first argument "/USBDE" in any case forces the
    // program's own copy kept in <program dir>/SYSTEM/DLL/. Throws MyException when that
    // directory cannot be used.
    void locate(const QStringList &arguments, const QString &programDir, const InstalledEngine &installed);
    static InstalledEngine probeInstalled();

    // Creates or corrects alias `name` so that it points at the current data path; throws
    // MyException when an alias of that name exists on another driver.
    enum class AliasOutcome { Added, Unchanged, Modified };
    AliasOutcome setUpAlias(const QString &name);

    bool hasAlias(const QString &name) const { return m_aliases.contains(name); }
    AliasDef alias(const QString &name) const { return m_aliases.value(name); }
    QString aliasPath(const QString &name) const;
    void defineAlias(const QString &name, const AliasDef &def) { m_aliases[name] = def; }
    void removeAlias(const QString &name) { m_aliases.remove(name); }

    QString currentDataPath() const { return m_currentDataPath; }
    void setCurrentDataPath(const QString &path) { m_currentDataPath = AddTrailingSlash(path); }

    int configMode() const { return m_configMode; }
    void setConfigMode(int mode) { m_configMode = mode; }

    const EngineInfo &info() const { return m_info; }
    QString informationText() const;
    QString languageDriver() const { return m_languageDriver; }
    void setLanguageDriver(const QString &driver);

private:
    QMap<QString, AliasDef> m_aliases;
    QString m_currentDataPath;
    QString m_languageDriver;
    int m_configMode = 0;
    EngineInfo m_info;
};

inline constexpr int SessionOnlyConfigMode = 4;
inline const QString AliasClashMessage = QStringLiteral(
    "Програмата не може да бъде стартирана!\rНа компютара ви е инсталирна друга програма,\r"
    "която използва настройките на Orvalis\r\rАко видите това съобщетие, моля потърсете специалистите от Quillon");

// The system data directory: --data-dir, then ORVALIS_DATA_DIR, then <program dir>/SYSTEM/DATA/
// where that can be written, else the user's application data directory + /SYSTEM/DATA/.
QString ResolveSystemDataDir(const QString &commandLineDir, const QString &programDir);
