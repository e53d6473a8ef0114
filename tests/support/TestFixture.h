#pragma once
// A temporary system data directory with its registry, and firms made through the same code the
// program uses, so no test depends on a developer's files.
#include "engine/Messages.h"
#include "firm/TDM.h"
#include "registry/TFD.h"

#include <QTemporaryDir>
#include <memory>

class TestFixture {
public:
    TestFixture();
    ~TestFixture();

    QString dataDir() const;
    TFD fd;
    TDM dm;
    MessageRecorder messages;

    // A firm with the ticked template chart; returns its Firm_ID.
    int makeFirm(const QString &name = QStringLiteral("Тест ООД"), int year = 2026);
    // Makes a firm and opens it in dm.
    int openNewFirm(const QString &name = QStringLiteral("Тест ООД"), int year = 2026);

private:
    QTemporaryDir m_dir;
    std::unique_ptr<ScopedMessageSink> m_sink;
};
