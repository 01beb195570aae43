// Edit handlers: every settings widget stores its value into its field of
// the Parameter set, and the two dual-rate groups edit the same tables.

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QMetaMethod>
#include <QSet>
#include <QSpinBox>
#include <QVector>
#include <QtTest>

#include <initializer_list>
#include <memory>

#include "filetest.h"
#include "mainwindow.h"
#include "paramset.h"
#include "qtwarnings.h"

class TestHandlers : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { testsupport::failOnUnexpectedWarnings(); }
    void init();

    void plainHandlerStoresField_data();
    void plainHandlerStoresField();
    void voltageHandlerLeavesCompanion_data();
    void voltageHandlerLeavesCompanion();
    void widgetWithoutHandlerChangesNothing_data();
    void widgetWithoutHandlerChangesNothing();
    void everyEditSlotIsTested();

    void dualRateSelectionFollowsEdits();
    void dualRateChannel4WritesNoTable_data();
    void dualRateChannel4WritesNoTable();
    void dualRatePositionAboveOneIsDown_data();
    void dualRatePositionAboveOneIsDown();
    void curveChannelBoxStoresChannelOnly();

private:
    static void refresh(MainWindow &w)
    {
        QVERIFY(QMetaObject::invokeMethod(&w, "ui_Display", Qt::DirectConnection));
    }
    static void setWidget(MainWindow &w, const QString &name, int value);
    static void checkSelectionInvariants();

    std::unique_ptr<MainWindow> m_window; // shared by the rows of the plain table
};

namespace {

struct PlainRow {
    QString widget;
    QByteArray field;
    int index;
    int value;
};

// Values differ from the Initial values of the fields and from the form's
// start values of the widgets, so a missing store cannot go unnoticed.
QVector<PlainRow> buildPlainRows()
{
    QVector<PlainRow> rows;
    auto row = [&rows](const QString &widget, const char *field, int index, int value) {
        rows.append({widget, QByteArray(field), index, value});
    };
    // One family of widgets name<first>..: field[first..], one value each.
    auto family = [&row](const char *pattern, const char *field, int first,
                         std::initializer_list<int> values) {
        int i = first;
        for (int v : values) {
            row(QString::fromLatin1(pattern).arg(i), field, i, v);
            ++i;
        }
    };

    family("comboBox_rev%1", "reverse", 1, {1, 1, 0, 1, 1, 1, 1, 1});
    family("spinBox_sub%1", "subTrim", 1, {-100, 100, -1, 7, -55, 63, 99, -12});
    family("spinBox_Lepa%1", "epaLeft", 1, {0, 120, 1, 50, 97, 95, 110, 33});
    family("spinBox_Repa%1", "epaRight", 1, {120, 0, 44, 95, 8, 119, 60, 101});
    family("spinBox_FS%1", "failSafe", 1, {0, 100, 1, 49, 51, 77, 12, 99});
    family("spinBox_delay%1", "servoDelay", 1, {0, 99, 50, 1, 25, 75, 13, 88});
    family("comboBox_AUX%1", "auxSource", 5, {4, 5, 2, 3});
    row("comboBox_DR_MIX1", "drMix", 0, 1);
    row("comboBox_DR_MIX2", "drMix", 0, 1);
    row("comboBox_DR_CH2", "drChannel", 0, 3);
    // The switch box has one item; no selection is the only other index.
    row("comboBox_DR_SW2", "drSwitch", 0, -1);
    row("spinBox_Rssi", "rssiAlarm", 0, -37);
    row("spinBox_Mode", "stickMode", 0, 4);
    row("spinBox_Vertion", "firmwareVersion", 0, 1000);
    row("comboBox_AttiM", "attitudeChannel", 0, 1);
    family("spinBox_Atti%1", "attitude", 1, {0, 100, 45, 57, 70, 1});
    row("comboBox_EleMix", "elevonMix", 0, 1);
    family("spinBox_Elev0%1", "elevon", 1, {-100, 0, 99, 100, -99, 3});
    row("comboBox_RuMix", "vtailMix", 0, 1);
    family("spinBox_Ru%1", "vtail", 1, {-100, 100, 0, -51});
    for (int n = 1; n <= 4; ++n) {
        const QString mix = QStringLiteral("PRM0%1_").arg(n);
        row("comboBox_" + mix + "Mix", "prmMix", n, n % 2 ? 2 : 1);
        row("comboBox_" + mix + "Master", "prmMaster", n, 3 + n);
        row("comboBox_" + mix + "Slave", "prmSlave", n, 8 - n);
        // Mixes 3 and 4 limit their sides to 0..100.
        row("spinBox_" + mix + "Data1", "prmOffset", n, -100 + 7 * n);
        row("spinBox_" + mix + "Data2", "prmUpRate", n, n <= 2 ? -60 - n : 60 + n);
        row("spinBox_" + mix + "Data3", "prmDownRate", n, n <= 2 ? -30 - n : 30 + n);
    }
    row("comboBox_THCURE_MIX", "thrCurveMix", 0, 1);
    family("spinBox_THCURE_Data0%1", "thrCurve", 1, {100, 0, 34, 49, 68, 83, 99});
    return rows;
}

const QVector<PlainRow> &plainRows()
{
    static const QVector<PlainRow> rows = buildPlainRows();
    return rows;
}

const char *const voltageWidgets[] = {"doubleSpinBox_Volt", "doubleSpinBox_rxVolt",
                                      "doubleSpinBox_extVolt"};
const char *const dualRateWidgets[] = {"comboBox_DR_CH1", "comboBox_DR_POSI", "spinBox_DR_UP1",
                                       "spinBox_DR_DOWN1", "spinBox_DR_RATE", "spinBox_DR_EXP"};

} // namespace

