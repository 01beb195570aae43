// The setups library: Parameter files with their sidecars in a folder, the
// command line's names for them, and the window's panel matching what a Read
// brought against them over a pseudo-terminal.

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QUndoStack>
#include <QtTest>

#include "apptest.h"
#include "filetest.h"
#include "librarypanel.h"
#include "linktest.h"
#include "mainwindow.h"
#include "paramfile.h"
#include "programs.h"
#include "qtwarnings.h"
#include "setuplibrary.h"
#include "setupcompare.h"
#include "templatedialog.h"
#include "templates.h"
#include "txsimprocess.h"
#include "usersettings.h"

namespace {

QString u8(const char *text)
{
    return QString::fromUtf8(text);
}

const QDateTime kWritten(QDate(2026, 3, 1), QTime(9, 30), Qt::UTC);

QJsonObject sidecarJson(const QString &file)
{
    return QJsonDocument::fromJson(readBytes(SetupLibrary::sidecarOf(file))).object();
}

// A whole Parameter file of p at path.
void putSetup(const QString &path, const ParamSet &p, const QByteArray &sidecar = QByteArray())
{
    QVERIFY(writeParameterFile(path, p));
    if (!sidecar.isNull())
        QVERIFY(writeBytes(SetupLibrary::sidecarOf(path), sidecar));
}

ParamSet changedSet(int subTrim1, int epaLeft2)
{
    ParamSet p;
    p.subTrim[1] = subTrim1;
    p.epaLeft[2] = epaLeft2;
    return p;
}

} // namespace

class LibraryTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void roundTripKeepsUnknownKeys();
    void listing_data();
    void listing();
    void damagedSidecarIsKeptAside();
    void twoLibrariesLoseNoWrite();
    void deleteWithoutTrashUndoes();
    void resolve_data();
    void resolve();
    void commandLineTakesSetupNames();
    void commandLineWriteRecordsIt();
    void writtenText_data();
    void writtenText();
    void matchAfterReadAndWriteThroughReview();
    void newSetupFromTemplate();

private:
    QString m_param;
};

void LibraryTest::initTestCase()
{
    testsupport::failOnUnexpectedWarnings();
    apptest::useFreshSettings();
    m_param = builtProgram("VARNIX_PARAM", QStringLiteral("varnix-param"));
}

void LibraryTest::init()
{
    apptest::resetProcessState();
}

// The sidecar holds what the file does not; a rewrite changes only what
// changed and keeps keys of later versions.
void LibraryTest::roundTripKeepsUnknownKeys()
{
    QTemporaryDir dir;
    SetupLibrary lib(dir.path());
    const ParamSet p = changedSet(12, 80);
    SetupInfo info;
    info.name = u8("Bixler 2 蓝");
    info.type = Airframe::Delta;
    info.notes = u8("重心 62 mm\n3S 2200");
    info.lastWritten = kWritten;
    info.lastChanged = kWritten.addDays(1);
    const QString path = lib.newFilePath(info.name);
    QCOMPARE(QFileInfo(path).fileName(), u8("Bixler 2 蓝.txt"));
    QVERIFY(lib.create(path, framesOf(p), info));
    QVERIFY(!lib.create(path, framesOf(p), info)); // never over an existing file
    QCOMPARE(readBytes(path), parameterFileBytes(p));

    QJsonObject o = sidecarJson(path);
    QCOMPARE(o.value("name").toString(), info.name);
    QCOMPARE(o.value("type").toString(), QStringLiteral("delta"));
    QCOMPARE(o.value("lastWritten").toString(), QStringLiteral("2026-03-01T09:30:00Z"));
    QCOMPARE(o.value("format").toInt(), 1);
    o.insert("colour", "blue");
    o.insert("type", "flying-boat"); // a kind this version does not know
    QVERIFY(writeBytes(SetupLibrary::sidecarOf(path), QJsonDocument(o).toJson()));

    const QVector<LibrarySetup> listed = lib.list();
    QCOMPARE(listed.size(), 1);
    QCOMPARE(listed[0].info.name, info.name);
    QCOMPARE(listed[0].info.notes, info.notes);
    QCOMPARE(listed[0].info.lastWritten, kWritten);
    QCOMPARE(listed[0].info.lastChanged, kWritten.addDays(1));
    QCOMPARE(listed[0].info.type, Airframe::Other);
    QVERIFY(listed[0].hasSidecar);

    QVERIFY(lib.update(path, [](SetupInfo &i) { i.notes = QStringLiteral("new"); }));
    o = sidecarJson(path);
    QCOMPARE(o.value("notes").toString(), QStringLiteral("new"));
    QCOMPARE(o.value("colour").toString(), QStringLiteral("blue"));
    QCOMPARE(o.value("type").toString(), QStringLiteral("flying-boat"));
    QCOMPARE(o.value("lastWritten").toString(), QStringLiteral("2026-03-01T09:30:00Z"));
}

