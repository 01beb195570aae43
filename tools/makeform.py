#!/usr/bin/env python3
"""Writes ui/mainwindow.ui, the main window form, from the tables below.

The .ui file is what maintainers open in Designer and what uic compiles; this
script records how it was laid out. Run it from anywhere:

    python3 tools/makeform.py            # writes ui/mainwindow.ui
    python3 tools/makeform.py -o x.ui    # writes somewhere else

Things uic relies on, kept here on purpose:
  * children are created in document order, so every list below is in
    creation order (which is not always left-to-right order on screen);
  * style sheets carry notr="true" so they are set while the tree is built,
    texts do not, so they are assigned later by retranslateUi;
  * combo items are written as <item>s: uic inserts them empty and names
    them by index in retranslateUi;
  * only the combo boxes with a start index in COMBOS get a currentIndex
    (the others keep the first inserted item); uic applies them after
    retranslateUi in document order, after portNameBox and tabWidget.
"""

import argparse
import os
import xml.etree.ElementTree as ET

QRC = "../resources/varnix.qrc"

# ---------------------------------------------------------------- sheets

WHITE = "rgba(255,255,255,255)"
YELLOW = "rgba(255,255,0,255)"
GREY_BG = "rgb(70, 70, 70)"
BLUE_BG = "rgb(85, 170, 255)"
BLACK_BG = "rgb(0, 0, 0)"

HOVER = ["background-color:rgba(100,255,100,100);",
         "border-color:rgba(255,255,255,255);",
         "color:rgba(255,255,255,255);"]


def rule(selector, decls):
    return selector + "{\n" + "\n".join(decls) + "\n}"


def box_sheet(cls, bg, px, color):
    """The shared look of caption, value and input boxes."""
    normal = rule(cls, [
        "background-color:%s;" % bg,
        "border-style:outset;",
        "border-width:4px;",
        "border-radius:4px;",
        "border-color:rgba(0,0,0,0);",
        "font:bold %dpx;" % px,
        "color:%s;" % color,
        "padding:0px;",
    ])
    if cls == "QLineEdit":
        return normal
    return normal + "\n" + rule(cls + ":hover", HOVER)


def button_sheet(cls, bg, px, pressed):
    return "\n".join([
        rule(cls, [
            "background-color:%s;" % bg,
            "border-style:outset;",
            "border-width:4px;",
            "border-radius:10px;",
            "border-color:rgba(0,0,0,0);",
            "font:bold %dpx;" % px,
            "color:rgba(255,255,255,255);",
            "padding:0px;",
        ]),
        rule(cls + ":pressed", pressed),
        rule(cls + ":hover", HOVER),
    ])


PRESSED_GREEN = ["background-color:rgba(100,255,100,200);",
                 "border-color:rgba(255,255,255,30);",
                 "border-style:inset;",
                 "color:rgba(0,0,0,100);"]
PRESSED_YELLOW = ["background-color:rgba(255,255,0,255);",
                  "border-color:rgba(255,255,255,30);",
                  "border-style:inset;",
                  "color:rgba(255,0,0,100);"]

PUSH_SHEET = button_sheet("QPushButton", "rgba(100,100,100,100)", 16, PRESSED_GREEN)
TOOL_SHEET = button_sheet("QToolButton", "rgba(70,70,70,70)", 14, PRESSED_GREEN)
RESET_SHEET = button_sheet("QToolButton", "rgba(70,70,70,70)", 14, PRESSED_YELLOW)
LAMP_SHEET = rule("QToolButton", [
    "background-color:rgba(70,70,70,70);",
    "border-style:outset;",
    "border-width:0px;",
    "border-radius:0px;",
    "border-color:rgba(0,0,0,0);",
    "font:bold 16px;",
    "color:rgba(255,255,255,255);",
    "padding:0px;",
])


def bar_sheet(groove, chunk):
    return "\n".join([
        rule("QProgressBar:vertical", [
            "border-radius:0px;",
            "background-color:%s;" % groove,
            "color: transparent;",
            "text-align:center;",
        ]),
        rule("QProgressBar::chunk:vertical", [
            "background-color:%s;" % chunk,
            "margin:0px;",
            "height:1px;",
        ]),
    ])


# Upper bar: white groove, blue chunk; lower bar the other way round, so the
# pair reads as one centre-zero bar.
UPPER_BAR_SHEET = bar_sheet("rgba(255,255,255,255)", "rgba(0,0,255,255)")
LOWER_BAR_SHEET = bar_sheet("rgba(0,0,255,255)", "rgba(255,255,255,255)")

TAB_SHEET = "\n".join([
    rule("QTabWidget::pane", ["border:10px;"]),
    rule("QTabWidget::tab-bar", ["alignment:left;"]),
    rule("QTabBar::tab", [
        "border: none;",
        "border-top-left-radius: 10px;",
        "border-top-right-radius: 10px;",
        "color: white;",
        "background: rgb(80,80,80);",
        "height: 50px;",
        "min-width: 140px;",
    ]),
    rule("QTabBar::tab:hover", ["background:rgb(0, 0, 0, 0);"]),
    rule("QTabBar::tab:selected", [
        "border-color: white;",
        "background:red;",
        "color:rgb(0, 255, 255, 255);",
    ]),
])

