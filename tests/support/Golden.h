#pragma once
// Compares a report's text with its golden file under tests/core/reports/golden/ (or another
// folder under tests/). With
// ORVALIS_UPDATE_GOLDEN=1 in the environment the file is written instead, for a change of
// layout that was checked by eye.
#include <QFile>
#include <QString>
#include <QTest>

inline bool MatchesGolden(const QString &name, const QString &text,
                          const QString &folder = QStringLiteral("core/reports/golden"))
{
    const QString path = QStringLiteral(ORVALIS_TEST_DIR "/") + folder + u'/' + name;
    QFile file(path);
    if (qEnvironmentVariableIntValue("ORVALIS_UPDATE_GOLDEN") == 1) {
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return false;
        file.write(text.toUtf8());
        return true;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        qWarning("missing golden file %s", qPrintable(path));
        return false;
    }
    const QString expected = QString::fromUtf8(file.readAll());
    if (expected != text) {
        qWarning("report differs from %s:\n%s", qPrintable(path), qPrintable(text));
        return false;
    }
    return true;
}

// The same for a file compared byte for byte, under `folder` of the test tree ("core/vat/golden").
inline bool MatchesGoldenBytes(const QString &folder, const QString &name, const QByteArray &bytes)
{
    const QString path = QStringLiteral(ORVALIS_TEST_DIR "/") + folder + u'/' + name;
    QFile file(path);
    if (qEnvironmentVariableIntValue("ORVALIS_UPDATE_GOLDEN") == 1)
        return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
    if (!file.open(QIODevice::ReadOnly)) {
        qWarning("missing golden file %s", qPrintable(path));
        return false;
    }
    if (file.readAll() != bytes) {
        qWarning("bytes differ from %s", qPrintable(path));
        return false;
    }
    return true;
}
