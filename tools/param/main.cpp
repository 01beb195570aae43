// varnix-param: Parameter files for people. Shows, compares and checks the
// settings a file carries, turns it into JSON and back, and prints its setup
// sheet; reads, writes and watches a transmitter on a serial port.

#include "bindings.h"
#include "console.h"
#include "fields.h"
#include "frames.h"
#include "library.h"
#include "paramfile.h"
#include "rules.h"
#include "settingsdiff.h"
#include "sheet.h"
#include "transmitter.h"
#include "varnixversion.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <QStringList>
#include <QVector>

#include <climits>
#include <cmath>
#include <cstdio>
#include <memory>

using namespace console;

namespace {

const char jsonFormat[] = "varnix-parameter-file";
const int jsonVersion = 1;

// The decoders log for the window; none of it is for the user here.
void quietHandler(QtMsgType type, const QMessageLogContext &, const QString &msg)
{
    if (type != QtDebugMsg && type != QtInfoMsg)
        say(msg);
}

// A file with all four frames, decoded into p.
bool loadWhole(const QString &path, ParamSet &p)
{
    QString why;
    if (loadWholeFile(path, p, &why))
        return true;
    refuse(why);
    return false;
}

// The widget of a setting that the window cannot show its value in, and
// what the window puts instead (the refresh: clamped, or no item and the range
// rule's value); nullptr when every widget of it shows the value.
const Binding *unshowable(const ParamSet &p, Field field, int index, WindowShowing *showing)
{
    for (const Binding &b : bindings()) {
        if (b.field != field || b.element != index)
            continue;
        *showing = bindingShowing(b, p);
        if (showing->changes)
            return &b;
    }
    return nullptr;
}

// " (the window cannot show it: 窗口没有第 8 项（只有 8 项），窗口改为 CH4)"
QString windowNote(const ParamSet &p, Field field, int index)
{
    WindowShowing showing;
    const Binding *b = unshowable(p, field, index, &showing);
    if (!b)
        return QString();
    return QStringLiteral(" (the window cannot show it: %1)").arg(bindingShowingText(*b, p));
}

// "  # 舵机相位 CH1: 正相", the setting as the window names and shows it.
QString forPeople(const ParamSet &p, const SettingElement &e)
{
    const Binding *b = bindingOf(e.field, e.index);
    return b ? QStringLiteral("  # %1: %2").arg(bindingName(*b), bindingValueText(*b, p)) + windowNote(p, e.field, e.index)
             : QString();
}

int show(const QString &path)
{
    ParamSet p;
    if (!loadWhole(path, p))
        return Refused;
    int page = 0;
    for (const SettingElement &e : setupcompare::carried()) {
        if (fieldExtent(e.field).page != page) {
            page = fieldExtent(e.field).page;
            put(stdout, QStringLiteral("[page %1]\n").arg(page));
        }
        put(stdout, row(e, valueText(p, e.field, e.index)) + forPeople(p, e) + QLatin1Char('\n'));
    }
    return Success;
}

int diff(const QString &pathA, const QString &pathB)
{
    ParamSet a;
    ParamSet b;
    if (!loadWhole(pathA, a) || !loadWhole(pathB, b))
        return Refused;
    const QStringList rows = differingRows(a, b);
    for (const QString &r : rows)
        put(stdout, r + QLatin1Char('\n'));
    return rows.isEmpty() ? Success : Found;
}

int check(const QString &path)
{
    const ParameterFile file = readParameterFile(path);
    if (!file.ok())
        return refuse(QStringLiteral("%1: %2").arg(path, file.reason));
    ParamSet p;
    decodeParameterFile(file, p);

    put(stdout, file.frames.summary() + QLatin1Char('\n'));

    auto fromFile = [&file](Field f, int index) {
        int frame = 0;
        return frameFieldOf(f, index, &frame) && file.frames.present[frame];
    };
    int problems = file.complete() ? 0 : 1;
    for (int k = 0; k < rangeRuleCount; ++k) {
        const RangeRule &r = rangeRulesData[k];
        const int v = fieldValue(p, r.field, r.index);
        if (!fromFile(r.field, r.index) || (v >= r.lo && v <= r.hi))
            continue;
        ++problems;
        put(stdout, QStringLiteral("%1 = %2: outside %3..%4, the program puts %5\n")
                        .arg(elementName(r.field, r.index)).arg(v).arg(r.lo).arg(r.hi).arg(r.replacement));
    }
    for (int k = 0; k < voltRuleCount; ++k) {
        const VoltRule &r = voltRulesData[k];
        const double v = *companionVolt(p, r.companion);
        if (!fromFile(r.companion, 0) || (v >= r.lo && v <= r.hi))
            continue;
        ++problems;
        // The voltage has no field of its own: "txAlarmVolt" for "txAlarmVoltX10".
        const QString name = QString::fromLatin1(fieldExtent(r.companion).name).chopped(3);
        put(stdout, QStringLiteral("%1 = %2 V: outside %3..%4 V, the program puts %5 V\n")
                        .arg(name).arg(v, 0, 'f', 1).arg(r.lo, 0, 'f', 1).arg(r.hi, 0, 'f', 1)
                        .arg(r.replacement, 0, 'f', 1));
    }
    // Inside its range, but not a value the window's widget can show: a Read
    // into the window changes it, and a Write sends the window's value.
    for (const SettingElement &e : setupcompare::carried()) {
        int lo = 0;
        int hi = 0;
        WindowShowing showing;
        const Binding *b = fromFile(e.field, e.index) ? unshowable(p, e.field, e.index, &showing) : nullptr;
        if (!b || !bindingShownRange(*b, &lo, &hi))
            continue;
        const FieldExtent &x = fieldExtent(e.field);
        const int v = fieldValue(p, e.field, e.index);
        if (x.ranged() && (v < x.lo || v > x.hi))
            continue; // said above
        ++problems;
        put(stdout, QStringLiteral("%1 = %2: the window shows only %3..%4 (%5), it puts %6; a Write sends that\n")
                        .arg(elementName(e.field, e.index))
                        .arg(fieldValue(p, e.field, e.index))
                        .arg(lo)
                        .arg(hi)
                        .arg(bindingName(*b))
                        .arg(showing.value));
    }
    if (problems == 0)
        put(stdout, QStringLiteral("every setting inside its range and shown by the window as it is\n"));
    return problems ? Found : Success;
}

// The fields the frames carry, each with the elements of its JSON array
// (index 1 first) or, for a scalar, index 0.
struct Member {
    Field field;
    QVector<bool> carried; // per array element, from index 1
};

QVector<Member> members()
{
    QVector<Member> v;
    for (const SettingElement &e : setupcompare::carried()) {
        if (v.isEmpty() || v.last().field != e.field) {
            const FieldExtent &x = fieldExtent(e.field);
            v.append({e.field, QVector<bool>(x.last, false)});
        }
        if (e.index > 0)
            v.last().carried[e.index - 1] = true;
    }
    return v;
}

int exportJson(const QString &path)
{
    ParamSet p;
    if (!loadWhole(path, p))
        return Refused;
    // Written by hand for one member a line, arrays on their line, in page
    // order: a form to keep under version control.
    QStringList lines{QStringLiteral("    \"format\": \"%1\"").arg(QLatin1String(jsonFormat)),
                      QStringLiteral("    \"version\": %1").arg(jsonVersion)};
    for (const Member &m : members()) {
        QString value;
        if (m.carried.isEmpty()) {
            value = QString::number(fieldValue(p, m.field));
        } else {
            QStringList items;
            for (int i = 1; i <= m.carried.size(); ++i)
                items << (m.carried[i - 1] ? QString::number(fieldValue(p, m.field, i)) : QStringLiteral("null"));
            value = QLatin1Char('[') + items.join(QStringLiteral(", ")) + QLatin1Char(']');
        }
        lines << QStringLiteral("    \"%1\": %2").arg(QLatin1String(fieldExtent(m.field).name), value);
    }
    put(stdout, QStringLiteral("{\n%1\n}\n").arg(lines.join(QStringLiteral(",\n"))));
    return Success;
}

// A JSON number that is a whole int.
bool toInt(const QJsonValue &v, int *out)
{
    if (!v.isDouble())
        return false;
    const double d = v.toDouble();
    if (std::floor(d) != d || d < double(INT_MIN) || d > double(INT_MAX))
        return false;
    *out = int(d);
    return true;
}

// Checks one element against the width of its frame field and stores it.
void takeElement(const QJsonValue &v, Field f, int index, ParamSet &p, QStringList &problems)
{
    const QString name = elementName(f, index);
    int value = 0;
    if (!toInt(v, &value)) {
        problems << QStringLiteral("member %1: not an integer").arg(name);
        return;
    }
    // What a file's digits can hold: every value export writes comes back.
    const CodeRange range = fileCodeRange(frameFieldOf(f, index)->code);
    if (value < range.lo || value > range.hi) {
        problems << QStringLiteral("member %1: %2 does not fit its frame field (%3..%4)")
                        .arg(name).arg(value).arg(range.lo).arg(range.hi);
        return;
    }
    fieldRef(p, f, index) = value;
    setDerivedVolt(p, f);
}

int importJson(const QString &jsonPath, const QString &outPath)
{
    QByteArray bytes;
    QString reason;
    if (readSmallFile(jsonPath, parameterFileLimit, &bytes, &reason) != FileRefusal::None)
        return refuse(QStringLiteral("%1: %2").arg(jsonPath, reason));
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &error);
    if (doc.isNull())
        return refuse(QStringLiteral("%1: not JSON (%2 at offset %3)").arg(jsonPath, error.errorString()).arg(error.offset));
    if (!doc.isObject())
        return refuse(QStringLiteral("%1: not a JSON object").arg(jsonPath));
    const QJsonObject object = doc.object();