void TestHandlers::init()
{
    paramSet = ParamSet();
    liveValues = LiveValues();
    frameTexts = FrameTexts();
    loadFileText.clear();
}

void TestHandlers::setWidget(MainWindow &w, const QString &name, int value)
{
    if (auto *spin = w.findChild<QSpinBox *>(name)) {
        QVERIFY2(spin->value() != value, "test value equals the widget's value: no signal");
        spin->setValue(value);
        QCOMPARE(spin->value(), value);
        return;
    }
    auto *combo = w.findChild<QComboBox *>(name);
    QVERIFY2(combo, qPrintable(name));
    QVERIFY2(combo->currentIndex() != value, "test index equals the box's index: no signal");
    QVERIFY(value < combo->count());
    combo->setCurrentIndex(value);
    QCOMPARE(combo->currentIndex(), value);
}

void TestHandlers::plainHandlerStoresField_data()
{
    QTest::addColumn<QString>("widget");
    QTest::addColumn<QByteArray>("field");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("value");
    for (const PlainRow &r : plainRows())
        QTest::newRow(qPrintable(r.widget)) << r.widget << r.field << r.index << r.value;
}

void TestHandlers::plainHandlerStoresField()
{
    QFETCH(QString, widget);
    QFETCH(QByteArray, field);
    QFETCH(int, index);
    QFETCH(int, value);

    // One window for all rows, each editing a widget of its own; the refresh
    // shows the start values again.
    if (!m_window)
        m_window = std::make_unique<MainWindow>();
    MainWindow &w = *m_window;
    refresh(w);
    QVERIFY2(paramInt(paramSet, field, index) != value, "test value equals the field's value");
    ParamSet expected = paramSet;
    paramInt(expected, field, index) = value;

    setWidget(w, widget, value);
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(paramDiff(paramSet, expected), QStringList());
}

void TestHandlers::voltageHandlerLeavesCompanion_data()
{
    QTest::addColumn<QString>("widget");
    QTest::addColumn<QByteArray>("field");
    QTest::addColumn<double>("value");
    QTest::addColumn<QByteArray>("companion");
    QTest::addColumn<int>("companionValue");

    QTest::newRow("tx") << "doubleSpinBox_Volt" << QByteArray("txAlarmVolt") << 4.2
                        << QByteArray("txAlarmVoltX10") << 37;
    QTest::newRow("rx") << "doubleSpinBox_rxVolt" << QByteArray("rxAlarmVolt") << 7.5
                        << QByteArray("rxAlarmVoltX10") << 40;
    QTest::newRow("ext") << "doubleSpinBox_extVolt" << QByteArray("extAlarmVolt") << 99.9
                         << QByteArray("extAlarmVoltX10") << 110;
}

