#include "bindings.h"

#include <QCoreApplication>
#include <QFile>
#include <QHash>
#include <QXmlStreamReader>

#include <cmath>
#include <cstring>

#include "frames.h"
#include "protocol.h"
#include "rules.h"

// The form compiled into this library, so that item texts and tab captions
// come from the form itself without a window.
static void initFormResource()
{
    static const bool done = [] {
        Q_INIT_RESOURCE(bindings);
        return true;
    }();
    Q_UNUSED(done);
}

namespace {

// One family of numbered widgets bound to every element of a field; the page
// is the field's unless the family names another (the dual-rate selection
// shows on pages 2 and 3).
struct Family {
    const char *widget; // "%1" stands for the element; nullptr: no widget
    Field field;
    const char *name;
    int page = 0;
};

const Family families[] = {
    // page 1
    {"comboBox_rev%1", Field::reverse, QT_TRANSLATE_NOOP("Bindings", "舵机相位 CH%1")},
    {"spinBox_sub%1", Field::subTrim, QT_TRANSLATE_NOOP("Bindings", "副微调 CH%1")},
    {"spinBox_Lepa%1", Field::epaLeft, QT_TRANSLATE_NOOP("Bindings", "舵机行程 L CH%1")},
    {"spinBox_Repa%1", Field::epaRight, QT_TRANSLATE_NOOP("Bindings", "舵机行程 R CH%1")},
    {"spinBox_FS%1", Field::failSafe, QT_TRANSLATE_NOOP("Bindings", "失控保护 CH%1")},
    {"spinBox_delay%1", Field::servoDelay, QT_TRANSLATE_NOOP("Bindings", "舵机延迟 CH%1")},
    {"comboBox_AUX%1", Field::auxSource, QT_TRANSLATE_NOOP("Bindings", "辅助通道 CH%1")},
    // page 2
    {"comboBox_DR_MIX1", Field::drMix, QT_TRANSLATE_NOOP("Bindings", "大小舵")},
    {"comboBox_DR_CH1", Field::drChannel, QT_TRANSLATE_NOOP("Bindings", "大小舵通道")},
    {"comboBox_DR_SW1", Field::drSwitch, QT_TRANSLATE_NOOP("Bindings", "大小舵开关"), 2},
    {"spinBox_DR_UP1", Field::drUp, QT_TRANSLATE_NOOP("Bindings", "大小舵上档")},
    {"spinBox_DR_DOWN1", Field::drDown, QT_TRANSLATE_NOOP("Bindings", "大小舵下档")},
    {nullptr, Field::drRateUp, QT_TRANSLATE_NOOP("Bindings", "大小舵 CH%1 上档比例")},
    {nullptr, Field::drRateDown, QT_TRANSLATE_NOOP("Bindings", "大小舵 CH%1 下档比例")},
    {"comboBox_AttiM", Field::attitudeChannel, QT_TRANSLATE_NOOP("Bindings", "姿态通道")},
    {"spinBox_Atti%1", Field::attitude, QT_TRANSLATE_NOOP("Bindings", "姿态%1")},
    {"comboBox_EleMix", Field::elevonMix, QT_TRANSLATE_NOOP("Bindings", "升降副翼混控")},
    {"spinBox_Elev0%1", Field::elevon, nullptr},
    {"comboBox_RuMix", Field::vtailMix, QT_TRANSLATE_NOOP("Bindings", "V型尾翼混控")},
    {"spinBox_Ru%1", Field::vtail, nullptr},
    // page 3
    {"comboBox_DR_MIX2", Field::drMix, QT_TRANSLATE_NOOP("Bindings", "大小舵"), 3},
    {"comboBox_DR_CH2", Field::drChannel, QT_TRANSLATE_NOOP("Bindings", "大小舵通道"), 3},
    {"comboBox_DR_SW2", Field::drSwitch, QT_TRANSLATE_NOOP("Bindings", "大小舵开关")},
    {"comboBox_DR_POSI", Field::drPosition, QT_TRANSLATE_NOOP("Bindings", "大小舵档位")},
    {"spinBox_DR_RATE", Field::drCurveRate, QT_TRANSLATE_NOOP("Bindings", "大小舵曲线比例")},
    {"spinBox_DR_EXP", Field::drCurveExpo, QT_TRANSLATE_NOOP("Bindings", "大小舵曲线指数")},
    {nullptr, Field::drExpoUp, QT_TRANSLATE_NOOP("Bindings", "大小舵 CH%1 上档指数")},
    {nullptr, Field::drExpoDown, QT_TRANSLATE_NOOP("Bindings", "大小舵 CH%1 下档指数")},
    {"comboBox_THCURE_MIX", Field::thrCurveMix, QT_TRANSLATE_NOOP("Bindings", "油门曲线")},
    {"spinBox_THCURE_Data0%1", Field::thrCurve, QT_TRANSLATE_NOOP("Bindings", "油门曲线点%1")},
    {nullptr, Field::thrCurveExtra, QT_TRANSLATE_NOOP("Bindings", "油门曲线附加值")},
    // page 4: the mixes one by one, below
    // page 5
    {"doubleSpinBox_Volt", Field::txAlarmVoltX10, QT_TRANSLATE_NOOP("Bindings", "发射机报警电压")},
    {"doubleSpinBox_rxVolt", Field::rxAlarmVoltX10, QT_TRANSLATE_NOOP("Bindings", "接收机报警电压")},
    {"doubleSpinBox_extVolt", Field::extAlarmVoltX10, QT_TRANSLATE_NOOP("Bindings", "动力电池报警电压")},
    {"spinBox_Rssi", Field::rssiAlarm, QT_TRANSLATE_NOOP("Bindings", "RSSI 报警")},
    {"spinBox_Mode", Field::stickMode, QT_TRANSLATE_NOOP("Bindings", "摇杆模式")},
    {"spinBox_Vertion", Field::firmwareVersion, QT_TRANSLATE_NOOP("Bindings", "固件版本")},
    {nullptr, Field::stickTrim, QT_TRANSLATE_NOOP("Bindings", "微调%1")},
};

// Rows named element by element, as the page labels them (family name nullptr
// above). The elevon rates go 副翼1, 副翼2, 升降2, 升降1 down the page; the
// fifth and sixth stand beside 副翼1 and 副翼2 with no label of their own.
struct ElementName {
    Field field;
    int element;
    const char *name;
};
const ElementName elementNames[] = {
    {Field::elevon, 1, QT_TRANSLATE_NOOP("Bindings", "升降副翼 副翼1")},
    {Field::elevon, 2, QT_TRANSLATE_NOOP("Bindings", "升降副翼 副翼2")},
    {Field::elevon, 3, QT_TRANSLATE_NOOP("Bindings", "升降副翼 升降2")},
    {Field::elevon, 4, QT_TRANSLATE_NOOP("Bindings", "升降副翼 升降1")},
    {Field::elevon, 5, QT_TRANSLATE_NOOP("Bindings", "升降副翼 副翼1 第二列")},
    {Field::elevon, 6, QT_TRANSLATE_NOOP("Bindings", "升降副翼 副翼2 第二列")},
    {Field::vtail, 1, QT_TRANSLATE_NOOP("Bindings", "V型尾翼 升降1")},
    {Field::vtail, 2, QT_TRANSLATE_NOOP("Bindings", "V型尾翼 升降2")},
    {Field::vtail, 3, QT_TRANSLATE_NOOP("Bindings", "V型尾翼 尾舵2")},
    {Field::vtail, 4, QT_TRANSLATE_NOOP("Bindings", "V型尾翼 尾舵1")},
};

const char *nameOf(Field field, int element, const char *familyName)
{
    if (familyName)
        return familyName;
    for (const ElementName &e : elementNames)
        if (e.field == field && e.element == element)
            return e.name;
    return "";
}

// The six rows of programmable mix n: "comboBox_PRM0<n>_Mix" and so on.
struct MixRow {
    const char *widget; // "%1" stands for the mix
    Field field;
    const char *name;
};
const MixRow mixRows[] = {
    {"comboBox_PRM0%1_Mix", Field::prmMix, QT_TRANSLATE_NOOP("Bindings", "混控%1 状态")},
    {"comboBox_PRM0%1_Master", Field::prmMaster, QT_TRANSLATE_NOOP("Bindings", "混控%1 主控")},
    {"comboBox_PRM0%1_Slave", Field::prmSlave, QT_TRANSLATE_NOOP("Bindings", "混控%1 被控")},
    {"spinBox_PRM0%1_Data1", Field::prmOffset, QT_TRANSLATE_NOOP("Bindings", "混控%1 偏置")},
    {"spinBox_PRM0%1_Data2", Field::prmUpRate, QT_TRANSLATE_NOOP("Bindings", "混控%1 上边")},
    {"spinBox_PRM0%1_Data3", Field::prmDownRate, QT_TRANSLATE_NOOP("Bindings", "混控%1 下边")},
};

// Widget names are built once and live as long as the table.
const char *keep(const QString &name)
{
    static QList<QByteArray> names;
    names.append(name.toLatin1());
    return names.last().constData();
}

QVector<Binding> buildTable()
{
    QVector<Binding> table;
    auto add = [&table](const char *pattern, Field field, int element, int page, const char *name) {
        const char *widget = pattern;
        if (pattern && std::strstr(pattern, "%1"))
            widget = keep(QString::fromLatin1(pattern).arg(element));
        table.append({widget, field, element, fieldExtent(field).show, page, nameOf(field, element, name)});
    };
    const FieldExtent &mixes = fieldExtent(Field::prmMix);
    for (const Family &f : families) {
        const FieldExtent &e = fieldExtent(f.field);
        const int page = f.page ? f.page : e.page;
        if (page > mixes.page && table.last().page < mixes.page)
            for (int n = mixes.first; n <= mixes.last; ++n)
                for (const MixRow &m : mixRows)
                    add(m.widget, m.field, n, mixes.page, m.name);
        for (int i = e.first; i <= e.last; ++i)
            add(f.widget, f.field, i, page, f.name);
    }
    return table;
}

// The form as compiled in: combo items and tab captions, read once.
struct Form {
    QHash<QByteArray, QStringList> items; // untranslated
    QStringList tabTitles;                // untranslated, in tab order
    QHash<QByteArray, double> minimum;    // the spin boxes' limits as the form sets them
    QHash<QByteArray, double> maximum;
};

// Reads the direct children of the widget element the reader stands on.
void readWidget(QXmlStreamReader &xml, const QByteArray &name, Form &form)
{
    const bool isTabs = name == "tabWidget";
    QStringList items;
    int depth = 0;
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType t = xml.readNext();
        if (t == QXmlStreamReader::EndElement) {
            if (depth == 0)
                break;
            --depth;
            continue;
        }
        if (t != QXmlStreamReader::StartElement)
            continue;
        if (depth == 0 && xml.name() == QLatin1String("property")) {
            const QString property = xml.attributes().value(QLatin1String("name")).toString();
            if (property == QLatin1String("minimum") || property == QLatin1String("maximum")) {
                // <property name="maximum"><number>100</number></property>, or <double>
                if (xml.readNextStartElement()) {
                    const double v = xml.readElementText().toDouble();
                    (property == QLatin1String("minimum") ? form.minimum : form.maximum).insert(name, v);
                }
                xml.skipCurrentElement();
                continue;
            }
            ++depth;
            continue;
        }
        if (depth == 0 && xml.name() == QLatin1String("item")) {
            // <item><property name="text"><string>..</string></property></item>
            QString text;
            int inner = 0;
            while (!xml.atEnd()) {
                const QXmlStreamReader::TokenType u = xml.readNext();
                if (u == QXmlStreamReader::StartElement) {
                    if (xml.name() == QLatin1String("string"))
                        text = xml.readElementText();
                    else
                        ++inner;
                } else if (u == QXmlStreamReader::EndElement) {
                    if (inner == 0)
                        break;
                    --inner;
                }
            }
            items << text;
            continue;
        }
        if (xml.name() == QLatin1String("widget")) {
            const QByteArray child = xml.attributes().value(QLatin1String("name")).toString().toLatin1();
            if (isTabs && depth == 0) {
                // A page: its title attribute comes among its first children.
                QString title;
                int inner = 0;
                while (!xml.atEnd()) {
                    const QXmlStreamReader::TokenType u = xml.readNext();
                    if (u == QXmlStreamReader::StartElement) {
                        if (xml.name() == QLatin1String("widget")) {
                            readWidget(xml, xml.attributes().value(QLatin1String("name")).toString().toLatin1(), form);
                            continue;
                        }
                        if (title.isNull() && xml.name() == QLatin1String("attribute")
                            && xml.attributes().value(QLatin1String("name")) == QLatin1String("title")) {
                            xml.readNextStartElement();
                            title = xml.readElementText();
                            xml.skipCurrentElement();
                            continue;
                        }
                        ++inner;
                    } else if (u == QXmlStreamReader::EndElement) {
                        if (inner == 0)
                            break;
                        --inner;
                    }
                }
                form.tabTitles << title;
                continue;
            }
            readWidget(xml, child, form);
            continue;
        }
        ++depth;
    }
    if (!items.isEmpty())
        form.items.insert(name, items);
}

