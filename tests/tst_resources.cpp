#include <QComboBox>
#include <QFile>
#include <QIcon>
#include <QImage>
#include <QImageReader>
#include <QRegularExpression>
#include <QtEndian>
#include <QtTest>
#include "qtwarnings.h"

namespace {

struct Rule
{
    QString selector;
    QStringList declarations;
};

// Whitespace inside a sheet is free; compare declarations with runs of
// blanks collapsed and no blanks next to punctuation.
QString normalised(QString text)
{
    text = text.simplified();
    static const QRegularExpression aroundPunctuation(QStringLiteral("\\s*([:;,(){}])\\s*"));
    text.replace(aroundPunctuation, QStringLiteral("\\1"));
    return text;
}

// Splits a style sheet into its rules. Returns false on a malformed sheet
// (unbalanced braces, text outside a rule).
bool parseSheet(const QString &sheet, QVector<Rule> *rules)
{
    QString text = sheet;
    static const QRegularExpression comments(QStringLiteral("/\\*.*?\\*/"),
                                             QRegularExpression::DotMatchesEverythingOption);
    text.remove(comments);

    int pos = 0;
    while (true) {
        const int open = text.indexOf(QLatin1Char('{'), pos);
        if (open < 0)
            return text.mid(pos).trimmed().isEmpty();
        const int close = text.indexOf(QLatin1Char('}'), open);
        if (close < 0 || text.mid(open + 1, close - open - 1).contains(QLatin1Char('{')))
            return false;
        Rule rule;
        rule.selector = normalised(text.mid(pos, open - pos));
        const QStringList parts = text.mid(open + 1, close - open - 1).split(QLatin1Char(';'));
        for (int i = 0; i < parts.size(); ++i) {
            const QString d = normalised(parts[i]);
            if (d.isEmpty()) {
                if (i + 1 < parts.size() && !parts.mid(i + 1).join(QString()).trimmed().isEmpty())
                    return false;   // empty declaration in the middle
                continue;
            }
            if (i == parts.size() - 1)
                return false;       // last declaration without its ';'
            rule.declarations << d + QLatin1Char(';');
        }
        rules->append(rule);
        pos = close + 1;
    }
}

QByteArray readResource(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

QStringList comboNormalRule()
{
    return {
        "background-color:rgb(85,170,255);",
        "border-style:outset;",
        "border-width:4px;",
        "border-radius:4px;",
        "border-color:rgba(0,0,0,0);",
        "font:bold 22px;",
        "color:rgba(255,255,255,255);",
        "padding:0px;",
    };
}

QStringList comboHoverRule()
{
    return {
        "background-color:rgba(100,255,100,100);",
        "border-color:rgba(255,255,255,255);",
        "color:rgba(255,255,255,255);",
    };
}

QImage renderCombo(const QString &sheet, bool hovered)
{
    QComboBox box;
    box.setStyleSheet(sheet);
    box.resize(200, 40);
    box.setAttribute(Qt::WA_UnderMouse, hovered);
    QImage image(box.size(), QImage::Format_ARGB32);
    image.fill(Qt::black);
    box.render(&image);
    return image;
}

QStringList *sheetWarnings = nullptr;

void collectSheetWarnings(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtWarningMsg && sheetWarnings)
        sheetWarnings->append(message);
}

} // namespace

class TestResources : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { testsupport::failOnUnexpectedWarnings(); }
    void pathsOpen_data();
    void pathsOpen();

    void sheetLineEnds_data();
    void sheetLineEnds();
    void sheetRules_data();
    void sheetRules();
    void sheetsParseInQt_data();
    void sheetsParseInQt();
    void hoverFeedback();

    void images_data();
    void images();
    void lampsAreRedAndGreen();

    void windowsIcon();
};

void TestResources::pathsOpen_data()
{
    QTest::addColumn<QString>("path");
    for (const char *path : { ":/comboBox.qss", ":/comboBox_REV.qss",
                              ":/myImage/images/Receive.png", ":/myImage/images/open.png",
                              ":/myImage/images/Send.png", ":/myImage/images/save.png",
                              ":/myImage/images/Reset.png", ":/myImage/images/red.png",
                              ":/myImage/images/green.png" })
        QTest::newRow(path) << QString::fromLatin1(path);
}

