#pragma once

// Where a second window of the program opens (the scope): on the main
// window's screen, beside or below the main window where there is room,
// otherwise over the main window but clear of its status bar; never larger
// than that screen's available area. Pure arithmetic on rectangles, so the
// screens of any machine can be tried.

#include <QList>
#include <QMargins>
#include <QRect>
#include <QSize>

class QWidget;

struct PlacementRequest {
    QList<QRect> screens; // every screen's available area (task bars left out)
    QRect mainFrame;      // the main window with its frame
    int statusBarTop = 0; // the top edge of the main window's status bar
    QSize wanted;         // the new window's size, frame included
    QSize minimum;        // the least it can take, frame included
};

// The new window's frame rectangle.
QRect placeBeside(const PlacementRequest &request);

// The window manager's frame around window: known once the window is shown;
// before that, room for a title bar and borders of usual size.
QMargins frameMargins(const QWidget *window);