CENTRAL_SHEET = "background-color: rgb(40, 40, 40);"
FRAME_SHEET = "background-color: rgb(50, 50, 50);"
FRAME3_SHEET = "background-color: rgb(50,50, 50);"
PAGE_SHEET = ("background-color: qlineargradient(spread:pad, x1:0, y1:0, x2:0, y2:1, "
              "stop:0 rgba(255, 0, 0, 255), stop:1 rgba(255, 255, 255, 255));")
PAGE2_SHEET = ("background-color: qlineargradient(spread:pad, x1:0, y1:0, x2:0.006, y2:1, "
               "stop:0 rgba(255, 19, 19, 255), stop:1 rgba(255, 255, 255, 255));")
GROUP_SHEET = 'color: rgb(255, 170, 0);\nfont: 75 11pt "Arial";'
GROUP_SHEET_FONT_FIRST = 'font: 75 11pt "Arial";\ncolor: rgb(255, 170, 0);'
GROUP_SHEET_12 = 'color: rgb(255, 170, 0);\nfont: 75 12pt "Arial";'
PORT_SHEET = 'background-color: rgb(255, 255, 255);\nfont: 75 16pt "Arial";'
CURVE_SHEET = "background-color: rgb(255, 255, 255);"

# Inputs drawn with the larger 22 px font.
BIG_COMBOS = {"comboBox_rev8", "comboBox_AUX8", "comboBox_EleMix",
              "comboBox_PRM02_Master", "comboBox_PRM02_Slave",
              "comboBox_PRM02_Master_2"}
BIG_SPINS = {"spinBox_sub8", "spinBox_Lepa2", "spinBox_Lepa8", "spinBox_Repa8",
             "spinBox_delay8", "spinBox_FS8", "spinBox_Elev01", "spinBox_Elev02",
             "spinBox_PRM02_Data1", "spinBox_PRM02_Data2", "spinBox_PRM02_Data3",
             "spinBox_Rssi", "spinBox_Mode", "spinBox_Vertion"}

# ---------------------------------------------------------------- items

ITEMS = {
    "rev": ["正相", "反相"],
    "reserved": ["预留"],
    "aux": ["SwA", "SwB", "VrA", "VrB/SwC", "NULL", "Lock-C"],
    "offon": ["关闭", "打开"],
    "ch4": ["CH1", "CH2", "CH3", "CH4"],
    "swa": ["SWA"],
    "posi": ["UP", "DOWN"],
    "atti": ["CH5", "CH6", "CH7", "CH8", "关闭"],
    "prmmix": ["禁止", "关闭", "打开"],
    "ch8": ["CH1", "CH2", "CH3", "CH4", "CH5", "CH6", "CH7", "CH8"],
    "version": ["V4.9"],
}

# combo box -> (item list, current index set after the texts, or None)
COMBOS = {}
for n in range(1, 9):
    COMBOS["comboBox_rev%d" % n] = ("rev", 1 if n == 3 else None)
for n in range(1, 5):
    COMBOS["comboBox_AUX%d" % n] = ("reserved", None)
for n, idx in zip(range(5, 9), (1, 3, None, 2)):
    COMBOS["comboBox_AUX%d" % n] = ("aux", idx)
for name in ("comboBox_DR_MIX1", "comboBox_DR_MIX2", "comboBox_EleMix",
             "comboBox_RuMix", "comboBox_THCURE_MIX"):
    COMBOS[name] = ("offon", None)
COMBOS["comboBox_DR_CH1"] = ("ch4", None)
COMBOS["comboBox_DR_CH2"] = ("ch4", None)
COMBOS["comboBox_DR_SW1"] = ("swa", None)
COMBOS["comboBox_DR_SW2"] = ("swa", 0)
COMBOS["comboBox_DR_POSI"] = ("posi", None)
COMBOS["comboBox_AttiM"] = ("atti", 4)
for m, (master, slave) in {1: (None, 3), 2: (1, 5), 3: (None, 3), 4: (1, 5)}.items():
    COMBOS["comboBox_PRM0%d_Mix" % m] = ("prmmix", None)
    COMBOS["comboBox_PRM0%d_Master" % m] = ("ch8", master)
    COMBOS["comboBox_PRM0%d_Slave" % m] = ("ch8", slave)
COMBOS["comboBox_PRM02_Master_2"] = ("version", 0)

# ---------------------------------------------------------------- spin boxes

# spin box -> (minimum, maximum, start value); step is always 1
SPINS = {}


def spins(fmt, numbers, lo, hi, values):
    if not isinstance(values, (list, tuple)):
        values = [values] * len(numbers)
    for n, v in zip(numbers, values):
        SPINS[fmt % n] = (lo, hi, v)