void LibraryTest::listing_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("sidecar"); // null: none
    QTest::addColumn<QString>("name");       // empty: not listed
    QTest::addColumn<bool>("noted");

    QTest::newRow("no sidecar") << "Cub.txt" << QByteArray() << "Cub" << false;
    QTest::newRow("upper-case .DAT") << "Old.DAT" << QByteArray() << "Old" << false;
    QTest::newRow("sidecar") << "a1.txt" << QByteArray(R"({"name":"Wing","format":1})") << "Wing" << false;
    QTest::newRow("blank name") << "Glider.txt" << QByteArray(R"({"name":"  "})") << "Glider" << false;
    QTest::newRow("not JSON") << "Bad.txt" << QByteArray("{\"name\": \"X\"") << "Bad" << true;
    QTest::newRow("an array") << "Arr.txt" << QByteArray("[1, 2]") << "Arr" << true;
    QTest::newRow("name not a string") << "Num.txt" << QByteArray(R"({"name": 7})") << "Num" << true;
    QTest::newRow("empty sidecar") << "Empty.txt" << QByteArray("") << "Empty" << true;
    QTest::newRow("sidecar without file") << "" << QByteArray(R"({"name":"Ghost"})") << "" << false;
    QTest::newRow("other file") << "notes.md" << QByteArray() << "" << false;
}

void LibraryTest::listing()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, sidecar);
    QFETCH(QString, name);
    QFETCH(bool, noted);
    QTemporaryDir dir;
    const QString path = dir.filePath(file.isEmpty() ? QStringLiteral("Ghost.txt") : file);
    if (!file.isEmpty())
        putSetup(path, changedSet(5, 90));
    if (!sidecar.isNull())
        QVERIFY(writeBytes(SetupLibrary::sidecarOf(path), sidecar));

    const QVector<LibrarySetup> listed = SetupLibrary(dir.path()).list();
    if (name.isEmpty()) {
        QCOMPARE(listed.size(), 0);
        return;
    }
    QCOMPARE(listed.size(), 1);
    QCOMPARE(listed[0].info.name, name);
    QCOMPARE(listed[0].path, path);
    QCOMPARE(!listed[0].note.isEmpty(), noted);
    // A damaged sidecar takes nothing from the setup itself.
    QVERIFY(readParameterFile(path).complete());
}

// The window that writes next makes a sound sidecar; what was there stays
// beside it for whoever wants to look.
void LibraryTest::damagedSidecarIsKeptAside()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Bad.txt"));
    putSetup(path, ParamSet(), "{\"notes\": \"half");
    SetupLibrary lib(dir.path());
    QVERIFY(lib.update(path, [](SetupInfo &i) { i.lastWritten = kWritten; }));
    QCOMPARE(readBytes(SetupLibrary::sidecarOf(path) + ".bad"), QByteArray("{\"notes\": \"half"));
    const LibrarySetup s = SetupLibrary::read(path);
    QVERIFY(s.note.isEmpty());
    QCOMPARE(s.info.name, QStringLiteral("Bad"));
    QCOMPARE(s.info.lastWritten, kWritten);
}

