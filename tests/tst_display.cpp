// The 100 ms refresh: the settings widgets show the Parameter set, the hover
// style swap of the selection boxes, the stick trims and the live readings.

#include <QApplication>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QLineEdit>
#include <QProgressBar>
#include <QSpinBox>
#include <QTabWidget>
#include <QtTest>

#include <memory>

#include "apptest.h"
#include "filetest.h"
#include "mainwindow.h"
#include "paramset.h"
#include "qtwarnings.h"

class TestDisplay : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { testsupport::failOnUnexpectedWarnings(); }
    void init();

    void showsEveryField();
    void showsVoltageAlarms();
    void outOfRangeFlowsBack_data();
    void outOfRangeFlowsBack();
    void outOfRangeVoltageFlowsBack_data();
    void outOfRangeVoltageFlowsBack();
    void reservedAuxBoxesReturnToFirstItem_data();
    void reservedAuxBoxesReturnToFirstItem();
    void channelChangeMovesBothDualRateGroups();
    void typedTextSurvivesRefresh();

    void hoverSwapsSheet_data();
    void hoverSwapsSheet();

    void stickTrims_data();
    void stickTrims();
    void liveTexts_data();
    void liveTexts();
    void channelBars_data();
    void channelBars();

private:
    static bool refresh(MainWindow &w) { return apptest::invokeSlot(&w, "ui_Display"); }
    MainWindow &window();

    std::unique_ptr<MainWindow> m_window;
};

// One window for the rows of the tables, its timer stopped and brought to
// the process state of the row by a refresh: building a window per row
// costs far more than the row itself.
MainWindow &TestDisplay::window()
{
    if (!m_window) {
        m_window = std::make_unique<MainWindow>();
        apptest::setRefreshTimerRunning(m_window.get(), false);
    }
    refresh(*m_window);
    return *m_window;
}