void TestResources::pathsOpen()
{
    QFETCH(QString, path);
    QFile file(path);
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(path));
    QVERIFY(file.size() > 0);
    QVERIFY(!file.readAll().isEmpty());
}

void TestResources::sheetLineEnds_data()
{
    QTest::addColumn<QString>("path");
    QTest::newRow("normal") << ":/comboBox.qss";
    QTest::newRow("dwell") << ":/comboBox_REV.qss";
}

void TestResources::sheetLineEnds()
{
    QFETCH(QString, path);
    const QByteArray bytes = readResource(path);
    QVERIFY(!bytes.isEmpty());
    QVERIFY(!bytes.contains('\0'));

    const int lineFeeds = bytes.count('\n');
    QVERIFY(lineFeeds >= 4);
    QCOMPARE(bytes.count("\r\n"), lineFeeds);
    QCOMPARE(bytes.count('\r'), lineFeeds);
    // The last line is terminated as well, or the sheet ends with its brace.
    QVERIFY(bytes.endsWith("\r\n") || bytes.trimmed().endsWith('}'));
}

void TestResources::sheetRules_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QStringList>("hover");
    QTest::newRow("normal") << ":/comboBox.qss" << comboHoverRule();
    QTest::newRow("dwell") << ":/comboBox_REV.qss" << comboNormalRule();
}

void TestResources::sheetRules()
{
    QFETCH(QString, path);
    QFETCH(QStringList, hover);

    QVector<Rule> rules;
    QVERIFY(parseSheet(QString::fromUtf8(readResource(path)), &rules));
    QCOMPARE(rules.size(), 2);
    QCOMPARE(rules[0].selector, QString("QComboBox"));
    QCOMPARE(rules[0].declarations, comboNormalRule());
    QCOMPARE(rules[1].selector, QString("QComboBox:hover"));
    QCOMPARE(rules[1].declarations, hover);
}

void TestResources::sheetsParseInQt_data()
{
    sheetLineEnds_data();
}

void TestResources::sheetsParseInQt()
{
    QFETCH(QString, path);
    const QString sheet = QString::fromUtf8(readResource(path));

    QStringList warnings;
    sheetWarnings = &warnings;
    const QtMessageHandler previous = qInstallMessageHandler(collectSheetWarnings);
    const QImage image = renderCombo(sheet, false);
    qInstallMessageHandler(previous);
    sheetWarnings = nullptr;

    QVERIFY2(warnings.isEmpty(), qPrintable(warnings.join('\n')));
    // The normal rule's blue fills the box.
    QCOMPARE(QColor(image.pixel(12, 20)), QColor(85, 170, 255));
}

void TestResources::hoverFeedback()
{
    const QString normal = QString::fromUtf8(readResource(":/comboBox.qss"));
    const QString dwell = QString::fromUtf8(readResource(":/comboBox_REV.qss"));
    QVERIFY(!normal.isEmpty() && !dwell.isEmpty());

    // The normal sheet lights up under the pointer...
    const QImage plain = renderCombo(normal, false);
    const QImage lit = renderCombo(normal, true);
    QVERIFY(QColor(lit.pixel(12, 20)) != QColor(plain.pixel(12, 20)));
    QVERIFY(qGreen(lit.pixel(12, 20)) > qBlue(lit.pixel(12, 20)));

    // ...the dwell sheet looks the same hovered or not.
    QCOMPARE(renderCombo(dwell, true), renderCombo(dwell, false));
    QCOMPARE(renderCombo(dwell, false), plain);
}

void TestResources::images_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("size");
    QTest::addColumn<bool>("whiteLines");

    QTest::newRow("Receive") << ":/myImage/images/Receive.png" << 256 << true;
    QTest::newRow("open") << ":/myImage/images/open.png" << 256 << true;
    QTest::newRow("Send") << ":/myImage/images/Send.png" << 256 << true;
    QTest::newRow("save") << ":/myImage/images/save.png" << 256 << true;
    QTest::newRow("Reset") << ":/myImage/images/Reset.png" << 256 << false;
    QTest::newRow("red") << ":/myImage/images/red.png" << 200 << false;
    QTest::newRow("green") << ":/myImage/images/green.png" << 200 << false;
}