// Two windows on one folder, each with the list it read earlier: the notes
// one of them typed and the write the other recorded both stay.
void LibraryTest::twoLibrariesLoseNoWrite()
{
    QTemporaryDir dir;
    SetupLibrary a(dir.path());
    SetupLibrary b(dir.path());
    SetupInfo info;
    info.name = QStringLiteral("Bixler");
    const QString path = a.newFilePath(info.name);
    QVERIFY(a.create(path, framesOf(ParamSet()), info));
    const LibrarySetup seenByB = b.list().first();

    QVERIFY(a.update(path, [](SetupInfo &i) { i.notes = QStringLiteral("CG 62 mm"); }));
    QVERIFY(b.update(seenByB.path, [](SetupInfo &i) { i.lastWritten = kWritten; }));
    QVERIFY(a.update(path, [](SetupInfo &i) { i.type = Airframe::Glider; }));
    QVERIFY(b.update(path, [](SetupInfo &i) { i.name = QStringLiteral("Bixler 2"); }));

    const SetupInfo now = SetupLibrary::read(path).info;
    QCOMPARE(now.notes, QStringLiteral("CG 62 mm"));
    QCOMPARE(now.lastWritten, kWritten);
    QCOMPARE(now.type, Airframe::Glider);
    QCOMPARE(now.name, QStringLiteral("Bixler 2"));
    QVERIFY(!QFileInfo::exists(dir.filePath(".varnix-library.lock")));
}

void LibraryTest::deleteWithoutTrashUndoes()
{
    QTemporaryDir dir;
    SetupLibrary lib(dir.path());
    lib.setUseTrash(false);
    const QString path = dir.filePath(QStringLiteral("Cub.txt"));
    putSetup(path, changedSet(3, 70), R"({"name":"Cub","notes":"x"})");
    const QByteArray file = readBytes(path);
    SetupLibrary::Removed removed;
    QVERIFY(lib.remove(path, &removed));
    QVERIFY(!removed.trashed);
    QVERIFY(lib.list().isEmpty());
    QVERIFY(!QFileInfo::exists(SetupLibrary::sidecarOf(path)));
    QVERIFY(lib.restore(removed));
    QCOMPARE(readBytes(path), file);
    QCOMPARE(lib.list().value(0).info.notes, QStringLiteral("x"));
    QVERIFY(!lib.restore(removed)); // never over the file that is back
}

void LibraryTest::resolve_data()
{
    QTest::addColumn<QString>("asked");
    QTest::addColumn<QString>("found"); // file name in the folder; empty: refused

    QTest::newRow("name") << "Bixler" << "b.txt";
    QTest::newRow("name, other case") << "bixler" << "b.txt";
    QTest::newRow("exact case first") << "Cub" << "c1.txt";
    QTest::newRow("ambiguous in case") << "CUB" << "";
    QTest::newRow("file name only") << "b.txt" << "";
    QTest::newRow("unknown") << "Wing" << "";
    QTest::newRow("path over name") << "@path" << "Cub.txt";
}

void LibraryTest::resolve()
{
    QFETCH(QString, asked);
    QFETCH(QString, found);
    QTemporaryDir dir;
    putSetup(dir.filePath("b.txt"), ParamSet(), R"({"name":"Bixler"})");
    putSetup(dir.filePath("c1.txt"), ParamSet(), R"({"name":"Cub"})");
    putSetup(dir.filePath("c2.txt"), ParamSet(), R"({"name":"cub"})");
    // A file whose path is also a setup's name elsewhere.
    putSetup(dir.filePath("Cub.txt"), ParamSet(), R"({"name":"Other"})");
    if (asked == "@path")
        asked = dir.filePath("Cub.txt");
    const QString cwd = QDir::currentPath();
    QVERIFY(QDir::setCurrent(QDir::tempPath()));
    QString error;
    const QString path = SetupLibrary(dir.path()).resolve(asked, &error);
    QDir::setCurrent(cwd);
    QCOMPARE(path, found.isEmpty() ? QString() : dir.filePath(found));
    QCOMPARE(error.isEmpty(), !found.isEmpty());
}

