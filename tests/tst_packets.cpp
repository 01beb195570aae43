#include <QtTest>

#include "fields.h"
#include "packets.h"
#include "paramset.h"
#include "rules.h"
#include "coretest.h"
#include "qtwarnings.h"

namespace {

QByteArray hex(const char *text)
{
    return QByteArray::fromHex(QByteArray(text).replace(' ', ""));
}

const FieldExtent *extentByName(const QByteArray &name)
{
    for (int k = 0; k < allFieldCount; ++k)
        if (name == allFields[k].name)
            return &allFields[k];
    return nullptr;
}

// Applies "name=value name[i]=value ..." to p; the three alarm voltages are
// given by their names.
bool applyExpectations(ParamSet &p, const QString &list)
{
    for (const QString &item : list.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const int eq = item.indexOf(QLatin1Char('='));
        if (eq < 0)
            return false;
        QString name = item.left(eq);
        const QString value = item.mid(eq + 1);
        if (name == QLatin1String("txAlarmVolt")) {
            p.txAlarmVolt = value.toDouble();
            continue;
        }
        if (name == QLatin1String("rxAlarmVolt")) {
            p.rxAlarmVolt = value.toDouble();
            continue;
        }
        if (name == QLatin1String("extAlarmVolt")) {
            p.extAlarmVolt = value.toDouble();
            continue;
        }
        int index = 0;
        const int bracket = name.indexOf(QLatin1Char('['));
        if (bracket >= 0) {
            index = name.mid(bracket + 1, name.size() - bracket - 2).toInt();
            name = name.left(bracket);
        }
        const FieldExtent *e = extentByName(name.toLatin1());
        if (!e || index < e->first || index > e->last)
            return false;
        fieldRef(p, e->field, index) = value.toInt();
    }
    return true;
}

} // namespace

Q_DECLARE_METATYPE(PacketKind)

class TestPackets : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        testsupport::failOnUnexpectedWarnings();
        // The section numbers are checked in the program's tracing.
        QLoggingCategory::setFilterRules(QStringLiteral("varnix.debug=true"));
    }
    void kinds_data();
    void kinds();
    void byteArrayToInt_data();
    void byteArrayToInt();
    void channelPacket();
    void telemetryPacket();
    void trimClamp_data();
    void trimClamp();
    void trimsBlocked_data();
    void trimsBlocked();
    void shortSettings_data();
    void shortSettings();
    void sections_data();
    void sections();
    void unknownCode_data();
    void unknownCode();
    void missingMarkerDecodesNothing();
    void joinedChunkDecodesNothing();
    void channelEncoder();
    void telemetryEncoder();
    void sectionsRoundTrip();
    void settingsEncoderClamps();
    void randomChunks();
};

void TestPackets::kinds_data()
{
    QTest::addColumn<QByteArray>("chunk");
    QTest::addColumn<PacketKind>("kind");
    QTest::addColumn<int>("section");
    QTest::addColumn<bool>("refresh");

    const QByteArray zeros18(18, '\0');
    QTest::newRow("empty") << QByteArray() << PacketKind::Empty << 0 << false;
    QTest::newRow("channel") << hex("FE18") + zeros18 << PacketKind::Channel << 0 << false;
    QTest::newRow("telemetry") << hex("FE19") + zeros18 << PacketKind::Telemetry << 0 << false;
    QTest::newRow("20 bytes FE 17") << hex("FE17") + zeros18 << PacketKind::Unrecognised << 0 << false;
    QTest::newRow("20 bytes FF 18") << hex("FF18") + zeros18 << PacketKind::Unrecognised << 0 << false;
    QTest::newRow("19 bytes FE 18") << hex("FE18") + QByteArray(17, '\0') << PacketKind::Unrecognised << 0 << false;
    QTest::newRow("21 bytes FE 18") << hex("FE18") + QByteArray(19, '\0') << PacketKind::Unrecognised << 0 << false;
    QTest::newRow("short") << hex("0000AA0102030400") << PacketKind::ShortSettings << 7 << false;
    QTest::newRow("8 bytes no AA") << hex("FEAAAB0102030400") << PacketKind::Unrecognised << 0 << false;
    QTest::newRow("7 bytes AA") << hex("0000AA01020304") << PacketKind::Unrecognised << 0 << false;
    QTest::newRow("settings 55") << hex("FE00 55 7878787878787878 FE") << PacketKind::Settings << 2 << true;
    QTest::newRow("settings AC") << hex("FE00 AC 6464646464646464 FE") << PacketKind::Settings << 19 << true;
    QTest::newRow("settings unknown 18") << hex("FE00 18 0000000000000000 FE") << PacketKind::Settings << 0 << true;
    QTest::newRow("12 bytes end marker missing") << hex("FE00 55 7878787878787878 00")
                                                 << PacketKind::Unrecognised << 0 << false;
    QTest::newRow("12 bytes start marker missing") << hex("0000 55 7878787878787878 FE")
                                                   << PacketKind::Unrecognised << 0 << false;
    QTest::newRow("11 bytes") << hex("FE00 55 78787878787878 FE") << PacketKind::Unrecognised << 0 << false;
    QTest::newRow("13 bytes") << hex("FE00 55 7878787878787878 FE00") << PacketKind::Unrecognised << 0 << false;
    QTest::newRow("one byte") << hex("FE") << PacketKind::Unrecognised << 0 << false;
    QTest::newRow("24 bytes") << QByteArray(24, char(0xFE)) << PacketKind::Unrecognised << 0 << false;
}

