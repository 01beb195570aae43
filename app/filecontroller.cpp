#include "filecontroller.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

#include "backups.h"
#include "editsession.h"
#include "frames.h"
#include "logging.h"
#include "notebox.h"
#include "paramfile.h"
#include "protocol.h"
#include "rules.h"
#include "setupsheet.h"
#include "statuspanel.h"
#include "writereview.h"

namespace {

const char *const kTextFilter = QT_TRANSLATE_NOOP("FileController", "文本文件 (*.txt *.dat)");

// Where the first frame stops fitting, as the window says it.
QString breakText(const FrameBreak &b)
{
    const QChar letter = QLatin1Char(frameLayout(qMax(b.frame, 0)).start);
    if (b.cutShort)
        return FileController::tr("%1 帧不完整：文件在第 %2 行第 %3 列结束").arg(letter).arg(b.line).arg(b.column);
    const QString found = b.found.unicode() >= 0x20 && b.found.unicode() < 0x7F
        ? QStringLiteral("“%1”").arg(b.found)
        : QStringLiteral("U+%1").arg(b.found.unicode(), 4, 16, QLatin1Char('0'));
    switch (b.place) {
    case FrameBreak::Start:
        return FileController::tr("第 %1 行第 %2 列是 %3，%4 帧应从这里开始").arg(b.line).arg(b.column).arg(found).arg(letter);
    case FrameBreak::End:
        return FileController::tr("第 %1 行第 %2 列是 %3，%4 帧应以 %5 结束")
            .arg(b.line).arg(b.column).arg(found).arg(letter).arg(QLatin1Char(frameLayout(b.frame).end));
    case FrameBreak::Inside:
        break;
    }
    return FileController::tr("第 %1 行第 %2 列的 %3 不是 %4 帧的十六进制数字").arg(b.line).arg(b.column).arg(found).arg(letter);
}

// Why a Load did not read a file, as the command line says it.
QString refusalText(const ParameterFile &file)
{
    switch (file.refusal) {
    case FileRefusal::None: break;
    case FileRefusal::NotFound: return FileController::tr("文件不存在");
    case FileRefusal::NotRegular: return FileController::tr("不是普通文件：目录、设备、管道和套接字都不读取");
    case FileRefusal::TooLarge: return FileController::tr("超过 64 kB：不是参数文件");
    case FileRefusal::Unreadable: return FileController::tr("无法读取：%1").arg(file.reason);
    case FileRefusal::NoFrames:
        if (file.text.isEmpty())
            return FileController::tr("文件是空的：不是参数文件");
        return FileController::tr("找不到参数帧，不是参数文件：%1").arg(breakText(firstBreak(file.text)));
    }
    return file.reason;
}

// Why a Save did not write a file.
QString saveFailureText(const ParameterFileWriter &writer)
{
    switch (writer.failure()) {
    case ParameterFileWriter::Failure::NotRegular: return FileController::tr("已存在，且不是普通文件：不会被替换");
    case ParameterFileWriter::Failure::DiskFull: return FileController::tr("磁盘已满");
    default: return writer.errorString();
    }
}

} // namespace

FileController::FileController(Link &link, EditSession *session, WriteReview *review, StatusPanel *status,
                               QWidget *window)
    : QObject(window)
    , m_link(link)
    , m_session(session)
    , m_review(review)
    , m_status(status)
    , m_window(window)
{
}

FileController::~FileController() = default;

void FileController::makeBackup(Link::Command command)
{
    if (!m_link.deviceKnown()) {
        m_status->setBackupNote(tr("未备份：本次连接尚未读到发射机的设置"));
        return;
    }
    const char *const names[] = {"", "read", "write", "reset", "reset2", "save", "load"};
    // Trims nobody read stay out of it: restoring it keeps the transmitter's.
    const backups::Result r =
        backups::write(backups::directory(), QLatin1String(names[command]), m_link.deviceSettings(),
                       QDateTime::currentDateTime(), 100, m_link.trimsKnown());
    if (!r.ok) {
        qWarning("backup not written: %s", qPrintable(r.error));
        m_status->setBackupNote(tr("备份失败：%1").arg(r.error));
        return;
    }
    QString note = tr("已备份 %1").arg(QFileInfo(r.path).fileName());
    if (!m_link.deviceFullyKnown())
        note += tr("（已知 %1/%2 段）").arg(m_link.knownSections().size()).arg(protocol::sectionCount);
    if (!m_link.trimsKnown())
        note += tr("（不含摇杆微调：未收到）");
    m_status->setBackupNote(note);
}

void FileController::saveSetupSheet()
{
    QString path = QFileDialog::getSaveFileName(m_window, tr("保存设置单"), QStringLiteral("./setup-sheet.pdf"),
                                                tr("PDF (*.pdf);;HTML (*.html)"));
    if (path.isEmpty())
        return;
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix != QLatin1String("pdf") && suffix != QLatin1String("html"))
        path += QStringLiteral(".pdf");
    const SheetSource source{m_loadFileName.isEmpty() ? QString() : QFileInfo(m_loadFileName).fileName(),
                             QDateTime::currentDateTime(), QCoreApplication::applicationVersion(),
                             m_sheetInfo ? m_sheetInfo() : SetupInfo()};
    QString error;
    if (!writeSetupSheet(paramSet, source, path, &error)) {
        showNote(tr("设置单未能保存"), error);
        return;
    }
    m_status->showBriefly(tr("设置单已保存：%1").arg(QDir::toNativeSeparators(path)));
}

