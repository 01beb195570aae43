#include "curvewidgets.h"
#include "framepacer.h"
#include "paramset.h"

#include <QColor>
#include <QEvent>
#include <QImage>
#include <QPointer>
#include <QTimer>
#include <QtTest>
#include "qtwarnings.h"

namespace {

// Counts the paint events a widget receives.
class PaintCounter : public QObject
{
public:
    int count = 0;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++count;
        return QObject::eventFilter(watched, event);
    }
};

QImage renderWidget(QWidget &widget)
{
    QImage image(widget.size(), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    widget.render(&image);
    return image;
}

const QRgb red = qRgb(255, 0, 0);
const QRgb green = qRgb(0, 255, 0);
const QRgb white = qRgb(255, 255, 255);

} // namespace

class TestCurves : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { testsupport::failOnUnexpectedWarnings(); }
    void init();
    void cleanup();

    void dualRatePoints_data();
    void dualRatePoints();
    void dualRateNegativeExpoTruncates();
    void dualRateZeroRateIsFlat_data();
    void dualRateZeroRateIsFlat();

    void throttleDefaultsAndGrid();
    void throttleAllAtFifty();
    void throttleExtremes();
    void dashStartsAreMultiplesOf15();

    void dualRateMarker_data();
    void dualRateMarker();
    void throttleMarker_data();
    void throttleMarker();
    void liveMarkerFollowsSettings();
    void pacerBurstIsTwoFrames();

    void dualRatePainting();
    void dualRateFlatPainting();
    void throttlePainting();

    void timerRepaintsAfterEdit_data();
    void timerRepaintsAfterEdit();
    void timerBelongsToWidget();

private:
    ParamSet saved;
};

void TestCurves::init()
{
    saved = paramSet;
}

void TestCurves::cleanup()
{
    paramSet = saved;
}

void TestCurves::dualRatePoints_data()
{
    QTest::addColumn<int>("rate");
    QTest::addColumn<int>("expo");
    QTest::addColumn<QPoint>("s1");
    QTest::addColumn<QPoint>("lowerControl");
    QTest::addColumn<QPoint>("s2");
    QTest::addColumn<QPoint>("upperControl");

    QTest::newRow("R100 E0") << 100 << 0 << QPoint(20, 260) << QPoint(80, 200) << QPoint(260, 20) << QPoint(200, 80);
    QTest::newRow("R100 E100") << 100 << 100 << QPoint(20, 260) << QPoint(120, 260) << QPoint(260, 20) << QPoint(160, 20);
    QTest::newRow("R100 E-100") << 100 << -100 << QPoint(20, 260) << QPoint(40, 140) << QPoint(260, 20) << QPoint(240, 140);
    QTest::newRow("R100 E-30") << 100 << -30 << QPoint(20, 260) << QPoint(68, 182) << QPoint(260, 20) << QPoint(212, 98);
    QTest::newRow("R50 E0") << 50 << 0 << QPoint(20, 200) << QPoint(80, 170) << QPoint(260, 80) << QPoint(200, 110);
    QTest::newRow("R50 E50") << 50 << 50 << QPoint(20, 200) << QPoint(90, 185) << QPoint(260, 80) << QPoint(190, 95);
    QTest::newRow("R0 E0") << 0 << 0 << QPoint(20, 140) << QPoint(80, 140) << QPoint(260, 140) << QPoint(200, 140);
}

void TestCurves::dualRatePoints()
{
    QFETCH(int, rate);
    QFETCH(int, expo);

    const DualRateCurveGeometry g = dualRateCurveGeometry(280, 280, rate, expo);
    QCOMPARE(g.centre, QPoint(140, 140));
    QCOMPARE(g.qx, 80);
    QTEST(g.s1, "s1");
    QTEST(g.lowerControl, "lowerControl");
    QTEST(g.s2, "s2");
    QTEST(g.upperControl, "upperControl");
}

void TestCurves::dualRateNegativeExpoTruncates()
{
    const DualRateCurveGeometry g = dualRateCurveGeometry(280, 280, 100, -33);
    QCOMPARE(g.re, -33);
    QCOMPARE(g.dx, -13);
    QCOMPARE(g.dy, -19);
    QCOMPARE(g.lowerControl, QPoint(67, 181));
    // The two halves stay point-symmetric about the centre.
    QCOMPARE(g.upperControl, QPoint(280 - 67, 280 - 181));
}

void TestCurves::dualRateZeroRateIsFlat_data()
{
    QTest::addColumn<int>("expo");
    QTest::newRow("E-100") << -100;
    QTest::newRow("E-33") << -33;
    QTest::newRow("E0") << 0;
    QTest::newRow("E55") << 55;
    QTest::newRow("E100") << 100;
}