void TestPackets::kinds()
{
    QFETCH(QByteArray, chunk);
    QFETCH(PacketKind, kind);
    QFETCH(int, section);
    QFETCH(bool, refresh);

    ParamSet p;
    LiveValues live;
    apptest::MessageLog log(false);
    const PacketResult r = decodePacket(chunk, p, live);
    QVERIFY(r.kind == kind);
    QCOMPARE(r.section, section);
    QCOMPARE(r.refresh, refresh);
    QCOMPARE(log.lines().size(), section ? 1 : 0);
    QCOMPARE(live.ReadFlag, section);
}

void TestPackets::byteArrayToInt_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("at");
    QTest::addColumn<int>("expected");

    QTest::newRow("03 E8") << hex("03E8") << 0 << 1000;
    QTest::newRow("FF FF unsigned") << hex("FFFF") << 0 << 65535;
    QTest::newRow("80 00") << hex("8000") << 0 << 32768;
    QTest::newRow("00 FF") << hex("00FF") << 0 << 255;
    QTest::newRow("middle") << hex("123456") << 1 << 0x3456;
    QTest::newRow("low past end") << hex("1234") << 1 << 0x3400;
    QTest::newRow("both past end") << hex("1234") << 2 << 0;
    QTest::newRow("empty") << QByteArray() << 0 << 0;
    QTest::newRow("negative index") << hex("1234") << -1 << 0x12;
}

void TestPackets::byteArrayToInt()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, at);
    QFETCH(int, expected);
    QCOMPARE(::byteArrayToInt(bytes, at), expected);
}

void TestPackets::channelPacket()
{
    ParamSet p;
    LiveValues live;
    const QByteArray chunk = hex("FE18 03E8 FFFF 0000 0001 0100 7FFF 8000 1234 0190");
    QCOMPARE(chunk.size(), 20);
    const PacketResult r = decodePacket(chunk, p, live);
    QVERIFY(r.kind == PacketKind::Channel);
    const int expected[] = {1000, 65535, 0, 1, 256, 32767, 32768, 0x1234};
    for (int n = 1; n <= 8; ++n)
        QCOMPARE(live.channel(n), expected[n - 1]);
    QCOMPARE(live.txVoltage, 400);
    QVERIFY(p == ParamSet());
    QCOMPARE(live.rssiValue, 0);
}

void TestPackets::telemetryPacket()
{
    ParamSet p;
    LiveValues live;
    const QByteArray chunk = hex("FE19 55 4A 012C ABCD 0102 0A 0B 0C 0D 112233445566");
    QCOMPARE(chunk.size(), 20);
    const PacketResult r = decodePacket(chunk, p, live);
    QVERIFY(r.kind == PacketKind::Telemetry);
    QCOMPARE(live.rssiValue, 0x55);
    QCOMPARE(live.rxVoltage, 0x4A);
    QCOMPARE(live.extVoltage, 300);
    QCOMPARE(live.telemetryExtra1, 0xABCD);
    QCOMPARE(live.telemetryExtra2, 0x0102);
    QCOMPARE(p.stickTrim[1], 10);
    QCOMPARE(p.stickTrim[2], 11);
    QCOMPARE(p.stickTrim[3], 12);
    QCOMPARE(p.stickTrim[4], 13);
    QCOMPARE(live.channelValue1, 1000);
    QCOMPARE(live.txVoltage, 0);

    ParamSet expected;
    for (int t = 1; t <= 4; ++t)
        expected.stickTrim[t] = 9 + t;
    QVERIFY(p == expected);
}