void LibraryTest::commandLineTakesSetupNames()
{
    QTemporaryDir dir;
    const QString bixler = dir.filePath("bixler.txt");
    const QString cub = dir.filePath("cub.txt");
    putSetup(bixler, changedSet(12, 80),
             R"({"name":"Bixler","type":"delta","lastWritten":"2026-03-01T09:30:00Z","format":1})");
    putSetup(cub, changedSet(12, 95));
    putSetup(dir.filePath("broken.txt"), ParamSet(), "nope");
    const QStringList folder{QStringLiteral("--folder"), dir.path()};

    ProgramRun r = runProgram(m_param, QStringList{"library"} + folder);
    QCOMPARE(r.code, 0);
    QCOMPARE(QString::fromUtf8(r.out), QStringLiteral("Bixler\tdelta\tbixler.txt\t2026-03-01T09:30:00Z\n"
                                                      "broken\tother\tbroken.txt\t-\n"
                                                      "cub\tother\tcub.txt\t-\n"));
    QVERIFY(r.err.contains("broken.txt.setup.json"));

    const ProgramRun byPath = runProgram(m_param, {"show", bixler});
    r = runProgram(m_param, QStringList{"show", "Bixler"} + folder);
    QCOMPARE(r.code, 0);
    QCOMPARE(r.out, byPath.out);

    r = runProgram(m_param, QStringList{"diff", "Bixler", "cub"} + folder);
    QCOMPARE(r.code, 1);
    QCOMPARE(r.out.count('\n'), 1);
    QVERIFY(r.out.contains("epaLeft[2]"));

    r = runProgram(m_param, QStringList{"show", "Wing"} + folder);
    QCOMPARE(r.code, 2);
    QVERIFY(r.err.contains("no setup of that name"));

    const QString sheet = dir.filePath("sheet.html");
    r = runProgram(m_param, QStringList{"sheet", "Bixler", "-o", sheet, "--lang", "en"} + folder);
    QCOMPARE(r.code, 0);
    // The sidecar's name and type head the sheet.
    const QString html = QString::fromUtf8(readBytes(sheet));
    QVERIFY(html.contains(QStringLiteral("Bixler")));
    QVERIFY(html.contains(QStringLiteral("Delta")));
}

// varnix-param write by a setup's name, on txsim: the write goes into the
// setup's sidecar, and only into that one.
void LibraryTest::commandLineWriteRecordsIt()
{
    QTemporaryDir dir;
    const QString bixler = dir.filePath("bixler.txt");
    const QString cub = dir.filePath("cub.txt");
    putSetup(bixler, changedSet(12, 80), R"({"name":"Bixler"})");
    putSetup(cub, changedSet(-20, 60), R"({"name":"Cub","notes":"kept"})");
    TxSimProcess sim({QStringLiteral("--settings"), bixler});
    QVERIFY2(sim.start(), qPrintable(sim.errorString()));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("VARNIX_PARAM_PACING"), QStringLiteral("fast"));
    env.insert(QStringLiteral("XDG_DATA_HOME"), dir.filePath("data")); // the backups
    const QDateTime before = QDateTime::currentDateTimeUtc().addSecs(-1);
    const ProgramRun r = runProgram(m_param, {"write", sim.portName(), "cub", "--yes", "--folder", dir.path()}, env);
    QCOMPARE(r.code, 0);
    QVERIFY2(r.err.contains("written and verified"), r.err.constData());
    const SetupInfo info = SetupLibrary::read(cub).info;
    QVERIFY(info.lastWritten >= before && info.lastWritten <= QDateTime::currentDateTimeUtc());
    QCOMPARE(info.notes, QStringLiteral("kept"));
    QVERIFY(!SetupLibrary::read(bixler).info.lastWritten.isValid());
}

void LibraryTest::writtenText_data()
{
    QTest::addColumn<bool>("never");
    QTest::addColumn<int>("secondsAgo");
    QTest::addColumn<QString>("text");
    QTest::newRow("never") << true << 0 << u8("从未写入");
    QTest::newRow("now") << false << 59 << u8("刚刚写入");
    QTest::newRow("minutes") << false << 119 << u8("1 分钟前写入");
    QTest::newRow("hours") << false << 3 * 3600 << u8("3 小时前写入");
    QTest::newRow("days") << false << 3 * 86400 + 5 << u8("3 天前写入");
    // Stamped by a machine whose clock runs ahead.
    QTest::newRow("future") << false << -3600 << u8("刚刚写入");
}

