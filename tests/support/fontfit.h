#pragma once

// Whether the texts of a window fit their widgets, measured in fonts that
// the test loads itself from font files, so that the answer does not depend
// on the fonts this machine happens to have.

#include <QList>
#include <QtGui/QFont>
#include <QString>
#include <QStringList>

class QWidget;

namespace fontfit {

// Families to draw in, and the files (of Debian packages that ./test
// installs) that they are loaded from.
struct FontSet {
    QString name;
    QStringList families;
    QStringList files;
};

// The families the program chooses on Linux.
FontSet chosen();
// The widest Latin font a Linux machine may give instead: the program's
// list without its first family, so DejaVu Sans (the default of a fresh
// Debian) with the chosen Chinese family.
FontSet widest();

// Loads the set's files into the application and makes its families the
// application font's, as the program does at start-up. False, with what is
// missing in *error, when a file cannot be loaded.
bool use(const FontSet &set, QString *error);

// One text a widget shows: the width it needs in the widget's font, and the
// width the widget has for it.
struct ShownText {
    QString where;
    QString text;
    int needed;
    int room;
    QFont font;
};

// Every text the window's widgets show: captions, values, button texts,
// combo items, group and tab titles, and the widest text each spin box can
// hold. Every page is shown once first, so its layouts have their sizes.
QList<ShownText> shownTexts(QWidget *window);

// The texts of shownTexts that are wider than their room, one line each.
QStringList overflows(QWidget *window);

// The texts of the window drawn, in part, in a font outside families: each
// with the family that stands in. Empty when the families cover them all.
QStringList drawnOutside(QWidget *window, const QStringList &families);

} // namespace fontfit