void TestCurves::dualRateZeroRateIsFlat()
{
    QFETCH(int, expo);
    const DualRateCurveGeometry g = dualRateCurveGeometry(280, 280, 0, expo);
    QCOMPARE(g.s1, QPoint(20, 140));
    QCOMPARE(g.lowerControl.y(), 140);
    QCOMPARE(g.s2, QPoint(260, 140));
    QCOMPARE(g.upperControl.y(), 140);
    QCOMPARE(g.centre, QPoint(140, 140));
}

void TestCurves::throttleDefaultsAndGrid()
{
    const int thr[8] = { 0, 0, 16, 33, 50, 67, 84, 100 };
    const ThrottleCurveGeometry g = throttleCurveGeometry(300, 300, thr);

    const int gridY[11] = { 30, 54, 78, 102, 126, 150, 174, 198, 222, 246, 270 };
    for (int k = 0; k < 11; ++k)
        QCOMPARE(g.gridY[k], gridY[k]);

    const int gridX[6] = { 63, 106, 150, 193, 236, 280 };
    for (int k = 0; k < 6; ++k)
        QCOMPARE(g.gridX[k], gridX[k]);

    const QPoint points[7] = { { 30, 270 }, { 63, 231 }, { 106, 190 }, { 150, 150 },
                               { 193, 109 }, { 236, 68 }, { 280, 30 } };
    for (int k = 0; k < 7; ++k)
        QCOMPARE(g.points[k], points[k]);
}

void TestCurves::throttleAllAtFifty()
{
    const int thr[8] = { 0, 50, 50, 50, 50, 50, 50, 50 };
    const ThrottleCurveGeometry g = throttleCurveGeometry(300, 300, thr);
    for (int k = 0; k < 7; ++k)
        QCOMPARE(g.points[k].y(), 150);
    QCOMPARE(g.points[0].x(), 30);
    QCOMPARE(g.points[6].x(), 280);
}

void TestCurves::throttleExtremes()
{
    // 100 on the top grid line, 0 on the bottom one; element 0 of the
    // array is not a throttle point and must not be read.
    const int thr[8] = { 55, 100, 0, 100, 0, 100, 0, 100 };
    const ThrottleCurveGeometry g = throttleCurveGeometry(300, 300, thr);
    QCOMPARE(g.points[0], QPoint(30, 30));
    QCOMPARE(g.points[1], QPoint(63, 270));
    QCOMPARE(g.points[6], QPoint(280, 30));
}

void TestCurves::dashStartsAreMultiplesOf15()
{
    // Horizontal throttle grid of the 300-pixel widget: 21 .. width - 31.
    QVector<int> starts = dashStarts(21, 300 - 31);
    QCOMPARE(starts.size(), 16);
    QCOMPARE(starts.first(), 30);
    QCOMPARE(starts.last(), 255);
    for (int i = 1; i < starts.size(); ++i)
        QCOMPARE(starts[i] - starts[i - 1], 15);

    // A range ending exactly on a multiple includes it.
    starts = dashStarts(21, 270);
    QCOMPARE(starts.last(), 270);

    QVERIFY(dashStarts(31, 44).isEmpty());
}

// Channel values as the packets bring them, to the marker on the curve of a
// 280-pixel dual-rate view: onCurve when the rate was applied (the output's
// height on the curve), else the output is the stick (the curve above it).
void TestCurves::dualRateMarker_data()
{
    QTest::addColumn<int>("rate");
    QTest::addColumn<int>("expo");
    QTest::addColumn<int>("value");
    QTest::addColumn<bool>("onCurve");
    QTest::addColumn<QPointF>("marker");

    QTest::newRow("centre") << 100 << 0 << 1000 << true << QPointF(140, 140);
    QTest::newRow("half up") << 100 << 0 << 1500 << true << QPointF(200, 80);
    QTest::newRow("full down") << 100 << 0 << 0 << true << QPointF(20, 260);
    QTest::newRow("full up") << 100 << 0 << 2000 << true << QPointF(260, 20);
    QTest::newRow("no sign: taken as full") << 100 << 0 << 65535 << true << QPointF(260, 20);
    QTest::newRow("R50 at its end") << 50 << 0 << 1500 << true << QPointF(260, 80);
    QTest::newRow("R50 beyond its end") << 50 << 0 << 1800 << true << QPointF(260, 80);
    QTest::newRow("R50 below its end") << 50 << 0 << 200 << true << QPointF(20, 200);
    QTest::newRow("R0 flat, output up") << 0 << 0 << 1300 << true << QPointF(260, 140);
    QTest::newRow("R50 stick half") << 50 << 0 << 1500 << false << QPointF(200, 110);
    QTest::newRow("R50 stick full") << 50 << 0 << 2000 << false << QPointF(260, 80);
    QTest::newRow("expo stick full down") << 100 << 100 << 0 << false << QPointF(20, 260);
}