void LibraryTest::writtenText()
{
    QFETCH(bool, never);
    QFETCH(int, secondsAgo);
    QFETCH(QString, text);
    const QDateTime now(QDate(2026, 12, 9), QTime(21, 0), Qt::UTC);
    QCOMPARE(LibraryPanel::writtenText(never ? QDateTime() : now.addSecs(-secondsAgo), now), text);
}

// The transmitter (txsim) holds Bixler; the library is asked after each Read.
void LibraryTest::matchAfterReadAndWriteThroughReview()
{
    QTemporaryDir dir;
    const QString bixler = dir.filePath("bixler.txt");
    const QString cub = dir.filePath("cub.txt");
    const ParamSet held = changedSet(12, 80);
    putSetup(bixler, held, R"({"name":"Bixler","type":"delta","lastWritten":"2026-03-01T09:30:00Z"})");
    ParamSet far = changedSet(-20, 60);
    for (int ch = 2; ch <= 8; ++ch)
        far.subTrim[ch] = -20;
    putSetup(cub, far, R"({"name":"Cub"})");
    UserSettings().setLibraryFolder(dir.path());

    TxSimProcess sim({QStringLiteral("--rate"), QStringLiteral("0"), QStringLiteral("--settings"), bixler});
    if (!sim.start())
        QFAIL(qPrintable(QStringLiteral("txsim (%1): %2").arg(TxSimProcess::program(), sim.errorString())));
    MainWindow w;
    w.setAttribute(Qt::WA_QuitOnClose, false);
    w.link().setPacing(linktest::fastPacing());
    w.show();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    LibraryPanel *panel = w.library();
    QVERIFY(apptest::openPort(&w, sim.portName()));
    QVERIFY(sim.waitForStandardError("connected", 5000));
    auto *label = panel->findChild<QLabel *>("libraryMatch");
    auto read = [&w, label] {
        label->clear();
        return w.link().read() && linktest::waitIdle(w.link());
    };

    QVERIFY(read());
    QTRY_VERIFY2_WITH_TIMEOUT(label->text().startsWith(u8("发射机当前：Bixler（")), qPrintable(label->text()), 10000);
    QVERIFY(label->text().endsWith(u8("天前写入）")));
    QCOMPARE(panel->currentFile(), bixler);
    QVERIFY(w.windowTitle().startsWith(u8("Bixler — ")));

    // A file dropped into the folder appears; notes typed in the panel go
    // into the sidecar.
    auto *list = panel->findChild<QListWidget *>("libraryList");
    QCOMPARE(list->count(), 2);
    putSetup(dir.filePath("wing.txt"), ParamSet());
    QTRY_COMPARE(list->count(), 3);
    QCOMPARE(list->item(2)->text(), u8("wing · 其他 · 从未写入"));
    list->setCurrentRow(0);
    QTest::keyClicks(panel->findChild<QPlainTextEdit *>("libraryNotes"), QStringLiteral("CG 62"));
    QTRY_COMPARE(SetupLibrary::read(bixler).info.notes, QStringLiteral("CG 62"));

    // Two settings changed in the file since: the transmitter holds Bixler, changed.
    putSetup(bixler, changedSet(30, 95));
    QVERIFY(read());
    QTRY_COMPARE_WITH_TIMEOUT(label->text(), u8("与 Bixler 有 2 项不同"), 10000);
    QCOMPARE(panel->currentFile(), bixler);
    QVERIFY(w.windowTitle().startsWith(u8("Bixler* — ")));

    // Ctrl+S: the pages (what the transmitter holds) back into Bixler.
    QTest::keyClick(&w, Qt::Key_S, Qt::ControlModifier);
    QTRY_VERIFY(w.windowTitle().startsWith(u8("Bixler — ")));
    // No telemetry came, so no trims: the file has S, G and H only.
    QCOMPARE(readBytes(bixler), parameterFileBytes(held).left(3 * 81));
    QVERIFY(SetupLibrary::read(bixler).info.lastChanged.isValid());

    // Cub goes to the transmitter through the review; its write is recorded.
    apptest::ModalAnswerer answerer;
    panel->findChild<QListWidget *>("libraryList")->setCurrentRow(1);
    panel->findChild<QAbstractButton *>("libraryWrite")->click();
    QVERIFY(linktest::waitIdle(w.link(), 20000));
    QCOMPARE(answerer.reviews().size(), 1);
    QStringList settings;
    for (const QStringList &row : answerer.reviews().first().rows)
        settings << row.value(1);
    QCOMPARE(settings.size(), 9);
    QTRY_COMPARE(panel->currentFile(), cub);
    QVERIFY(SetupLibrary::read(cub).info.lastWritten.isValid());
    // Last used first, never used last.
    QVERIFY(SetupLibrary(dir.path()).update(bixler, [](SetupInfo &i) { i.lastChanged = kWritten; }));
    panel->refresh();
    panel->findChild<QComboBox *>("librarySort")->setCurrentIndex(1);
    QVERIFY(list->item(0)->text().startsWith(u8("▶ Cub · ")));
    QVERIFY(list->item(1)->text().startsWith(u8("Bixler · ")));
    QVERIFY(list->item(2)->text().startsWith(u8("wing · ")));
    QVERIFY(read());
    QTRY_COMPARE_WITH_TIMEOUT(label->text(), u8("发射机当前：Cub（刚刚写入）"), 10000);

    // Neither any more: not in the library.
    QVERIFY(QFile::remove(cub));
    QVERIFY(read());
    QTRY_COMPARE_WITH_TIMEOUT(label->text(), u8("不在库中"), 10000);
    QVERIFY(panel->findChild<QAbstractButton *>("librarySaveNew")->isVisibleTo(panel));
    QCOMPARE(panel->currentFile(), QString());
    QVERIFY(panel->createFromPages(QStringLiteral("Cub 2"), Airframe::Plane));
    QCOMPARE(SetupLibrary::read(dir.filePath("Cub 2.txt")).info.lastWritten.isValid(), true);
    QVERIFY(read());
    QTRY_COMPARE_WITH_TIMEOUT(label->text(), u8("发射机当前：Cub 2（刚刚写入）"), 10000);
}