void TestPackets::trimClamp_data()
{
    QTest::addColumn<int>("byte");
    QTest::addColumn<int>("stored");
    QTest::newRow("0") << 0 << 0;
    QTest::newRow("120") << 120 << 120;
    QTest::newRow("238") << 238 << 238;
    QTest::newRow("239") << 239 << 240;
    QTest::newRow("240") << 240 << 240;
    QTest::newRow("255") << 255 << 240;
}

void TestPackets::trimClamp()
{
    QFETCH(int, byte);
    QFETCH(int, stored);
    QByteArray chunk = hex("FE19") + QByteArray(18, '\0');
    for (int t = 0; t < 4; ++t)
        chunk[10 + t] = char(byte);
    ParamSet p;
    LiveValues live;
    decodePacket(chunk, p, live);
    for (int t = 1; t <= 4; ++t)
        QCOMPARE(p.stickTrim[t], stored);
}

void TestPackets::trimsBlocked_data()
{
    QTest::addColumn<int>("blocked");
    QTest::newRow("1") << 1;
    QTest::newRow("any non-zero") << -3;
}

void TestPackets::trimsBlocked()
{
    QFETCH(int, blocked);
    ParamSet p;
    for (int t = 1; t <= 4; ++t)
        p.stickTrim[t] = 100 + t;
    LiveValues live;
    live.trimUpdateBlocked = blocked;
    decodePacket(hex("FE19 40 21 00C8 0001 0002 0A0B0C0D 000000000000"), p, live);
    QCOMPARE(live.rssiValue, 0x40);
    QCOMPARE(live.rxVoltage, 0x21);
    QCOMPARE(live.extVoltage, 200);
    QCOMPARE(live.telemetryExtra1, 1);
    QCOMPARE(live.telemetryExtra2, 2);
    for (int t = 1; t <= 4; ++t)
        QCOMPARE(p.stickTrim[t], 100 + t);
    QCOMPARE(live.trimUpdateBlocked, blocked);

    live.trimUpdateBlocked = 0;
    decodePacket(hex("FE19 40 21 00C8 0001 0002 0A0B0C0D 000000000000"), p, live);
    QCOMPARE(p.stickTrim[1], 10);
    QCOMPARE(p.stickTrim[4], 13);
}

void TestPackets::shortSettings_data()
{
    QTest::addColumn<QByteArray>("chunk");
    QTest::newRow("bytes 0-1 zero") << hex("0000AA0504030201");
    QTest::newRow("bytes 0-1 FE FE") << hex("FEFEAA05040302FE");
    QTest::newRow("bytes 0-1 FE 18") << hex("FE18AA0504030200");
    QTest::newRow("bytes 0-1 FF FF") << hex("FFFFAA05040302FF");
}

void TestPackets::shortSettings()
{
    QFETCH(QByteArray, chunk);
    ParamSet p;
    LiveValues live;
    QTest::ignoreMessage(QtDebugMsg, "ReadFlag:7");
    const PacketResult r = decodePacket(chunk, p, live);
    QVERIFY(r.kind == PacketKind::ShortSettings);
    QCOMPARE(r.section, 7);
    QVERIFY(!r.refresh);
    QCOMPARE(live.ReadFlag, 7);
    ParamSet expected;
    expected.auxSource[5] = 5;
    expected.auxSource[6] = 4;
    expected.auxSource[7] = 3;
    expected.auxSource[8] = 2;
    QVERIFY(p == expected);
}