void TestCurves::dualRateMarker()
{
    QFETCH(int, rate);
    QFETCH(int, expo);
    QFETCH(int, value);
    QFETCH(bool, onCurve);
    QFETCH(QPointF, marker);
    const QPointF at = ::dualRateMarker(dualRateCurveGeometry(280, 280, rate, expo), channelOutput(value), onCurve);
    QVERIFY2(QLineF(at, marker).length() < 0.01,
             qPrintable(QStringLiteral("(%1, %2)").arg(at.x()).arg(at.y())));
}

// The throttle curve 10, 20, 40, 40, 60, 80, 100 of a 300-pixel view: its
// knees at x 30, 63, 106, 150, 193, 236, 280 and y 246, 222, 174, 174, 126, 78, 30.
void TestCurves::throttleMarker_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<bool>("onCurve");
    QTest::addColumn<QPointF>("marker");

    QTest::newRow("idle, below the curve's reach") << 0 << true << QPointF(30, 246);
    QTest::newRow("knee P1") << 400 << true << QPointF(63, 222);
    QTest::newRow("flat part: its first knee") << 800 << true << QPointF(106, 174);
    QTest::newRow("between knees") << 1000 << true << QPointF(171.5, 150);
    QTest::newRow("full") << 2000 << true << QPointF(280, 30);
    QTest::newRow("curve off: idle") << 0 << false << QPointF(30, 246);
    QTest::newRow("curve off: stick at P3") << 960 << false << QPointF(150, 174);
    QTest::newRow("curve off: no sign, full") << 65535 << false << QPointF(280, 30);
}

void TestCurves::throttleMarker()
{
    QFETCH(int, value);
    QFETCH(bool, onCurve);
    QFETCH(QPointF, marker);
    const int thr[8] = {0, 10, 20, 40, 40, 60, 80, 100};
    const QPointF at = ::throttleMarker(throttleCurveGeometry(300, 300, thr), throttlePercentOf(value), onCurve);
    QVERIFY2(QLineF(at, marker).length() < 0.01,
             qPrintable(QStringLiteral("(%1, %2)").arg(at.x()).arg(at.y())));
}

// The dual-rate view follows the channel it edits and the rate's switch;
// the marker is painted where markerAt says and goes with hideLive().
void TestCurves::liveMarkerFollowsSettings()
{
    paramSet.drCurveRate = 100;
    paramSet.drCurveExpo = 0;
    paramSet.drMix = 1;
    paramSet.drChannel = 1;
    LiveValues live;
    live.channelValue1 = 500;
    live.channelValue2 = 1500;
    mWidget widget;
    widget.resize(280, 280);
    QPointF at;
    QVERIFY(!widget.markerAt(&at));
    widget.showLive(live);
    QVERIFY(widget.markerAt(&at));
    QVERIFY(QLineF(at, QPointF(200, 80)).length() < 0.01);
    const QColor painted = renderWidget(widget).pixelColor(200, 80);
    QVERIFY2(painted.blue() > 150 && painted.red() < 80, qPrintable(painted.name()));

    paramSet.drChannel = 0; // CH1 at -50
    QVERIFY(widget.markerAt(&at));
    QVERIFY(QLineF(at, QPointF(80, 200)).length() < 0.01);
    paramSet.drChannel = 4; // no table entry selected: nothing to follow
    QVERIFY(!widget.markerAt(&at));
    paramSet.drChannel = 1;
    widget.hideLive();
    QVERIFY(!widget.markerAt(&at));
    QCOMPARE(renderWidget(widget).pixel(200, 80), red);
}

// A burst of packets makes one frame at once and one more for the last of
// them; with nothing new after it no frame is pending.
void TestCurves::pacerBurstIsTwoFrames()
{
    int frames = 0;
    FramePacer pacer(33, [&frames] { ++frames; });
    for (int i = 0; i < 100; ++i)
        pacer.request();
    QCOMPARE(frames, 1);
    QVERIFY(pacer.isPending());
    QTRY_VERIFY(!pacer.isPending());
    QCOMPARE(frames, 2);
    QTest::qWait(100);
    QCOMPARE(frames, 2);
    QVERIFY(!pacer.isPending());
}