void TestHandlers::voltageHandlerLeavesCompanion()
{
    QFETCH(QString, widget);
    QFETCH(QByteArray, field);
    QFETCH(double, value);
    QFETCH(QByteArray, companion);
    QFETCH(int, companionValue);

    MainWindow w;
    auto *box = w.findChild<QDoubleSpinBox *>(widget);
    QVERIFY(box);
    ParamSet expected = paramSet;
    paramDouble(expected, field.constData()) = value;

    box->setValue(value);
    QCOMPARE(paramDouble(paramSet, field.constData()), value);
    QCOMPARE(paramInt(paramSet, companion), companionValue);
    QCOMPARE(paramDiff(paramSet, expected), QStringList());
}

void TestHandlers::widgetWithoutHandlerChangesNothing_data()
{
    QTest::addColumn<QString>("widget");
    for (const char *name : {"comboBox_AUX1", "comboBox_AUX2", "comboBox_AUX3", "comboBox_AUX4",
                             "comboBox_DR_SW1", "comboBox_PRM02_Master_2"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void TestHandlers::widgetWithoutHandlerChangesNothing()
{
    QFETCH(QString, widget);

    MainWindow w;
    auto *combo = w.findChild<QComboBox *>(widget);
    QVERIFY(combo);
    QCOMPARE(combo->count(), 1);
    const ParamSet before = paramSet;
    QSignalSpy changed(combo, SIGNAL(currentIndexChanged(int)));

    // One item: clearing the selection is the only change a box can make.
    combo->setCurrentIndex(-1);
    QCOMPARE(changed.count(), 1);
    combo->setCurrentIndex(0);
    QCOMPARE(changed.count(), 2);
    QCOMPARE(paramDiff(paramSet, before), QStringList());
}

// Guards the tables above: an edit slot nobody tests would go unnoticed.
void TestHandlers::everyEditSlotIsTested()
{
    MainWindow w;
    QSet<QString> covered;
    for (const PlainRow &r : plainRows())
        covered.insert(r.widget);
    for (const char *name : voltageWidgets)
        covered.insert(QString::fromLatin1(name));
    for (const char *name : dualRateWidgets)
        covered.insert(QString::fromLatin1(name));

    QStringList untested;
    int editSlots = 0;
    const QMetaObject *mo = w.metaObject();
    for (int i = mo->methodOffset(); i < mo->methodCount(); ++i) {
        const QString name = QString::fromLatin1(mo->method(i).name());
        if (!name.startsWith(QLatin1String("on_")))
            continue;
        QString widget;
        for (const char *signal : {"_valueChanged", "_currentIndexChanged"})
            if (name.endsWith(QLatin1String(signal)))
                widget = name.mid(3, name.size() - 3 - int(qstrlen(signal)));
        if (widget.isEmpty())
            continue;
        ++editSlots;
        QVERIFY2(w.findChild<QWidget *>(widget), qPrintable("slot without widget: " + name));
        if (!covered.contains(widget))
            untested << widget;
    }
    QCOMPARE(untested, QStringList());
    // 110 plain, 3 voltage and 6 dual-rate slots.
    QCOMPARE(editSlots, 119);
}

void TestHandlers::checkSelectionInvariants()
{
    const int c = paramSet.drChannel;
    QVERIFY(c >= 0 && c <= 3);
    QCOMPARE(paramSet.drUp, paramSet.drRateUp[c + 1]);
    QCOMPARE(paramSet.drDown, paramSet.drRateDown[c + 1]);
    if (paramSet.drPosition == 0) {
        QCOMPARE(paramSet.drCurveRate, paramSet.drRateUp[c + 1]);
        QCOMPARE(paramSet.drCurveExpo, paramSet.drExpoUp[c + 1]);
    } else {
        QCOMPARE(paramSet.drCurveRate, paramSet.drRateDown[c + 1]);
        QCOMPARE(paramSet.drCurveExpo, paramSet.drExpoDown[c + 1]);
    }
}

// Edits alternate between the group on page 2 and the curve group on page 3;
// after each edit (and after the refresh that follows it) both views agree.
void TestHandlers::dualRateSelectionFollowsEdits()
{
    const int rateUp[5] = {0, 81, 82, 83, 84};
    const int rateDown[5] = {0, 71, 72, 73, 74};
    const int expoUp[5] = {0, 11, 12, 13, 14};
    const int expoDown[5] = {0, -21, -22, -23, -24};
    for (int i = 1; i <= 4; ++i) {
        paramSet.drRateUp[i] = rateUp[i];
        paramSet.drRateDown[i] = rateDown[i];
        paramSet.drExpoUp[i] = expoUp[i];
        paramSet.drExpoDown[i] = expoDown[i];
    }
    MainWindow w;
    QVERIFY(QMetaObject::invokeMethod(&w, "Dr_DataSelet", Qt::DirectConnection));
    refresh(w);
    checkSelectionInvariants();
    QCOMPARE(paramSet.drUp, 81);

    struct Step {
        const char *widget;
        int value;
        // The table entries the edit must leave behind.
        int rateUp3, rateDown3, expoUp3, expoDown3;
    };
    const Step steps[] = {
        {"comboBox_DR_CH1", 2, 83, 73, 13, -23},
        {"spinBox_DR_UP1", 33, 33, 73, 13, -23},
        {"spinBox_DR_DOWN1", 44, 33, 44, 13, -23},
        {"comboBox_DR_POSI", 1, 33, 44, 13, -23},
        {"spinBox_DR_RATE", 55, 33, 55, 13, -23},
        {"spinBox_DR_EXP", -66, 33, 55, 13, -66},
        {"comboBox_DR_POSI", 0, 33, 55, 13, -66},
        {"spinBox_DR_EXP", 22, 33, 55, 22, -66},
        {"spinBox_DR_RATE", 11, 11, 55, 22, -66},
        {"spinBox_DR_DOWN1", 99, 11, 99, 22, -66},
    };
    for (const Step &s : steps) {
        const QByteArray where = QByteArray(s.widget) + " = " + QByteArray::number(s.value);
        setWidget(w, QString::fromLatin1(s.widget), s.value);
        if (QTest::currentTestFailed())
            QFAIL(where.constData());
        QCOMPARE(paramSet.drChannel, 2);
        QCOMPARE(paramSet.drRateUp[3], s.rateUp3);
        QCOMPARE(paramSet.drRateDown[3], s.rateDown3);
        QCOMPARE(paramSet.drExpoUp[3], s.expoUp3);
        QCOMPARE(paramSet.drExpoDown[3], s.expoDown3);
        checkSelectionInvariants();
        if (QTest::currentTestFailed())
            QFAIL(where.constData());

        refresh(w);
        checkSelectionInvariants();
        QCOMPARE(w.findChild<QSpinBox *>("spinBox_DR_UP1")->value(), paramSet.drUp);
        QCOMPARE(w.findChild<QSpinBox *>("spinBox_DR_DOWN1")->value(), paramSet.drDown);
        QCOMPARE(w.findChild<QSpinBox *>("spinBox_DR_RATE")->value(), paramSet.drCurveRate);
        QCOMPARE(w.findChild<QSpinBox *>("spinBox_DR_EXP")->value(), paramSet.drCurveExpo);
        QCOMPARE(w.findChild<QComboBox *>("comboBox_DR_CH2")->currentIndex(), 2);
        if (QTest::currentTestFailed())
            QFAIL(where.constData());
    }

    // The other channels' entries were never touched.
    for (int i : {1, 2, 4}) {
        QCOMPARE(paramSet.drRateUp[i], rateUp[i]);
        QCOMPARE(paramSet.drRateDown[i], rateDown[i]);
        QCOMPARE(paramSet.drExpoUp[i], expoUp[i]);
        QCOMPARE(paramSet.drExpoDown[i], expoDown[i]);
    }
}

void TestHandlers::dualRateChannel4WritesNoTable_data()
{
    QTest::addColumn<QString>("widget");
    QTest::addColumn<QByteArray>("copy");
    QTest::addColumn<int>("value");
    QTest::newRow("up") << "spinBox_DR_UP1" << QByteArray("drUp") << 37;
    QTest::newRow("down") << "spinBox_DR_DOWN1" << QByteArray("drDown") << 38;
    QTest::newRow("rate") << "spinBox_DR_RATE" << QByteArray("drCurveRate") << 39;
    QTest::newRow("expo") << "spinBox_DR_EXP" << QByteArray("drCurveExpo") << -40;
}

// Channel 4 passes the range rules but has no table entry.
void TestHandlers::dualRateChannel4WritesNoTable()
{
    QFETCH(QString, widget);
    QFETCH(QByteArray, copy);
    QFETCH(int, value);

    paramSet.drChannel = 4;
    MainWindow w;
    ParamSet expected = paramSet;
    paramInt(expected, copy) = value;

    setWidget(w, widget, value);
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(paramDiff(paramSet, expected), QStringList());
}

void TestHandlers::dualRatePositionAboveOneIsDown_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("widget");
    QTest::addColumn<int>("value");
    QTest::addColumn<QByteArray>("downTable");
    QTest::addColumn<QByteArray>("copy");
    for (int pos : {1, 2, 3, 4}) {
        QTest::addRow("rate at %d", pos) << pos << "spinBox_DR_RATE" << 42 << QByteArray("drRateDown")
                                         << QByteArray("drCurveRate");
        QTest::addRow("expo at %d", pos) << pos << "spinBox_DR_EXP" << -42 << QByteArray("drExpoDown")
                                         << QByteArray("drCurveExpo");
    }
}

void TestHandlers::dualRatePositionAboveOneIsDown()
{
    QFETCH(int, position);
    QFETCH(QString, widget);
    QFETCH(int, value);
    QFETCH(QByteArray, downTable);
    QFETCH(QByteArray, copy);

    paramSet.drChannel = 1;
    paramSet.drPosition = position;
    MainWindow w;
    ParamSet expected = paramSet;
    paramInt(expected, downTable, 2) = value;
    paramInt(expected, copy) = value;
    if (downTable == "drRateDown")
        expected.drDown = value; // the selection copy of channel 2's DOWN rate

    setWidget(w, widget, value);
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(paramDiff(paramSet, expected), QStringList());
}

void TestHandlers::curveChannelBoxStoresChannelOnly()
{
    for (int i = 1; i <= 4; ++i) {
        paramSet.drRateUp[i] = 60 + i;
        paramSet.drRateDown[i] = 40 + i;
        paramSet.drExpoUp[i] = 10 * i;
        paramSet.drExpoDown[i] = -10 * i;
    }
    MainWindow w;
    QVERIFY(QMetaObject::invokeMethod(&w, "Dr_DataSelet", Qt::DirectConnection));
    refresh(w);
    QCOMPARE(paramSet.drUp, 61);
    ParamSet expected = paramSet;
    expected.drChannel = 3;

    setWidget(w, QStringLiteral("comboBox_DR_CH2"), 3);
    QCOMPARE(paramDiff(paramSet, expected), QStringList());

    // The next refresh moves the page-2 channel box, whose handler selects.
    refresh(w);
    QCOMPARE(w.findChild<QComboBox *>("comboBox_DR_CH1")->currentIndex(), 3);
    QCOMPARE(paramSet.drUp, 64);
    QCOMPARE(paramSet.drDown, 44);
    QCOMPARE(paramSet.drCurveRate, 64);
    QCOMPARE(paramSet.drCurveExpo, 40);
    QCOMPARE(w.findChild<QSpinBox *>("spinBox_DR_UP1")->value(), 64);
    QCOMPARE(w.findChild<QSpinBox *>("spinBox_DR_DOWN1")->value(), 44);
    QCOMPARE(w.findChild<QSpinBox *>("spinBox_DR_RATE")->value(), 64);
    QCOMPARE(w.findChild<QSpinBox *>("spinBox_DR_EXP")->value(), 40);
}

QTEST_MAIN(TestHandlers)
#include "tst_handlers.moc"
