#include "support/TestFixture.h"

#include "registry/FirmChoice.h"
#include "registry/FirmFactory.h"

#include <QTest>

TestFixture::TestFixture() : m_sink(std::make_unique<ScopedMessageSink>(&messages))
{
    fd.Open(dataDir());
}

TestFixture::~TestFixture()
{
    dm.Close();
    fd.Close();
}

QString TestFixture::dataDir() const { return m_dir.path() + QStringLiteral("/SYSTEM/DATA/"); }

int TestFixture::makeFirm(const QString &name, int year)
{
    NewFirmRequest request;
    request.firm.Firm_Name = name;
    request.firm.Firm_Period = year;
    return CreateFirm(fd, request);
}

int TestFixture::openNewFirm(const QString &name, int year)
{
    const int id = makeFirm(name, year);
    const FirmOpenResult result = OpenFirm(fd, dm, *fd.Firm(id));
    if (!result.opened)
        qFatal("cannot open the test firm: %s", qPrintable(result.message));
    return id;
}