    QStringList problems;
    if (object.value(QStringLiteral("format")) != QJsonValue(QLatin1String(jsonFormat)))
        problems << QStringLiteral("member format: missing or not \"%1\"").arg(QLatin1String(jsonFormat));
    int version = 0;
    if (!toInt(object.value(QStringLiteral("version")), &version) || version != jsonVersion)
        problems << QStringLiteral("member version: missing or not %1").arg(jsonVersion);

    ParamSet p;
    QSet<QString> known{QStringLiteral("format"), QStringLiteral("version")};
    for (const Member &m : members()) {
        const QString name = QString::fromLatin1(fieldExtent(m.field).name);
        known.insert(name);
        const QJsonValue v = object.value(name);
        if (v.isUndefined()) {
            problems << QStringLiteral("member %1: missing").arg(name);
        } else if (m.carried.isEmpty()) {
            takeElement(v, m.field, 0, p, problems);
        } else if (!v.isArray() || v.toArray().size() != m.carried.size()) {
            problems << QStringLiteral("member %1: not an array of %2 elements").arg(name).arg(m.carried.size());
        } else {
            const QJsonArray a = v.toArray();
            for (int i = 1; i <= a.size(); ++i) {
                if (m.carried[i - 1])
                    takeElement(a.at(i - 1), m.field, i, p, problems);
                else if (!a.at(i - 1).isNull())
                    problems << QStringLiteral("member %1: must be null, no frame carries it")
                                    .arg(elementName(m.field, i));
            }
        }
    }
    for (const QString &name : object.keys())
        if (!known.contains(name))
            problems << QStringLiteral("member %1: unknown").arg(name);