spins("spinBox_sub%d", range(1, 9), -100, 100, 0)
spins("spinBox_Lepa%d", range(1, 9), 0, 120, 96)
spins("spinBox_Repa%d", range(1, 9), 0, 120, 96)
spins("spinBox_FS%d", range(1, 9), 0, 100, [50, 50, 0, 50, 50, 50, 50, 50])
spins("spinBox_delay%d", range(1, 9), 0, 100, 100)
spins("spinBox_DR_%s1", ["UP", "DOWN"], 0, 100, 100)
spins("spinBox_Atti%d", range(1, 7), 0, 100, [14, 29, 44, 56, 69, 88])
spins("spinBox_Elev0%d", range(1, 7), -100, 100, [100, 100, 100, -100, 100, 100])
spins("spinBox_Ru%d", range(1, 5), -100, 100, [50, -50, 50, 50])
spins("spinBox_DR_%s", ["RATE"], 0, 100, 100)
spins("spinBox_DR_%s", ["EXP"], -100, 100, 100)
spins("spinBox_THCURE_Data0%d", range(1, 8), 0, 100, [0, 16, 33, 50, 67, 84, 100])
spins("spinBox_PRM0%s", ["1_Data1", "1_Data2", "1_Data3",
                         "2_Data1", "2_Data2", "2_Data3",
                         "3_Data1", "4_Data1"], -100, 100, 100)
spins("spinBox_PRM0%s", ["3_Data2", "3_Data3", "4_Data2", "4_Data3"], 0, 100, 100)
spins("spinBox_%s", ["Rssi"], -100, 0, -100)
spins("spinBox_%s", ["Mode"], 1, 4, 2)
spins("spinBox_%s", ["Vertion"], 0, 1000, 0)

# alarm voltages: one decimal, 0.0 .. 99.9 in steps of 0.1, start 11.0
DOUBLES = {"doubleSpinBox_Volt", "doubleSpinBox_rxVolt", "doubleSpinBox_extVolt"}

# ---------------------------------------------------------------- XML helpers


def sub(parent, tag, text=None, **attrs):
    e = ET.SubElement(parent, tag, {k: str(v) for k, v in attrs.items()})
    if text is not None:
        e.text = str(text)
    return e


def prop(parent, name):
    return sub(parent, "property", name=name)


def p_rect(w, x, y, width, height, name="geometry"):
    r = sub(prop(w, name), "rect")
    for tag, v in (("x", x), ("y", y), ("width", width), ("height", height)):
        sub(r, tag, v)


def p_size(w, name, width, height):
    s = sub(prop(w, name), "size")
    sub(s, "width", width)
    sub(s, "height", height)


def p_policy(w, h, v):
    s = sub(prop(w, "sizePolicy"), "sizepolicy", hsizetype=h, vsizetype=v)
    sub(s, "horstretch", 0)
    sub(s, "verstretch", 0)


def p_font(w, family, points, weight, bold, italic=None):
    f = sub(prop(w, "font"), "font")
    sub(f, "family", family)
    sub(f, "pointsize", points)
    sub(f, "weight", weight)
    if italic is not None:
        sub(f, "italic", "true" if italic else "false")
    sub(f, "bold", "true" if bold else "false")


def p_bool(w, name, value):
    sub(prop(w, name), "bool", "true" if value else "false")


def p_number(w, name, value):
    sub(prop(w, name), "number", value)


def p_double(w, name, value):
    sub(prop(w, name), "double", value)


def p_enum(w, name, value):
    sub(prop(w, name), "enum", value)


def p_set(w, name, value):
    sub(prop(w, name), "set", value)


def p_text(w, name, text):
    """A text shown to the user: translatable, assigned by retranslateUi."""
    sub(prop(w, name), "string", text)


def p_sheet(w, sheet):
    sub(prop(w, "styleSheet"), "string", sheet, notr="true")


def p_icon(w, path):
    i = sub(prop(w, "icon"), "iconset", resource=QRC)
    sub(i, "normalon", path)


def p_palette(w, roles):
    pal = sub(prop(w, "palette"), "palette")
    for group in ("active", "inactive", "disabled"):
        g = sub(pal, group)
        for role, (r, gr, b, a), style in roles:
            cr = sub(g, "colorrole", role=role)
            br = sub(cr, "brush", brushstyle=style)
            c = sub(br, "color", alpha=a)
            sub(c, "red", r)
            sub(c, "green", gr)
            sub(c, "blue", b)


def widget(parent, cls, name):
    return sub(parent, "widget", **{"class": cls, "name": name})


# ---------------------------------------------------------------- builders

def line_edit(parent, name, text, label, px=20, color=WHITE, bg=GREY_BG,
              geometry=None, policy=None, read_only=None):
    """A centred line edit: a read-only caption (label box) or a value box.

    read_only writes the flag explicitly; captions get it set by default."""
    w = widget(parent, "QLineEdit", name)
    if geometry:
        p_rect(w, *geometry)
    if policy:
        p_policy(w, *policy)
    p_sheet(w, box_sheet("QLineEdit", bg, px, color))
    p_text(w, "text", text)
    p_set(w, "alignment", "Qt::AlignCenter")
    if read_only is None and label:
        read_only = True
    if read_only is not None:
        p_bool(w, "readOnly", read_only)
    return w


ROLE_WHITE = (255, 255, 255, 255)
ROLE_BLUE = (85, 170, 255, 255)
# comboBox_rev1 also carries its colours as a palette, same in every group.
REV1_PALETTE = [
    ("WindowText", ROLE_WHITE, "SolidPattern"),
    ("Button", ROLE_BLUE, "SolidPattern"),
    ("Text", ROLE_WHITE, "SolidPattern"),
    ("ButtonText", ROLE_WHITE, "SolidPattern"),
    ("Base", ROLE_BLUE, "SolidPattern"),
    ("Window", ROLE_BLUE, "SolidPattern"),
    ("PlaceholderText", (255, 255, 255, 128), "NoBrush"),
]
MOUSE_TRACKED = {"comboBox_rev6", "comboBox_rev7", "comboBox_rev8"}
TABLET_TRACKED = {"comboBox_rev8"}