const Form &form()
{
    static const Form f = [] {
        initFormResource();
        Form result;
        QFile file(QStringLiteral(":/form/mainwindow.ui"));
        if (!file.open(QIODevice::ReadOnly)) {
            qWarning("form not compiled in");
            return result;
        }
        QXmlStreamReader xml(&file);
        while (!xml.atEnd()) {
            if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("widget"))
                readWidget(xml, xml.attributes().value(QLatin1String("name")).toString().toLatin1(), result);
        }
        if (xml.hasError())
            qWarning("form: %s", qPrintable(xml.errorString()));
        return result;
    }();
    return f;
}

QString formText(const QString &source)
{
    return QCoreApplication::translate("MainWindow", source.toUtf8().constData());
}

int tenths(double volts)
{
    return int(std::lround(volts * companionScale));
}

} // namespace

const QVector<Binding> &bindings()
{
    static const QVector<Binding> table = buildTable();
    return table;
}

const Binding *bindingOf(const char *widget)
{
    for (const Binding &b : bindings())
        if (b.widget && qstrcmp(b.widget, widget) == 0)
            return &b;
    return nullptr;
}

const Binding *bindingOf(const QString &widget)
{
    return bindingOf(widget.toLatin1().constData());
}

const Binding *bindingOf(Field field, int element)
{
    for (const Binding &b : bindings())
        if (b.field == field && b.element == element)
            return &b;
    return nullptr;
}

