// The main window form as built by setupUi on a bare QMainWindow: widget
// names and kinds, geometry, ranges, start values, texts, item lists,
// current indexes and style sheets.

#include <QtTest>

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFrame>
#include <QGroupBox>
#include <QLineEdit>
#include <QMainWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "ui_mainwindow.h"
#include "qtwarnings.h"

namespace {

// Sheets compare without whitespace: only selectors, declarations and
// their order matter.
QString squeeze(QString s)
{
    s.remove(QRegularExpression(QStringLiteral("\\s")));
    return s;
}

QStringList seq(const QString &fmt, int first, int last)
{
    QStringList out;
    for (int i = first; i <= last; ++i)
        out << fmt.arg(i);
    return out;
}

// progressBar_<channel><0 upper, 1 lower>
QStringList bars(int first, int last, int lower)
{
    QStringList out;
    for (int ch = first; ch <= last; ++ch)
        out << QStringLiteral("progressBar_%1").arg(ch * 10 + lower);
    return out;
}

QStringList repeated(int n, const QString &s)
{
    QStringList out;
    for (int i = 0; i < n; ++i)
        out << s;
    return out;
}

const char *const kHover = "background-color:rgba(100,255,100,100);"
                           "border-color:rgba(255,255,255,255);"
                           "color:rgba(255,255,255,255);";

QString boxSheet(const QString &cls, const QString &bg, int px, const QString &color)
{
    QString s = QStringLiteral("%1{background-color:%2;border-style:outset;border-width:4px;"
                               "border-radius:4px;border-color:rgba(0,0,0,0);font:bold %3px;"
                               "color:%4;padding:0px;}")
                    .arg(cls, bg).arg(px).arg(color);
    if (cls != QLatin1String("QLineEdit"))
        s += QStringLiteral("%1:hover{%2}").arg(cls, QLatin1String(kHover));
    return squeeze(s);
}

const QString kWhite = QStringLiteral("rgba(255,255,255,255)");
const QString kYellow = QStringLiteral("rgba(255,255,0,255)");
const QString kGrey = QStringLiteral("rgb(70, 70, 70)");
const QString kBlue = QStringLiteral("rgb(85, 170, 255)");

struct Column
{
    const char *container;
    const char *group;
    QRect geometry;
    const char *layout;
    int spacing; // -1: the style's default
    QStringList rows;
};

// Every column container of the settings pages.
const QVector<Column> &columnTable()
{
    static const QVector<Column> table = {
        // page 1
        {"layoutWidget", "groupBox", {10, 30, 91, 431}, "verticalLayout_28", 5,
         QStringList{"lineEdit_28", "lineEdit_29"} + seq("lineEdit_%1", 31, 36)},
        {"layoutWidget1", "groupBox_2", {15, 30, 101, 431}, "verticalLayout_29", 5,
         seq("comboBox_rev%1", 1, 8)},
        {"layoutWidget2", "groupBox_3", {15, 30, 91, 431}, "verticalLayout_30", 5,
         seq("spinBox_sub%1", 1, 8)},
        {"layoutWidget3", "groupBox_4", {15, 30, 91, 431}, "verticalLayout_31", 5,
         seq("spinBox_Lepa%1", 1, 8)},
        {"layoutWidget4", "groupBox_4", {110, 30, 91, 431}, "verticalLayout_32", 5,
         seq("spinBox_Repa%1", 1, 8)},
        {"layoutWidget5", "groupBox_5", {15, 30, 91, 431}, "verticalLayout_34", 5,
         seq("spinBox_delay%1", 1, 8)},
        {"layoutWidget6", "groupBox_6", {5, 30, 131, 431}, "verticalLayout_35", 5,
         seq("comboBox_AUX%1", 1, 8)},
        {"layoutWidget7", "groupBox_14", {15, 30, 91, 431}, "verticalLayout_33", 5,
         seq("spinBox_FS%1", 1, 8)},
        // page 2
        {"layoutWidget8", "groupBox_8", {6, 26, 101, 311}, "verticalLayout", 0,
         seq("lineEdit_%1", 53, 57)},
        {"layoutWidget9", "groupBox_8", {106, 26, 101, 311}, "verticalLayout_2", 0,
         {"comboBox_DR_MIX1", "comboBox_DR_CH1", "comboBox_DR_SW1", "spinBox_DR_UP1",
          "spinBox_DR_DOWN1"}},
        {"layoutWidget10", "groupBox_7", {110, 30, 101, 431}, "verticalLayout_24", -1,
         QStringList{"comboBox_AttiM"} + seq("spinBox_Atti%1", 1, 6)},
        {"layoutWidget11", "groupBox_7", {10, 30, 101, 431}, "verticalLayout_5", -1,
         seq("lineEdit_%1", 45, 51)},
        {"layoutWidget12", "groupBox_10", {10, 30, 111, 301}, "verticalLayout_6", 0,
         seq("lineEdit_%1", 73, 77)},
        {"layoutWidget13", "groupBox_10", {120, 30, 101, 301}, "verticalLayout_8", 0,
         QStringList{"comboBox_EleMix"} + seq("spinBox_Elev0%1", 1, 4)},
        {"layoutWidget14", "groupBox_10", {220, 90, 101, 121}, "verticalLayout_15", 0,
         {"spinBox_Elev05", "spinBox_Elev06"}},
        {"layoutWidget15", "groupBox_13", {10, 30, 111, 301}, "verticalLayout_13", 0,
         {"lineEdit_78", "lineEdit_95", "lineEdit_96", "lineEdit_97", "lineEdit_98"}},
        {"layoutWidget16", "groupBox_13", {120, 30, 111, 301}, "verticalLayout_14", 0,
         QStringList{"comboBox_RuMix"} + seq("spinBox_Ru%1", 1, 4)},
        // page 3
        {"layoutWidget17", "groupBox_19", {10, 30, 101, 431}, "verticalLayout_22", -1,
         {"lineEdit_146", "lineEdit_142", "lineEdit_141", "lineEdit_143", "lineEdit_144",
          "lineEdit_145"}},
        {"layoutWidget18", "groupBox_19", {110, 30, 101, 431}, "verticalLayout_23", -1,
         {"comboBox_DR_MIX2", "comboBox_DR_CH2", "comboBox_DR_SW2", "comboBox_DR_POSI",
          "spinBox_DR_RATE", "spinBox_DR_EXP"}},
        {"layoutWidget_12", "groupBox_18", {10, 29, 101, 431}, "verticalLayout_26", -1,
         {"lineEdit_130", "lineEdit_126", "lineEdit_125", "lineEdit_127", "lineEdit_128",
          "lineEdit_129", "lineEdit_131", "lineEdit_132"}},
        {"layoutWidget_13", "groupBox_18", {110, 30, 91, 431}, "verticalLayout_27", -1,
         QStringList{"comboBox_THCURE_MIX"} + seq("spinBox_THCURE_Data0%1", 1, 7)},
        // page 4
        {"layoutWidget_8", "groupBox_21", {10, 30, 111, 441}, "verticalLayout_42", -1,
         seq("lineEdit_%1", 119, 124)},
        {"layoutWidget_9", "groupBox_21", {120, 30, 101, 441}, "verticalLayout_43", -1,
         {"comboBox_PRM04_Mix", "comboBox_PRM04_Master", "comboBox_PRM04_Slave",
          "spinBox_PRM04_Data1", "spinBox_PRM04_Data2", "spinBox_PRM04_Data3"}},
        {"layoutWidget_2", "groupBox_15", {10, 30, 111, 441}, "verticalLayout_20", -1,
         {"lineEdit_106", "lineEdit_102", "lineEdit_101", "lineEdit_103", "lineEdit_104",
          "lineEdit_105"}},
        {"layoutWidget_3", "groupBox_15", {120, 30, 101, 441}, "verticalLayout_21", -1,
         {"comboBox_PRM03_Mix", "comboBox_PRM03_Master", "comboBox_PRM03_Slave",
          "spinBox_PRM03_Data1", "spinBox_PRM03_Data2", "spinBox_PRM03_Data3"}},
        {"layoutWidget_10", "groupBox_11", {5, 20, 101, 451}, "verticalLayout_9", 0,
         {"lineEdit_80", "lineEdit_83", "lineEdit_79", "lineEdit_84", "lineEdit_85",
          "lineEdit_86"}},
        {"layoutWidget_11", "groupBox_11", {110, 20, 101, 451}, "verticalLayout_10", 0,
         {"comboBox_PRM01_Mix", "comboBox_PRM01_Master", "comboBox_PRM01_Slave",
          "spinBox_PRM01_Data1", "spinBox_PRM01_Data2", "spinBox_PRM01_Data3"}},
        {"layoutWidget_14", "groupBox_12", {10, 20, 101, 451}, "verticalLayout_16", 0,
         {"lineEdit_94", "lineEdit_90", "lineEdit_89", "lineEdit_91", "lineEdit_92",
          "lineEdit_93"}},
        {"layoutWidget_15", "groupBox_12", {110, 20, 101, 451}, "verticalLayout_17", 0,
         {"comboBox_PRM02_Mix", "comboBox_PRM02_Master", "comboBox_PRM02_Slave",
          "spinBox_PRM02_Data1", "spinBox_PRM02_Data2", "spinBox_PRM02_Data3"}},
        // page 5
        {"layoutWidget_4", "groupBox_17", {10, 30, 201, 251}, "verticalLayout_38", -1,
         {"lineEdit_63", "lineEdit_68", "lineEdit_66", "lineEdit_67"}},
        {"layoutWidget_5", "groupBox_17", {210, 30, 131, 251}, "verticalLayout_39", -1,
         {"doubleSpinBox_Volt", "doubleSpinBox_rxVolt", "doubleSpinBox_extVolt",
          "spinBox_Rssi"}},
        {"layoutWidget_6", "groupBox_20", {10, 29, 201, 181}, "verticalLayout_40", -1,
         {"lineEdit_64", "lineEdit_65", "lineEdit_69"}},
        {"layoutWidget_7", "groupBox_20", {210, 30, 131, 181}, "verticalLayout_41", -1,
         {"spinBox_Mode", "spinBox_Vertion", "comboBox_PRM02_Master_2"}},
    };
    return table;
}

const QStringList kPage1Groups = {"groupBox",   "groupBox_2", "groupBox_3", "groupBox_4",
                                  "groupBox_5", "groupBox_6", "groupBox_14"};

} // namespace

