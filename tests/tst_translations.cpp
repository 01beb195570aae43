// The window's languages: the English translation is complete and current,
// it fits the fixed form, Chinese stays exactly the form's own texts (with
// Qt's buttons in Chinese when Qt's translations are there), and --lang
// chooses and is remembered.

#include <QAbstractButton>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QStyleOptionComboBox>
#include <QStyleOptionFrame>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTranslator>
#include <QXmlStreamReader>
#include <QtTest>

#include <memory>

#include "apptest.h"
#include "mainwindow.h"
#include "startup.h"

namespace {

struct Message {
    QString context;
    QString source;
    QString translation;
    QString type; // "", "unfinished", "vanished", "obsolete"
};

QList<Message> readTs(const QString &path)
{
    QList<Message> messages;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return messages;
    QXmlStreamReader xml(&file);
    QString context;
    Message m;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QString name = xml.name().toString();
        if (name == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (name == QLatin1String("message")) {
            m = Message{ context, {}, {}, {} };
        } else if (name == QLatin1String("source")) {
            m.source = xml.readElementText();
        } else if (name == QLatin1String("translation")) {
            m.type = xml.attributes().value(QLatin1String("type")).toString();
            m.translation = xml.readElementText(QXmlStreamReader::IncludeChildElements);
            messages.append(m);
        }
    }
    return xml.hasError() ? QList<Message>() : messages;
}

// Every visible text of the window's widgets, each with the width it has to
// fit in at the widget's own (style sheet) font: "objectName|text" -> room.
struct ShownText {
    QString where;
    QString text;
    int needed;
    int room;
};

QList<ShownText> shownTexts(QWidget *window)
{
    QList<ShownText> texts;
    window->ensurePolished();
    // A page's column layouts take their sizes once the page has been shown.
    if (window->isVisible()) {
        auto *tabs = window->findChild<QTabWidget *>();
        const int current = tabs->currentIndex();
        for (int i = 0; i < tabs->count(); ++i) {
            tabs->setCurrentIndex(i);
            QCoreApplication::processEvents();
        }
        tabs->setCurrentIndex(current);
    }
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (w->objectName().startsWith(QLatin1String("qt_")))
            continue;
        w->ensurePolished();
        const QFontMetrics fm(w->font());
        auto add = [&](const QString &text, int room) {
            if (!text.trimmed().isEmpty())
                texts.append({ w->objectName(), text, fm.horizontalAdvance(text), room });
        };
        if (auto *e = qobject_cast<QLineEdit *>(w)) {
            QStyleOptionFrame opt;
            opt.initFrom(e);
            opt.rect = e->rect();
            opt.lineWidth = e->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &opt, e);
            const QRect r = e->style()->subElementRect(QStyle::SE_LineEditContents, &opt, e);
            const QMargins m = e->textMargins();
            add(e->text(), r.width() - m.left() - m.right() - 4); // QLineEdit keeps 2 px each side
        } else if (auto *c = qobject_cast<QComboBox *>(w)) {
            QStyleOptionComboBox opt;
            opt.initFrom(c);
            opt.editable = c->isEditable();
            opt.frame = c->hasFrame();
            const int room = c->style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, c).width();
            for (int i = 0; i < c->count(); ++i)
                add(c->itemText(i), room);
        } else if (auto *l = qobject_cast<QLabel *>(w)) {
            if (!l->wordWrap())
                add(l->text(), l->width());
        } else if (auto *g = qobject_cast<QGroupBox *>(w)) {
            add(g->title(), g->width() - 16);
        } else if (auto *b = qobject_cast<QAbstractButton *>(w)) {
            add(b->text(), b->width() - 8); // inside the 4 px border
        } else if (auto *t = qobject_cast<QTabWidget *>(w)) {
            const QFontMetrics tabFm(t->tabBar()->font());
            for (int i = 0; i < t->count(); ++i)
                texts.append({ t->widget(i)->objectName() + QLatin1String(" tab"), t->tabText(i),
                               tabFm.horizontalAdvance(t->tabText(i)), t->tabBar()->tabRect(i).width() - 8 });
        }
    }
    texts.append({ QStringLiteral("window title"), window->windowTitle(), 0, 1 });
    return texts;
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
    return box.button(QDialogButtonBox::Ok)->text() + QLatin1Char('|')
        + box.button(QDialogButtonBox::Cancel)->text();
}

// The program's environment with its own folder for the user's settings.
QProcessEnvironment programEnvironment(const QString &configDir)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), configDir);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    return env;
}

QString sourceDir()
{
    return QString::fromUtf8(VARNIX_SOURCE_DIR);
}

} // namespace

class TestTranslations : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void tsCurrentAndFinished();
    void compiledInTranslationMatches();
    void englishWindowHasNoChinese();
    void englishTextsFit();
    void chineseUnchanged_data();
    void chineseUnchanged();

    void parseArguments_data();
    void parseArguments();
    void languageChosenAndRemembered_data();
    void languageChosenAndRemembered();
    void programRemembersLanguage();
    void programRefusesUnknownLanguage();

private:
    QTemporaryDir m_home;
};

