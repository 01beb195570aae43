// The window's languages: the English translation is complete and current,
// every text of either language fits the fixed form in the fonts the program
// chooses and in the widest one a Linux machine may give instead, Chinese
// stays exactly the form's own texts (with Qt's buttons in Chinese when Qt's
// translations are there), and --lang chooses and is remembered.

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include "apptest.h"
#include "fontfit.h"
#include "mainwindow.h"
#include "paramset.h"
#include "ptypeer.h"
#include "startup.h"
#include "qtwarnings.h"
#include "usersettings.h"

namespace {

// The messages of a .ts file, their source texts, each followed by " (type)"
// when it is not a finished translation ("unfinished", "vanished").
QStringList readTs(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    static const QRegularExpression message("<source>(.*?)</source>.*?<translation(?: type=\"(\\w+)\")?>(.*?)</translation>",
                                            QRegularExpression::DotMatchesEverythingOption);
    QStringList messages;
    for (auto it = message.globalMatch(QString::fromUtf8(file.readAll())); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        const QString type = !m.captured(2).isEmpty() ? m.captured(2) : m.captured(3).isEmpty() ? "empty" : "";
        messages << m.captured(1) + (type.isEmpty() ? QString() : " (" + type + ")");
    }
    return messages;
}

bool hasChinese(const QString &text)
{
    for (const QChar c : text) {
        const ushort u = c.unicode();
        if ((u >= 0x2E80 && u <= 0x9FFF) || (u >= 0xF900 && u <= 0xFAFF) || (u >= 0xFF00 && u <= 0xFFEF))
            return true;
    }
    return false;
}

QString okButtonText()
{
    QDialogButtonBox box(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    return box.button(QDialogButtonBox::Ok)->text() + '|' + box.button(QDialogButtonBox::Cancel)->text();
}

QStringList whereAndText(QWidget *window)
{
    QStringList list;
    for (const fontfit::ShownText &t : fontfit::shownTexts(window))
        list << t.where + '|' + t.text;
    return list;
}

} // namespace

class TestTranslations : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void tsCurrentAndFinished();
    void textsFit_data();
    void textsFit();
    void englishPanel();
    void chineseUnchanged_data();
    void chineseUnchanged();

    void parseArguments_data();
    void parseArguments();
    void languageChosenAndRemembered_data();
    void languageChosenAndRemembered();
    void programRemembersLanguage();

private:
    QTemporaryDir m_home;
    QFont m_font;
};

void TestTranslations::initTestCase()
{
    testsupport::failOnUnexpectedWarnings();
    // Nothing here may reach the user's own settings.
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(m_home.isValid());
    m_font = QApplication::font();
}

void TestTranslations::cleanup()
{
    startup::installTranslations(startup::chinese, {});
    QApplication::setFont(m_font);
    apptest::resetProcessState();
}

// lupdate over today's sources, on a copy of the .ts: every text shown in
// the form or through tr() in the code is there, finished, and none is left
// from texts that are gone.
void TestTranslations::tsCurrentAndFinished()
{
    for (const QString &ts : QString(VARNIX_TS_FILES).split('|')) {
        const QString copy = m_home.filePath(QFileInfo(ts).fileName());
        QFile::remove(copy);
        QVERIFY(QFile::copy(ts, copy));
        QProcess p;
        p.setWorkingDirectory(VARNIX_SOURCE_DIR);
        p.start(LUPDATE, QStringList{ "-silent", "-locations", "none" } + QString(VARNIX_TR_SOURCES).split('|')
                             + QStringList{ "-ts", copy });
        QVERIFY(p.waitForFinished(60000));
        QVERIFY2(p.exitCode() == 0, p.readAllStandardError().constData());

        const QStringList messages = readTs(copy);
        QVERIFY2(messages.size() > 100, qPrintable(QString::number(messages.size())));
        const QStringList wrong = messages.filter(QRegularExpression(" \\(\\w+\\)$"));
        QVERIFY2(wrong.isEmpty(), qPrintable("run `cmake --build build --target update-translations` and translate:\n"
                                             + wrong.join('\n')));
        QCOMPARE(readTs(ts), messages);
    }
}