class TestForm : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void objectCounts_data();
    void objectCounts();
    void window();
    void toolBar_data();
    void toolBar();
    void creationOrder_data();
    void creationOrder();
    void tabWidget();
    void pages_data();
    void pages();
    void tabTitlesFollowMovedPages();
    void liveColumns_data();
    void liveColumns();
    void groups_data();
    void groups();
    void columns_data();
    void columns();
    void rowSizePolicies();
    void fixedRowsOfSystemPage();
    void curveViews();
    void lineEdits_data();
    void lineEdits();
    void spinBoxes_data();
    void spinBoxes();
    void voltageBoxes_data();
    void voltageBoxes();
    void comboBoxes_data();
    void comboBoxes();
    void portNameBoxStartsEmpty();
    void boxSheets();
    void otherSheets_data();
    void otherSheets();
    void explicitPaletteAndTracking();

private:
    template <typename T = QWidget>
    T *find(const QString &name)
    {
        return win.findChild<T *>(name);
    }

    QMainWindow win;
    Ui::MainWindow ui;
};

void TestForm::initTestCase()
{
    testsupport::failOnUnexpectedWarnings();
    ui.setupUi(&win);
}

// ---------------------------------------------------------------- tree

void TestForm::objectCounts_data()
{
    QTest::addColumn<QString>("className");
    QTest::addColumn<int>("count");
    QTest::newRow("QComboBox") << "QComboBox" << 41;
    QTest::newRow("QSpinBox") << "QSpinBox" << 82;
    QTest::newRow("QDoubleSpinBox") << "QDoubleSpinBox" << 3;
    QTest::newRow("QLineEdit") << "QLineEdit" << 107;
    QTest::newRow("QProgressBar") << "QProgressBar" << 16;
    QTest::newRow("QPushButton") << "QPushButton" << 2;
    QTest::newRow("QToolButton") << "QToolButton" << 6;
    QTest::newRow("QGroupBox") << "QGroupBox" << 20;
    QTest::newRow("QFrame") << "QFrame" << 7;
    QTest::newRow("QTabWidget") << "QTabWidget" << 1;
    QTest::newRow("QVBoxLayout") << "QVBoxLayout" << 33;
    QTest::newRow("QWidget") << "QWidget" << 40;
    QTest::newRow("mWidget") << "mWidget" << 1;
    QTest::newRow("cureWidget") << "cureWidget" << 1;
    QTest::newRow("all") << QString() << 360;
}

void TestForm::objectCounts()
{
    QFETCH(QString, className);
    QFETCH(int, count);

    // Named objects of the form only: Qt's own helpers are either unnamed,
    // named qt_*, or belong to the tab bar (its scroll buttons).
    QTabBar *bar = ui.tabWidget->tabBar();
    int n = 0;
    for (QObject *o : win.findChildren<QObject *>()) {
        const QString name = o->objectName();
        if (name.isEmpty() || name.startsWith(QLatin1String("qt_")) || o == win.layout())
            continue;
        bool inTabBar = false;
        for (QObject *p = o; p; p = p->parent())
            inTabBar = inTabBar || p == bar;
        if (inTabBar)
            continue;
        if (className.isEmpty() || className == QLatin1String(o->metaObject()->className()))
            ++n;
    }
    QCOMPARE(n, count);
}

void TestForm::window()
{
    QCOMPARE(win.objectName(), QStringLiteral("MainWindow"));
    QCOMPARE(win.size(), QSize(1100, 680));
    QCOMPARE(win.minimumSize(), QSize(0, 0));
    QCOMPARE(win.maximumSize(), QSize(11100, 8000));
    QCOMPARE(win.windowTitle(), QStringLiteral("Varnix&Tolbane"));
    QCOMPARE(win.centralWidget(), ui.centralwidget);
    QCOMPARE(ui.centralwidget->objectName(), QStringLiteral("centralwidget"));
    QCOMPARE(ui.frame->parentWidget(), ui.centralwidget);
    QCOMPARE(ui.tabWidget->parentWidget(), ui.centralwidget);
    QCOMPARE(ui.frame->geometry(), QRect(0, 0, 1200, 110));
    QCOMPARE(ui.frame->frameShape(), QFrame::StyledPanel);
    QCOMPARE(ui.frame->frameShadow(), QFrame::Raised);
    QVERIFY(ui.frame->hasMouseTracking());
}