namespace {

struct Shown {
    const char *widget;
    const char *field;
    int index;
    int value;
};

// A distinct value in range for every field with a widget, each different
// from the widget's start value and the field's Initial value. The dual-rate
// selection is consistent: channel CH3 at DOWN.
const Shown shownFields[] = {
    {"comboBox_rev1", "reverse", 1, 1}, {"comboBox_rev2", "reverse", 2, 1},
    {"comboBox_rev3", "reverse", 3, 0}, {"comboBox_rev4", "reverse", 4, 1},
    {"comboBox_rev5", "reverse", 5, 1}, {"comboBox_rev6", "reverse", 6, 1},
    {"comboBox_rev7", "reverse", 7, 1}, {"comboBox_rev8", "reverse", 8, 1},
    {"spinBox_Lepa1", "epaLeft", 1, 10}, {"spinBox_Lepa2", "epaLeft", 2, 20},
    {"spinBox_Lepa3", "epaLeft", 3, 30}, {"spinBox_Lepa4", "epaLeft", 4, 40},
    {"spinBox_Lepa5", "epaLeft", 5, 50}, {"spinBox_Lepa6", "epaLeft", 6, 60},
    {"spinBox_Lepa7", "epaLeft", 7, 70}, {"spinBox_Lepa8", "epaLeft", 8, 80},
    {"spinBox_Repa1", "epaRight", 1, 101}, {"spinBox_Repa2", "epaRight", 2, 102},
    {"spinBox_Repa3", "epaRight", 3, 103}, {"spinBox_Repa4", "epaRight", 4, 104},
    {"spinBox_Repa5", "epaRight", 5, 105}, {"spinBox_Repa6", "epaRight", 6, 106},
    {"spinBox_Repa7", "epaRight", 7, 107}, {"spinBox_Repa8", "epaRight", 8, 108},
    {"spinBox_sub1", "subTrim", 1, -90}, {"spinBox_sub2", "subTrim", 2, -70},
    {"spinBox_sub3", "subTrim", 3, -50}, {"spinBox_sub4", "subTrim", 4, -30},
    {"spinBox_sub5", "subTrim", 5, 30}, {"spinBox_sub6", "subTrim", 6, 50},
    {"spinBox_sub7", "subTrim", 7, 70}, {"spinBox_sub8", "subTrim", 8, 90},
    {"spinBox_FS1", "failSafe", 1, 11}, {"spinBox_FS2", "failSafe", 2, 12},
    {"spinBox_FS3", "failSafe", 3, 13}, {"spinBox_FS4", "failSafe", 4, 14},
    {"spinBox_FS5", "failSafe", 5, 15}, {"spinBox_FS6", "failSafe", 6, 16},
    {"spinBox_FS7", "failSafe", 7, 17}, {"spinBox_FS8", "failSafe", 8, 18},
    {"spinBox_delay1", "servoDelay", 1, 21}, {"spinBox_delay2", "servoDelay", 2, 22},
    {"spinBox_delay3", "servoDelay", 3, 23}, {"spinBox_delay4", "servoDelay", 4, 24},
    {"spinBox_delay5", "servoDelay", 5, 25}, {"spinBox_delay6", "servoDelay", 6, 26},
    {"spinBox_delay7", "servoDelay", 7, 27}, {"spinBox_delay8", "servoDelay", 8, 28},
    {"comboBox_AUX5", "auxSource", 5, 4}, {"comboBox_AUX6", "auxSource", 6, 5},
    {"comboBox_AUX7", "auxSource", 7, 2}, {"comboBox_AUX8", "auxSource", 8, 3},
    {"comboBox_DR_MIX1", "drMix", 0, 1}, {"comboBox_DR_MIX2", "drMix", 0, 1},
    {"comboBox_DR_CH1", "drChannel", 0, 2}, {"comboBox_DR_CH2", "drChannel", 0, 2},
    {"comboBox_DR_POSI", "drPosition", 0, 1},
    {"spinBox_DR_UP1", "drUp", 0, 63}, {"spinBox_DR_DOWN1", "drDown", 0, 37},
    {"spinBox_DR_RATE", "drCurveRate", 0, 37}, {"spinBox_DR_EXP", "drCurveExpo", 0, -58},
    {"spinBox_Mode", "stickMode", 0, 3}, {"spinBox_Vertion", "firmwareVersion", 0, 321},
    {"spinBox_Rssi", "rssiAlarm", 0, -55},
    {"comboBox_AttiM", "attitudeChannel", 0, 2},
    {"spinBox_Atti1", "attitude", 1, 31}, {"spinBox_Atti2", "attitude", 2, 32},
    {"spinBox_Atti3", "attitude", 3, 33}, {"spinBox_Atti4", "attitude", 4, 34},
    {"spinBox_Atti5", "attitude", 5, 35}, {"spinBox_Atti6", "attitude", 6, 36},
    {"comboBox_EleMix", "elevonMix", 0, 1},
    {"spinBox_Elev01", "elevon", 1, -11}, {"spinBox_Elev02", "elevon", 2, -12},
    {"spinBox_Elev03", "elevon", 3, -13}, {"spinBox_Elev04", "elevon", 4, -14},
    {"spinBox_Elev05", "elevon", 5, -15}, {"spinBox_Elev06", "elevon", 6, -16},
    {"comboBox_RuMix", "vtailMix", 0, 1},
    {"spinBox_Ru1", "vtail", 1, 41}, {"spinBox_Ru2", "vtail", 2, 42},
    {"spinBox_Ru3", "vtail", 3, 43}, {"spinBox_Ru4", "vtail", 4, 44},
    {"comboBox_PRM01_Mix", "prmMix", 1, 1}, {"comboBox_PRM01_Master", "prmMaster", 1, 7},
    {"comboBox_PRM01_Slave", "prmSlave", 1, 0}, {"spinBox_PRM01_Data1", "prmOffset", 1, -61},
    {"spinBox_PRM01_Data2", "prmUpRate", 1, -71}, {"spinBox_PRM01_Data3", "prmDownRate", 1, -81},
    {"comboBox_PRM02_Mix", "prmMix", 2, 2}, {"comboBox_PRM02_Master", "prmMaster", 2, 6},
    {"comboBox_PRM02_Slave", "prmSlave", 2, 1}, {"spinBox_PRM02_Data1", "prmOffset", 2, -62},
    {"spinBox_PRM02_Data2", "prmUpRate", 2, -72}, {"spinBox_PRM02_Data3", "prmDownRate", 2, -82},
    {"comboBox_PRM03_Mix", "prmMix", 3, 1}, {"comboBox_PRM03_Master", "prmMaster", 3, 5},
    {"comboBox_PRM03_Slave", "prmSlave", 3, 2}, {"spinBox_PRM03_Data1", "prmOffset", 3, -63},
    {"spinBox_PRM03_Data2", "prmUpRate", 3, 73}, {"spinBox_PRM03_Data3", "prmDownRate", 3, 83},
    {"comboBox_PRM04_Mix", "prmMix", 4, 2}, {"comboBox_PRM04_Master", "prmMaster", 4, 4},
    {"comboBox_PRM04_Slave", "prmSlave", 4, 7}, {"spinBox_PRM04_Data1", "prmOffset", 4, -64},
    {"spinBox_PRM04_Data2", "prmUpRate", 4, 74}, {"spinBox_PRM04_Data3", "prmDownRate", 4, 84},
    {"comboBox_THCURE_MIX", "thrCurveMix", 0, 1},
    {"spinBox_THCURE_Data01", "thrCurve", 1, 1}, {"spinBox_THCURE_Data02", "thrCurve", 2, 2},
    {"spinBox_THCURE_Data03", "thrCurve", 3, 3}, {"spinBox_THCURE_Data04", "thrCurve", 4, 4},
    {"spinBox_THCURE_Data05", "thrCurve", 5, 5}, {"spinBox_THCURE_Data06", "thrCurve", 6, 6},
    {"spinBox_THCURE_Data07", "thrCurve", 7, 7},
};

void setShownFields()
{
    for (const Shown &s : shownFields)
        paramInt(paramSet, s.field, s.index) = s.value;
    // The tables behind the CH3 DOWN selection above.
    paramSet.drRateUp[3] = 63;
    paramSet.drRateDown[3] = 37;
    paramSet.drExpoDown[3] = -58;
    paramSet.txAlarmVolt = 23.4;
    paramSet.rxAlarmVolt = 5.6;
    paramSet.extAlarmVolt = 12.3;
}

// The value a spin box shows or the index a combo box has.
int widgetValue(MainWindow &w, const QString &name, bool *found)
{
    *found = true;
    if (auto *spin = w.findChild<QSpinBox *>(name))
        return spin->value();
    if (auto *combo = w.findChild<QComboBox *>(name))
        return combo->currentIndex();
    *found = false;
    return 0;
}

QString resourceText(const char *path)
{
    QFile file(QString::fromLatin1(path));
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.readAll());
}