void TestPackets::sections_data()
{
    QTest::addColumn<QByteArray>("chunk");
    QTest::addColumn<int>("section");
    QTest::addColumn<QString>("fields");

    // Byte 1 is not tested; ignored data bytes hold junk on purpose.
    QTest::newRow("44 reverse") << hex("FE00 44 0102030405060708 FE") << 1
        << "reverse[1]=1 reverse[2]=2 reverse[3]=3 reverse[4]=4 reverse[5]=5 reverse[6]=6 "
           "reverse[7]=7 reverse[8]=8";
    QTest::newRow("55 subTrim") << hex("FEFF 55 78797A7B7C7D7E00 FE") << 2
        << "subTrim[1]=0 subTrim[2]=1 subTrim[3]=2 subTrim[4]=3 subTrim[5]=4 subTrim[6]=5 "
           "subTrim[7]=6 subTrim[8]=-120";
    QTest::newRow("66 epaLeft") << hex("FE18 66 1011121314151617 FE") << 3
        << "epaLeft[1]=16 epaLeft[2]=17 epaLeft[3]=18 epaLeft[4]=19 epaLeft[5]=20 epaLeft[6]=21 "
           "epaLeft[7]=22 epaLeft[8]=23";
    QTest::newRow("77 epaRight") << hex("FE00 77 2021222324252627 FE") << 4
        << "epaRight[1]=32 epaRight[2]=33 epaRight[3]=34 epaRight[4]=35 epaRight[5]=36 "
           "epaRight[6]=37 epaRight[7]=38 epaRight[8]=39";
    QTest::newRow("88 failSafe") << hex("FE00 88 3031323334353637 FE") << 5
        << "failSafe[1]=48 failSafe[2]=49 failSafe[3]=50 failSafe[4]=51 failSafe[5]=52 "
           "failSafe[6]=53 failSafe[7]=54 failSafe[8]=55";
    QTest::newRow("99 volt, mode, version") << hex("FE00 99 0025 0002 01F4 AABB FE") << 6
        << "txAlarmVoltX10=37 txAlarmVolt=3.7 stickMode=2 firmwareVersion=500";
    QTest::newRow("99 high bytes") << hex("FE00 99 0100 0103 FFFF 0000 FE") << 6
        << "txAlarmVoltX10=256 txAlarmVolt=25.6 stickMode=259 firmwareVersion=65535";
    QTest::newRow("A1 attitude") << hex("FE00 A1 020A0B0C0D0E0F77 FE") << 8
        << "attitudeChannel=2 attitude[1]=10 attitude[2]=11 attitude[3]=12 attitude[4]=13 "
           "attitude[5]=14 attitude[6]=15";
    QTest::newRow("A2 elevon 1 5 2 6 3 4") << hex("FE00 A2 01797A7B7C7D7E55 FE") << 9
        << "elevonMix=1 elevon[1]=1 elevon[5]=2 elevon[2]=3 elevon[6]=4 elevon[3]=5 elevon[4]=6";
    QTest::newRow("A3 vtail, dual rate") << hex("FE00 A3 010064C865019999 FE") << 10
        << "vtailMix=1 vtail[1]=-100 vtail[2]=0 vtail[3]=100 vtail[4]=1 drMix=1";
    QTest::newRow("A4 servoDelay") << hex("FE00 A4 4041424344454647 FE") << 11
        << "servoDelay[1]=64 servoDelay[2]=65 servoDelay[3]=66 servoDelay[4]=67 "
           "servoDelay[5]=68 servoDelay[6]=69 servoDelay[7]=70 servoDelay[8]=71";
    QTest::newRow("A5 rates") << hex("FE00 A5 0102030405060708 FE") << 12
        << "drRateUp[1]=1 drRateUp[2]=2 drRateUp[3]=3 drRateUp[4]=4 drRateDown[1]=5 "
           "drRateDown[2]=6 drRateDown[3]=7 drRateDown[4]=8";
    QTest::newRow("A6 mixes 1 2") << hex("FE00 A6 6566676869 6A0708 FE") << 13
        << "prmUpRate[1]=1 prmUpRate[2]=2 prmDownRate[1]=3 prmDownRate[2]=4 prmOffset[1]=5 "
           "prmOffset[2]=6 prmMaster[1]=7 prmMaster[2]=8";
    QTest::newRow("A7 mixes 1 2") << hex("FE00 A7 090A0201FFFFFFFF FE") << 14
        << "prmSlave[1]=9 prmSlave[2]=10 prmMix[1]=2 prmMix[2]=1";
    QTest::newRow("A8 mix 3") << hex("FE00 A8 0206076566670109 FE") << 15
        << "prmMix[3]=2 prmMaster[3]=6 prmSlave[3]=7 prmOffset[3]=1 prmUpRate[3]=2 "
           "prmDownRate[3]=3 prmMix[4]=1 prmMaster[4]=9";
    QTest::newRow("A9 mix 4, throttle") << hex("FE00 A9 0863626103021122 FE") << 16
        << "prmSlave[4]=8 prmOffset[4]=-1 prmUpRate[4]=-2 prmDownRate[4]=-3 thrCurveMix=3 "
           "thrCurveExtra=2 thrCurve[1]=17 thrCurve[2]=34";
    QTest::newRow("AA throttle") << hex("FE00 AA 2122232425FFFFFF FE") << 17
        << "thrCurve[3]=33 thrCurve[4]=34 thrCurve[5]=35 thrCurve[6]=36 thrCurve[7]=37";
    QTest::newRow("AB alarms") << hex("FE00 AB 0103 007B 50 2A EEEE FE") << 18
        << "drSwitch=1 drPosition=3 extAlarmVoltX10=123 extAlarmVolt=12.3 rssiAlarm=-20 "
           "rxAlarmVoltX10=42 rxAlarmVolt=4.2";
    QTest::newRow("AB wide ext") << hex("FE00 AB 0000 03E8 00 FF 0000 FE") << 18
        << "drSwitch=0 drPosition=0 extAlarmVoltX10=1000 extAlarmVolt=100 rssiAlarm=-100 "
           "rxAlarmVoltX10=255 rxAlarmVolt=25.5";
    QTest::newRow("AC expos") << hex("FE00 AC 000164C8FF9C9B9D FE") << 19
        << "drExpoUp[1]=-100 drExpoUp[2]=-99 drExpoUp[3]=0 drExpoUp[4]=100 drExpoDown[1]=155 "
           "drExpoDown[2]=56 drExpoDown[3]=55 drExpoDown[4]=57";
}

