#pragma once

// The setups library beside the pages (F6): the setups of the library folder
// with a search box and two sorts, the notes and type of the one selected
// edited in place, new, duplicate, rename, delete (to the trash, or with
// undo) and "写入发射机" (a Load with its review and verify). It names the
// setup the pages hold in the window's title and status bar, with a `*`
// while the pages differ from its file; Ctrl+S saves them back to it. After
// every Read it says which setup the transmitter holds.

#include <QDateTime>
#include <QDockWidget>
#include <QFileSystemWatcher>
#include <QTimer>

#include <memory>

#include "link.h"
#include "paramset.h"
#include "setuplibrary.h"

class EditSession;
class FileController;
class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMainWindow;
class QPlainTextEdit;
class QPushButton;
class QToolButton;
class UserSettings;

class LibraryPanel : public QDockWidget
{
    Q_OBJECT

public:
    LibraryPanel(Link &link, EditSession *session, FileController *files, UserSettings &settings,
                 QMainWindow *window);
    ~LibraryPanel() override;

    SetupLibrary &library() { return *m_library; }
    // Reads the folder from the settings again (after the preferences).
    void setFolder(const QString &folder);
    // Lists the folder again now (the watcher does it a moment after a change).
    void refresh();

    // The setup the pages hold; empty when none.
    QString currentFile() const { return m_current; }
    QString currentName() const;
    // Whether the pages differ from the current setup's file.
    bool currentUnsaved() const { return m_unsaved; }
    // What the last Read said about the transmitter's setup.
    QString matchText() const;
    // The pages into the current setup's file (Ctrl+S); without one, Save
    // with its dialog. False when nothing was written.
    bool saveCurrent();
    // Asks the new setup's name (and type, preset to type), then keeps the
    // pages as that setup.
    void newFromPages(Airframe type = Airframe::Plane);
    // The pages as a new setup named name; it becomes the current one.
    bool createFromPages(const QString &name, Airframe type, QString *error = nullptr);

    // "3 天前写入" for then seen at now; "从未写入" when invalid.
    static QString writtenText(const QDateTime &then, const QDateTime &now);

signals:
    // "新建" → "从模板…": the template picker takes it from here.
    void newFromTemplateRequested();
    void currentChanged(const QString &file);

private:
    void build();
    void fill();
    void selectionChanged();
    void storeNotes();
    void storeType(int index);
    QString selectedFile() const;
    bool askName(const QString &title, QString *name, Airframe *type, bool withType);
    void duplicateSelected();
    void renameSelected();
    void deleteSelected();
    void undoDelete();
    void writeSelected();
    void readEnded();
    void commandFinished(Link::Command command);
    void setCurrent(const QString &file, const ParamSet &held);
    void updateUnsaved();
    void updateTitle();
    void showMessage(const QString &text, bool undo = false);

    Link &m_link;
    EditSession *m_session;
    FileController *m_files;
    UserSettings &m_settings;
    QMainWindow *m_window;
    std::unique_ptr<SetupLibrary> m_library;
    QVector<LibrarySetup> m_setups;
    QFileSystemWatcher m_watcher;
    QTimer m_rescan;      // a folder change, listed a moment later
    QTimer m_notesTimer;  // notes stored after a pause in typing
    QString m_baseTitle;

    QString m_current;    // the setup the pages hold
    ParamSet m_held;      // what its file held when it became current or was saved
    bool m_unsaved = false;
    QString m_writing;    // a "写入发射机" under way: its file
    SetupMatch m_match;
    bool m_matched = false;
    bool m_readIncomplete = false;
    QString m_notesFile;  // whose notes the editor shows
    bool m_notesEdited = false;
    SetupLibrary::Removed m_removed;
    bool m_canUndo = false;

    QLineEdit *m_search = nullptr;
    QComboBox *m_sort = nullptr;
    QListWidget *m_list = nullptr;
    QComboBox *m_type = nullptr;
    QPlainTextEdit *m_notes = nullptr;
    QToolButton *m_new = nullptr;
    QPushButton *m_duplicate = nullptr;
    QPushButton *m_rename = nullptr;
    QPushButton *m_delete = nullptr;
    QPushButton *m_write = nullptr;
    QLabel *m_matchLabel = nullptr;
    QPushButton *m_saveNew = nullptr;
    QLabel *m_message = nullptr;
    QPushButton *m_undo = nullptr;
    QLabel *m_statusLabel = nullptr;
    QAction *m_saveAction = nullptr;
};