void TestTranslations::textsFit_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<bool>("widestFont");
    for (const char *language : { startup::chinese, startup::english })
        for (bool widest : { false, true })
            QTest::addRow("%s, %s", language, widest ? "DejaVu Sans" : "chosen fonts") << language << widest;
}

// Every text of the window fits its widget, the live readings at their
// widest too, and each is drawn in the fonts measured; English leaves no
// Chinese behind.
void TestTranslations::textsFit()
{
    QFETCH(QString, language);
    QFETCH(bool, widestFont);
    const fontfit::FontSet fonts = widestFont ? fontfit::widest() : fontfit::chosen();
    QString error;
    QVERIFY2(fontfit::use(fonts, &error), qPrintable(error));
    startup::installTranslations(language, {});

    MainWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    for (int n = 1; n <= 8; ++n)
        liveValues.channel(n) = 2000;
    liveValues.txVoltage = 9999;
    liveValues.extVoltage = 999;
    liveValues.rxVoltage = 255;
    liveValues.rssiValue = 1;
    for (int &trim : paramSet.stickTrim)
        trim = 0;
    QVERIFY(apptest::invokeSlot(&w, "ui_Display"));
    QCOMPARE(w.findChild<QLineEdit *>("lineEdit_RSSI")->text(), QString("-99dBm"));

    QStringList wrong = fontfit::overflows(&w);
    if (language == startup::english) {
        for (const fontfit::ShownText &t : fontfit::shownTexts(&w))
            if (hasChinese(t.text))
                wrong << t.where + ": " + t.text;
        if (hasChinese(w.windowTitle()))
            wrong << "window title: " + w.windowTitle();
    }
    for (const QString &t : fontfit::drawnOutside(&w, fonts.families))
        wrong << "not in the fonts measured: " + t;
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join('\n')));
}

// The connection panel works with its translated button texts.
void TestTranslations::englishPanel()
{
    QCOMPARE(startup::installTranslations(startup::english), QStringList{ ":/translations/varnix_en.qm" });
    MainWindow w;
    PtyPeer peer;
    QVERIFY(peer.isOpen());
    auto *button = w.findChild<QPushButton *>("openButton");
    apptest::openPort(&w, peer.slavePath());
    QCOMPARE(button->text(), QString("Close port"));
    QVERIFY(peer.waitForText("OK", 2000));
    button->click();
    QCOMPARE(button->text(), QString("Open port"));
}

void TestTranslations::chineseUnchanged_data()
{
    QTest::addColumn<bool>("qtTexts");
    QTest::newRow("Qt's translations found") << true;
    QTest::newRow("Qt's translations missing") << false;
}

// Chinese shows the form's own texts, word for word, whether or not Qt's own
// Chinese file is there; only Qt's buttons change with it.
void TestTranslations::chineseUnchanged()
{
    QFETCH(bool, qtTexts);
    QStringList untranslated;
    {
        MainWindow plain;
        untranslated = whereAndText(&plain);
    }
    const QString englishButtons = okButtonText();
    const QStringList dirs = qtTexts ? startup::qtTranslationDirs() : QStringList{ m_home.path() };
    const QStringList loaded = startup::installTranslations(startup::chinese, dirs);
    if (qtTexts && loaded.isEmpty())
        QSKIP("Qt's Chinese translation is not installed");
    QCOMPARE(loaded.size(), qtTexts ? 1 : 0);
    MainWindow w;
    QCOMPARE(whereAndText(&w), untranslated);
    QCOMPARE(okButtonText(), qtTexts ? QString::fromUtf8("确定|取消") : englishButtons);
}