void TestForm::toolBar_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("className");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("iconSize"); // tool buttons only

    auto row = [](const char *name, const char *cls, QRect g, const QString &text, int icon = 0) {
        QTest::newRow(name) << name << cls << g << text << icon;
    };
    row("openButton", "QPushButton", {630, 5, 100, 90}, "打开串口");
    row("portNameBox", "QComboBox", {740, 35, 120, 40}, QString());
    row("lineEdit_26", "QLineEdit", {920, 2, 85, 25}, "遥控:");
    row("lineEdit_27", "QLineEdit", {920, 28, 85, 25}, "动力:");
    row("lineEdit_30", "QLineEdit", {920, 54, 85, 25}, "信号:");
    row("lineEdit_RSSI", "QLineEdit", {1010, 54, 85, 25}, "null");
    row("lineEdit_TX", "QLineEdit", {1010, 2, 85, 25}, " 0.0V");
    row("lineEdit_EXT", "QLineEdit", {1010, 28, 85, 25}, " 0.0V");
    row("toolButton_led", "QToolButton", {870, 35, 40, 40}, QString(), 40);
    row("toolButton_Reset", "QToolButton", {500, 5, 110, 90}, "出厂设置", 60);
    row("toolButton_Read", "QToolButton", {20, 5, 110, 90}, " 读取数据", 60);
    row("toolButton_Load", "QToolButton", {140, 5, 110, 90}, "加载数据", 60);
    row("toolButton_Save", "QToolButton", {380, 5, 110, 91}, "保存数据", 60);
    row("toolButton_Send", "QToolButton", {260, 5, 110, 90}, "写入数据", 60);
    row("lineEdit_37", "QLineEdit", {920, 80, 85, 25}, "接收:");
    row("lineEdit_RX", "QLineEdit", {1010, 80, 85, 25}, " 0.0V");
}

void TestForm::toolBar()
{
    QFETCH(QString, name);
    QFETCH(QString, className);
    QFETCH(QRect, geometry);
    QFETCH(QString, text);
    QFETCH(int, iconSize);

    QWidget *w = find(name);
    QVERIFY(w);
    QCOMPARE(QString::fromLatin1(w->metaObject()->className()), className);
    QCOMPARE(w->parentWidget(), ui.frame);
    QCOMPARE(w->geometry(), geometry);
    if (auto *b = qobject_cast<QAbstractButton *>(w))
        QCOMPARE(b->text(), text);
    if (auto *e = qobject_cast<QLineEdit *>(w))
        QCOMPARE(e->text(), text);
    if (auto *t = qobject_cast<QToolButton *>(w)) {
        QCOMPARE(t->iconSize(), QSize(iconSize, iconSize));
        QVERIFY(!t->icon().isNull());
        QCOMPARE(t->toolButtonStyle(),
                 name == QLatin1String("toolButton_led") ? Qt::ToolButtonIconOnly
                                                         : Qt::ToolButtonTextUnderIcon);
    }
}

void TestForm::creationOrder_data()
{
    QTest::addColumn<QString>("container");
    QTest::addColumn<QStringList>("children");

    QTest::newRow("centralwidget") << "centralwidget" << QStringList{"frame", "tabWidget"};
    QTest::newRow("frame") << "frame"
                           << QStringList{"openButton",      "portNameBox",     "lineEdit_26",
                                          "lineEdit_27",     "lineEdit_30",     "lineEdit_RSSI",
                                          "lineEdit_TX",     "lineEdit_EXT",    "toolButton_led",
                                          "toolButton_Reset", "toolButton_Read", "toolButton_Load",
                                          "toolButton_Save", "toolButton_Send", "lineEdit_37",
                                          "lineEdit_RX"};
    QTest::newRow("frame_3") << "frame_3"
                             << (QStringList{"lineEdit"} + seq("lineEdit_%1", 2, 8)
                                 + QStringList{"progressBar_11"} + bars(1, 8, 0) + bars(2, 8, 1)
                                 + QStringList{"lineEdit_9"} + seq("lineEdit_%1", 19, 25));
    QTest::newRow("frame_2") << "frame_2" << kPage1Groups;
    QTest::newRow("frame_4") << "frame_4"
                             << QStringList{"groupBox_8", "groupBox_7", "groupBox_10",
                                            "groupBox_13"};
    QTest::newRow("frame_5") << "frame_5" << QStringList{"groupBox_19", "groupBox_18"};
    QTest::newRow("frame_8") << "frame_8"
                             << QStringList{"groupBox_21", "groupBox_15", "groupBox_11",
                                            "groupBox_12"};
    QTest::newRow("frame_7") << "frame_7"
                             << QStringList{"groupBox_17", "groupBox_20", "groupBox_23"};
    // inputs before captions in the attitude group
    QTest::newRow("groupBox_7") << "groupBox_7" << QStringList{"layoutWidget10", "layoutWidget11"};
    // the curve views come first in their groups
    QTest::newRow("groupBox_19") << "groupBox_19"
                                 << QStringList{"widget_3", "layoutWidget17", "layoutWidget18"};
    QTest::newRow("groupBox_18") << "groupBox_18"
                                 << QStringList{"widget_4", "layoutWidget_12", "layoutWidget_13"};
}

void TestForm::creationOrder()
{
    QFETCH(QString, container);
    QFETCH(QStringList, children);

    QWidget *c = find(container);
    QVERIFY(c);
    QStringList actual;
    for (QObject *o : c->children())
        if (o->isWidgetType() && !o->objectName().startsWith(QLatin1String("qt_")))
            actual << o->objectName();
    QCOMPARE(actual, children);
}

void TestForm::tabWidget()
{
    QTabWidget *t = ui.tabWidget;
    QCOMPARE(t->geometry(), QRect(10, 110, 1080, 560));
    QCOMPARE(t->count(), 6);
    QCOMPARE(t->currentIndex(), 5);
    // The family is the application's (chosen at start-up); the form keeps
    // the size and weight.
    QCOMPARE(t->font().family(), QApplication::font().family());
    QCOMPARE(t->font().pointSize(), 11);
    QVERIFY(t->font().bold());
    QVERIFY(t->hasMouseTracking());
    QVERIFY(t->hasTabletTracking());
    QCOMPARE(t->focusPolicy(), Qt::NoFocus);
    QCOMPARE(t->contextMenuPolicy(), Qt::NoContextMenu);
    QVERIFY(!t->acceptDrops());
    QVERIFY(!t->autoFillBackground());
    QCOMPARE(t->tabPosition(), QTabWidget::North);
    QCOMPARE(t->tabShape(), QTabWidget::Rounded);
    QCOMPARE(t->iconSize(), QSize(100, 100));
    QCOMPARE(t->elideMode(), Qt::ElideMiddle);
    QVERIFY(t->documentMode());
    QVERIFY(!t->tabsClosable());
    QVERIFY(t->isMovable());
    QVERIFY(!t->tabBarAutoHide());
}