void TestPackets::sections()
{
    QFETCH(QByteArray, chunk);
    QFETCH(int, section);
    QFETCH(QString, fields);
    QCOMPARE(chunk.size(), 12);

    ParamSet p;
    LiveValues live;
    const QByteArray line = "ReadFlag:" + QByteArray::number(section);
    QTest::ignoreMessage(QtDebugMsg, line.constData());
    const PacketResult r = decodePacket(chunk, p, live);
    QVERIFY(r.kind == PacketKind::Settings);
    QCOMPARE(r.section, section);
    QVERIFY(r.refresh);
    QCOMPARE(live.ReadFlag, section);

    // Exactly the listed fields change.
    ParamSet expected;
    QVERIFY(applyExpectations(expected, fields));
    QVERIFY(p == expected);
    QCOMPARE(p.txAlarmVolt, expected.txAlarmVolt);
    QCOMPARE(p.rxAlarmVolt, expected.rxAlarmVolt);
    QCOMPARE(p.extAlarmVolt, expected.extAlarmVolt);
}

void TestPackets::unknownCode_data()
{
    QTest::addColumn<int>("code");
    QTest::newRow("00") << 0x00;
    QTest::newRow("18") << 0x18;
    QTest::newRow("19") << 0x19;
    QTest::newRow("43") << 0x43;
    QTest::newRow("A0") << 0xA0;
    QTest::newRow("AD") << 0xAD;
    QTest::newRow("FE") << 0xFE;
    QTest::newRow("FF") << 0xFF;
}

void TestPackets::unknownCode()
{
    QFETCH(int, code);
    QByteArray chunk = hex("FE0000 0102030405060708 FE");
    chunk[2] = char(code);
    ParamSet p;
    LiveValues live;
    live.ReadFlag = 5;
    apptest::MessageLog log(false);
    const PacketResult r = decodePacket(chunk, p, live);
    QVERIFY(r.kind == PacketKind::Settings);
    QCOMPARE(r.section, 0);
    QVERIFY(r.refresh); // the display still refreshes
    QCOMPARE(log.lines().size(), 0);
    QCOMPARE(live.ReadFlag, 5);
    QVERIFY(p == ParamSet());
}

void TestPackets::missingMarkerDecodesNothing()
{
    ParamSet p;
    LiveValues live;
    apptest::MessageLog log(false);
    const PacketResult r = decodePacket(hex("FE00 55 0000000000000000 00"), p, live);
    QVERIFY(r.kind == PacketKind::Unrecognised);
    QVERIFY(!r.refresh);
    QCOMPARE(log.lines().size(), 0);
    QVERIFY(p == ParamSet());
}

