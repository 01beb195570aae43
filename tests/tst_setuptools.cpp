// Templates and the comparison in the window: a template over the pages is
// one undo step that a Write then reviews as a diff; the transmitter, read
// over a pty from the simulator, compared with the pages and a file, and
// rows copied into the pages as one undo step.

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QUndoStack>
#include <QtTest>

#include "apptest.h"
#include "bindings.h"
#include "comparedialog.h"
#include "linktest.h"
#include "mainwindow.h"
#include "paramfile.h"
#include "qtwarnings.h"
#include "rules.h"
#include "setupcompare.h"
#include "setuptools.h"
#include "templatedialog.h"
#include "templates.h"
#include "txsimprocess.h"

namespace {

QString u8(const char *text)
{
    return QString::fromUtf8(text);
}

// What the simulator holds: away from the start values in a few settings.
ParamSet heldSet()
{
    ParamSet p;
    p.subTrim[4] = 6;
    p.epaLeft[2] = 88;
    p.elevonMix = 1;
    p.drRateDown[1] = 60;
    p.txAlarmVolt = 7.4;
    p.txAlarmVoltX10 = 74;
    p.stickMode = 2;
    return p;
}

// A window connected to the simulator holding held, after a Read.
struct Rig {
    QTemporaryDir dir;
    std::unique_ptr<TxSimProcess> sim;
    MainWindow window;

    bool start(const ParamSet &held)
    {
        const QString path = dir.filePath(QStringLiteral("held.txt"));
        if (!writeParameterFile(path, held))
            return false;
        sim.reset(new TxSimProcess({QStringLiteral("--rate"), QStringLiteral("0"), QStringLiteral("--settings"), path}));
        if (!sim->start())
            return false;
        window.setAttribute(Qt::WA_QuitOnClose, false);
        window.link().setPacing(linktest::fastPacing());
        if (!apptest::openPort(&window, sim->portName()) || !sim->waitForStandardError("connected", 5000))
            return false;
        window.findChild<QAbstractButton *>(QStringLiteral("toolButton_Read"))->click();
        auto *message = window.findChild<QLabel *>(QStringLiteral("statusMessage"));
        return QTest::qWaitFor([message] { return message->text().contains(QStringLiteral("19/19")); }, 10000)
            && linktest::waitIdle(window.link());
    }
};

// Answers the template dialog with a template and a stick mode.
void answerTemplate(apptest::ModalAnswerer &answerer, Airframe kind, int mode)
{
    answerer.onShown([kind, mode](const apptest::ModalSeen &) {
        if (auto *d = qobject_cast<TemplateDialog *>(QApplication::activeModalWidget())) {
            d->choose(kind, mode);
            d->accept();
        }
    });
}

} // namespace

class SetupToolsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        testsupport::failOnUnexpectedWarnings();
        apptest::useFreshSettings();
    }
    void init() { apptest::resetProcessState(); }
    void cleanup() { apptest::resetProcessState(); }

    // Ctrl+T over a read setup: one undo step; the Write's review lists just
    // the settings the template changed.
    void templateOverPagesThenReview()
    {
        Rig rig;
        QVERIFY2(rig.start(heldSet()), qPrintable(rig.sim ? rig.sim->errorString() : QString()));
        const ParamSet before = paramSet;
        const int steps = rig.window.undoStack()->count();
        apptest::ModalAnswerer answerer;
        answerTemplate(answerer, Airframe::Delta, 1);
        rig.window.findChild<QAction *>(QStringLiteral("actionTemplate"))->trigger();
        const ParamSet expected = templates::apply(*templates::of(Airframe::Delta), 1, before);
        QVERIFY(paramSet == expected);
        QCOMPARE(rig.window.undoStack()->count(), steps + 1);

        apptest::ReviewAnswer escape;
        escape.action = apptest::ReviewAnswer::Escape;
        answerer.queueReview(escape);
        rig.window.findChild<QAbstractButton *>(QStringLiteral("toolButton_Send"))->click();
        QTRY_COMPARE(answerer.reviews().size(), 1);
        QStringList changed;
        for (const SettingElement &e : setupcompare::differences(before, expected))
            if (e.field != Field::drUp && e.field != Field::drDown)
                changed << elementName(e.field, e.index);
        QCOMPARE(answerer.reviews().first().rows.size(), changed.size());
        // The comparison lists and counts the same settings.
        CompareDialog *compare = rig.window.findChild<SetupTools *>()->showCompare();
        QCOMPARE(compare->differenceCount(), changed.size());
        QCOMPARE(compare->rowCount(), changed.size());
        compare->close();
        QVERIFY(linktest::waitIdle(rig.window.link()));

        rig.window.undoStack()->undo();
        QVERIFY(paramSet == before);
        QCOMPARE(rig.window.unsentCount(), 0);
    }

    // The transmitter as read against the pages and against a file; rows of
    // the transmitter copied into the pages as one undo step.
    void compareAndCopy()
    {
        Rig rig;
        const ParamSet held = heldSet();
        QVERIFY2(rig.start(held), qPrintable(rig.sim ? rig.sim->errorString() : QString()));
        auto *sub4 = rig.window.findChild<QSpinBox *>(QStringLiteral("spinBox_sub4"));
        auto *epa2 = rig.window.findChild<QSpinBox *>(QStringLiteral("spinBox_Lepa2"));
        sub4->setValue(-20);
        epa2->setValue(110);
        rig.window.show();
        rig.window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&rig.window));
        QTest::keyClick(&rig.window, Qt::Key_D, Qt::ControlModifier);
        auto *compare = rig.window.findChild<CompareDialog *>();
        QVERIFY(compare && compare->isVisible());
        // Left the transmitter, right the pages.
        QCOMPARE(compare->differenceCount(), 2);
        QCOMPARE(compare->rowCount(), 2);
        const QStringList first = compare->rowTexts(0);
        QCOMPARE(first, (QStringList{pageName(1), u8("副微调 CH4"), QStringLiteral("6"), QStringLiteral("-20")}));
        QCOMPARE(compare->rowTexts(1).at(1), u8("舵机行程 L CH2"));
        compare->setOnlyDifferences(false);
        QVERIFY(compare->rowCount() > 100);
        compare->setOnlyDifferences(true);

        // Copy one row back: the other edit stays, one step undoes it.
        const int steps = rig.window.undoStack()->count();
        compare->setRowChosen(0, true);
        QVERIFY(compare->copyToPages(CompareDialog::Left));
        QCOMPARE(paramSet.subTrim[4], 6);
        QCOMPARE(paramSet.epaLeft[2], 110);
        QCOMPARE(sub4->value(), 6);
        QCOMPARE(rig.window.undoStack()->count(), steps + 1);
        QCOMPARE(compare->differenceCount(), 1);
        rig.window.undoStack()->undo();
        QCOMPARE(paramSet.subTrim[4], -20);
        QCOMPARE(compare->differenceCount(), 2);
        // The pages cannot copy into themselves.
        QVERIFY(!compare->findChild<QAbstractButton *>(QStringLiteral("compareCopyRight"))->isEnabled());

        // A file against the transmitter: nothing copies, the file names its column.
        ParamSet file = held;
        file.vtailMix = 1;
        file.rxAlarmVolt = 5.1;
        const QString path = rig.dir.filePath(QStringLiteral("other.txt"));
        QVERIFY(writeParameterFile(path, file));
        compare->setFile(CompareDialog::Right, path);
        QCOMPARE(compare->differenceCount(), 2);
        QCOMPARE(compare->rowTexts(0).at(3), u8("打开"));
        QCOMPARE(compare->rowTexts(1).at(3), QStringLiteral("5.1 V"));
        compare->setRowChosen(0, true);
        QVERIFY(!compare->copyToPages(CompareDialog::Left));
        QVERIFY(!compare->copyToPages(CompareDialog::Right));
        compare->close();
    }

    // Before a Read the transmitter has nothing to compare; a broken file says why.
    void unknownSides()
    {
        MainWindow window;
        CompareDialog dialog(window.link(), nullptr);
        QCOMPARE(dialog.rowCount(), 0);
        auto *summary = dialog.findChild<QLabel *>(QStringLiteral("compareSummary"));
        QVERIFY(summary->text().contains(u8("还未读取")));
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("cut.txt"));
        QFile cut(path);
        QVERIFY(cut.open(QIODevice::WriteOnly));
        cut.write("S0010000078787878");
        cut.close();
        dialog.setSource(CompareDialog::Left, CompareDialog::PagesSource);
        dialog.setFile(CompareDialog::Right, path);
        QCOMPARE(dialog.rowCount(), 0);
        QVERIFY2(summary->text().startsWith(QStringLiteral("cut.txt")), qPrintable(summary->text()));
        // A library setup as a source.
        const int own = dialog.addSource(QStringLiteral("Bixler"), [](ParamSet *set, QString *) {
            *set = paramSet;
            set->reverse[5] = 1;
            return true;
        });
        dialog.setSource(CompareDialog::Right, own);
        QCOMPARE(dialog.differenceCount(), 1);
        QCOMPARE(dialog.rowTexts(0).at(1), u8("舵机相位 CH5"));
    }
};

QTEST_MAIN(SetupToolsTest)
#include "tst_setuptools.moc"