QString bindingName(const Binding &b)
{
    QString name = QCoreApplication::translate("Bindings", b.name);
    if (name.contains(QLatin1String("%1")))
        name = name.arg(b.element);
    return name;
}

QString pageName(int page)
{
    const QStringList &titles = form().tabTitles;
    return page >= 0 && page < titles.size() ? formText(titles.at(page)) : QString::number(page);
}

QStringList formItemTexts(const char *widget)
{
    QStringList texts;
    for (const QString &item : form().items.value(QByteArray(widget)))
        texts << formText(item);
    return texts;
}

QString bindingValueText(const Binding &b, const ParamSet &set)
{
    const int v = fieldValue(set, b.field, b.element);
    switch (b.show) {
    case Show::Number:
        return QString::number(v);
    case Show::Percent:
        return QString::number(v) + QLatin1Char('%');
    case Show::Volts:
        return QString::number(*companionVolt(set, b.field), 'f', 1) + QStringLiteral(" V");
    case Show::Dbm:
        return QString::number(v) + QStringLiteral(" dBm");
    case Show::Trim:
        return QString::number(v - protocol::trimCentre);
    case Show::Item: {
        // A row without a widget of its own has none; its twin widget names the items.
        const char *widget = b.widget;
        if (!widget)
            for (const Binding &other : bindings())
                if (other.widget && other.field == b.field && other.show == Show::Item)
                    widget = other.widget;
        const QStringList items = widget ? formItemTexts(widget) : QStringList();
        if (v >= 0 && v < items.size())
            return items.at(v);
        // The transmitter may hold an index the box does not offer.
        return QStringLiteral("#%1").arg(v);
    }
    }
    return QString::number(v);
}

