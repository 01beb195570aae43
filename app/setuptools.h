#pragma once

// The new-aircraft templates and the comparison of setups, from the tools
// menu and their keys: 模板… (Ctrl+T) applies a template to the pages as one
// undo step, 比较 (Ctrl+D) opens the comparison.

#include <QList>
#include <QObject>
#include <QPointer>

class CompareDialog;
class LibraryPanel;
class EditSession;
class Link;
class QMainWindow;
class QAction;

class SetupTools : public QObject
{
    Q_OBJECT

public:
    SetupTools(Link &link, EditSession *session, QMainWindow *window);

    // Asks for a template, then applies it over the pages; false when cancelled.
    bool applyTemplate();
    // Opened or raised.
    CompareDialog *showCompare();
    // 模板… and 比较, for the window's tools menu.
    const QList<QAction *> &actions() const { return m_actions; }
    // The library's setups as sources of the comparison; its "从模板…".
    void setLibrary(LibraryPanel *library);
    // A template over factory values into the pages (one undo step), then the
    // library asks the new setup's name.
    bool newSetupFromTemplate();

private:
    Link &m_link;
    EditSession *m_session;
    QMainWindow *m_window;
    QPointer<CompareDialog> m_compare;
    QPointer<LibraryPanel> m_library;
    QList<QAction *> m_actions;
};
