#include "engine/Settings.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace {
const QString Key = u"Orvalis_SETINGS/ListView.ViewStyle"_s;
}

namespace Settings {

QString FilePath()
{
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    QDir().mkpath(dir);
    return dir + u"/Orvalis.INI"_s;
}

int ListViewStyle()
{
    const int style = QSettings(FilePath(), QSettings::IniFormat).value(Key, 0).toInt();
    return style >= 0 && style <= 3 ? style : 0;
}

void SetListViewStyle(int style)
{
    QSettings settings(FilePath(), QSettings::IniFormat);
    settings.setValue(Key, style);
    settings.sync();
}

}  // namespace Settings