void TestForm::pages_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("frame");
    QTest::addColumn<QRect>("frameGeometry");
    QTest::addColumn<bool>("pageTracking");
    QTest::addColumn<bool>("frameTracking");

    QTest::newRow("0") << 0 << "tab" << "舵量显示" << "frame_3" << QRect(10, 10, 1060, 490) << true << false;
    QTest::newRow("1") << 1 << "tab_2" << "基础菜单" << "frame_2" << QRect(10, 10, 1060, 490) << true << true;
    QTest::newRow("2") << 2 << "tab_3" << "高级菜单1" << "frame_4" << QRect(2, 10, 1060, 490) << true << false;
    QTest::newRow("3") << 3 << "tab_4" << "高级菜单2" << "frame_5" << QRect(10, 10, 1060, 490) << false << false;
    QTest::newRow("4") << 4 << "tab_5" << "混控设置" << "frame_8" << QRect(10, 10, 1060, 490) << false << false;
    QTest::newRow("5") << 5 << "tab_6" << "系统设置" << "frame_7" << QRect(10, 10, 1060, 490) << false << false;
}

void TestForm::pages()
{
    QFETCH(int, index);
    QFETCH(QString, page);
    QFETCH(QString, title);
    QFETCH(QString, frame);
    QFETCH(QRect, frameGeometry);
    QFETCH(bool, pageTracking);
    QFETCH(bool, frameTracking);

    QWidget *p = ui.tabWidget->widget(index);
    QCOMPARE(p->objectName(), page);
    QCOMPARE(ui.tabWidget->tabText(index), title);
    QCOMPARE(p->hasMouseTracking(), pageTracking);
    auto *f = find<QFrame>(frame);
    QVERIFY(f);
    QCOMPARE(f->parentWidget(), p);
    QCOMPARE(f->geometry(), frameGeometry);
    QCOMPARE(f->frameShape(), QFrame::StyledPanel);
    QCOMPARE(f->frameShadow(), QFrame::Raised);
    QCOMPARE(f->hasMouseTracking(), frameTracking);
}

void TestForm::tabTitlesFollowMovedPages()
{
    // Titles are set on the page's current position, so texts assigned
    // again after the user dragged tabs still land on the right pages.
    QMainWindow w;
    Ui::MainWindow form;
    form.setupUi(&w);
    form.tabWidget->tabBar()->moveTab(0, 5);
    form.tabWidget->tabBar()->moveTab(1, 3);
    for (int i = 0; i < 6; ++i)
        form.tabWidget->setTabText(i, QString());
    form.retranslateUi(&w);

    const QVector<QPair<QWidget *, QString>> expected = {
        {form.tab, "舵量显示"},  {form.tab_2, "基础菜单"}, {form.tab_3, "高级菜单1"},
        {form.tab_4, "高级菜单2"}, {form.tab_5, "混控设置"}, {form.tab_6, "系统设置"}};
    QCOMPARE(form.tabWidget->indexOf(form.tab), 5);
    for (const auto &e : expected)
        QCOMPARE(form.tabWidget->tabText(form.tabWidget->indexOf(e.first)), e.second);
    QCOMPARE(form.frame_3->parentWidget(), form.tab);
}

// ---------------------------------------------------------------- live page

void TestForm::liveColumns_data()
{
    QTest::addColumn<int>("channel");
    QTest::addColumn<QString>("valueBox");
    QTest::addColumn<QString>("nameBox");
    QTest::addColumn<QString>("upperBar");
    QTest::addColumn<QString>("lowerBar");

    const QStringList values = QStringList{"lineEdit"} + seq("lineEdit_%1", 2, 8);
    const QStringList names = QStringList{"lineEdit_9"} + seq("lineEdit_%1", 19, 25);
    for (int ch = 1; ch <= 8; ++ch)
        QTest::addRow("CH%d", ch) << ch << values[ch - 1] << names[ch - 1]
                                  << bars(ch, ch, 0).first() << bars(ch, ch, 1).first();
}

void TestForm::liveColumns()
{
    QFETCH(int, channel);
    QFETCH(QString, valueBox);
    QFETCH(QString, nameBox);
    QFETCH(QString, upperBar);
    QFETCH(QString, lowerBar);

    const int dx = 135 * (channel - 1);
    auto *value = find<QLineEdit>(valueBox);
    auto *name = find<QLineEdit>(nameBox);
    auto *upper = find<QProgressBar>(upperBar);
    auto *lower = find<QProgressBar>(lowerBar);
    QVERIFY(value && name && upper && lower);
    for (QWidget *w : {static_cast<QWidget *>(value), static_cast<QWidget *>(name),
                       static_cast<QWidget *>(upper), static_cast<QWidget *>(lower)})
        QCOMPARE(w->parentWidget(), ui.frame_3);

    QCOMPARE(value->geometry(), QRect(15 + dx, 10, 90, 50));
    QCOMPARE(name->geometry(), QRect(15 + dx, 60, 90, 31));
    QCOMPARE(upper->geometry(), QRect(35 + dx, 105, 50, 180));
    QCOMPARE(lower->geometry(), QRect(35 + dx, 285, 50, 180));

    QCOMPARE(upper->minimum(), 0);
    QCOMPARE(upper->maximum(), 1010);
    QCOMPARE(upper->value(), 10);
    QCOMPARE(lower->minimum(), 0);
    QCOMPARE(lower->maximum(), 1000);
    QCOMPARE(lower->value(), 1000);
    for (QProgressBar *b : {upper, lower}) {
        QCOMPARE(b->orientation(), Qt::Vertical);
        QVERIFY(!b->invertedAppearance());
        QVERIFY(!b->isTextVisible());
        QCOMPARE(b->textDirection(), QProgressBar::BottomToTop);
    }
}

// ---------------------------------------------------------------- settings pages

void TestForm::groups_data()
{
    QTest::addColumn<QString>("group");
    QTest::addColumn<QString>("frame");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("fontPoints"); // 0: no explicit font

    auto row = [](const char *g, const char *f, QRect r, const QString &title, int pt = 0) {
        QTest::newRow(g) << g << f << r << title << pt;
    };
    row("groupBox", "frame_2", {10, 10, 110, 470}, "通道", 11);
    row("groupBox_2", "frame_2", {130, 10, 120, 470}, "舵机相位", 11);
    row("groupBox_3", "frame_2", {265, 10, 120, 470}, "中点微调", 12);
    row("groupBox_4", "frame_2", {405, 10, 215, 470}, "舵机行程量--L---R---", 11);
    row("groupBox_5", "frame_2", {780, 10, 120, 470}, "舵机延迟", 11);
    row("groupBox_6", "frame_2", {915, 10, 140, 470}, "辅助通道", 11);
    row("groupBox_14", "frame_2", {640, 10, 120, 470}, "失控保护", 11);
    row("groupBox_8", "frame_4", {5, 10, 220, 350}, "大小舵设置", 11);
    row("groupBox_7", "frame_4", {240, 10, 221, 470}, "姿态选择");
    row("groupBox_10", "frame_4", {470, 10, 330, 350}, "升降副翼混控");
    row("groupBox_13", "frame_4", {810, 10, 240, 350}, "V型尾翼混控");
    row("groupBox_19", "frame_5", {10, 10, 510, 471}, "大小舵曲线");
    row("groupBox_18", "frame_5", {530, 10, 520, 471}, "油门曲线");
    row("groupBox_21", "frame_8", {790, 5, 250, 477}, "可编程混控四");
    row("groupBox_15", "frame_8", {530, 5, 250, 477}, "可编程混控三");
    row("groupBox_11", "frame_8", {10, 5, 250, 481}, "可编程混控一");
    row("groupBox_12", "frame_8", {270, 5, 250, 477}, "可编程混控二");
    row("groupBox_17", "frame_7", {20, 10, 350, 470}, "报警设置");
    row("groupBox_20", "frame_7", {380, 10, 350, 470}, " 版本 / 模式");
    row("groupBox_23", "frame_7", {740, 10, 300, 470}, "重置数据");
}