void TestPackets::joinedChunkDecodesNothing()
{
    const QByteArray two = hex("FE00 55 0000000000000000 FE") + hex("FE00 AC 0000000000000000 FE");
    QCOMPARE(two.size(), 24);
    ParamSet p;
    LiveValues live;
    apptest::MessageLog log(false);
    const PacketResult r = decodePacket(two, p, live);
    QVERIFY(r.kind == PacketKind::Unrecognised);
    QVERIFY(!r.refresh);
    QCOMPARE(r.section, 0);
    QCOMPARE(log.lines().size(), 0);
    QVERIFY(p == ParamSet());

    // Nor does half of one.
    QVERIFY(decodePacket(two.left(6), p, live).kind == PacketKind::Unrecognised);
    QVERIFY(p == ParamSet());
}

void TestPackets::channelEncoder()
{
    LiveValues live;
    live.channelValue2 = 70000;
    live.channelValue3 = -5;
    live.channelValue8 = 2000;
    live.txVoltage = 400;
    const QByteArray b = encodeChannelPacket(live);
    QCOMPARE(b, hex("FE18 03E8 FFFF 0000 03E8 03E8 03E8 03E8 07D0 0190"));

    LiveValues back;
    ParamSet p;
    QVERIFY(decodePacket(b, p, back).kind == PacketKind::Channel);
    QCOMPARE(back.channelValue1, 1000);
    QCOMPARE(back.channelValue8, 2000);
    QCOMPARE(back.txVoltage, 400);
}

void TestPackets::telemetryEncoder()
{
    LiveValues live;
    live.rssiValue = 85;
    live.rxVoltage = 300;
    live.extVoltage = 300;
    live.telemetryExtra1 = 0xABCD;
    const int trims[5] = {0, 120, 0, 255, 300};
    const QByteArray b = encodeTelemetryPacket(live, trims);
    QCOMPARE(b, hex("FE19 55 FF 012C ABCD 0000 78 00 FF FF 000000000000"));

    LiveValues back;
    ParamSet p;
    QVERIFY(decodePacket(b, p, back).kind == PacketKind::Telemetry);
    QCOMPARE(back.rssiValue, 85);
    QCOMPARE(back.extVoltage, 300);
    QCOMPARE(p.stickTrim[1], 120);
    QCOMPARE(p.stickTrim[2], 0);
    QCOMPARE(p.stickTrim[3], 240);
}

void TestPackets::sectionsRoundTrip()
{
    // Section number -> code in byte 2 (section 7: the 8-byte packet).
    const int codes[20] = {0, 0x44, 0x55, 0x66, 0x77, 0x88, 0x99, 0xAA, 0xA1, 0xA2, 0xA3,
                           0xA4, 0xA5, 0xA6, 0xA7, 0xA8, 0xA9, 0xAA, 0xAB, 0xAC};
    QCOMPARE(settingsSectionCount, 18);
    QRandomGenerator rng(31337);
    for (int round = 0; round < 50; ++round) {
        for (int n = 1; n <= 19; ++n) {
            ParamSet src;
            if (n == 7) {
                for (int a = 5; a <= 8; ++a)
                    src.auxSource[a] = rng.bounded(256);
            } else {
                const SettingsSection *s = nullptr;
                for (int k = 0; k < settingsSectionCount; ++k)
                    if (settingsSections[k].number == n)
                        s = &settingsSections[k];
                QVERIFY(s);
                QCOMPARE(int(s->code), codes[n]);
                for (const SectionByte &e : s->bytes)
                    if (e.used)
                        fieldRef(src, e.field, e.index) =
                            e.wide ? rng.bounded(65536) : rng.bounded(256) - e.bias;
            }
            const QByteArray b = encodeSettingsPacket(src, n);
            QCOMPARE(b.size(), n == 7 ? 8 : 12);
            QCOMPARE(quint8(b.at(2)), quint8(codes[n]));
            if (n != 7) {
                QCOMPARE(quint8(b.at(0)), quint8(0xFE));
                QCOMPARE(quint8(b.at(11)), quint8(0xFE));
            }

            ParamSet dst;
            LiveValues live;
            apptest::MessageLog log(false);
            const PacketResult r = decodePacket(b, dst, live);
            QCOMPARE(r.section, n);
            if (n == 6)
                src.txAlarmVolt = src.txAlarmVoltX10 / 10.0;
            if (n == 18) {
                src.rxAlarmVolt = src.rxAlarmVoltX10 / 10.0;
                src.extAlarmVolt = src.extAlarmVoltX10 / 10.0;
            }
            QVERIFY2(dst == src, qPrintable(QStringLiteral("section %1").arg(n)));
        }
    }
    QVERIFY(encodeSettingsPacket(ParamSet(), 0).isEmpty());
    QVERIFY(encodeSettingsPacket(ParamSet(), 20).isEmpty());
}