void FileController::showFileErrorBox(const QString &path, const QString &why)
{
    QMessageBox::critical(m_window, tr("错误"),
                          QStringLiteral("%1\n%2\n%3").arg(tr("不能读取指定的文件!"), QDir::toNativeSeparators(path), why),
                          QMessageBox::Ok);
}

void FileController::showSaveErrorBox(const QString &path, const QString &why)
{
    QMessageBox::critical(m_window, tr("错误"),
                          QStringLiteral("%1\n%2\n%3").arg(tr("不能写入指定的文件!"), QDir::toNativeSeparators(path), why),
                          QMessageBox::Ok);
}

void FileController::save()
{
    m_link.save([this] { return prepareSave(); }, [this] { storeSave(); });
}

void FileController::dropSave()
{
    m_saveFile.reset();
}

bool FileController::prepareSave()
{
    m_saveFile.reset();
    QFileDialog dialog(m_window, tr("保存数据"), QStringLiteral("./"),
                       tr(kTextFilter) + QStringLiteral(";;") + tr("所有文件 (*.*)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // A name without suffix becomes a .txt file while the text filter is
    // chosen; the dialog then also asks before replacing that file.
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString &filter) {
        dialog.setDefaultSuffix(filter == tr(kTextFilter) ? QStringLiteral("txt") : QString());
    });
    const QString path = dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
    qCDebug(lcVarnix) << path;
    if (path.isEmpty())
        return false;
    m_status->setFile(path);

    // Written beside the old file and swapped in only when complete, so a
    // failed save never destroys the settings already on disk.
    m_saveFile = std::make_unique<ParameterFileWriter>(path);
    m_savePath = path;
    if (!m_saveFile->open()) {
        const QString why = saveFailureText(*m_saveFile);
        m_saveFile.reset();
        showSaveErrorBox(path, why);
        return false;
    }
    return true;
}

// The file gets exactly the frames that were built (and sent) for it.
void FileController::storeSave()
{
    const std::unique_ptr<ParameterFileWriter> file = std::move(m_saveFile);
    if (!file)
        return;
    // Read this connection, the trims are the transmitter's only once a
    // telemetry packet has brought them: never write the centre in their place.
    FrameTexts texts = frameTexts;
    if (m_link.deviceKnown() && !m_link.trimsKnown()) {
        texts.text[FrameI].clear();
        m_status->setResultNote(tr("（未收到摇杆微调，文件不含 I 帧）"));
    }
    if (!file->write(texts))
        showSaveErrorBox(m_savePath, saveFailureText(*file));
    else
        m_session->saved();
}

void FileController::load()
{
    m_link.load([this] { return prepareLoad(); });
}

void FileController::loadFrom(const QString &path)
{
    m_loadPath = path;
    if (!m_link.load([this] { return prepareLoad(); }))
        m_loadPath.clear();
}

// Runs with the stick trims blocked; true sends what the file brought.
bool FileController::prepareLoad()
{
    // A Load that waited for a Read has its file already.
    m_loadFileName = m_loadPath;
    m_loadPath.clear();
    if (m_loadFileName.isEmpty())
        m_loadFileName = QFileDialog::getOpenFileName(m_window, tr("打开文件"), QStringLiteral("./"),
                                                      tr("所有文件 (*.*);;文本文件 (*.txt *.dat)"));
    if (m_loadFileName.isEmpty()) {
        drDataSelet(paramSet);
        falseSaveData(paramSet);
        return false;
    }

    // Only a regular file of sane size is read at all.
    const ParameterFile file = readParameterFile(m_loadFileName);
    if (file.refusal != FileRefusal::None && file.refusal != FileRefusal::NoFrames) {
        qCDebug(lcVarnix, "Load refused: %s", qPrintable(file.reason));
        const QString path = m_loadFileName;
        m_loadFileName.clear();
        showFileErrorBox(path, refusalText(file));
        return false;
    }
    m_status->setFile(m_loadFileName);
    loadFileText = file.text;
    ParamSet loaded = paramSet;
    decodeParameterFile(file, loaded);
    // A file with no recognisable frame is the wrong file: say so, send
    // nothing and keep the settings as they are.
    if (!file.ok()) {
        showFileErrorBox(m_loadFileName, refusalText(file));
        return false;
    }
    // Unchecked file content never reaches the transmitter.
    drDataSelet(loaded);
    falseSaveData(loaded);
    const QString path = m_loadFileName;
    if (!m_review->review(loaded, tr("文件 %1").arg(QFileInfo(path).fileName()), [] {}, [this, path] {
            m_loadPath = path;
            load();
        }))
        return false;
    paramSet = loaded;
    if (!file.complete()) {
        qCDebug(lcVarnix, "Load: %s", qPrintable(file.frames.summary()));
        m_status->setResultNote(tr("（只取了 %1 帧，未识别 %2）")
                                    .arg(file.frames.letters(), file.frames.letters(false)));
    }
    return true;
}

#include "moc_filecontroller.cpp"