void TestResources::images()
{
    QFETCH(QString, path);
    QFETCH(int, size);
    QFETCH(bool, whiteLines);

    QImageReader reader(path);
    QCOMPARE(reader.format(), QByteArray("png"));
    QCOMPARE(reader.size(), QSize(size, size));

    const QImage image = reader.read();
    QVERIFY2(!image.isNull(), qPrintable(reader.errorString()));
    QVERIFY(image.hasAlphaChannel());
    QCOMPARE(image.depth(), 32);

    // Transparent corners: every picture is drawn on a clear background.
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(qAlpha(argb.pixel(0, 0)), 0);
    QCOMPARE(qAlpha(argb.pixel(size - 1, size - 1)), 0);

    int opaqueWhite = 0;
    int transparent = 0;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const QRgb p = argb.pixel(x, y);
            if (qAlpha(p) == 0)
                ++transparent;
            else if (qAlpha(p) == 255 && p == qRgb(255, 255, 255))
                ++opaqueWhite;
        }
    }
    QVERIFY(transparent > 0);
    if (whiteLines) {
        // Line icons: some white strokes, mostly background.
        QVERIFY(opaqueWhite > size * 4);
        QVERIFY(transparent > size * size / 2);
        QVERIFY(!QIcon(path).isNull());
    }
}

void TestResources::lampsAreRedAndGreen()
{
    const QImage red(":/myImage/images/red.png");
    const QImage green(":/myImage/images/green.png");
    QVERIFY(!red.isNull() && !green.isNull());

    const QRgb r = red.pixel(100, 110);
    QCOMPARE(qAlpha(r), 255);
    QVERIFY(qRed(r) > 150 && qGreen(r) < 100 && qBlue(r) < 100);

    const QRgb g = green.pixel(100, 110);
    QCOMPARE(qAlpha(g), 255);
    QVERIFY(qGreen(g) > 150 && qRed(g) < 100 && qBlue(g) < 100);

    // Reset: a light grey disc.
    const QImage reset(":/myImage/images/Reset.png");
    const QRgb disc = reset.pixel(128, 36);
    QCOMPARE(qAlpha(disc), 255);
    QVERIFY(qGray(disc) > 180);
    QVERIFY(qAbs(qRed(disc) - qBlue(disc)) < 10);
}

void TestResources::windowsIcon()
{
    const QString rcPath = QStringLiteral(VARNIX_SOURCE_DIR "/resources/varnix.rc.in");
    QVERIFY(!rcPath.isEmpty());
    QFile rc(rcPath);
    QVERIFY(rc.open(QIODevice::ReadOnly));
    QVERIFY(normalised(QString::fromLatin1(rc.readAll())).contains("IDI_ICON1 ICON \"varnix.ico\""));

    const QString icoPath = QStringLiteral(VARNIX_SOURCE_DIR "/resources/varnix.ico");
    QVERIFY(!icoPath.isEmpty());
    QFile ico(icoPath);
    QVERIFY(ico.open(QIODevice::ReadOnly));
    const QByteArray bytes = ico.readAll();
    QVERIFY(bytes.size() > 22);
    const auto *d = reinterpret_cast<const uchar *>(bytes.constData());

    QCOMPARE(qFromLittleEndian<quint16>(d + 0), quint16(0));   // reserved
    QCOMPARE(qFromLittleEndian<quint16>(d + 2), quint16(1));   // icon
    QCOMPARE(qFromLittleEndian<quint16>(d + 4), quint16(1));   // one image
    QCOMPARE(int(d[6]), 0);                                    // 0 means 256 wide
    QCOMPARE(int(d[7]), 0);                                    // and 256 high
    QCOMPARE(qFromLittleEndian<quint16>(d + 12), quint16(32)); // bits per pixel
    const quint32 length = qFromLittleEndian<quint32>(d + 14);
    const quint32 offset = qFromLittleEndian<quint32>(d + 18);
    QVERIFY(offset + length <= quint32(bytes.size()));

    const QImage image = QImage::fromData(bytes.mid(offset, length));
    QCOMPARE(image.size(), QSize(256, 256));
    QVERIFY(image.hasAlphaChannel());
    // Rounded square: clear corner, light purple tile inside it.
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(qAlpha(argb.pixel(0, 0)), 0);
    const QRgb tile = argb.pixel(20, 128);
    QCOMPARE(qAlpha(tile), 255);
    QVERIFY(qBlue(tile) > qGreen(tile) && qRed(tile) > qGreen(tile) && qGray(tile) > 150);
}

QTEST_MAIN(TestResources)
#include "tst_resources.moc"