void TestForm::groups()
{
    QFETCH(QString, group);
    QFETCH(QString, frame);
    QFETCH(QRect, geometry);
    QFETCH(QString, title);
    QFETCH(int, fontPoints);

    auto *g = find<QGroupBox>(group);
    QVERIFY(g);
    QCOMPARE(g->parentWidget()->objectName(), frame);
    QCOMPARE(g->geometry(), geometry);
    QCOMPARE(g->title(), title);
    QCOMPARE(g->testAttribute(Qt::WA_SetFont), fontPoints != 0);
    if (fontPoints) {
        QCOMPARE(g->font().family(), QApplication::font().family());
        QCOMPARE(g->font().pointSize(), fontPoints);
        // The form asks for weight 9 of Qt 5's scale, which Qt 6 reads as
        // plain normal: either way no heavier than normal.
        QVERIFY(!g->font().bold());
        QVERIFY(g->font().weight() <= QFont::Normal);
        QVERIFY(!g->font().italic());
    }
}

void TestForm::columns_data()
{
    QTest::addColumn<QString>("container");
    QTest::addColumn<QString>("group");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QString>("layout");
    QTest::addColumn<int>("spacing");
    QTest::addColumn<QStringList>("rows");
    for (const Column &c : columnTable())
        QTest::newRow(c.container) << c.container << c.group << c.geometry << c.layout
                                   << c.spacing << c.rows;
}

void TestForm::columns()
{
    QFETCH(QString, container);
    QFETCH(QString, group);
    QFETCH(QRect, geometry);
    QFETCH(QString, layout);
    QFETCH(int, spacing);
    QFETCH(QStringList, rows);

    QWidget *c = find(container);
    QVERIFY(c);
    QCOMPARE(QString::fromLatin1(c->metaObject()->className()), QStringLiteral("QWidget"));
    QCOMPARE(c->parentWidget()->objectName(), group);
    QCOMPARE(c->geometry(), geometry);
    auto *box = qobject_cast<QVBoxLayout *>(c->layout());
    QVERIFY(box);
    QCOMPARE(box->objectName(), layout);
    QCOMPARE(box->contentsMargins(), QMargins(0, 0, 0, 0));
    if (spacing >= 0)
        QCOMPARE(box->spacing(), spacing);
    QStringList actual;
    for (int i = 0; i < box->count(); ++i) {
        QWidget *w = box->itemAt(i)->widget();
        QVERIFY(w);
        QCOMPARE(w->parentWidget(), c);
        actual << w->objectName();
    }
    QCOMPARE(actual, rows);
}

void TestForm::rowSizePolicies()
{
    // Page 1: combo boxes Preferred, spin boxes Minimum; elsewhere
    // Expanding, except the last V-tail row. Always vertically Expanding.
    const QStringList page1 = {"layoutWidget",  "layoutWidget1", "layoutWidget2",
                               "layoutWidget3", "layoutWidget4", "layoutWidget5",
                               "layoutWidget6", "layoutWidget7"};
    const QStringList page5 = {"layoutWidget_5", "layoutWidget_7"};
    for (const Column &c : columnTable()) {
        for (const QString &name : c.rows) {
            QWidget *w = find(name);
            QVERIFY2(w, qPrintable(name));
            const QSizePolicy p = w->sizePolicy();
            QVERIFY2(p.verticalPolicy() == QSizePolicy::Expanding, qPrintable(name));
            QCOMPARE(p.horizontalStretch(), 0);
            QCOMPARE(p.verticalStretch(), 0);
            QSizePolicy::Policy h = QSizePolicy::Expanding;
            if (qobject_cast<QLineEdit *>(w))
                h = QSizePolicy::Expanding;
            else if (page1.contains(QLatin1String(c.container)))
                h = qobject_cast<QComboBox *>(w) ? QSizePolicy::Preferred : QSizePolicy::Minimum;
            else if (name == QLatin1String("spinBox_Ru4"))
                h = QSizePolicy::Minimum;
            if (page5.contains(QLatin1String(c.container)))
                QVERIFY2(p.horizontalPolicy() == QSizePolicy::Expanding
                             || p.horizontalPolicy() == QSizePolicy::Minimum
                             || p.horizontalPolicy() == QSizePolicy::Preferred,
                         qPrintable(name));
            else
                QVERIFY2(p.horizontalPolicy() == h, qPrintable(name));
        }
    }
}

void TestForm::fixedRowsOfSystemPage()
{
    const QStringList labels = {"lineEdit_70", "lineEdit_71", "lineEdit_72", "lineEdit_81"};
    for (int k = 0; k < 4; ++k) {
        auto *label = find<QLineEdit>(labels[k]);
        auto *value = find<QLineEdit>(QStringLiteral("lineEdit_Trim_%1").arg(k + 1));
        QVERIFY(label && value);
        QCOMPARE(label->parentWidget(), ui.groupBox_20);
        QCOMPARE(value->parentWidget(), ui.groupBox_20);
        QCOMPARE(label->geometry(), QRect(10, 220 + 60 * k, 199, 56));
        QCOMPARE(value->geometry(), QRect(210, 220 + 60 * k, 129, 56));
        QCOMPARE(label->sizePolicy().horizontalPolicy(), QSizePolicy::Expanding);
        QCOMPARE(label->sizePolicy().verticalPolicy(), QSizePolicy::Expanding);
    }
    QCOMPARE(ui.pushButton_Reset2->parentWidget(), ui.groupBox_23);
    QCOMPARE(ui.pushButton_Reset2->geometry(), QRect(10, 130, 281, 61));
    QCOMPARE(ui.pushButton_Reset2->text(), QStringLiteral("重置数据"));
}

void TestForm::curveViews()
{
    QWidget *dr = find("widget_3");
    QWidget *thr = find("widget_4");
    QVERIFY(dr && thr);
    QCOMPARE(QString::fromLatin1(dr->metaObject()->className()), QStringLiteral("mWidget"));
    QCOMPARE(QString::fromLatin1(thr->metaObject()->className()), QStringLiteral("cureWidget"));
    QCOMPARE(dr->parentWidget(), ui.groupBox_19);
    QCOMPARE(thr->parentWidget(), ui.groupBox_18);
    QCOMPARE(dr->geometry(), QRect(220, 90, 280, 280));
    QCOMPARE(thr->geometry(), QRect(210, 80, 300, 300));
}

// ---------------------------------------------------------------- inputs and texts