def combo_box(parent, name, policy):
    items, index = COMBOS[name]
    w = widget(parent, "QComboBox", name)
    p_policy(w, *policy)
    if name == "comboBox_rev1":
        p_palette(w, REV1_PALETTE)
    if name in MOUSE_TRACKED:
        p_bool(w, "mouseTracking", True)
    if name in TABLET_TRACKED:
        p_bool(w, "tabletTracking", True)
    p_sheet(w, box_sheet("QComboBox", BLUE_BG, 22 if name in BIG_COMBOS else 20, WHITE))
    if index is not None:
        p_number(w, "currentIndex", index)
    for text in ITEMS[items]:
        p_text(sub(w, "item"), "text", text)
    return w


def spin_box(parent, name, policy):
    lo, hi, value = SPINS[name]
    w = widget(parent, "QSpinBox", name)
    p_policy(w, *policy)
    p_sheet(w, box_sheet("QSpinBox", BLUE_BG, 22 if name in BIG_SPINS else 20, WHITE))
    if lo != 0:
        p_number(w, "minimum", lo)
    p_number(w, "maximum", hi)
    p_number(w, "value", value)
    return w


def double_spin_box(parent, name, policy):
    w = widget(parent, "QDoubleSpinBox", name)
    p_policy(w, *policy)
    p_sheet(w, box_sheet("QDoubleSpinBox", BLUE_BG, 22, WHITE))
    p_number(w, "decimals", 1)
    p_double(w, "maximum", "99.900000000000006")
    p_double(w, "singleStep", "0.100000000000000")
    p_double(w, "value", "11.000000000000000")
    return w


# ---------------------------------------------------------------- window

def build_toolbar(central):
    frame = widget(central, "QFrame", "frame")
    p_rect(frame, 0, 0, 1200, 110)
    p_bool(frame, "mouseTracking", True)
    p_sheet(frame, "")
    p_enum(frame, "frameShape", "QFrame::StyledPanel")
    p_enum(frame, "frameShadow", "QFrame::Raised")

    def tool(name, geometry, icon, icon_size, text, sheet, under=True):
        w = widget(frame, "QToolButton", name)
        p_rect(w, *geometry)
        p_sheet(w, sheet)
        p_text(w, "text", text)
        p_icon(w, icon)
        p_size(w, "iconSize", icon_size, icon_size)
        if under:
            p_enum(w, "toolButtonStyle", "Qt::ToolButtonTextUnderIcon")

    caption = dict(label=True, px=14, color=WHITE)
    reading = dict(label=False, px=14, color=YELLOW)

    # creation order, not screen order
    w = widget(frame, "QPushButton", "openButton")
    p_rect(w, 630, 5, 100, 90)
    p_sheet(w, PUSH_SHEET)
    p_text(w, "text", "打开串口")

    w = widget(frame, "QComboBox", "portNameBox")
    p_rect(w, 740, 35, 120, 40)
    p_sheet(w, PORT_SHEET)
    p_number(w, "currentIndex", -1)

    line_edit(frame, "lineEdit_26", "遥控:", geometry=(920, 2, 85, 25), **caption)
    line_edit(frame, "lineEdit_27", "动力:", geometry=(920, 28, 85, 25), **caption)
    line_edit(frame, "lineEdit_30", "信号:", geometry=(920, 54, 85, 25), **caption)
    line_edit(frame, "lineEdit_RSSI", "null", geometry=(1010, 54, 85, 25), read_only=False,
              **reading)
    line_edit(frame, "lineEdit_TX", " 0.0V", geometry=(1010, 2, 85, 25), **reading)
    line_edit(frame, "lineEdit_EXT", " 0.0V", geometry=(1010, 28, 85, 25), **reading)
    tool("toolButton_led", (870, 35, 40, 40), ":/myImage/images/red.png", 40, "",
         LAMP_SHEET, under=False)
    tool("toolButton_Reset", (500, 5, 110, 90), ":/myImage/images/Reset.png", 60,
         "出厂设置", RESET_SHEET)
    tool("toolButton_Read", (20, 5, 110, 90), ":/myImage/images/Receive.png", 60,
         " 读取数据", TOOL_SHEET)
    tool("toolButton_Load", (140, 5, 110, 90), ":/myImage/images/open.png", 60,
         "加载数据", TOOL_SHEET)
    tool("toolButton_Save", (380, 5, 110, 91), ":/myImage/images/save.png", 60,
         "保存数据", TOOL_SHEET)
    tool("toolButton_Send", (260, 5, 110, 90), ":/myImage/images/Send.png", 60,
         "写入数据", TOOL_SHEET)
    line_edit(frame, "lineEdit_37", "接收:", geometry=(920, 80, 85, 25), **caption)
    line_edit(frame, "lineEdit_RX", " 0.0V", geometry=(1010, 80, 85, 25), **reading)