const char *const watchedBoxes[] = {
    "comboBox_rev1", "comboBox_rev2", "comboBox_rev3", "comboBox_rev4", "comboBox_rev5",
    "comboBox_rev6", "comboBox_rev7", "comboBox_rev8",
    "comboBox_AUX1", "comboBox_AUX2", "comboBox_AUX3", "comboBox_AUX4", "comboBox_AUX5",
    "comboBox_AUX6", "comboBox_AUX7", "comboBox_AUX8",
    "comboBox_DR_MIX1", "comboBox_DR_CH1", "comboBox_DR_SW1",
    "comboBox_AttiM", "comboBox_EleMix", "comboBox_RuMix",
    "comboBox_PRM01_Mix", "comboBox_PRM01_Master", "comboBox_PRM01_Slave",
    "comboBox_PRM02_Mix", "comboBox_PRM02_Master", "comboBox_PRM02_Slave",
    "comboBox_PRM03_Mix", "comboBox_PRM03_Master", "comboBox_PRM03_Slave",
    "comboBox_PRM04_Mix", "comboBox_PRM04_Master", "comboBox_PRM04_Slave",
    "comboBox_DR_MIX2", "comboBox_DR_CH2", "comboBox_DR_SW2", "comboBox_DR_POSI",
    "comboBox_THCURE_MIX",
};

} // namespace

void TestDisplay::init()
{
    apptest::resetProcessState();
}