void TestPackets::settingsEncoderClamps()
{
    ParamSet src;
    src.subTrim[1] = 200;   // 320 on the wire: held at FF
    src.subTrim[2] = -200;  // held at 00
    src.txAlarmVoltX10 = 70000;
    src.stickMode = -1;
    QCOMPARE(encodeSettingsPacket(src, 2).mid(3, 3), hex("FF0078"));
    QCOMPARE(encodeSettingsPacket(src, 6).mid(3, 4), hex("FFFF0000"));
}

void TestPackets::randomChunks()
{
    QRandomGenerator rng(8086);
    const int codes[] = {0x44, 0x55, 0x66, 0x77, 0x88, 0x99, 0xA1, 0xA2, 0xA3, 0xA4,
                         0xA5, 0xA6, 0xA7, 0xA8, 0xA9, 0xAA, 0xAB, 0xAC};
    ParamSet p;
    LiveValues live;
    apptest::MessageLog log(false);
    int decodedSections = 0;
    for (int round = 0; round < 5000; ++round) {
        const int kind = rng.bounded(10);
        int len = rng.bounded(65);
        if (kind >= 4 && kind <= 5)
            len = 20;
        else if (kind >= 6 && kind <= 8)
            len = 12;
        else if (kind == 9)
            len = 8;
        QByteArray chunk(len, '\0');
        for (int i = 0; i < len; ++i)
            chunk[i] = char(rng.bounded(256));
        if (len == 20) {
            chunk[0] = char(0xFE);
            chunk[1] = char(rng.bounded(2) ? 0x18 : 0x19);
        } else if (len == 12 && kind >= 6) {
            chunk[0] = char(0xFE);
            chunk[11] = char(0xFE);
            if (rng.bounded(4) != 0)
                chunk[2] = char(codes[rng.bounded(int(sizeof codes / sizeof codes[0]))]);
        } else if (len == 8 && kind == 9) {
            chunk[2] = char(0xAA);
        }
        live.trimUpdateBlocked = rng.bounded(4) == 0 ? 1 : 0;

        const PacketResult r = decodePacket(chunk, p, live);
        if (r.section != 0) {
            ++decodedSections;
            QVERIFY(r.section >= 1 && r.section <= 19);
            QCOMPARE(live.ReadFlag, r.section);
        }
        QCOMPARE(r.refresh, r.kind == PacketKind::Settings);
        QCOMPARE(r.kind == PacketKind::Empty, chunk.isEmpty());

        // What the receiver does after every chunk.
        drDataSelet(p);
        falseSaveData(p);
        for (int k = 0; k < rangeRuleCount; ++k) {
            const RangeRule &rule = rangeRulesData[k];
            const int v = fieldValue(p, rule.field, rule.index);
            QVERIFY2(v >= rule.lo && v <= rule.hi, qPrintable(QStringLiteral("round %1").arg(round)));
        }
        QVERIFY(p.txAlarmVolt >= 0.0 && p.txAlarmVolt <= 50.0);
        QVERIFY(p.rxAlarmVolt >= 0.0 && p.rxAlarmVolt <= 100.0);
        QVERIFY(p.extAlarmVolt >= 0.0 && p.extAlarmVolt <= 100.0);
        for (int t = 1; t <= 4; ++t)
            QVERIFY(p.stickTrim[t] >= 0 && p.stickTrim[t] <= 240);
    }
    QCOMPARE(log.lines().size(), decodedSections);
    QVERIFY(decodedSections > 1000);
}

QTEST_GUILESS_MAIN(TestPackets)
#include "tst_packets.moc"