void TestTranslations::parseArguments_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("port"); // "!" for a command line refused

    QTest::newRow("nothing") << QStringList{} << "" << "";
    QTest::newRow("port") << QStringList{ "/dev/ttyUSB0" } << "" << "/dev/ttyUSB0";
    QTest::newRow("lang before port") << QStringList{ "--lang", "en", "COM3" } << "en" << "COM3";
    QTest::newRow("port before lang") << QStringList{ "COM3", "--lang=zh" } << "zh" << "COM3";
    QTest::newRow("port after --") << QStringList{ "--lang", "en", "--", "-odd" } << "en" << "-odd";
    QTest::newRow("unknown language") << QStringList{ "--lang", "de" } << "de" << "!";
    QTest::newRow("language missing") << QStringList{ "--lang" } << "" << "!";
    QTest::newRow("two ports") << QStringList{ "COM3", "COM4" } << "" << "!";
    QTest::newRow("unknown option") << QStringList{ "--baud", "9600" } << "" << "!";
}

void TestTranslations::parseArguments()
{
    QFETCH(QStringList, args);
    QFETCH(QString, language);
    QFETCH(QString, port);
    const startup::Options o = startup::parseArguments(QStringList{ "varnix-config" } + args);
    QCOMPARE(o.language, language);
    QCOMPARE(o.error.isEmpty() ? o.portName : QString("!"), port);
    QVERIFY(o.helpText.contains("--lang"));
}

void TestTranslations::languageChosenAndRemembered_data()
{
    QTest::addColumn<QString>("remembered"); // "-" for no setting at all
    QTest::addColumn<QString>("asked");
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("rememberedAfter");

    QTest::newRow("first start") << "-" << "" << "zh" << "-";
    QTest::newRow("English asked") << "-" << "en" << "en" << "en";
    QTest::newRow("English remembered") << "en" << "" << "en" << "en";
    QTest::newRow("back to Chinese") << "en" << "zh" << "zh" << "zh";
    QTest::newRow("foreign setting") << "klingon" << "" << "zh" << "klingon";
}

void TestTranslations::languageChosenAndRemembered()
{
    QFETCH(QString, remembered);
    QFETCH(QString, asked);
    QFETCH(QString, chosen);
    QFETCH(QString, rememberedAfter);
    const QString path = m_home.filePath("choice.ini");
    QFile::remove(path);
    {
        if (remembered != "-")
            QSettings(path, QSettings::IniFormat).setValue("language", remembered);
        UserSettings settings(path);
        QCOMPARE(startup::chooseLanguage(asked, settings), chosen);
    }
    QCOMPARE(QSettings(path, QSettings::IniFormat).value("language", "-").toString(), rememberedAfter);
    // The next start without --lang speaks the same language.
    UserSettings reread(path);
    QCOMPARE(startup::chooseLanguage(QString(), reread), chosen);
}

// The program itself: --lang beside a port starts the window and writes the
// choice to the user's settings file; an unknown language starts nothing.
void TestTranslations::programRemembersLanguage()
{
    QTemporaryDir config;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_CONFIG_HOME", config.path());
    env.insert("QT_QPA_PLATFORM", "offscreen");
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(PROGRAM, { "--lang", "fr" });
    QVERIFY(p.waitForFinished(10000));
    QCOMPARE(p.exitCode(), 2);
    QVERIFY(p.readAllStandardError().contains("'fr'"));
    QVERIFY(QDir(config.path()).isEmpty());

    const QString file = config.filePath("varnix-config.conf");
    p.start(PROGRAM, { "--lang", "en", "/dev/null" });
    QVERIFY(p.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(file), 10000);
    QCOMPARE(p.state(), QProcess::Running);
    p.kill();
    p.waitForFinished();
    QCOMPARE(QSettings(file, QSettings::NativeFormat).value("language").toString(), QString("en"));
}

QTEST_MAIN(TestTranslations)
#include "tst_translations.moc"