// 新建 → 从模板…: the template over factory values into the pages as one
// undo step, then a setup of the name and type given.
void LibraryTest::newSetupFromTemplate()
{
    QTemporaryDir dir;
    UserSettings().setLibraryFolder(dir.path());
    MainWindow w;
    w.setAttribute(Qt::WA_QuitOnClose, false);
    w.show();
    const int steps = w.undoStack()->count();
    apptest::ModalAnswerer answerer;
    answerer.onShown([](const apptest::ModalSeen &) {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (auto *t = qobject_cast<TemplateDialog *>(dialog)) {
            t->choose(Airframe::Delta, 1);
        } else if (auto *name = dialog ? dialog->findChild<QLineEdit *>("librarySetupName") : nullptr) {
            name->setText(QStringLiteral("Zagi"));
            QCOMPARE(dialog->findChild<QComboBox *>("librarySetupType")->currentIndex(), int(Airframe::Delta));
        }
        if (dialog)
            dialog->accept();
    });
    w.library()->findChild<QAction *>("libraryNewFromTemplate")->trigger();

    const ParamSet expected = templates::apply(*templates::of(Airframe::Delta), 1, TemplateDialog::newSetupBase());
    QVERIFY(paramSet == expected);
    QCOMPARE(w.undoStack()->count(), steps + 1);
    const QString file = w.library()->currentFile();
    QVERIFY(!file.isEmpty());
    const LibrarySetup setup = SetupLibrary::read(file);
    QCOMPARE(setup.info.name, QStringLiteral("Zagi"));
    QCOMPARE(setup.info.type, Airframe::Delta);
    ParamSet saved;
    const ParameterFile read = readParameterFile(file);
    QVERIFY(read.complete());
    decodeParameterFile(read, saved);
    QVERIFY(setupcompare::differences(saved, expected, false).isEmpty());
}

QTEST_MAIN(LibraryTest)
#include "tst_library.moc"