// One window for the whole table: every widget is checked after the same
// single refresh, so a widget written from a neighbour's field shows up too.
void TestDisplay::showsEveryField()
{
    MainWindow w;
    setShownFields();
    const ParamSet expected = paramSet;
    QStringList wrong;
    for (const Shown &s : shownFields) {
        bool found = false;
        if (widgetValue(w, QString::fromLatin1(s.widget), &found) == s.value)
            wrong << QStringLiteral("%1 shows the value before the refresh").arg(QLatin1String(s.widget));
        if (!found)
            wrong << QStringLiteral("%1 missing").arg(QLatin1String(s.widget));
    }
    QCOMPARE(wrong, QStringList());

    QVERIFY(refresh(w));
    for (const Shown &s : shownFields) {
        bool found = false;
        const int shown = widgetValue(w, QString::fromLatin1(s.widget), &found);
        if (shown != s.value)
            wrong << QStringLiteral("%1: %2, expected %3").arg(QLatin1String(s.widget)).arg(shown).arg(s.value);
    }
    QCOMPARE(wrong, QStringList());
    // Writing the widgets ran their handlers; they stored what the set held.
    QCOMPARE(paramDiff(paramSet, expected), QStringList());
}

void TestDisplay::showsVoltageAlarms()
{
    MainWindow w;
    setShownFields();
    const ParamSet expected = paramSet;

    QVERIFY(refresh(w));
    QCOMPARE(w.findChild<QDoubleSpinBox *>("doubleSpinBox_Volt")->value(), 23.4);
    QCOMPARE(w.findChild<QDoubleSpinBox *>("doubleSpinBox_rxVolt")->value(), 5.6);
    QCOMPARE(w.findChild<QDoubleSpinBox *>("doubleSpinBox_extVolt")->value(), 12.3);
    QCOMPARE(w.findChild<QDoubleSpinBox *>("doubleSpinBox_Volt")->text(), QStringLiteral("23.4"));
    QCOMPARE(paramDiff(paramSet, expected), QStringList());
}

void TestDisplay::outOfRangeFlowsBack_data()
{
    QTest::addColumn<QString>("widget");
    QTest::addColumn<QByteArray>("field");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("stored");
    QTest::addColumn<int>("shown");

    // Spin boxes clamp to their range. Each clamped value differs from the
    // form's start value, so the first refresh changes the box and its
    // handler sees the change.
    QTest::newRow("sub1 150") << "spinBox_sub1" << QByteArray("subTrim") << 1 << 150 << 100;
    QTest::newRow("sub8 -101") << "spinBox_sub8" << QByteArray("subTrim") << 8 << -101 << -100;
    QTest::newRow("Lepa2 -5") << "spinBox_Lepa2" << QByteArray("epaLeft") << 2 << -5 << 0;
    QTest::newRow("Repa3 121") << "spinBox_Repa3" << QByteArray("epaRight") << 3 << 121 << 120;
    QTest::newRow("FS4 200") << "spinBox_FS4" << QByteArray("failSafe") << 4 << 200 << 100;
    QTest::newRow("delay5 -1") << "spinBox_delay5" << QByteArray("servoDelay") << 5 << -1 << 0;
    QTest::newRow("Atti1 255") << "spinBox_Atti1" << QByteArray("attitude") << 1 << 255 << 100;
    QTest::newRow("Elev06 -120") << "spinBox_Elev06" << QByteArray("elevon") << 6 << -120 << -100;
    QTest::newRow("Ru2 130") << "spinBox_Ru2" << QByteArray("vtail") << 2 << 130 << 100;
    QTest::newRow("PRM03 up -50") << "spinBox_PRM03_Data2" << QByteArray("prmUpRate") << 3 << -50 << 0;
    QTest::newRow("PRM04 down -1") << "spinBox_PRM04_Data3" << QByteArray("prmDownRate") << 4 << -1 << 0;
    QTest::newRow("THCURE1 101") << "spinBox_THCURE_Data01" << QByteArray("thrCurve") << 1 << 101 << 100;
    QTest::newRow("mode 0") << "spinBox_Mode" << QByteArray("stickMode") << 0 << 0 << 1;
    QTest::newRow("mode 9") << "spinBox_Mode" << QByteArray("stickMode") << 0 << 9 << 4;
    QTest::newRow("version 5000") << "spinBox_Vertion" << QByteArray("firmwareVersion") << 0 << 5000 << 1000;
    QTest::newRow("rssi 5") << "spinBox_Rssi" << QByteArray("rssiAlarm") << 0 << 5 << 0;
    // An index past the items leaves the box with no current item.
    QTest::newRow("rev1 5") << "comboBox_rev1" << QByteArray("reverse") << 1 << 5 << -1;
    QTest::newRow("rev3 2") << "comboBox_rev3" << QByteArray("reverse") << 3 << 2 << -1;
    QTest::newRow("AUX5 6") << "comboBox_AUX5" << QByteArray("auxSource") << 5 << 6 << -1;
    QTest::newRow("AttiM 5") << "comboBox_AttiM" << QByteArray("attitudeChannel") << 0 << 5 << -1;
    QTest::newRow("EleMix 2") << "comboBox_EleMix" << QByteArray("elevonMix") << 0 << 2 << -1;
    QTest::newRow("PRM01 master 8") << "comboBox_PRM01_Master" << QByteArray("prmMaster") << 1 << 8 << -1;
    QTest::newRow("PRM04 slave 10") << "comboBox_PRM04_Slave" << QByteArray("prmSlave") << 4 << 10 << -1;
    QTest::newRow("PRM02 mix 3") << "comboBox_PRM02_Mix" << QByteArray("prmMix") << 2 << 3 << -1;
    QTest::newRow("THCURE mix 2") << "comboBox_THCURE_MIX" << QByteArray("thrCurveMix") << 0 << 2 << -1;
    QTest::newRow("POSI 2") << "comboBox_DR_POSI" << QByteArray("drPosition") << 0 << 2 << -1;
    QTest::newRow("CH1 4") << "comboBox_DR_CH1" << QByteArray("drChannel") << 0 << 4 << -1;
    QTest::newRow("CH2 4") << "comboBox_DR_CH2" << QByteArray("drChannel") << 0 << 4 << -1;
    // Both switch boxes clear; only the curve group's one has a handler.
    QTest::newRow("SW1 1") << "comboBox_DR_SW1" << QByteArray("drSwitch") << 0 << 1 << -1;
    QTest::newRow("SW2 2") << "comboBox_DR_SW2" << QByteArray("drSwitch") << 0 << 2 << -1;
}