void TestTranslations::initTestCase()
{
    // Nothing here may reach the user's own settings.
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(m_home.isValid());
}

void TestTranslations::cleanup()
{
    startup::installTranslations(QString::fromLatin1(startup::chinese), {});
}

// lupdate over today's sources, on a copy of the .ts: every text shown in
// the form or through tr() in the code is there, finished, and none is left
// from texts that are gone.
void TestTranslations::tsCurrentAndFinished()
{
    const QString lupdate = QString::fromUtf8(LUPDATE);
    QVERIFY2(QFileInfo(lupdate).isExecutable(), qPrintable(lupdate));
    for (const QString &ts : QString::fromUtf8(VARNIX_TS_FILES).split(QLatin1Char('|'))) {
        const QString copy = m_home.filePath(QFileInfo(ts).fileName());
        QFile::remove(copy);
        QVERIFY(QFile::copy(ts, copy));
        QProcess p;
        p.setWorkingDirectory(sourceDir());
        p.start(lupdate, QStringList{ QStringLiteral("-silent"), QStringLiteral("-locations"), QStringLiteral("none") }
                    + QString::fromUtf8(VARNIX_TR_SOURCES).split(QLatin1Char('|'))
                    + QStringList{ QStringLiteral("-ts"), copy });
        QVERIFY(p.waitForFinished(60000));
        QVERIFY2(p.exitCode() == 0, p.readAllStandardError().constData());

        const QList<Message> messages = readTs(copy);
        QVERIFY2(messages.size() > 100, qPrintable(QString::number(messages.size())));
        QStringList wrong;
        for (const Message &m : messages)
            if (!m.type.isEmpty() || m.translation.isEmpty())
                wrong << QStringLiteral("%1 \"%2\" (%3)").arg(m.context, m.source, m.type);
        QVERIFY2(wrong.isEmpty(), qPrintable(QStringLiteral("run `cmake --build build --target update-translations` "
                                                            "and translate:\n")
                                             + wrong.join(QLatin1Char('\n'))));
        QCOMPARE(readTs(ts).size(), messages.size());
    }
}

void TestTranslations::compiledInTranslationMatches()
{
    QTranslator qm;
    QVERIFY(qm.load(QStringLiteral(":/translations/varnix_en.qm")));
    const QList<Message> messages = readTs(sourceDir() + QLatin1String("/translations/varnix_en.ts"));
    QVERIFY(!messages.isEmpty());
    for (const Message &m : messages)
        QCOMPARE(qm.translate(m.context.toUtf8().constData(), m.source.toUtf8().constData()), m.translation);
}

void TestTranslations::englishWindowHasNoChinese()
{
    const QStringList loaded = startup::installTranslations(QString::fromLatin1(startup::english));
    QCOMPARE(loaded, QStringList{ QStringLiteral(":/translations/varnix_en.qm") });
    MainWindow w;
    QStringList chinese;
    for (const ShownText &t : shownTexts(&w))
        if (hasChinese(t.text))
            chinese << t.where + QLatin1String(": ") + t.text;
    QVERIFY2(chinese.isEmpty(), qPrintable(chinese.join(QLatin1Char('\n'))));

    // The connection panel reads its state from the button's text.
    QTemporaryDir dir;
    QStringList boxes;
    QVERIFY(!apptest::openPort(&w, dir.filePath(QStringLiteral("nothing-here")), &boxes));
    QCOMPARE(w.findChild<QPushButton *>(QStringLiteral("openButton"))->text(), QStringLiteral("Open port"));
}

// An English text fits its widget, or takes no more room than the Chinese
// one it replaces (some of the form's own texts are wider than their boxes).
void TestTranslations::englishTextsFit()
{
    QList<ShownText> chinese;
    {
        MainWindow w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        chinese = shownTexts(&w);
    }
    startup::installTranslations(QString::fromLatin1(startup::english));
    MainWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    const QList<ShownText> english = shownTexts(&w);
    QCOMPARE(english.size(), chinese.size());
    QStringList tooWide;
    for (int i = 0; i < english.size(); ++i) {
        const ShownText &t = english.at(i);
        if (t.needed > t.room && t.needed > chinese.at(i).needed)
            tooWide << QStringLiteral("%1 \"%2\": %3 px, room %4, Chinese %5 px")
                           .arg(t.where, t.text).arg(t.needed).arg(t.room).arg(chinese.at(i).needed);
    }
    QVERIFY2(tooWide.isEmpty(), qPrintable(tooWide.join(QLatin1Char('\n'))));
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
        for (const ShownText &t : shownTexts(&plain))
            untranslated << t.where + QLatin1Char('|') + t.text;
    }
    const QString englishButtons = okButtonText();

    const QStringList dirs = qtTexts ? startup::qtTranslationDirs() : QStringList{ m_home.path() };
    const QStringList loaded = startup::installTranslations(QString::fromLatin1(startup::chinese), dirs);
    if (qtTexts && loaded.isEmpty())
        QSKIP("Qt's Chinese translation is not installed");
    QCOMPARE(loaded.size(), qtTexts ? 1 : 0);

    MainWindow w;
    QStringList shown;
    for (const ShownText &t : shownTexts(&w))
        shown << t.where + QLatin1Char('|') + t.text;
    QCOMPARE(shown, untranslated);
    if (qtTexts)
        QCOMPARE(okButtonText(), QString::fromUtf8("确定|取消"));
    else
        QCOMPARE(okButtonText(), englishButtons);
}