void TestForm::lineEdits_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("readOnly");

    auto rows = [](const QStringList &names, const QStringList &texts, bool ro) {
        QCOMPARE(names.size(), texts.size());
        for (int i = 0; i < names.size(); ++i)
            QTest::newRow(qPrintable(names[i])) << names[i] << texts[i] << ro;
    };
    rows({"lineEdit_26", "lineEdit_27", "lineEdit_30", "lineEdit_37"},
         {"遥控:", "动力:", "信号:", "接收:"}, true);
    rows({"lineEdit_TX", "lineEdit_EXT", "lineEdit_RSSI", "lineEdit_RX"},
         {" 0.0V", " 0.0V", "null", " 0.0V"}, false);
    rows(QStringList{"lineEdit"} + seq("lineEdit_%1", 2, 8), repeated(8, "0"), false);
    rows(QStringList{"lineEdit_9"} + seq("lineEdit_%1", 19, 25),
         {"CH1", "CH2", "CH3", "CH4", "CH5", "CH6", "CH7", "CH8"}, true);
    rows({"lineEdit_28", "lineEdit_29", "lineEdit_31", "lineEdit_32", "lineEdit_33",
          "lineEdit_34", "lineEdit_35"},
         {"CH1:", "CH2:", "CH3:", "CH4:", "CH5:", "CH6:", "CH7:"}, true);
    rows({"lineEdit_36"}, {"CH8:"}, false); // the one caption left editable
    rows(seq("lineEdit_%1", 53, 57), {"混控:", "通道:", "开关:", "上档:", "下档:"}, true);
    rows(seq("lineEdit_%1", 45, 51),
         {"通道:", "姿态1:", "姿态2:", "姿态3:", "姿态4:", "姿态5:", "姿态6:"}, true);
    rows(seq("lineEdit_%1", 73, 77), {"混控:", "副翼1:", "副翼2:", "升降2:", "升降1:"}, true);
    rows({"lineEdit_78", "lineEdit_95", "lineEdit_96", "lineEdit_97", "lineEdit_98"},
         {"混控:", "升降1:", "升降2:", "尾舵2:", "尾舵1:"}, true);
    rows({"lineEdit_146", "lineEdit_142", "lineEdit_141", "lineEdit_143", "lineEdit_144",
          "lineEdit_145"},
         {"混控:", " 通道:", "开关:", " 位置:", "比率:", "指数:"}, true);
    rows({"lineEdit_130", "lineEdit_126", "lineEdit_125", "lineEdit_127", "lineEdit_128",
          "lineEdit_129", "lineEdit_131", "lineEdit_132"},
         {"混控:", "曲线点1:", "曲线点2:", "曲线点3:", "曲线点4:", "曲线点5:", "曲线点6:",
          "曲线点7:"},
         true);
    const QStringList mix = {"混控:", "主控:", "被控:", "偏置:", "上边:", "下边:"};
    rows({"lineEdit_80", "lineEdit_83", "lineEdit_79", "lineEdit_84", "lineEdit_85",
          "lineEdit_86"},
         mix, true);
    rows({"lineEdit_94", "lineEdit_90", "lineEdit_89", "lineEdit_91", "lineEdit_92",
          "lineEdit_93"},
         mix, true);
    rows({"lineEdit_106", "lineEdit_102", "lineEdit_101", "lineEdit_103", "lineEdit_104",
          "lineEdit_105"},
         mix, true);
    rows(seq("lineEdit_%1", 119, 124), mix, true);
    rows({"lineEdit_63", "lineEdit_68", "lineEdit_66", "lineEdit_67"},
         {"遥控器电压:", "接收机电压:", "动力电池电压:", "RSSI信号:"}, true);
    rows({"lineEdit_64", "lineEdit_65", "lineEdit_69"},
         {"遥控器摇杆模式:", "遥控器固件版本:", "电脑调参APP版本:"}, true);
    rows({"lineEdit_70", "lineEdit_71", "lineEdit_72", "lineEdit_81"},
         {"    微调一:", "  微调二:", " 微调三:", " 微调四:"}, true);
    rows(seq("lineEdit_Trim_%1", 1, 4), repeated(4, "0"), false);
}

void TestForm::lineEdits()
{
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(bool, readOnly);

    auto *e = find<QLineEdit>(name);
    QVERIFY(e);
    QCOMPARE(e->text(), text);
    QCOMPARE(e->isReadOnly(), readOnly);
    QCOMPARE(e->alignment(), Qt::Alignment(Qt::AlignCenter));
}

void TestForm::spinBoxes_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("minimum");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<int>("value");

    int rowCount = 0;
    auto rows = [&rowCount](const QStringList &names, int lo, int hi, const QVector<int> &values) {
        QCOMPARE(names.size(), values.size());
        for (int i = 0; i < names.size(); ++i, ++rowCount)
            QTest::newRow(qPrintable(names[i])) << names[i] << lo << hi << values[i];
    };
    rows(seq("spinBox_sub%1", 1, 8), -100, 100, QVector<int>(8, 0));
    rows(seq("spinBox_Lepa%1", 1, 8), 0, 120, QVector<int>(8, 96));
    rows(seq("spinBox_Repa%1", 1, 8), 0, 120, QVector<int>(8, 96));
    rows(seq("spinBox_FS%1", 1, 8), 0, 100, {50, 50, 0, 50, 50, 50, 50, 50});
    rows(seq("spinBox_delay%1", 1, 8), 0, 100, QVector<int>(8, 100));
    rows({"spinBox_DR_UP1", "spinBox_DR_DOWN1"}, 0, 100, {100, 100});
    rows(seq("spinBox_Atti%1", 1, 6), 0, 100, {14, 29, 44, 56, 69, 88});
    rows(seq("spinBox_Elev0%1", 1, 6), -100, 100, {100, 100, 100, -100, 100, 100});
    rows(seq("spinBox_Ru%1", 1, 4), -100, 100, {50, -50, 50, 50});
    rows({"spinBox_DR_RATE"}, 0, 100, {100});
    rows({"spinBox_DR_EXP"}, -100, 100, {100});
    rows(seq("spinBox_THCURE_Data0%1", 1, 7), 0, 100, {0, 16, 33, 50, 67, 84, 100});
    rows(seq("spinBox_PRM01_Data%1", 1, 3) + seq("spinBox_PRM02_Data%1", 1, 3), -100, 100,
         QVector<int>(6, 100));
    rows({"spinBox_PRM03_Data1", "spinBox_PRM04_Data1"}, -100, 100, {100, 100});
    rows({"spinBox_PRM03_Data2", "spinBox_PRM03_Data3", "spinBox_PRM04_Data2",
          "spinBox_PRM04_Data3"},
         0, 100, {100, 100, 100, 100});
    rows({"spinBox_Rssi"}, -100, 0, {-100});
    rows({"spinBox_Mode"}, 1, 4, {2});
    rows({"spinBox_Vertion"}, 0, 1000, {0});
    QCOMPARE(rowCount, 82);
}

void TestForm::spinBoxes()
{
    QFETCH(QString, name);
    QFETCH(int, minimum);
    QFETCH(int, maximum);
    QFETCH(int, value);

    auto *s = find<QSpinBox>(name);
    QVERIFY(s);
    QCOMPARE(s->minimum(), minimum);
    QCOMPARE(s->maximum(), maximum);
    QCOMPARE(s->singleStep(), 1);
    QCOMPARE(s->value(), value);
    QVERIFY(s->prefix().isEmpty());
    QVERIFY(s->suffix().isEmpty());
}

void TestForm::voltageBoxes_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("tx") << "doubleSpinBox_Volt";
    QTest::newRow("rx") << "doubleSpinBox_rxVolt";
    QTest::newRow("ext") << "doubleSpinBox_extVolt";
}