void TestDisplay::outOfRangeFlowsBack()
{
    QFETCH(QString, widget);
    QFETCH(QByteArray, field);
    QFETCH(int, index);
    QFETCH(int, stored);
    QFETCH(int, shown);

    MainWindow &w = window();
    paramInt(paramSet, field, index) = stored;
    ParamSet expected = paramSet;
    paramInt(expected, field, index) = shown;

    QVERIFY(refresh(w));
    bool found = false;
    QCOMPARE(widgetValue(w, widget, &found), shown);
    QVERIFY(found);
    QCOMPARE(paramDiff(paramSet, expected), QStringList());

    // Settled: a further refresh changes nothing.
    QVERIFY(refresh(w));
    QCOMPARE(widgetValue(w, widget, &found), shown);
    QCOMPARE(paramDiff(paramSet, expected), QStringList());
}

void TestDisplay::outOfRangeVoltageFlowsBack_data()
{
    QTest::addColumn<QString>("widget");
    QTest::addColumn<QByteArray>("field");
    QTest::addColumn<double>("stored");
    QTest::addColumn<double>("shown");
    // The transmitter's alarm goes no higher than its frame field carries.
    QTest::newRow("tx 120") << "doubleSpinBox_Volt" << QByteArray("txAlarmVolt") << 120.0 << 23.9;
    QTest::newRow("rx -3") << "doubleSpinBox_rxVolt" << QByteArray("rxAlarmVolt") << -3.0 << 0.0;
    QTest::newRow("ext 100") << "doubleSpinBox_extVolt" << QByteArray("extAlarmVolt") << 100.0 << 99.9;
}

void TestDisplay::outOfRangeVoltageFlowsBack()
{
    QFETCH(QString, widget);
    QFETCH(QByteArray, field);
    QFETCH(double, stored);
    QFETCH(double, shown);

    MainWindow w;
    paramDouble(paramSet, field) = stored;
    QVERIFY(refresh(w));
    QCOMPARE(w.findChild<QDoubleSpinBox *>(widget)->value(), shown);
    QCOMPARE(paramDouble(paramSet, field), shown);
}