def build_tab_widget(central):
    t = widget(central, "QTabWidget", "tabWidget")
    p_rect(t, 10, 110, 1080, 560)
    p_font(t, "Arial", 11, 75, True)
    p_bool(t, "mouseTracking", True)
    p_bool(t, "tabletTracking", True)
    p_enum(t, "focusPolicy", "Qt::NoFocus")
    p_enum(t, "contextMenuPolicy", "Qt::NoContextMenu")
    p_bool(t, "acceptDrops", False)
    p_bool(t, "autoFillBackground", False)
    p_sheet(t, TAB_SHEET)
    p_enum(t, "tabPosition", "QTabWidget::North")
    p_enum(t, "tabShape", "QTabWidget::Rounded")
    p_number(t, "currentIndex", 5)
    p_size(t, "iconSize", 100, 100)
    p_enum(t, "elideMode", "Qt::ElideMiddle")
    p_bool(t, "documentMode", True)
    p_bool(t, "tabsClosable", False)
    p_bool(t, "movable", True)
    p_bool(t, "tabBarAutoHide", False)
    return t


def page(tabs, name, title, sheet, tracked):
    p = widget(tabs, "QWidget", name)
    if tracked:
        p_bool(p, "mouseTracking", True)
    p_sheet(p, sheet)
    sub(sub(p, "attribute", name="title"), "string", title)
    return p


def page_frame(parent, name, geometry, sheet, tracked=False):
    f = widget(parent, "QFrame", name)
    p_rect(f, *geometry)
    if tracked:
        p_bool(f, "mouseTracking", True)
    p_sheet(f, sheet)
    p_enum(f, "frameShape", "QFrame::StyledPanel")
    p_enum(f, "frameShadow", "QFrame::Raised")
    return f


def build_live_page(tabs):
    p = page(tabs, "tab", "舵量显示", PAGE_SHEET, True)
    f = page_frame(p, "frame_3", (10, 10, 1060, 490), FRAME3_SHEET)
    value_names = ["lineEdit"] + ["lineEdit_%d" % i for i in range(2, 9)]
    name_names = ["lineEdit_9"] + ["lineEdit_%d" % i for i in range(19, 26)]
    dx = [135 * i for i in range(8)]

    def bar(ch, upper):
        name = "progressBar_%d%d" % (ch + 1, 0 if upper else 1)
        w = widget(f, "QProgressBar", name)
        p_rect(w, 35 + dx[ch], 105 if upper else 285, 50, 180)
        p_sheet(w, UPPER_BAR_SHEET if upper else LOWER_BAR_SHEET)
        p_number(w, "maximum", 1010 if upper else 1000)
        p_number(w, "value", 10 if upper else 1000)
        p_bool(w, "textVisible", False)
        p_enum(w, "orientation", "Qt::Vertical")
        p_bool(w, "invertedAppearance", False)
        p_enum(w, "textDirection", "QProgressBar::BottomToTop")

    for ch, name in enumerate(value_names):
        line_edit(f, name, "0", label=False, px=26, bg=BLUE_BG,
                  geometry=(20 + dx[ch], 10, 80, 50))
    bar(0, False)                       # progressBar_11 comes first
    for ch in range(8):
        bar(ch, True)
    for ch in range(1, 8):
        bar(ch, False)
    for ch, name in enumerate(name_names):
        line_edit(f, name, "CH%d" % (ch + 1), label=True, px=26, color=YELLOW,
                  bg=BLACK_BG, geometry=(30 + dx[ch], 60, 60, 31))


# ---------------------------------------------------------------- settings pages

EXP = ("Expanding", "Expanding")
PAGE1_POLICY = {"QComboBox": ("Preferred", "Expanding"),
                "QSpinBox": ("Minimum", "Expanding")}
POLICY_OVERRIDE = {"spinBox_Ru4": ("Minimum", "Expanding")}

# caption boxes of the settings pages, with their texts
CAPTIONS = {}


def captions(names, texts):
    CAPTIONS.update(zip(names, texts))


def names(fmt, numbers):
    return [fmt % n for n in numbers]


captions(["lineEdit_28", "lineEdit_29", "lineEdit_31", "lineEdit_32", "lineEdit_33",
          "lineEdit_34", "lineEdit_35", "lineEdit_36"], names("CH%d:", range(1, 9)))
captions(names("lineEdit_%d", range(53, 58)), ["混控:", "通道:", "开关:", "上档:", "下档:"])
captions(names("lineEdit_%d", range(45, 52)),
         ["通道:"] + names("姿态%d:", range(1, 7)))
captions(names("lineEdit_%d", range(73, 78)), ["混控:", "副翼1:", "副翼2:", "升降2:", "升降1:"])
captions(["lineEdit_78", "lineEdit_95", "lineEdit_96", "lineEdit_97", "lineEdit_98"],
         ["混控:", "升降1:", "升降2:", "尾舵2:", "尾舵1:"])
captions(["lineEdit_146", "lineEdit_142", "lineEdit_141", "lineEdit_143", "lineEdit_144",
          "lineEdit_145"], ["混控:", " 通道:", "开关:", " 位置:", "比率:", "指数:"])
