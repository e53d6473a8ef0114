#pragma once
// The settings file "Orvalis.INI" in the user's configuration directory.
#include <QString>

namespace Settings {
QString FilePath();
// The main list's view style: 0 list, 1 large icons, 2 small icons, 3 report rows.
int ListViewStyle();
void SetListViewStyle(int style);
}  // namespace Settings