void TestForm::voltageBoxes()
{
    QFETCH(QString, name);
    auto *d = find<QDoubleSpinBox>(name);
    QVERIFY(d);
    QCOMPARE(d->decimals(), 1);
    QCOMPARE(d->minimum(), 0.0);
    QCOMPARE(d->maximum(), 99.9);
    QCOMPARE(d->singleStep(), 0.1);
    QCOMPARE(d->value(), 11.0);
    QCOMPARE(d->text(), QStringLiteral("11.0"));
}

void TestForm::comboBoxes_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<int>("index");

    const QStringList rev = {"正相", "反相"};
    const QStringList aux = {"SwA", "SwB", "VrA", "VrB/SwC", "NULL", "Lock-C"};
    const QStringList offOn = {"关闭", "打开"};
    const QStringList ch4 = {"CH1", "CH2", "CH3", "CH4"};
    const QStringList ch8 = {"CH1", "CH2", "CH3", "CH4", "CH5", "CH6", "CH7", "CH8"};
    const QStringList prmMix = {"禁止", "关闭", "打开"};
    int rowCount = 0;
    auto row = [&rowCount](const QString &name, const QStringList &items, int index) {
        QTest::newRow(qPrintable(name)) << name << items << index;
        ++rowCount;
    };
    for (int n = 1; n <= 8; ++n)
        row(QStringLiteral("comboBox_rev%1").arg(n), rev, n == 3 ? 1 : 0);
    for (int n = 1; n <= 4; ++n)
        row(QStringLiteral("comboBox_AUX%1").arg(n), {"预留"}, 0);
    const int auxIndex[] = {1, 3, 0, 2};
    for (int n = 5; n <= 8; ++n)
        row(QStringLiteral("comboBox_AUX%1").arg(n), aux, auxIndex[n - 5]);
    for (const char *n : {"comboBox_DR_MIX1", "comboBox_DR_MIX2", "comboBox_EleMix",
                          "comboBox_RuMix", "comboBox_THCURE_MIX"})
        row(n, offOn, 0);
    row("comboBox_DR_CH1", ch4, 0);
    row("comboBox_DR_CH2", ch4, 0);
    row("comboBox_DR_SW1", {"SWA"}, 0);
    row("comboBox_DR_SW2", {"SWA"}, 0);
    row("comboBox_DR_POSI", {"UP", "DOWN"}, 0);
    row("comboBox_AttiM", {"CH5", "CH6", "CH7", "CH8", "关闭"}, 4);
    const int masterIndex[] = {0, 1, 0, 1};
    const int slaveIndex[] = {3, 5, 3, 5};
    for (int m = 1; m <= 4; ++m) {
        row(QStringLiteral("comboBox_PRM0%1_Mix").arg(m), prmMix, 0);
        row(QStringLiteral("comboBox_PRM0%1_Master").arg(m), ch8, masterIndex[m - 1]);
        row(QStringLiteral("comboBox_PRM0%1_Slave").arg(m), ch8, slaveIndex[m - 1]);
    }
    row("comboBox_PRM02_Master_2", {"V4.9"}, 0);
    QCOMPARE(rowCount, 40);
}

void TestForm::comboBoxes()
{
    QFETCH(QString, name);
    QFETCH(QStringList, items);
    QFETCH(int, index);

    auto *c = find<QComboBox>(name);
    QVERIFY(c);
    QStringList actual;
    for (int i = 0; i < c->count(); ++i) {
        actual << c->itemText(i);
        QVERIFY(!c->itemData(i).isValid());
    }
    QCOMPARE(actual, items);
    QCOMPARE(c->currentIndex(), index);
    QVERIFY(!c->isEditable());
}

void TestForm::portNameBoxStartsEmpty()
{
    QCOMPARE(ui.portNameBox->count(), 0);
    QCOMPARE(ui.portNameBox->currentIndex(), -1);
    QVERIFY(ui.portNameBox->currentText().isEmpty());
}

// ---------------------------------------------------------------- looks

void TestForm::boxSheets()
{
    // Every line edit, combo box and spin box of the form, sorted by look.
    const QStringList barCaptions = {"lineEdit_26", "lineEdit_27", "lineEdit_30", "lineEdit_37"};
    const QStringList barReadings = {"lineEdit_TX", "lineEdit_EXT", "lineEdit_RSSI", "lineEdit_RX"};
    const QStringList liveValues = QStringList{"lineEdit"} + seq("lineEdit_%1", 2, 8);
    const QStringList liveNames = QStringList{"lineEdit_9"} + seq("lineEdit_%1", 19, 25);
    const QStringList trims = seq("lineEdit_Trim_%1", 1, 4);
    const QStringList bigCombos = {"comboBox_rev8",         "comboBox_AUX8",
                                   "comboBox_EleMix",       "comboBox_PRM02_Master",
                                   "comboBox_PRM02_Slave",  "comboBox_PRM02_Master_2"};
    const QStringList bigSpins = {"spinBox_sub8",        "spinBox_Lepa2",       "spinBox_Lepa8",
                                  "spinBox_Repa8",       "spinBox_delay8",      "spinBox_FS8",
                                  "spinBox_Elev01",      "spinBox_Elev02",      "spinBox_PRM02_Data1",
                                  "spinBox_PRM02_Data2", "spinBox_PRM02_Data3", "spinBox_Rssi",
                                  "spinBox_Mode",        "spinBox_Vertion"};

    int pageCaptions = 0, combos20 = 0, spins20 = 0;
    for (QLineEdit *e : win.findChildren<QLineEdit *>()) {
        const QString n = e->objectName();
        if (n.startsWith(QLatin1String("qt_")))
            continue; // a spin box's own editor
        QString expected;
        if (barCaptions.contains(n))
            expected = boxSheet("QLineEdit", kGrey, 14, kWhite);
        else if (barReadings.contains(n))
            expected = boxSheet("QLineEdit", kGrey, 14, kYellow);
        else if (liveValues.contains(n))
            expected = boxSheet("QLineEdit", kBlue, 26, kWhite);
        else if (liveNames.contains(n))
            expected = boxSheet("QLineEdit", "rgb(0, 0, 0)", 26, kYellow);
        else if (trims.contains(n))
            expected = boxSheet("QLineEdit", kGrey, 20, kYellow);
        else if (n == QLatin1String("lineEdit_36"))
            expected = boxSheet("QLineEdit", kGrey, 22, kWhite);
        else {
            expected = boxSheet("QLineEdit", kGrey, 20, kWhite);
            ++pageCaptions;
            QVERIFY2(e->isReadOnly(), qPrintable(n));
        }
        QVERIFY2(squeeze(e->styleSheet()) == expected, qPrintable(n));
    }
    QCOMPARE(pageCaptions, 78);

    for (QComboBox *c : win.findChildren<QComboBox *>()) {
        const QString n = c->objectName();
        if (n == QLatin1String("portNameBox"))
            continue;
        const bool big = bigCombos.contains(n);
        combos20 += big ? 0 : 1;
        QVERIFY2(squeeze(c->styleSheet()) == boxSheet("QComboBox", kBlue, big ? 22 : 20, kWhite),
                 qPrintable(n));
    }
    QCOMPARE(combos20, 34);

    for (QSpinBox *s : win.findChildren<QSpinBox *>()) {
        const QString n = s->objectName();
        const bool big = bigSpins.contains(n);
        spins20 += big ? 0 : 1;
        QVERIFY2(squeeze(s->styleSheet()) == boxSheet("QSpinBox", kBlue, big ? 22 : 20, kWhite),
                 qPrintable(n));
    }
    QCOMPARE(spins20, 68);

    for (QDoubleSpinBox *d : win.findChildren<QDoubleSpinBox *>())
        QVERIFY2(squeeze(d->styleSheet()) == boxSheet("QDoubleSpinBox", kBlue, 22, kWhite),
                 qPrintable(d->objectName()));
}