captions(["lineEdit_130", "lineEdit_126", "lineEdit_125", "lineEdit_127", "lineEdit_128",
          "lineEdit_129", "lineEdit_131", "lineEdit_132"],
         ["混控:"] + names("曲线点%d:", range(1, 8)))
MIX_CAPTIONS = ["混控:", "主控:", "被控:", "偏置:", "上边:", "下边:"]
MIX_LABELS = {
    1: ["lineEdit_80", "lineEdit_83", "lineEdit_79", "lineEdit_84", "lineEdit_85", "lineEdit_86"],
    2: ["lineEdit_94", "lineEdit_90", "lineEdit_89", "lineEdit_91", "lineEdit_92", "lineEdit_93"],
    3: ["lineEdit_106", "lineEdit_102", "lineEdit_101", "lineEdit_103", "lineEdit_104",
        "lineEdit_105"],
    4: names("lineEdit_%d", range(119, 125)),
}
for m in MIX_LABELS:
    captions(MIX_LABELS[m], MIX_CAPTIONS)
captions(["lineEdit_63", "lineEdit_68", "lineEdit_66", "lineEdit_67"],
         ["遥控器电压:", "接收机电压:", "动力电池电压:", "RSSI信号:"])
captions(["lineEdit_64", "lineEdit_65", "lineEdit_69"],
         ["遥控器摇杆模式:", "遥控器固件版本:", "电脑调参APP版本:"])
TRIM_LABELS = [("lineEdit_70", "    微调一:"), ("lineEdit_71", "  微调二:"),
               ("lineEdit_72", " 微调三:"), ("lineEdit_81", " 微调四:")]


def mix_inputs(m):
    p = "PRM0%d_" % m
    return ["comboBox_%sMix" % p, "comboBox_%sMaster" % p, "comboBox_%sSlave" % p] + \
        ["spinBox_%sData%d" % (p, k) for k in (1, 2, 3)]