void TestCurves::dualRatePainting()
{
    paramSet.drCurveRate = 100;
    paramSet.drCurveExpo = 0;
    mWidget widget;
    widget.resize(280, 280);
    const QImage image = renderWidget(widget);

    // Straight diagonal from (20, 260) through the centre to (260, 20).
    QCOMPARE(image.pixel(140, 140), red);
    QCOMPARE(image.pixel(100, 180), red);
    QCOMPARE(image.pixel(200, 80), red);
    // Frame and background.
    QCOMPARE(image.pixel(20, 70), green);
    QCOMPARE(image.pixel(260, 200), green);
    QCOMPARE(image.pixel(60, 100), white);
    QCOMPARE(image.pixel(200, 200), white);
    QCOMPARE(image.pixel(5, 5), white);
    // Dashed vertical centre axis: a dash starts at 30 and runs 8 pixels.
    QCOMPARE(image.pixel(140, 34), green);
    QCOMPARE(image.pixel(140, 42), white);
}

void TestCurves::dualRateFlatPainting()
{
    paramSet.drCurveRate = 0;
    paramSet.drCurveExpo = 80;
    mWidget widget;
    widget.resize(280, 280);
    const QImage image = renderWidget(widget);

    QCOMPARE(image.pixel(42, 140), red);
    QCOMPARE(image.pixel(230, 140), red);
    QCOMPARE(image.pixel(100, 180), white);
    QCOMPARE(image.pixel(230, 60), white);
}

void TestCurves::throttlePainting()
{
    const int defaults[8] = { 0, 0, 16, 33, 50, 67, 84, 100 };
    for (int k = 1; k <= 7; ++k)
        paramSet.thrCurve[k] = defaults[k];
    cureWidget widget;
    widget.resize(300, 300);
    QImage image = renderWidget(widget);

    QCOMPARE(image.pixel(150, 150), red);
    QCOMPARE(image.pixel(280, 30), red);
    QCOMPARE(image.pixel(30, 110), green);   // left edge of the frame
    QCOMPARE(image.pixel(45, 200), white);
    QCOMPARE(image.pixel(295, 295), white);

    // Some label text is drawn in black left of the frame.
    bool dark = false;
    for (int y = 20; y < 40 && !dark; ++y)
        for (int x = 0; x < 28 && !dark; ++x)
            dark = qGray(image.pixel(x, y)) < 80;
    QVERIFY(dark);

    // A flat curve at 50 runs along the middle grid line.
    for (int k = 1; k <= 7; ++k)
        paramSet.thrCurve[k] = 50;
    image = renderWidget(widget);
    QCOMPARE(image.pixel(45, 150), red);
    QCOMPARE(image.pixel(250, 150), red);
    QCOMPARE(image.pixel(170, 100), white);
}

void TestCurves::timerRepaintsAfterEdit_data()
{
    QTest::addColumn<bool>("throttle");
    QTest::newRow("cureWidget") << true;
    QTest::newRow("mWidget") << false;
}

void TestCurves::timerRepaintsAfterEdit()
{
    QFETCH(bool, throttle);

    QScopedPointer<QWidget> widget(throttle ? static_cast<QWidget *>(new cureWidget)
                                            : static_cast<QWidget *>(new mWidget));
    widget->resize(300, 300);
    PaintCounter counter;
    widget->installEventFilter(&counter);
    widget->show();
    QVERIFY(QTest::qWaitForWindowExposed(widget.data()));
    QTRY_VERIFY(counter.count > 0);

    // Nothing but the widget's own timer asks for a repaint from here on.
    const int before = counter.count;
    if (throttle)
        paramSet.thrCurve[4] = 90;
    else
        paramSet.drCurveExpo = -40;
    QTRY_VERIFY_WITH_TIMEOUT(counter.count >= before + 2, 10000);
}

void TestCurves::timerBelongsToWidget()
{
    QPointer<QTimer> timer;
    {
        cureWidget widget;
        QCOMPARE(QString(widget.metaObject()->className()), QString("cureWidget"));
        QVERIFY(widget.metaObject()->indexOfSlot("creatData()") >= 0);
        const QList<QTimer *> timers = widget.findChildren<QTimer *>();
        QCOMPARE(timers.size(), 1);
        timer = timers.first();
        QVERIFY(timer->isActive());
        QCOMPARE(timer->interval(), 100);
    }
    QVERIFY(timer.isNull());

    mWidget other;
    QCOMPARE(QString(other.metaObject()->className()), QString("mWidget"));
    const QList<QTimer *> timers = other.findChildren<QTimer *>();
    QCOMPARE(timers.size(), 1);
    QVERIFY(timers.first()->isActive());
    QCOMPARE(timers.first()->interval(), 100);
}

QTEST_MAIN(TestCurves)
#include "tst_curves.moc"
