#pragma once

// The new-aircraft templates and the comparison of setups, from the status
// bar and their keys: 模板… (Ctrl+T) applies a template to the pages as one
// undo step, 比较 (Ctrl+D) opens the comparison.

#include <QObject>
#include <QPointer>

class CompareDialog;
class EditSession;
class Link;
class QMainWindow;
class QToolButton;

class SetupTools : public QObject
{
    Q_OBJECT

public:
    SetupTools(Link &link, EditSession *session, QMainWindow *window);

    // Asks for a template, then applies it over the pages; false when cancelled.
    bool applyTemplate();
    // Opened or raised.
    CompareDialog *showCompare();

private:
    Link &m_link;
    EditSession *m_session;
    QMainWindow *m_window;
    QPointer<CompareDialog> m_compare;
};