# One row per group box, in creation order. Columns are
# (container, geometry, layout, spacing or None for the default, rows).
ARIAL11 = ("Arial", 11)
ARIAL12 = ("Arial", 12)
PAGES = [
    ("tab_2", "基础菜单", PAGE2_SHEET, True, "frame_2", (10, 10, 1060, 490), True, PAGE1_POLICY, [
        ("groupBox", (10, 10, 110, 470), "通道", ARIAL11, GROUP_SHEET, None, [
            ("layoutWidget", (10, 30, 91, 431), "verticalLayout_28", 5,
             ["lineEdit_28", "lineEdit_29"] + names("lineEdit_%d", range(31, 37)))]),
        ("groupBox_2", (130, 10, 120, 470), "舵机相位", ARIAL11, GROUP_SHEET_FONT_FIRST, None, [
            ("layoutWidget1", (15, 30, 101, 431), "verticalLayout_29", 5,
             names("comboBox_rev%d", range(1, 9)))]),
        ("groupBox_3", (265, 10, 120, 470), "中点微调", ARIAL12, GROUP_SHEET_12, None, [
            ("layoutWidget2", (15, 30, 91, 431), "verticalLayout_30", 5,
             names("spinBox_sub%d", range(1, 9)))]),
        ("groupBox_4", (405, 10, 215, 470), "舵机行程量--L---R---", ARIAL11, GROUP_SHEET, None, [
            ("layoutWidget3", (15, 30, 91, 431), "verticalLayout_31", 5,
             names("spinBox_Lepa%d", range(1, 9))),
            ("layoutWidget4", (110, 30, 91, 431), "verticalLayout_32", 5,
             names("spinBox_Repa%d", range(1, 9)))]),
        ("groupBox_5", (780, 10, 120, 470), "舵机延迟", ARIAL11, GROUP_SHEET, None, [
            ("layoutWidget5", (15, 30, 91, 431), "verticalLayout_34", 5,
             names("spinBox_delay%d", range(1, 9)))]),
        ("groupBox_6", (915, 10, 140, 470), "辅助通道", ARIAL11, GROUP_SHEET, None, [
            ("layoutWidget6", (15, 30, 121, 431), "verticalLayout_35", 5,
             names("comboBox_AUX%d", range(1, 9)))]),
        ("groupBox_14", (640, 10, 120, 470), "失控保护", ARIAL11, GROUP_SHEET, None, [
            ("layoutWidget7", (15, 30, 91, 431), "verticalLayout_33", 5,
             names("spinBox_FS%d", range(1, 9)))]),
    ]),
    ("tab_3", "高级菜单1", PAGE_SHEET, True, "frame_4", (2, 10, 1060, 490), False, {}, [
        ("groupBox_8", (5, 10, 220, 350), "大小舵设置", ARIAL11, GROUP_SHEET_FONT_FIRST, None, [
            ("layoutWidget8", (6, 26, 101, 311), "verticalLayout", 0,
             names("lineEdit_%d", range(53, 58))),
            ("layoutWidget9", (106, 26, 101, 311), "verticalLayout_2", 0,
             ["comboBox_DR_MIX1", "comboBox_DR_CH1", "comboBox_DR_SW1",
              "spinBox_DR_UP1", "spinBox_DR_DOWN1"])]),
        # the input column of this group was made before its captions
        ("groupBox_7", (240, 10, 221, 470), "姿态选择", None, GROUP_SHEET_FONT_FIRST, None, [
            ("layoutWidget10", (110, 30, 101, 431), "verticalLayout_24", None,
             ["comboBox_AttiM"] + names("spinBox_Atti%d", range(1, 7))),
            ("layoutWidget11", (10, 30, 101, 431), "verticalLayout_5", None,
             names("lineEdit_%d", range(45, 52)))]),
        ("groupBox_10", (470, 10, 330, 350), "升降副翼混控", None, GROUP_SHEET_FONT_FIRST, None, [
            ("layoutWidget12", (10, 30, 111, 301), "verticalLayout_6", 0,
             names("lineEdit_%d", range(73, 78))),
            ("layoutWidget13", (120, 30, 101, 301), "verticalLayout_8", 0,
             ["comboBox_EleMix"] + names("spinBox_Elev0%d", range(1, 5))),
            ("layoutWidget14", (220, 90, 101, 121), "verticalLayout_15", 0,
             ["spinBox_Elev05", "spinBox_Elev06"])]),
        ("groupBox_13", (810, 10, 240, 350), "V型尾翼混控", None, GROUP_SHEET_FONT_FIRST, None, [
            ("layoutWidget15", (10, 30, 111, 301), "verticalLayout_13", 0,
             ["lineEdit_78", "lineEdit_95", "lineEdit_96", "lineEdit_97", "lineEdit_98"]),
            ("layoutWidget16", (120, 30, 111, 301), "verticalLayout_14", 0,
             ["comboBox_RuMix"] + names("spinBox_Ru%d", range(1, 5)))]),
    ]),
    ("tab_4", "高级菜单2", PAGE_SHEET, False, "frame_5", (10, 10, 1060, 490), False, {}, [
        ("groupBox_19", (10, 10, 510, 471), "大小舵曲线", None, GROUP_SHEET,
         ("mWidget", "widget_3", (220, 90, 280, 280)), [
            ("layoutWidget17", (10, 30, 101, 431), "verticalLayout_22", None,
             ["lineEdit_146", "lineEdit_142", "lineEdit_141", "lineEdit_143",
              "lineEdit_144", "lineEdit_145"]),
            ("layoutWidget18", (110, 30, 101, 431), "verticalLayout_23", None,
             ["comboBox_DR_MIX2", "comboBox_DR_CH2", "comboBox_DR_SW2", "comboBox_DR_POSI",
              "spinBox_DR_RATE", "spinBox_DR_EXP"])]),
        ("groupBox_18", (530, 10, 520, 471), "油门曲线", None, GROUP_SHEET,
         ("cureWidget", "widget_4", (210, 80, 300, 300)), [
            ("layoutWidget_12", (10, 29, 101, 431), "verticalLayout_26", None,
             ["lineEdit_130", "lineEdit_126", "lineEdit_125", "lineEdit_127",
              "lineEdit_128", "lineEdit_129", "lineEdit_131", "lineEdit_132"]),
            ("layoutWidget_13", (110, 30, 91, 431), "verticalLayout_27", None,
             ["comboBox_THCURE_MIX"] + names("spinBox_THCURE_Data0%d", range(1, 8)))]),
    ]),
    # made mix 4, 3, 1, 2; they read 1, 2, 3, 4 from the left
    ("tab_5", "混控设置", PAGE_SHEET, False, "frame_8", (10, 10, 1060, 490), False, {}, [
        ("groupBox_21", (790, 5, 250, 477), "可编程混控四", None, GROUP_SHEET, None, [
            ("layoutWidget_8", (10, 30, 111, 441), "verticalLayout_42", None, MIX_LABELS[4]),
            ("layoutWidget_9", (120, 30, 101, 441), "verticalLayout_43", None, mix_inputs(4))]),
        ("groupBox_15", (530, 5, 250, 477), "可编程混控三", None, GROUP_SHEET, None, [
            ("layoutWidget_2", (10, 30, 111, 441), "verticalLayout_20", None, MIX_LABELS[3]),
            ("layoutWidget_3", (120, 30, 101, 441), "verticalLayout_21", None, mix_inputs(3))]),
        ("groupBox_11", (10, 5, 250, 481), "可编程混控一", None, GROUP_SHEET, None, [
            ("layoutWidget_10", (5, 20, 101, 451), "verticalLayout_9", 0, MIX_LABELS[1]),
            ("layoutWidget_11", (110, 20, 101, 451), "verticalLayout_10", 0, mix_inputs(1))]),
        ("groupBox_12", (270, 5, 250, 477), "可编程混控二", None, GROUP_SHEET, None, [
            ("layoutWidget_14", (10, 20, 101, 451), "verticalLayout_16", 0, MIX_LABELS[2]),
            ("layoutWidget_15", (110, 20, 101, 451), "verticalLayout_17", 0, mix_inputs(2))]),
    ]),
    ("tab_6", "系统设置", PAGE_SHEET, False, "frame_7", (10, 10, 1060, 490), False, {}, [
        ("groupBox_17", (20, 10, 350, 470), "报警设置", None, GROUP_SHEET, None, [
            ("layoutWidget_4", (10, 30, 201, 251), "verticalLayout_38", None,
             ["lineEdit_63", "lineEdit_68", "lineEdit_66", "lineEdit_67"]),
            ("layoutWidget_5", (210, 30, 131, 251), "verticalLayout_39", None,
             ["doubleSpinBox_Volt", "doubleSpinBox_rxVolt", "doubleSpinBox_extVolt",
              "spinBox_Rssi"])]),
        ("groupBox_20", (380, 10, 350, 470), " 版本 / 模式", None, GROUP_SHEET, None, [
            ("layoutWidget_6", (10, 29, 201, 181), "verticalLayout_40", None,
             ["lineEdit_64", "lineEdit_65", "lineEdit_69"]),
            ("layoutWidget_7", (210, 30, 131, 181), "verticalLayout_41", None,
             ["spinBox_Mode", "spinBox_Vertion", "comboBox_PRM02_Master_2"])]),
        ("groupBox_23", (740, 10, 300, 470), "重置数据", None, GROUP_SHEET, None, []),
    ]),
]


