// The splash window: its random transition style, the frames of every effect, and its timing.
#include "app/TSplashForm.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>

namespace {
int PixelsEqual(const QImage &a, const QImage &b)
{
    int same = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            same += a.pixel(x, y) == b.pixel(x, y) ? 1 : 0;
    return same;
}

bool AllBlack(const QImage &image)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != qRgb(0, 0, 0))
                return false;
    return true;
}
}  // namespace

class SplashTest : public QObject {
    Q_OBJECT
private slots:
    void randomStyleCoversOneTo122()
    {
        int lowest = TSplashForm::StyleCount;
        int highest = 1;
        for (int i = 0; i < 3000; ++i) {
            const int style = TSplashForm::RandomStyle();
            QVERIFY2(style >= 1 && style <= TSplashForm::StyleCount, qPrintable(QString::number(style)));
            lowest = qMin(lowest, style);
            highest = qMax(highest, style);
        }
        QCOMPARE(lowest, 1);
        QCOMPARE(highest, TSplashForm::StyleCount);

        for (int i = 0; i < 20; ++i) {
            TSplashForm splash;
            QVERIFY(splash.style() >= 1 && splash.style() <= TSplashForm::StyleCount);
        }
    }

    void windowGeometry()
    {
        TSplashForm splash(7);
        QCOMPARE(splash.style(), 7);
        QCOMPARE(splash.size(), QSize(472, 295));
        QVERIFY(splash.windowFlags().testFlag(Qt::FramelessWindowHint));
        QVERIFY(splash.testAttribute(Qt::WA_DeleteOnClose));
    }

    // Each effect, in both directions, starts on the desktop, ends on the whole picture and shows
    // a part of it on the way.
    void everyEffectGoesFromDesktopToPicture_data()
    {
        QTest::addColumn<int>("style");
        for (int style = 1; style <= 2 * TSplashForm::EffectCount; ++style)
            QTest::addRow("style %d", style) << style;
        QTest::addRow("style %d", TSplashForm::StyleCount) << TSplashForm::StyleCount;
    }
    void everyEffectGoesFromDesktopToPicture()
    {
        QFETCH(int, style);
        TSplashForm splash(style);
        TSplashForm reference(1);
        const QImage start = splash.frame(0);
        const QImage quarter = splash.frame(0.25);
        const QImage half = splash.frame(0.5);
        const QImage threeQuarters = splash.frame(0.75);
        const QImage end = splash.frame(1);

        QVERIFY(AllBlack(start));  // nothing captured yet: the desktop reads black
        QCOMPARE(end, reference.frame(1));
        QVERIFY(!AllBlack(end));
        QVERIFY(half != start);
        QVERIFY(half != end);
        const bool fade = (style - 1) % TSplashForm::EffectCount == 4;
        if (!fade) {
            const int total = end.width() * end.height();
            const int shownAtQuarter = PixelsEqual(quarter, end);
            const int shownAtThreeQuarters = PixelsEqual(threeQuarters, end);
            QVERIFY2(shownAtQuarter > 0 && shownAtQuarter < shownAtThreeQuarters && shownAtThreeQuarters < total,
                     qPrintable(QStringLiteral("%1 %2").arg(shownAtQuarter).arg(shownAtThreeQuarters)));
        }
    }

    void refusesToCloseDuringTransitionThenClosesItself()
    {
        QPointer<TSplashForm> splash = new TSplashForm(5);
        QSignalSpy finished(splash.data(), &TSplashForm::finished);
        QSignalSpy destroyed(splash.data(), &QObject::destroyed);
        const int transition = splash->durationMs();
        QElapsedTimer clock;
        clock.start();
        splash->start();

        QVERIFY(splash->isVisible());
        QVERIFY(splash->transitionRunning());
        QVERIFY(!splash->close());
        QVERIFY(splash->isVisible());

        QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, 5000);
        QVERIFY(!splash.isNull());
        QVERIFY(!splash->transitionRunning());
        QTRY_COMPARE_WITH_TIMEOUT(destroyed.size(), 1, 5000);
        // The picture stays up for the pause and the timer after the transition.
        QVERIFY2(clock.elapsed() >= transition + TSplashForm::HoldMs + 1000 - 20,
                 qPrintable(QString::number(clock.elapsed())));
        QVERIFY(splash.isNull());
    }
};

QTEST_MAIN(SplashTest)
#include "tst_splash_ui.moc"
