#pragma once

// The mark on a widget whose value the transmitter does not hold yet: a
// dashed outline and a corner flag painted over the widget, whatever its style
// sheet, and a tool tip with both values. Shapes, so it does not rest on
// colour alone.

#include <QIcon>
#include <QString>

class QWidget;

namespace changemarks {

// Shows or clears the mark; tip is the tool tip while marked.
void setMarked(QWidget *widget, bool marked, const QString &tip = QString());
bool isMarked(const QWidget *widget);
// The same flag as a small icon, for a page's tab.
QIcon tabIcon();

} // namespace changemarks