bool bindingSent(const Binding &b)
{
    return frameFieldOf(b.field, b.element) != nullptr;
}

bool bindingMarked(const Binding &b)
{
    if (b.field == Field::stickTrim)
        return false;
    return bindingSent(b) || b.field == Field::drCurveRate || b.field == Field::drCurveExpo;
}

bool bindingSame(const Binding &b, const ParamSet &a, const ParamSet &c)
{
    if (b.show == Show::Volts)
        return tenths(*companionVolt(a, b.field)) == tenths(*companionVolt(c, b.field));
    return fieldValue(a, b.field, b.element) == fieldValue(c, b.field, b.element);
}

void bindingCopy(const Binding &b, const ParamSet &from, ParamSet &to)
{
    fieldRef(to, b.field, b.element) = fieldValue(from, b.field, b.element);
    if (b.show == Show::Volts)
        *companionVolt(to, b.field) = *companionVolt(from, b.field);
}

ParamSet asSent(const ParamSet &set)
{
    ParamSet built = set;
    ParamSet result = set;
    for (int frame = FrameS; frame <= FrameI; ++frame) {
        QString text = QString::fromLatin1(initialFrameText[frame]);
        buildFrame(built, frame, text);
        decodeFrameFields(text, 0, frame, result);
    }
    return result;
}

