// The binding table without a window: every value the frames carry has a
// row, the names and item texts come from the form, values read as the pages
// show them.

#include <QSet>
#include <QtTest>

#include "bindings.h"
#include "frames.h"

namespace {

QString u8(const char *text)
{
    return QString::fromUtf8(text);
}

} // namespace

class BindingsTest : public QObject
{
    Q_OBJECT

private slots:
    void everyCarriedValueHasARow();
    void rowsAreWellFormed();
    void valueTexts_data();
    void valueTexts();
    void pagesAreTheFormsTabs();
    void sentValuesAsTheFrameCarriesThem();
    void differenceLeavesOtherValuesAlone();
};

// A value the transmitter gets without a row would never be reviewed.
void BindingsTest::everyCarriedValueHasARow()
{
    QStringList missing;
    for (int frame = FrameS; frame <= FrameI; ++frame) {
        const FrameLayout &layout = frameLayout(frame);
        for (int i = 0; i < layout.count; ++i) {
            const FrameField &f = layout.fields[i];
            if (f.code == Code::L || f.code == Code::K6)
                continue;
            const Binding *b = bindingOf(f.field, f.index);
            if (!b || !bindingSent(*b))
                missing << elementName(f.field, f.index);
        }
    }
    QCOMPARE(missing, QStringList());
}

void BindingsTest::rowsAreWellFormed()
{
    QSet<QByteArray> widgets;
    QSet<QString> names;
    int previousPage = 1;
    for (const Binding &b : bindings()) {
        QVERIFY2(b.page >= previousPage && b.page <= 5, b.name);
        previousPage = b.page;
        if (b.widget) {
            QVERIFY2(!widgets.contains(b.widget), b.widget);
            widgets.insert(b.widget);
        }
        // Two widgets of one field (the dual-rate groups) share its name.
        const QString name = bindingName(b);
        QVERIFY2(!name.contains(QLatin1String("%1")), b.name);
        if (b.widget && names.contains(name))
            QVERIFY2(b.page == 3, qPrintable(name));
        names.insert(name);
        if (b.show == Show::Item)
            QVERIFY2(!bindingValueText(b, ParamSet()).startsWith(QLatin1Char('#')), b.name);
    }
}

void BindingsTest::valueTexts_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<int>("element");
    QTest::addColumn<int>("value"); // -1000: the start value
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    auto row = [](const char *tag, Field f, int e, int v, const char *name, const char *text) {
        QTest::newRow(tag) << int(f) << e << v << u8(name) << u8(text);
    };
    row("item", Field::reverse, 3, -1000, "舵机相位 CH3", "反相");
    row("aux item", Field::auxSource, 5, -1000, "辅助通道 CH5", "SwB");
    row("index the box lacks", Field::prmMaster, 2, 9, "混控2 主控", "#9");
    row("number", Field::subTrim, 4, 6, "副微调 CH4", "6");
    row("percent", Field::epaRight, 8, -1000, "舵机行程 R CH8", "96%");
    row("table without widget", Field::drExpoDown, 2, -40, "大小舵 CH2 下档指数", "-40%");
    row("volts", Field::txAlarmVoltX10, 0, -1000, "发射机报警电压", "11.0 V");
    row("dBm", Field::rssiAlarm, 0, -1000, "RSSI 报警", "-100 dBm");
    row("trim", Field::stickTrim, 2, 100, "微调2", "-20");
}

void BindingsTest::valueTexts()
{
    QFETCH(int, field);
    QFETCH(int, element);
    QFETCH(int, value);
    QFETCH(QString, name);
    QFETCH(QString, text);
    const Binding *b = bindingOf(Field(field), element);
    QVERIFY(b);
    ParamSet set;
    if (value != -1000)
        fieldRef(set, b->field, b->element) = value;
    QCOMPARE(bindingName(*b), name);
    QCOMPARE(bindingValueText(*b, set), text);
}

void BindingsTest::pagesAreTheFormsTabs()
{
    const QStringList expected = {u8("基础菜单"), u8("高级菜单1"), u8("高级菜单2"), u8("混控设置"), u8("系统设置")};
    QStringList pages;
    for (int page = 1; page <= 5; ++page)
        pages << pageName(page);
    QCOMPARE(pages, expected);
    QCOMPARE(formItemTexts("comboBox_PRM01_Mix"), QStringList({u8("禁止"), u8("关闭"), u8("打开")}));
}

// A voltage above what the field carries is shown as it will go out.
void BindingsTest::sentValuesAsTheFrameCarriesThem()
{
    ParamSet set;
    set.txAlarmVolt = 45.9;
    set.rxAlarmVolt = 4.25;
    const ParamSet sent = asSent(set);
    QCOMPARE(bindingValueText(*bindingOf(Field::txAlarmVoltX10, 0), sent), u8("23.9 V"));
    QCOMPARE(bindingValueText(*bindingOf(Field::rxAlarmVoltX10, 0), sent), u8("4.2 V"));
    QVERIFY(bindingSame(*bindingOf(Field::subTrim, 1), set, sent));
}

void BindingsTest::differenceLeavesOtherValuesAlone()
{
    ParamSet before;
    ParamSet after = before;
    after.subTrim[2] = 40;
    after.extAlarmVolt = 9.5;
    ParamSet target = before;
    target.stickTrim[1] = 99; // moved meanwhile by telemetry
    applyDifference(before, after, target);
    QCOMPARE(target.subTrim[2], 40);
    QCOMPARE(target.extAlarmVolt, 9.5);
    QCOMPARE(target.stickTrim[1], 99);
    applyDifference(after, before, target);
    QCOMPARE(target.subTrim[2], 0);
    QCOMPARE(target.stickTrim[1], 99);
}

QTEST_GUILESS_MAIN(BindingsTest)
#include "tst_bindings.moc"