void TestDisplay::reservedAuxBoxesReturnToFirstItem_data()
{
    QTest::addColumn<QString>("widget");
    for (const char *name : {"comboBox_AUX1", "comboBox_AUX2", "comboBox_AUX3", "comboBox_AUX4"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void TestDisplay::reservedAuxBoxesReturnToFirstItem()
{
    QFETCH(QString, widget);

    MainWindow w;
    auto *box = w.findChild<QComboBox *>(widget);
    QVERIFY(box);
    box->setCurrentIndex(-1);
    QCOMPARE(box->currentIndex(), -1);
    QVERIFY(refresh(w));
    QCOMPARE(box->currentIndex(), 0);
}

// A channel change from outside the widgets (a read-back, a loaded file)
// shows in both groups at the same refresh, with the new channel's rates.
void TestDisplay::channelChangeMovesBothDualRateGroups()
{
    for (int i = 1; i <= 4; ++i) {
        paramSet.drRateUp[i] = 50 + i;
        paramSet.drRateDown[i] = 20 + i;
        paramSet.drExpoUp[i] = 5 * i;
    }
    MainWindow w;
    QVERIFY(apptest::invokeSlot(&w, "Dr_DataSelet"));
    QVERIFY(refresh(w));
    QCOMPARE(w.findChild<QSpinBox *>("spinBox_DR_UP1")->value(), 51);

    paramSet.drChannel = 3;
    QVERIFY(refresh(w));
    QCOMPARE(w.findChild<QComboBox *>("comboBox_DR_CH1")->currentIndex(), 3);
    QCOMPARE(w.findChild<QComboBox *>("comboBox_DR_CH2")->currentIndex(), 3);
    QCOMPARE(w.findChild<QSpinBox *>("spinBox_DR_UP1")->value(), 54);
    QCOMPARE(w.findChild<QSpinBox *>("spinBox_DR_DOWN1")->value(), 24);
    QCOMPARE(w.findChild<QSpinBox *>("spinBox_DR_RATE")->value(), 54);
    QCOMPARE(w.findChild<QSpinBox *>("spinBox_DR_EXP")->value(), 20);
    QCOMPARE(paramSet.drUp, 54);
    QCOMPARE(paramSet.drDown, 24);
}

void TestDisplay::typedTextSurvivesRefresh()
{
    MainWindow w;
    w.show();
    QApplication::setActiveWindow(&w);
    QVERIFY(QTest::qWaitForWindowActive(&w));
    auto *tabs = w.findChild<QTabWidget *>("tabWidget");
    auto *spin = w.findChild<QSpinBox *>("spinBox_sub1");
    QVERIFY(tabs && spin);
    tabs->setCurrentWidget(w.findChild<QWidget *>("tab_2"));
    QVERIFY(refresh(w));
    QCOMPARE(spin->value(), 0);

    spin->setFocus(Qt::TabFocusReason);
    spin->selectAll();
    QTest::keyClicks(spin, "-");
    QCOMPARE(spin->text(), QStringLiteral("-"));

    for (int i = 0; i < 3; ++i)
        QVERIFY(refresh(w));
    QTest::qWait(250); // timer ticks as well
    QCOMPARE(spin->text(), QStringLiteral("-"));
    QCOMPARE(paramSet.subTrim[1], 0);

    // A value that changes under the typing user still shows at once.
    paramSet.subTrim[1] = 42;
    QVERIFY(refresh(w));
    QCOMPARE(spin->value(), 42);
    QCOMPARE(spin->text(), QStringLiteral("42"));
    QCOMPARE(paramSet.subTrim[1], 42);
}

void TestDisplay::hoverSwapsSheet_data()
{
    QTest::addColumn<QString>("widget");
    for (const char *name : watchedBoxes)
        QTest::newRow(name) << QString::fromLatin1(name);
}

void TestDisplay::hoverSwapsSheet()
{
    QFETCH(QString, widget);

    const QString dwell = resourceText(":/comboBox_REV.qss");
    const QString normal = resourceText(":/comboBox.qss");
    QVERIFY(!dwell.isEmpty() && !normal.isEmpty() && dwell != normal);

    MainWindow &w = window();
    auto *box = w.findChild<QComboBox *>(widget);
    QVERIFY(box);
    // A neighbour that is not hovered keeps its sheet all along.
    auto *other = w.findChild<QComboBox *>(widget == "comboBox_rev1" ? "comboBox_rev2" : "comboBox_rev1");
    other->setStyleSheet(QStringLiteral("/* untouched */"));
    box->setStyleSheet(QString());

    box->setAttribute(Qt::WA_UnderMouse, true);
    for (int i = 1; i <= 19; ++i) {
        QVERIFY(refresh(w));
        QVERIFY2(box->styleSheet().isEmpty(), qPrintable(QStringLiteral("refresh %1").arg(i)));
    }
    QVERIFY(refresh(w));
    QCOMPARE(box->styleSheet(), dwell);
    // Applied again at every refresh while the pointer stays.
    for (int i = 0; i < 2; ++i) {
        box->setStyleSheet(QString());
        QVERIFY(refresh(w));
        QCOMPARE(box->styleSheet(), dwell);
    }

    // Leaving puts the normal sheet back once.
    box->setAttribute(Qt::WA_UnderMouse, false);
    QVERIFY(refresh(w));
    QCOMPARE(box->styleSheet(), normal);
    box->setStyleSheet(QString());
    for (int i = 0; i < 3; ++i)
        QVERIFY(refresh(w));
    QCOMPARE(box->styleSheet(), QString());

    // Hover time below the threshold is kept across leaving.
    box->setAttribute(Qt::WA_UnderMouse, true);
    for (int i = 0; i < 10; ++i)
        QVERIFY(refresh(w));
    box->setAttribute(Qt::WA_UnderMouse, false);
    for (int i = 0; i < 5; ++i)
        QVERIFY(refresh(w));
    QCOMPARE(box->styleSheet(), QString());
    box->setAttribute(Qt::WA_UnderMouse, true);
    for (int i = 1; i <= 9; ++i) {
        QVERIFY(refresh(w));
        QVERIFY2(box->styleSheet().isEmpty(), qPrintable(QStringLiteral("second hover, refresh %1").arg(i)));
    }
    QVERIFY(refresh(w));
    QCOMPARE(box->styleSheet(), dwell);

    QCOMPARE(other->styleSheet(), QStringLiteral("/* untouched */"));
    // Leave the shared window with its counter at rest for the next row.
    box->setAttribute(Qt::WA_UnderMouse, false);
    QVERIFY(refresh(w));
}

void TestDisplay::stickTrims_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QStringList>("texts");

    // Trims 0, 240, 120, 157: shown as -120, 120, 0, 37.
    QTest::newRow("mode 1") << 1 << QStringList{"-120", "120", "0", "37"};
    QTest::newRow("mode 2") << 2 << QStringList{"-120", "0", "120", "37"};
    QTest::newRow("mode 3") << 3 << QStringList{"37", "120", "0", "-120"};
    QTest::newRow("mode 4") << 4 << QStringList{"37", "0", "120", "-120"};
    QTest::newRow("mode 0") << 0 << QStringList{"37", "0", "120", "-120"};
}

void TestDisplay::stickTrims()
{
    QFETCH(int, mode);
    QFETCH(QStringList, texts);

    MainWindow &w = window();
    paramSet.stickTrim[1] = 0;
    paramSet.stickTrim[2] = 240;
    paramSet.stickTrim[3] = 120;
    paramSet.stickTrim[4] = 157;
    paramSet.stickMode = mode;
    // Mode 0 is below the mode box's range, which would turn it into 1 in a
    // full refresh; the trim texts alone show how it is read.
    QVERIFY(apptest::invokeSlot(&w, mode >= 1 ? "ui_Display" : "StkTrim_Display"));
    QStringList shown;
    for (int k = 1; k <= 4; ++k) {
        auto *edit = w.findChild<QLineEdit *>(QStringLiteral("lineEdit_Trim_%1").arg(k));
        QVERIFY(edit);
        shown << edit->text();
    }
    QCOMPARE(shown, texts);
}

void TestDisplay::liveTexts_data()
{
    QTest::addColumn<QString>("widget");
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<int>("raw");
    QTest::addColumn<QString>("text");

    QTest::newRow("tx 0") << "lineEdit_TX" << QByteArray("tx") << 0 << " 0.0V";
    QTest::newRow("tx 999") << "lineEdit_TX" << QByteArray("tx") << 999 << " 9.9V";
    QTest::newRow("tx 1000") << "lineEdit_TX" << QByteArray("tx") << 1000 << "10.0 V";
    QTest::newRow("tx 1299") << "lineEdit_TX" << QByteArray("tx") << 1299 << "12.9 V";
    QTest::newRow("tx 740") << "lineEdit_TX" << QByteArray("tx") << 740 << " 7.4V";
    for (const char *which : {"ext", "rx"}) {
        const QString widget = QStringLiteral("lineEdit_%1").arg(QString::fromLatin1(which).toUpper());
        QTest::addRow("%s 99", which) << widget << QByteArray(which) << 99 << " 9.9V";
        QTest::addRow("%s 100", which) << widget << QByteArray(which) << 100 << "10.0 V";
        QTest::addRow("%s 5", which) << widget << QByteArray(which) << 5 << " 0.5V";
        QTest::addRow("%s 123", which) << widget << QByteArray(which) << 123 << "12.3 V";
    }
    QTest::newRow("rssi 0") << "lineEdit_RSSI" << QByteArray("rssi") << 0 << "null";
    QTest::newRow("rssi 1") << "lineEdit_RSSI" << QByteArray("rssi") << 1 << "-99dBm";
    QTest::newRow("rssi 40") << "lineEdit_RSSI" << QByteArray("rssi") << 40 << "-60dBm";
    QTest::newRow("rssi 55") << "lineEdit_RSSI" << QByteArray("rssi") << 55 << "-45dBm";
    QTest::newRow("rssi 100") << "lineEdit_RSSI" << QByteArray("rssi") << 100 << "-00dBm";
    // Off the device's scale: shown as the strongest signal.
    QTest::newRow("rssi 101") << "lineEdit_RSSI" << QByteArray("rssi") << 101 << "-00dBm";
    QTest::newRow("rssi 255") << "lineEdit_RSSI" << QByteArray("rssi") << 255 << "-00dBm";
}

void TestDisplay::liveTexts()
{
    QFETCH(QString, widget);
    QFETCH(QByteArray, value);
    QFETCH(int, raw);
    QFETCH(QString, text);

    MainWindow &w = window();
    auto *edit = w.findChild<QLineEdit *>(widget);
    QVERIFY(edit);
    edit->setText(QStringLiteral("stale"));
    if (value == "tx")
        liveValues.txVoltage = raw;
    else if (value == "ext")
        liveValues.extVoltage = raw;
    else if (value == "rx")
        liveValues.rxVoltage = raw;
    else
        liveValues.rssiValue = raw;
    QVERIFY(refresh(w));
    QCOMPARE(edit->text(), text);
}

void TestDisplay::channelBars_data()
{
    QTest::addColumn<int>("channel");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("upper");
    QTest::addColumn<int>("lower");

    QTest::newRow("CH1 0") << 1 << 0 << 1010 << 1000;
    QTest::newRow("CH2 999") << 2 << 999 << 11 << 1000;
    QTest::newRow("CH3 1000") << 3 << 1000 << 10 << 1000;
    QTest::newRow("CH4 1001") << 4 << 1001 << 10 << 999;
    QTest::newRow("CH5 2000") << 5 << 2000 << 10 << 0;
    QTest::newRow("CH6 500") << 6 << 500 << 510 << 1000;
    QTest::newRow("CH7 1500") << 7 << 1500 << 10 << 500;
    QTest::newRow("CH8 1") << 8 << 1 << 1009 << 1000;
}

void TestDisplay::channelBars()
{
    QFETCH(int, channel);
    QFETCH(int, value);
    QFETCH(int, upper);
    QFETCH(int, lower);

    MainWindow &w = window();
    // Every other channel sits at 1700 (upper 10, lower 300).
    for (int n = 1; n <= 8; ++n)
        liveValues.channel(n) = n == channel ? value : 1700;
    QVERIFY(refresh(w));

    for (int n = 1; n <= 8; ++n) {
        const QString text = n == 1 ? QStringLiteral("lineEdit") : QStringLiteral("lineEdit_%1").arg(n);
        auto *edit = w.findChild<QLineEdit *>(text);
        auto *up = w.findChild<QProgressBar *>(QStringLiteral("progressBar_%1").arg(10 * n));
        auto *down = w.findChild<QProgressBar *>(QStringLiteral("progressBar_%1").arg(10 * n + 1));
        QVERIFY(edit && up && down);
        const bool mine = n == channel;
        QCOMPARE(edit->text(), mine ? QString::number(value) : QStringLiteral("1700"));
        QCOMPARE(up->value(), mine ? upper : 10);
        QCOMPARE(down->value(), mine ? lower : 300);
    }
}

QTEST_MAIN(TestDisplay)
#include "tst_display.moc"