void applyDifference(const ParamSet &from, const ParamSet &to, ParamSet &target)
{
    for (int k = 0; k < allFieldCount; ++k) {
        const FieldExtent &e = allFields[k];
        for (int i = e.first; i <= e.last; ++i)
            if (fieldValue(from, e.field, i) != fieldValue(to, e.field, i))
                fieldRef(target, e.field, i) = fieldValue(to, e.field, i);
    }
    for (Field f : {Field::txAlarmVoltX10, Field::rxAlarmVoltX10, Field::extAlarmVoltX10})
        if (*companionVolt(from, f) != *companionVolt(to, f))
            *companionVolt(target, f) = *companionVolt(to, f);
}

bool bindingShownRange(const Binding &b, int *lo, int *hi)
{
    if (!b.widget)
        return false;
    const QByteArray name(b.widget);
    const Form &f = form();
    if (b.show == Show::Item) {
        *lo = 0;
        *hi = int(f.items.value(name).size()) - 1;
        return true;
    }
    // A spin box: the form's limits (Qt's 0 and 99 where it sets none), then
    // only what the frame field carries, as the window narrows them.
    const double scale = b.show == Show::Volts ? companionScale : 1.0;
    *lo = int(std::lround(f.minimum.value(name, 0.0) * scale));
    *hi = int(std::lround(f.maximum.value(name, 99.0) * scale));
    if (const FrameField *field = frameFieldOf(b.field, b.element)) {
        const CodeRange range = codeRange(field->code);
        *lo = qMax(*lo, range.lo);
        *hi = qMin(*hi, range.hi);
    }
    return true;
}

namespace {

// The value a range rule puts in place of one outside its range, if a rule
// covers the element.
bool ruleReplacement(Field field, int element, int *replacement)
{
    for (int k = 0; k < rangeRuleCount; ++k) {
        const RangeRule &r = rangeRulesData[k];
        if (r.field == field && r.index == element) {
            *replacement = r.replacement;
            return true;
        }
    }
    return false;
}

// One value of the row as the pages show it.
QString valueText(const Binding &b, int value)
{
    ParamSet shown;
    fieldRef(shown, b.field, b.element) = value;
    setDerivedVolt(shown, b.field);
    return bindingValueText(b, shown);
}

} // namespace

WindowShowing bindingShowing(const Binding &b, const ParamSet &set)
{
    WindowShowing result;
    int lo = 0;
    int hi = 0;
    if (!bindingShownRange(b, &lo, &hi))
        return result;
    const int v = fieldValue(set, b.field, b.element);
    if (v >= lo && v <= hi)
        return result;
    result.changes = true;
    if (b.show == Show::Item) {
        // The box shows no item, -1 flows back, the range rule replaces it.
        result.value = -1;
        ruleReplacement(b.field, b.element, &result.value);
        result.why = QCoreApplication::translate("Bindings", "窗口没有第 %1 项（只有 %2 项）").arg(v).arg(hi + 1);
        return result;
    }
    // The box clamps, and the clamped value flows back.
    result.value = qBound(lo, v, hi);
    result.why = QCoreApplication::translate("Bindings", "窗口只能显示 %1 到 %2").arg(valueText(b, lo), valueText(b, hi));
    return result;
}

QString bindingShowingText(const Binding &b, const ParamSet &set)
{
    const WindowShowing showing = bindingShowing(b, set);
    if (!showing.changes)
        return QString();
    ParamSet after = set;
    fieldRef(after, b.field, b.element) = showing.value;
    setDerivedVolt(after, b.field);
    return QCoreApplication::translate("Bindings", "%1，窗口改为 %2").arg(showing.why, bindingValueText(b, after));
}

QString bindingRangeText(const Binding &b)
{
    int lo = 0;
    int hi = 0;
    if (!bindingShownRange(b, &lo, &hi))
        return QString();
    if (b.show == Show::Item)
        return formItemTexts(b.widget).join(QStringLiteral(" / "));
    return QCoreApplication::translate("Bindings", "%1 到 %2").arg(valueText(b, lo), valueText(b, hi));
}

QString bindingHelp(const Binding &b)
{
    const QString range = bindingRangeText(b);
    if (range.isEmpty())
        return bindingName(b);
    return QCoreApplication::translate("Bindings", "%1：%2").arg(bindingName(b), range);
}