void TestForm::otherSheets_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("sheet");

    const QString hover = QLatin1String(kHover);
    const QString pressedGreen = "background-color:rgba(100,255,100,200);"
                                 "border-color:rgba(255,255,255,30);border-style:inset;"
                                 "color:rgba(0,0,0,100);";
    const QString push = "QPushButton{background-color:rgba(100,100,100,100);border-style:outset;"
                         "border-width:4px;border-radius:10px;border-color:rgba(0,0,0,0);"
                         "font:bold 16px;color:rgba(255,255,255,255);padding:0px;}"
                         "QPushButton:pressed{" + pressedGreen + "}QPushButton:hover{" + hover + "}";
    const QString toolNormal = "QToolButton{background-color:rgba(70,70,70,70);border-style:outset;"
                               "border-width:4px;border-radius:10px;border-color:rgba(0,0,0,0);"
                               "font:bold 14px;color:rgba(255,255,255,255);padding:0px;}";
    const QString tool = toolNormal + "QToolButton:pressed{" + pressedGreen
                         + "}QToolButton:hover{" + hover + "}";
    const QString reset = toolNormal
                          + "QToolButton:pressed{background-color:rgba(255,255,0,255);"
                            "border-color:rgba(255,255,255,30);border-style:inset;"
                            "color:rgba(255,0,0,100);}QToolButton:hover{" + hover + "}";
    const QString lamp = "QToolButton{background-color:rgba(70,70,70,70);border-style:outset;"
                         "border-width:0px;border-radius:0px;border-color:rgba(0,0,0,0);"
                         "font:bold 16px;color:rgba(255,255,255,255);padding:0px;}";
    auto bar = [](const char *groove, const char *chunk) {
        return QStringLiteral("QProgressBar:vertical{border-radius:0px;background-color:%1;"
                              "color: transparent;text-align:center;}"
                              "QProgressBar::chunk:vertical{background-color:%2;margin:0px;"
                              "height:1px;}")
            .arg(QLatin1String(groove), QLatin1String(chunk));
    };
    const QString upper = bar("rgba(255,255,255,255)", "rgba(0,0,255,255)");
    const QString lower = bar("rgba(0,0,255,255)", "rgba(255,255,255,255)");
    const QString tabs = "QTabWidget::pane{border:10px;}QTabWidget::tab-bar{alignment:left;}"
                         "QTabBar::tab{border: none;border-top-left-radius: 10px;"
                         "border-top-right-radius: 10px;color: white;background: rgb(80,80,80);"
                         "height: 50px;min-width: 140px;}"
                         "QTabBar::tab:hover{background:rgba(0, 0, 0, 0);}"
                         "QTabBar::tab:selected{border-color: white;background:red;"
                         "color:rgb(0, 255, 255);}";
    const QString frameDark = "background-color: rgb(50, 50, 50);";
    const QString gradient = "background-color: qlineargradient(spread:pad, x1:0, y1:0, x2:0, "
                             "y2:1, stop:0 rgba(255, 0, 0, 255), stop:1 rgba(255, 255, 255, 255));";
    const QString group = "color: rgb(255, 170, 0);font: 75 11pt;";
    const QString groupFontFirst = "font: 75 11pt;color: rgb(255, 170, 0);";

    auto row = [](const QString &name, const QString &sheet) {
        QTest::newRow(qPrintable(name)) << name << squeeze(sheet);
    };
    row("openButton", push);
    row("pushButton_Reset2", push);
    for (const char *n : {"toolButton_Read", "toolButton_Load", "toolButton_Send", "toolButton_Save"})
        row(n, tool);
    row("toolButton_Reset", reset);
    row("toolButton_led", lamp);
    for (int ch = 1; ch <= 8; ++ch) {
        row(bars(ch, ch, 0).first(), upper);
        row(bars(ch, ch, 1).first(), lower);
    }
    row("tabWidget", tabs);
    row("centralwidget", "background-color: rgb(40, 40, 40);");
    row("frame", QString());
    for (const char *n : {"frame_2", "frame_4", "frame_5", "frame_7", "frame_8"})
        row(n, frameDark);
    row("frame_3", "background-color: rgb(50,50, 50);");
    for (const char *n : {"tab", "tab_3", "tab_4", "tab_5", "tab_6"})
        row(n, gradient);
    row("tab_2", "background-color: qlineargradient(spread:pad, x1:0, y1:0, x2:0.006, y2:1, "
                 "stop:0 rgba(255, 19, 19, 255), stop:1 rgba(255, 255, 255, 255));");
    for (const char *n : {"groupBox", "groupBox_4", "groupBox_5", "groupBox_6", "groupBox_14",
                          "groupBox_19", "groupBox_18", "groupBox_21", "groupBox_15",
                          "groupBox_11", "groupBox_12", "groupBox_17", "groupBox_20",
                          "groupBox_23"})
        row(n, group);
    for (const char *n : {"groupBox_2", "groupBox_8", "groupBox_7", "groupBox_10", "groupBox_13"})
        row(n, groupFontFirst);
    row("groupBox_3", "color: rgb(255, 170, 0);font: 75 12pt;");
    row("portNameBox", "background-color: rgb(255, 255, 255);font: 75 16pt;");
    row("widget_3", "background-color: rgb(255, 255, 255);");
    row("widget_4", "background-color: rgb(255, 255, 255);");
}

void TestForm::otherSheets()
{
    QFETCH(QString, name);
    QFETCH(QString, sheet);
    QWidget *w = find(name);
    QVERIFY(w);
    QCOMPARE(squeeze(w->styleSheet()), sheet);
}

void TestForm::explicitPaletteAndTracking()
{
    // Only comboBox_rev1 carries a palette of its own. What it shows is
    // decided by the sheets around it, which agree on white and blue; the
    // placeholder colour the sheets recompute, so it is not checked here.
    QVERIFY(ui.comboBox_rev1->testAttribute(Qt::WA_SetPalette));
    const QPalette p = ui.comboBox_rev1->palette();
    const QColor blue(85, 170, 255);
    for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        for (QPalette::ColorRole r : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
            QCOMPARE(p.color(g, r), QColor(Qt::white));
        for (QPalette::ColorRole r : {QPalette::Button, QPalette::Base, QPalette::Window})
            QCOMPARE(p.color(g, r), blue);
    }

    for (int n = 1; n <= 8; ++n) {
        auto *c = find<QComboBox>(QStringLiteral("comboBox_rev%1").arg(n));
        // hover sheets switch mouse tracking on for the others as well
        if (n >= 6)
            QVERIFY(c->hasMouseTracking());
        QCOMPARE(c->hasTabletTracking(), n == 8);
    }
}

QTEST_MAIN(TestForm)
#include "tst_form.moc"