void TestTranslations::parseArguments_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("port");
    QTest::addColumn<bool>("fails");

    QTest::newRow("nothing") << QStringList{} << "" << "" << false;
    QTest::newRow("port") << QStringList{ "/dev/ttyUSB0" } << "" << "/dev/ttyUSB0" << false;
    QTest::newRow("lang before port") << QStringList{ "--lang", "en", "COM3" } << "en" << "COM3" << false;
    QTest::newRow("port before lang") << QStringList{ "COM3", "--lang=zh" } << "zh" << "COM3" << false;
    QTest::newRow("port after --") << QStringList{ "--lang", "en", "--", "-odd" } << "en" << "-odd" << false;
    QTest::newRow("unknown language") << QStringList{ "--lang", "de" } << "de" << "" << true;
    QTest::newRow("language missing") << QStringList{ "--lang" } << "" << "" << true;
    QTest::newRow("two ports") << QStringList{ "COM3", "COM4" } << "" << "" << true;
    QTest::newRow("unknown option") << QStringList{ "--baud", "9600" } << "" << "" << true;
}

void TestTranslations::parseArguments()
{
    QFETCH(QStringList, args);
    QFETCH(QString, language);
    QFETCH(QString, port);
    QFETCH(bool, fails);
    const startup::Options o = startup::parseArguments(QStringList{ "varnix-config" } + args);
    QCOMPARE(!o.error.isEmpty(), fails);
    QCOMPARE(o.language, language);
    if (!fails)
        QCOMPARE(o.portName, port);
    QVERIFY(o.helpText.contains(QLatin1String("--lang")));
}

void TestTranslations::languageChosenAndRemembered_data()
{
    QTest::addColumn<QString>("remembered"); // "-" for no setting at all
    QTest::addColumn<QString>("asked");
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("rememberedAfter");

    QTest::newRow("first start") << "-" << "" << "zh" << "-";
    QTest::newRow("first start, English") << "-" << "en" << "en" << "en";
    QTest::newRow("English remembered") << "en" << "" << "en" << "en";
    QTest::newRow("back to Chinese") << "en" << "zh" << "zh" << "zh";
    QTest::newRow("foreign setting") << "klingon" << "" << "zh" << "klingon";
    QTest::newRow("foreign setting, English") << "klingon" << "en" << "en" << "en";
}

void TestTranslations::languageChosenAndRemembered()
{
    QFETCH(QString, remembered);
    QFETCH(QString, asked);
    QFETCH(QString, chosen);
    QFETCH(QString, rememberedAfter);
    const QString path = m_home.filePath(QStringLiteral("choice.ini"));
    QFile::remove(path);
    {
        QSettings settings(path, QSettings::IniFormat);
        if (remembered != QLatin1String("-"))
            settings.setValue(QStringLiteral("language"), remembered);
        QCOMPARE(startup::chooseLanguage(asked, settings), chosen);
    }
    QSettings reread(path, QSettings::IniFormat);
    QCOMPARE(reread.value(QStringLiteral("language"), QStringLiteral("-")).toString(), rememberedAfter);

    // The next start without --lang speaks the remembered language.
    if (rememberedAfter != QLatin1String("klingon"))
        QCOMPARE(startup::chooseLanguage(QString(), reread), rememberedAfter == QLatin1String("-") ? chosen : rememberedAfter);
}

// The program itself: --lang beside a port starts the window and writes the
// choice to the user's settings file, which is where a later start reads it.
void TestTranslations::programRemembersLanguage()
{
    QTemporaryDir config;
    QProcess p;
    p.setProcessEnvironment(programEnvironment(config.path()));
    const QString file = config.filePath(QStringLiteral("varnix-config.conf"));
    p.start(QString::fromUtf8(PROGRAM), { QStringLiteral("--lang"), QStringLiteral("en"), QStringLiteral("/dev/null") });
    QVERIFY(p.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(file), 10000);
    QCOMPARE(p.state(), QProcess::Running);
    p.kill();
    p.waitForFinished();
    QCOMPARE(QSettings(file, QSettings::NativeFormat).value(QStringLiteral("language")).toString(),
             QStringLiteral("en"));
}

void TestTranslations::programRefusesUnknownLanguage()
{
    QTemporaryDir config;
    QProcess p;
    p.setProcessEnvironment(programEnvironment(config.path()));
    p.start(QString::fromUtf8(PROGRAM), { QStringLiteral("--lang"), QStringLiteral("fr") });
    QVERIFY(p.waitForFinished(10000));
    QCOMPARE(p.exitCode(), 2);
    QVERIFY(p.readAllStandardError().contains("'fr'"));
    QVERIFY(QDir(config.path()).isEmpty());
}

QTEST_MAIN(TestTranslations)
#include "tst_translations.moc"