    if (!problems.isEmpty()) {
        for (const QString &problem : problems)
            refuse(QStringLiteral("%1: %2").arg(jsonPath, problem));
        refuse(QStringLiteral("nothing written"));
        return Refused;
    }
    QString writeError;
    if (!writeParameterFile(outPath, p, &writeError))
        return refuse(QStringLiteral("%1: %2").arg(outPath, writeError));
    return Success;
}

struct Command {
    const char *usage;
    const char *what;
    int (*run)(const QStringList &args);
};

const Command commands[] = {
    {"show FILE", "every setting the file carries, page by page",
     [](const QStringList &a) { return show(a[0]); }},
    {"diff A B", "the settings that differ; exit 1 if any",
     [](const QStringList &a) { return diff(a[0], a[1]); }},
    {"check FILE", "the frames recognised and every setting outside its range; exit 1 if any",
     [](const QStringList &a) { return check(a[0]); }},
    {"export FILE", "the settings as JSON on standard output",
     [](const QStringList &a) { return exportJson(a[0]); }},
    {"import JSON OUT", "the Parameter file OUT from JSON as export writes it",
     [](const QStringList &a) { return importJson(a[0], a[1]); }},
};

} // namespace

int main(int argc, char *argv[])
{
    // The sheet draws and lays out text: it needs Qt GUI, the rest does not.
    const bool sheet = sheetcommand::isCommand(argc, argv);
    if (sheet)
        sheetcommand::prepareGui();
    const std::unique_ptr<QCoreApplication> app(sheet ? new QGuiApplication(argc, argv)
                                                      : new QCoreApplication(argc, argv));
    QCoreApplication::setApplicationName(QStringLiteral("varnix-param"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VARNIX_VERSION));
    qInstallMessageHandler(quietHandler);
    if (sheet)
        return sheetcommand::run(QCoreApplication::arguments().mid(2));

    // The transmitter commands have options of their own, and their own --help.
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() > 1 && transmitter::isCommand(arguments.at(1)))
        return transmitter::run(arguments.at(1), arguments.mid(2));
    if (arguments.size() > 1 && arguments.at(1) == QLatin1String("library"))
        return library::run(arguments.mid(2));

    QString description = QStringLiteral(
        "Reads the Parameter files of the Varnix&Tolbane configurator (the four\n"
        "frames it saves) and writes them, and talks to the transmitter.\n\nCommands:\n");
    for (const Command &c : commands)
        description += QStringLiteral("  %1 %2\n").arg(QLatin1String(c.usage), -16).arg(QLatin1String(c.what));
    description += sheetcommand::summary();
    description += library::summary();
    description += QStringLiteral("\nThe transmitter on a serial port (each command has --help):\n");
    description += transmitter::summary();
    description += QStringLiteral(
        "\nSettings are named as in the program's Parameter set (subTrim[3]); alarm\n"
        "voltages are stored in tenths of a volt (txAlarmVoltX10 37 is 3.7 V).\n"
        "A FILE may also be a setup's name in the library folder (--folder DIR, else the\n"
        "window's): an existing file is taken first.\n"
        "Exit status: 0 done, 1 different or problems found, 2 bad usage or a file\n"
        "that cannot be read or is no Parameter file.");

    QCommandLineParser parser;
    parser.setApplicationDescription(description);
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption folder(QStringLiteral("folder"),
                                    QStringLiteral("The setups library, for FILEs given by setup name."),
                                    QStringLiteral("DIR"));
    parser.addOption(folder);
    parser.addPositionalArgument(QStringLiteral("command"),
                                 QStringLiteral("show, diff, check, export, import, sheet, library, read, write or "
                                                "monitor."));
    parser.addPositionalArgument(QStringLiteral("files"), QStringLiteral("The files of the command."),
                                 QStringLiteral("FILE..."));
    if (!parser.parse(QCoreApplication::arguments()))
        return refuse(parser.errorText() + QStringLiteral(" (see --help)"));
    if (parser.isSet(help)) {
        put(stdout, parser.helpText());
        return Success;
    }

    QStringList args = parser.positionalArguments();
    if (args.isEmpty())
        return refuse(QStringLiteral("no command (see --help)"));
    const QString name = args.takeFirst();
    for (const Command &c : commands) {
        const QStringList usage = QString::fromLatin1(c.usage).split(QLatin1Char(' '));
        if (name != usage.first())
            continue;
        if (args.size() != usage.size() - 1)
            return refuse(QStringLiteral("usage: varnix-param %1").arg(QLatin1String(c.usage)));
        // Files read by name: a path, else a setup of the library.
        if (name != QLatin1String("import")) {
            const QString dir = library::folder(parser.value(folder));
            for (QString &arg : args) {
                arg = library::resolve(arg, dir);
                if (arg.isEmpty())
                    return Refused;
            }
        }
        return c.run(args);
    }
    return refuse(QStringLiteral("unknown command \"%1\" (see --help)").arg(name));
}
