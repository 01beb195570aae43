#pragma once

// Parameter files and the setup sheet from the window: Save and Load with
// their dialogs and error boxes, the backup of what the transmitter held
// before a command overwrites it, and the sheet of the settings as they stand.

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

#include "link.h"
#include "setupinfo.h"

class EditSession;
class ParameterFileWriter;
class QWidget;
class StatusPanel;
class WriteReview;

class FileController : public QObject
{
    Q_OBJECT

public:
    FileController(Link &link, EditSession *session, WriteReview *review, StatusPanel *status, QWidget *window);
    ~FileController() override;

    // The Save and Load commands, their dialogs first.
    void save();
    void load();
    // A Load of a file chosen elsewhere (the setups library): no dialog,
    // then the same review, send and verify.
    void loadFrom(const QString &path);
    // The file the last Load took; empty when it was cancelled or refused.
    QString loadedFile() const { return m_loadFileName; }
    // What the sheet prints about the aircraft (the library's current setup).
    void setSheetInfo(std::function<SetupInfo()> info) { m_sheetInfo = std::move(info); }
    // A Save that stopped: the old file stays as it was.
    void dropSave();
    // Before a command overwrites the transmitter's settings, what it holds
    // goes into a Parameter file; restoring it is an ordinary Load.
    void makeBackup(Link::Command command);
    // Asks where, then writes the setup sheet (PDF or HTML).
    void saveSetupSheet();

private:
    bool prepareSave();
    void storeSave();
    bool prepareLoad();
    // "错误" boxes for a file a Load would not read and one a Save could not
    // write: what happened, the file, and why.
    void showFileErrorBox(const QString &path, const QString &why);
    void showSaveErrorBox(const QString &path, const QString &why);

    Link &m_link;
    EditSession *m_session;
    WriteReview *m_review;
    StatusPanel *m_status;
    QWidget *m_window;
    QString m_loadFileName;                          // the file loaded last
    std::function<SetupInfo()> m_sheetInfo;
    QString m_loadPath;                              // a Load waiting for its Read: the file it chose
    std::unique_ptr<ParameterFileWriter> m_saveFile; // a Save's file while its frames go out
    QString m_savePath;                              // and its name
};