def row_widget(parent, name, policies):
    policy = POLICY_OVERRIDE.get(name)
    if name in CAPTIONS:
        # lineEdit_36 is the odd one out: editable and drawn at 22 px
        odd = name == "lineEdit_36"
        return line_edit(parent, name, CAPTIONS[name], label=not odd, px=22 if odd else 20,
                         policy=EXP)
    if name in COMBOS:
        return combo_box(parent, name, policy or policies.get("QComboBox", EXP))
    if name in SPINS:
        return spin_box(parent, name, policy or policies.get("QSpinBox", EXP))
    if name in DOUBLES:
        return double_spin_box(parent, name, policy or EXP)
    raise KeyError(name)


def column(parent, container, geometry, layout_name, spacing, rows, policies):
    c = widget(parent, "QWidget", container)
    p_rect(c, *geometry)
    lay = sub(c, "layout", **{"class": "QVBoxLayout", "name": layout_name})
    if spacing is not None:
        p_number(lay, "spacing", spacing)
    for side in ("leftMargin", "topMargin", "rightMargin", "bottomMargin"):
        p_number(lay, side, 0)
    for name in rows:
        row_widget(sub(lay, "item"), name, policies)


def group_extras(group):
    """Widgets placed directly in a group box after its columns."""
    name = group.get("name")
    if name == "groupBox_20":
        for k, (label, text) in enumerate(TRIM_LABELS):
            line_edit(group, label, text, label=True, geometry=(10, 220 + 60 * k, 199, 56),
                      policy=EXP)
        for k in range(4):
            line_edit(group, "lineEdit_Trim_%d" % (k + 1), "0", label=False, color=YELLOW,
                      geometry=(210, 220 + 60 * k, 129, 56))
    elif name == "groupBox_23":
        w = widget(group, "QPushButton", "pushButton_Reset2")
        p_rect(w, 10, 130, 281, 61)
        p_sheet(w, PUSH_SHEET)
        p_text(w, "text", "重置数据")


def build_settings_pages(tabs):
    for (pname, title, psheet, ptracked, fname, fgeom, ftracked, policies, groups) in PAGES:
        p = page(tabs, pname, title, psheet, ptracked)
        f = page_frame(p, fname, fgeom, FRAME_SHEET, ftracked)
        for gname, ggeom, gtitle, gfont, gsheet, curve, columns in groups:
            g = widget(f, "QGroupBox", gname)
            p_rect(g, *ggeom)
            if gfont:
                p_font(g, gfont[0], gfont[1], 9, False, italic=False)
            p_sheet(g, gsheet)
            p_text(g, "title", gtitle)
            if curve:
                cls, cname, cgeom = curve
                cw = widget(g, cls, cname)
                p_rect(cw, *cgeom)
                p_sheet(cw, CURVE_SHEET)
            for col in columns:
                column(g, *col, policies)
            group_extras(g)


def build():
    ui = ET.Element("ui", version="4.0")
    sub(ui, "class", "MainWindow")
    win = widget(ui, "QMainWindow", "MainWindow")
    p_rect(win, 0, 0, 1100, 680)
    p_size(win, "minimumSize", 0, 0)
    p_size(win, "maximumSize", 11100, 8000)
    p_text(win, "windowTitle", "Varnix&Tolbane-V5.0")
    central = widget(win, "QWidget", "centralwidget")
    p_sheet(central, CENTRAL_SHEET)
    build_toolbar(central)
    tabs = build_tab_widget(central)
    build_live_page(tabs)
    build_settings_pages(tabs)

    custom = sub(ui, "customwidgets")
    for cls in ("mWidget", "cureWidget"):
        c = sub(custom, "customwidget")
        sub(c, "class", cls)
        sub(c, "extends", "QWidget")
        sub(c, "header", "curvewidgets.h")
    sub(sub(ui, "resources"), "include", location=QRC)
    sub(ui, "connections")
    return ui


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    default = os.path.join(here, "..", "ui", "mainwindow.ui")
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("-o", "--output", default=default)
    args = ap.parse_args()
    ui = build()
    ET.indent(ui, space=" ")
    text = '<?xml version="1.0" encoding="UTF-8"?>\n' + ET.tostring(ui, encoding="unicode") + "\n"
    with open(args.output, "w", encoding="utf-8", newline="\n") as out:
        out.write(text)


if __name__ == "__main__":
    main()
