#include "fontfit.h"

#include <QCoreApplication>
#include <QFileInfo>
// The helper library builds against QtCore only; the widget headers come
// from the Qt include root and resolve against the program's QtWidgets.
#include <QtGui/QFontDatabase>
#include <QtGui/QFontMetrics>
#include <QtGui/QGlyphRun>
#include <QtGui/QRawFont>
#include <QtGui/QTextLayout>
#include <QtWidgets/QAbstractButton>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QDoubleSpinBox>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QSpinBox>
#include <QtWidgets/QStyle>
#include <QtWidgets/QStyleOptionComboBox>
#include <QtWidgets/QTabBar>
#include <QtWidgets/QTabWidget>

#include "startup.h"

namespace fontfit {

namespace {

// Where the Debian packages put the fonts measured.
struct FamilyFiles {
    const char *family;
    const char *package;
    QStringList files;
};

const QList<FamilyFiles> &familyFiles()
{
    static const QList<FamilyFiles> table = {
        { "Liberation Sans", "fonts-liberation2",
          { "/usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf",
            "/usr/share/fonts/truetype/liberation2/LiberationSans-Bold.ttf" } },
        { "WenQuanYi Micro Hei", "fonts-wqy-microhei", { "/usr/share/fonts/truetype/wqy/wqy-microhei.ttc" } },
        { "DejaVu Sans", "fonts-dejavu-core",
          { "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf",
            "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf" } },
    };
    return table;
}

FontSet setOf(const QString &name, const QStringList &families)
{
    FontSet set{ name, families, {} };
    for (const QString &family : families)
        for (const FamilyFiles &f : familyFiles())
            if (family == QLatin1String(f.family))
                set.files += f.files;
    return set;
}

QString packageOf(const QString &file)
{
    for (const FamilyFiles &f : familyFiles())
        if (f.files.contains(file))
            return QString::fromLatin1(f.package);
    return QString();
}

// The page layouts take their sizes once a page has been shown.
void showEveryPage(QWidget *window)
{
    window->ensurePolished();
    if (!window->isVisible())
        return;
    for (QTabWidget *tabs : window->findChildren<QTabWidget *>()) {
        const int current = tabs->currentIndex();
        for (int i = 0; i < tabs->count(); ++i) {
            tabs->setCurrentIndex(i);
            QCoreApplication::processEvents();
        }
        tabs->setCurrentIndex(current);
    }
}

// The texts a spin box shows at the ends of its range, made by a spin box
// of the same settings (the box itself keeps its value).
QStringList rangeTexts(const QAbstractSpinBox *box)
{
    QStringList texts;
    if (auto *s = qobject_cast<const QSpinBox *>(box)) {
        QSpinBox probe;
        probe.setLocale(s->locale());
        probe.setRange(s->minimum(), s->maximum());
        probe.setPrefix(s->prefix());
        probe.setSuffix(s->suffix());
        probe.setDisplayIntegerBase(s->displayIntegerBase());
        for (int v : { s->minimum(), s->maximum() }) {
            probe.setValue(v);
            texts << probe.text();
        }
    } else if (auto *d = qobject_cast<const QDoubleSpinBox *>(box)) {
        QDoubleSpinBox probe;
        probe.setLocale(d->locale());
        probe.setDecimals(d->decimals());
        probe.setRange(d->minimum(), d->maximum());
        probe.setPrefix(d->prefix());
        probe.setSuffix(d->suffix());
        for (double v : { d->minimum(), d->maximum() }) {
            probe.setValue(v);
            texts << probe.text();
        }
    }
    if (!box->specialValueText().isEmpty())
        texts << box->specialValueText();
    return texts;
}

// The family the font file itself gives (name 1 of its name table, in US
// English where it has several): a raw font's familyName() is, in Qt 5, the
// family asked for rather than the one that drew.
QString fileFamily(const QRawFont &font)
{
    const QByteArray table = font.fontTable("name");
    auto u16 = [&table](int at) {
        return at + 1 < table.size() ? (uchar(table.at(at)) << 8) | uchar(table.at(at + 1)) : 0;
    };
    const int count = u16(2);
    const int strings = u16(4);
    QString family;
    for (int i = 0; i < count; ++i) {
        const int record = 6 + 12 * i;
        const int platform = u16(record), language = u16(record + 4), name = u16(record + 6);
        const int length = u16(record + 8), offset = strings + u16(record + 10);
        if (name != 1 || platform != 3 || offset + length > table.size())
            continue;
        QString text;
        for (int k = 0; k + 1 < length; k += 2)
            text += QChar(u16(offset + k));
        if (family.isEmpty() || language == 0x0409)
            family = text;
    }
    return family.isEmpty() ? font.familyName() : family;
}

} // namespace

FontSet chosen()
{
    return setOf(QStringLiteral("chosen fonts"), startup::fontFamilies());
}

FontSet widest()
{
    // What the program's list gives on a machine without its first family.
    return setOf(QStringLiteral("DejaVu Sans"), startup::fontFamilies().mid(1));
}

bool use(const FontSet &set, QString *error)
{
    static QStringList loaded;
    for (const QString &file : set.files) {
        if (loaded.contains(file))
            continue;
        if (QFontDatabase::addApplicationFont(file) < 0) {
            *error = QStringLiteral("%1 cannot be loaded (package %2, which ./test installs)")
                         .arg(file, packageOf(file));
            return false;
        }
        loaded << file;
    }
    if (set.files.isEmpty() || set.families.isEmpty()) {
        *error = QStringLiteral("no font files known for %1").arg(set.families.join(QLatin1String(", ")));
        return false;
    }
    startup::useFonts(set.families);
    return true;
}

QList<ShownText> shownTexts(QWidget *window)
{
    showEveryPage(window);
    QList<ShownText> texts;
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (w->objectName().startsWith(QLatin1String("qt_")))
            continue;
        w->ensurePolished();
        // A weight below regular (the group sheets' "75" reads as thin) is
        // measured as regular: a machine without a light face of the family
        // draws it so, and a light face is no wider.
        auto measured = [](QFont f) {
            if (f.weight() < QFont::Normal)
                f.setWeight(QFont::Normal);
            return f;
        };
        QFont font = measured(w->font());
        auto add = [&](const QString &text, int room) {
            if (!text.trimmed().isEmpty())
                texts.append({ w->objectName(), text, QFontMetrics(font).horizontalAdvance(text), room, font });
        };
        // The form's sheets give line edits and buttons a 4 px border; a line
        // edit keeps 2 px more each side.
        if (auto *e = qobject_cast<QLineEdit *>(w)) {
            add(e->text(), e->width() - 12);
        } else if (auto *s = qobject_cast<QAbstractSpinBox *>(w)) {
            // The text sits in the box's own line edit, 2 px in from each side.
            auto *edit = s->findChild<QLineEdit *>();
            font = measured(edit->font());
            for (const QString &text : rangeTexts(s))
                add(text, edit->width() - 4);
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
            add(b->text(), b->width() - 8);
        } else if (auto *t = qobject_cast<QTabWidget *>(w)) {
            const QFont tabFont = measured(t->tabBar()->font());
            for (int i = 0; i < t->count(); ++i)
                texts.append({ t->widget(i)->objectName() + QLatin1String(" tab"), t->tabText(i),
                               QFontMetrics(tabFont).horizontalAdvance(t->tabText(i)),
                               t->tabBar()->tabRect(i).width() - 8, tabFont });
        }
    }
    return texts;
}

QStringList overflows(QWidget *window)
{
    QStringList wrong;
    for (const ShownText &t : shownTexts(window))
        if (t.needed > t.room)
            wrong << QStringLiteral("%1 \"%2\": %3 px, room %4").arg(t.where, t.text).arg(t.needed).arg(t.room);
    return wrong;
}

QStringList drawnOutside(QWidget *window, const QStringList &families)
{
    QStringList outside;
    for (const ShownText &t : shownTexts(window)) {
        QTextLayout layout(t.text, t.font);
        layout.beginLayout();
        layout.createLine();
        layout.endLayout();
        for (const QGlyphRun &run : layout.glyphRuns()) {
            const QString family = fileFamily(run.rawFont());
            if (!families.contains(family))
                outside << QStringLiteral("%1 \"%2\": %3").arg(t.where, t.text, family);
        }
    }
    return outside;
}

} // namespace fontfit
