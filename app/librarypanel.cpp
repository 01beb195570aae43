#include "librarypanel.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QStatusBar>
#include <QToolButton>
#include <QUndoStack>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

#include "editsession.h"
#include "filecontroller.h"
#include "notebox.h"
#include "paramfile.h"
#include "setupcompare.h"
#include "usersettings.h"

namespace {

// A change in the folder is often several (file, then sidecar): listed once.
const int kRescanMs = 200;
const int kNotesPauseMs = 800;

enum Sort { ByName, ByLastUsed };

} // namespace

LibraryPanel::LibraryPanel(Link &link, EditSession *session, FileController *files, UserSettings &settings,
                           QMainWindow *window)
    : QDockWidget(tr("机型库"), window)
    , m_link(link)
    , m_session(session)
    , m_files(files)
    , m_settings(settings)
    , m_window(window)
    , m_library(std::make_unique<SetupLibrary>(settings.libraryFolder()))
    , m_baseTitle(window->windowTitle())
{
    setObjectName(QStringLiteral("libraryDock"));
    build();

    m_rescan.setSingleShot(true);
    m_rescan.setInterval(kRescanMs);
    connect(&m_rescan, &QTimer::timeout, this, &LibraryPanel::refresh);
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, &m_rescan, qOverload<>(&QTimer::start));
    m_notesTimer.setSingleShot(true);
    m_notesTimer.setInterval(kNotesPauseMs);
    connect(&m_notesTimer, &QTimer::timeout, this, &LibraryPanel::storeNotes);

    QAction *toggle = toggleViewAction();
    toggle->setShortcut(QKeySequence(Qt::Key_F6));
    toggle->setShortcutContext(Qt::WindowShortcut);
    window->addAction(toggle);
    // Shown, the panel takes room beside the pages rather than from them,
    // as far as the screen has room.
    connect(toggle, &QAction::triggered, this, [this](bool shown) {
        if (!shown || isFloating() || m_window->isMaximized() || m_window->isFullScreen())
            return;
        const QScreen *screen = m_window->screen();
        const int room = screen ? screen->availableGeometry().right() - m_window->frameGeometry().right() : 0;
        const int wanted = qMax(width(), sizeHint().width())
            + m_window->style()->pixelMetric(QStyle::PM_DockWidgetSeparatorExtent, nullptr, m_window)
            + m_window->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, m_window);
        m_window->resize(m_window->width() + qBound(0, wanted, room), m_window->height());
    });

    // Ctrl+S saves back to the setup the pages hold; without one it is the
    // Save button's key, as before.
    for (QAction *a : window->actions())
        if (a->shortcut() == QKeySequence(Qt::CTRL | Qt::Key_S))
            a->setShortcut(QKeySequence());
    m_saveAction = new QAction(tr("保存到机型"), window);
    m_saveAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    m_saveAction->setShortcutContext(Qt::WindowShortcut);
    connect(m_saveAction, &QAction::triggered, this, [this] { saveCurrent(); });
    window->addAction(m_saveAction);

    m_statusLabel = new QLabel;
    m_statusLabel->setObjectName(QStringLiteral("librarySetupLabel"));
    window->statusBar()->addPermanentWidget(m_statusLabel);

    connect(m_session, &EditSession::readFinished, this, &LibraryPanel::readEnded);
    connect(m_session->undoStack(), &QUndoStack::indexChanged, this, &LibraryPanel::updateUnsaved);
    connect(&m_link, &Link::finished, this, &LibraryPanel::commandFinished);
    connect(&m_link, &Link::cancelled, this, [this] { m_writing.clear(); });
    connect(&m_link, &Link::aborted, this, [this] { m_writing.clear(); });

    setFolder(m_library->folder());
    updateTitle();
}

LibraryPanel::~LibraryPanel()
{
    if (m_notesEdited)
        storeNotes();
}

void LibraryPanel::build()
{
    auto *body = new QWidget;
    auto *layout = new QVBoxLayout(body);

    auto *top = new QHBoxLayout;
    m_search = new QLineEdit;
    m_search->setObjectName(QStringLiteral("librarySearch"));
    m_search->setPlaceholderText(tr("搜索名称或备注"));
    m_search->setClearButtonEnabled(true);
    m_sort = new QComboBox;
    m_sort->setObjectName(QStringLiteral("librarySort"));
    m_sort->addItems({tr("按名称"), tr("按最近使用")});
    top->addWidget(m_search, 1);
    top->addWidget(m_sort);
    layout->addLayout(top);

    m_list = new QListWidget;
    m_list->setObjectName(QStringLiteral("libraryList"));
    m_list->setAccessibleName(tr("机型"));
    layout->addWidget(m_list, 1);

    auto *buttons = new QHBoxLayout;
    m_new = new QToolButton;
    m_new->setObjectName(QStringLiteral("libraryNew"));
    m_new->setText(tr("新建"));
    m_new->setPopupMode(QToolButton::InstantPopup);
    auto *menu = new QMenu(m_new);
    QAction *fromTx = menu->addAction(tr("从发射机"));
    fromTx->setObjectName(QStringLiteral("libraryNewFromTransmitter"));
    fromTx->setToolTip(tr("把页面上的设置（读取的发射机设置）存为新机型"));
    QAction *fromTemplate = menu->addAction(tr("从模板…"));
    fromTemplate->setObjectName(QStringLiteral("libraryNewFromTemplate"));
    connect(fromTx, &QAction::triggered, this, [this] { newFromPages(); });
    connect(fromTemplate, &QAction::triggered, this, &LibraryPanel::newFromTemplateRequested);
    m_new->setMenu(menu);
    m_duplicate = new QPushButton(tr("复制"));
    m_duplicate->setObjectName(QStringLiteral("libraryDuplicate"));
    m_rename = new QPushButton(tr("重命名"));
    m_rename->setObjectName(QStringLiteral("libraryRename"));
    m_delete = new QPushButton(tr("删除"));
    m_delete->setObjectName(QStringLiteral("libraryDelete"));
    buttons->addWidget(m_new);
    buttons->addWidget(m_duplicate);
    buttons->addWidget(m_rename);
    buttons->addWidget(m_delete);
    layout->addLayout(buttons);

    m_write = new QPushButton(tr("写入发射机"));
    m_write->setObjectName(QStringLiteral("libraryWrite"));
    m_write->setToolTip(tr("把所选机型写入发射机：先确认改变的设置，写入后读回校验"));
    layout->addWidget(m_write);

    auto *form = new QFormLayout;
    m_type = new QComboBox;
    m_type->setObjectName(QStringLiteral("libraryType"));
    for (int k = 0; k < airframe::count; ++k)
        m_type->addItem(airframe::displayName(Airframe(k)));
    form->addRow(tr("类型"), m_type);
    layout->addLayout(form);
    m_notes = new QPlainTextEdit;
    m_notes->setObjectName(QStringLiteral("libraryNotes"));
    m_notes->setPlaceholderText(tr("备注：重心、舵量、电池……"));
    m_notes->setAccessibleName(tr("备注"));
    m_notes->setMaximumHeight(110);
    layout->addWidget(m_notes);

    m_matchLabel = new QLabel;
    m_matchLabel->setObjectName(QStringLiteral("libraryMatch"));
    m_matchLabel->setWordWrap(true);
    m_saveNew = new QPushButton(tr("存为新机型…"));
    m_saveNew->setObjectName(QStringLiteral("librarySaveNew"));
    m_saveNew->hide();
    layout->addWidget(m_matchLabel);
    layout->addWidget(m_saveNew);

    auto *messageRow = new QHBoxLayout;
    m_message = new QLabel;
    m_message->setObjectName(QStringLiteral("libraryMessage"));
    m_message->setWordWrap(true);
    m_undo = new QPushButton(tr("撤销"));
    m_undo->setObjectName(QStringLiteral("libraryUndo"));
    m_undo->hide();
    messageRow->addWidget(m_message, 1);
    messageRow->addWidget(m_undo);
    layout->addLayout(messageRow);

    setWidget(body);

    connect(m_search, &QLineEdit::textChanged, this, &LibraryPanel::fill);
    connect(m_sort, qOverload<int>(&QComboBox::currentIndexChanged), this, &LibraryPanel::fill);
    connect(m_list, &QListWidget::currentRowChanged, this, &LibraryPanel::selectionChanged);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &LibraryPanel::writeSelected);
    connect(m_notes, &QPlainTextEdit::textChanged, this, [this] {
        if (m_notesFile.isEmpty() || m_notes->signalsBlocked())
            return;
        m_notesEdited = true;
        m_notesTimer.start();
    });
    connect(m_type, qOverload<int>(&QComboBox::activated), this, &LibraryPanel::storeType);
    connect(m_duplicate, &QPushButton::clicked, this, &LibraryPanel::duplicateSelected);
    connect(m_rename, &QPushButton::clicked, this, &LibraryPanel::renameSelected);
    connect(m_delete, &QPushButton::clicked, this, &LibraryPanel::deleteSelected);
    connect(m_write, &QPushButton::clicked, this, &LibraryPanel::writeSelected);
    connect(m_undo, &QPushButton::clicked, this, &LibraryPanel::undoDelete);
    connect(m_saveNew, &QPushButton::clicked, this, [this] { newFromPages(); });
}

void LibraryPanel::setFolder(const QString &folder)
{
    if (!m_watcher.directories().isEmpty())
        m_watcher.removePaths(m_watcher.directories());
    m_library = std::make_unique<SetupLibrary>(folder);
    refresh();
}

void LibraryPanel::refresh()
{
    if (m_notesEdited)
        storeNotes();
    // The folder is made with its first setup; watched from then on.
    if (m_watcher.directories().isEmpty() && QFileInfo(m_library->folder()).isDir())
        m_watcher.addPath(m_library->folder());
    m_setups = m_library->list();
    // A setup that went away is no longer the pages'.
    if (!m_current.isEmpty() && !QFileInfo::exists(m_current))
        setCurrent(QString(), ParamSet());
    fill();
    updateTitle();
}

void LibraryPanel::fill()
{
    const QString keep = selectedFile();
    QVector<LibrarySetup> shown;
    const QString needle = m_search->text().trimmed();
    for (const LibrarySetup &s : std::as_const(m_setups))
        if (needle.isEmpty() || s.info.name.contains(needle, Qt::CaseInsensitive)
            || s.info.notes.contains(needle, Qt::CaseInsensitive))
            shown.append(s);
    if (m_sort->currentIndex() == ByLastUsed)
        std::stable_sort(shown.begin(), shown.end(), [](const LibrarySetup &a, const LibrarySetup &b) {
            // Never used go last.
            return a.lastUsed() > b.lastUsed();
        });

    const QDateTime now = QDateTime::currentDateTimeUtc();
    const QSignalBlocker block(m_list);
    m_list->clear();
    int row = -1;
    for (const LibrarySetup &s : shown) {
        QString text = QStringLiteral("%1 · %2 · %3")
                           .arg(s.info.name, airframe::displayName(s.info.type), writtenText(s.info.lastWritten, now));
        if (s.path == m_current)
            text.prepend(QStringLiteral("▶ "));
        auto *item = new QListWidgetItem(text, m_list);
        item->setData(Qt::UserRole, s.path);
        QString tip = QDir::toNativeSeparators(s.path);
        if (!s.note.isEmpty())
            tip += QLatin1Char('\n') + tr("附加信息文件已损坏，已忽略：%1").arg(s.note);
        item->setToolTip(tip);
        if (s.path == keep)
            row = m_list->count() - 1;
    }
    m_list->setCurrentRow(row < 0 && m_list->count() > 0 ? 0 : row);
    selectionChanged();
}

QString LibraryPanel::selectedFile() const
{
    const QListWidgetItem *item = m_list->currentItem();
    return item ? item->data(Qt::UserRole).toString() : QString();
}

void LibraryPanel::selectionChanged()
{
    const QString file = selectedFile();
    if (m_notesEdited && file != m_notesFile)
        storeNotes();
    const bool any = !file.isEmpty();
    for (QWidget *w : {static_cast<QWidget *>(m_duplicate), static_cast<QWidget *>(m_rename),
                       static_cast<QWidget *>(m_delete), static_cast<QWidget *>(m_write),
                       static_cast<QWidget *>(m_type), static_cast<QWidget *>(m_notes)})
        w->setEnabled(any);
    if (file == m_notesFile && m_notesEdited)
        return;
    m_notesFile = file;
    const QSignalBlocker block(m_notes);
    for (const LibrarySetup &s : std::as_const(m_setups))
        if (s.path == file) {
            if (m_notes->toPlainText() != s.info.notes)
                m_notes->setPlainText(s.info.notes);
            m_type->setCurrentIndex(int(s.info.type));
            return;
        }
    m_notes->clear();
}

void LibraryPanel::storeNotes()
{
    m_notesTimer.stop();
    if (!m_notesEdited || m_notesFile.isEmpty())
        return;
    m_notesEdited = false;
    const QString notes = m_notes->toPlainText();
    QString error;
    if (!m_library->update(m_notesFile, [&notes](SetupInfo &i) { i.notes = notes; }, &error))
        showMessage(tr("备注未能保存：%1").arg(error));
    for (LibrarySetup &s : m_setups)
        if (s.path == m_notesFile)
            s.info.notes = notes;
}

void LibraryPanel::storeType(int index)
{
    const QString file = selectedFile();
    QString error;
    if (file.isEmpty() || !m_library->update(file, [index](SetupInfo &i) { i.type = Airframe(index); }, &error)) {
        if (!error.isEmpty())
            showMessage(tr("类型未能保存：%1").arg(error));
        return;
    }
    refresh();
}

bool LibraryPanel::askName(const QString &title, QString *name, Airframe *type, bool withType)
{
    QDialog dialog(m_window);
    dialog.setWindowTitle(title);
    auto *form = new QFormLayout(&dialog);
    auto *edit = new QLineEdit(*name);
    edit->setObjectName(QStringLiteral("librarySetupName"));
    edit->selectAll();
    form->addRow(tr("名称"), edit);
    QComboBox *types = nullptr;
    if (withType) {
        types = new QComboBox;
        types->setObjectName(QStringLiteral("librarySetupType"));
        for (int k = 0; k < airframe::count; ++k)
            types->addItem(airframe::displayName(Airframe(k)));
        types->setCurrentIndex(int(*type));
        form->addRow(tr("类型"), types);
    }
    auto *box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    form->addRow(box);
    connect(box, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    connect(box, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    connect(edit, &QLineEdit::textChanged, box, [box](const QString &t) {
        box->button(QDialogButtonBox::Ok)->setEnabled(!t.trimmed().isEmpty());
    });
    box->button(QDialogButtonBox::Ok)->setEnabled(!name->trimmed().isEmpty());
    if (dialog.exec() != QDialog::Accepted || edit->text().trimmed().isEmpty())
        return false;
    *name = edit->text().trimmed();
    if (types)
        *type = Airframe(types->currentIndex());
    return true;
}

bool LibraryPanel::createFromPages(const QString &name, Airframe type, QString *error)
{
    // As Save does: trims that were never received stay out of the file.
    FrameTexts texts = framesOf(paramSet);
    if (m_link.deviceKnown() && !m_link.trimsKnown())
        texts.text[FrameI].clear();
    SetupInfo info;
    info.name = name;
    info.type = type;
    info.lastChanged = QDateTime::currentDateTimeUtc();
    // The pages as the transmitter holds them: it holds this setup now.
    if (m_link.isOpen() && m_link.deviceFullyKnown()
        && setupcompare::differences(paramSet, m_link.deviceSettings(), false).isEmpty())
        info.lastWritten = info.lastChanged;
    const QString path = m_library->newFilePath(name);
    if (!m_library->create(path, texts, info, error))
        return false;
    setCurrent(path, paramSet);
    m_matched = false;
    refresh();
    for (int row = 0; row < m_list->count(); ++row)
        if (m_list->item(row)->data(Qt::UserRole).toString() == path)
            m_list->setCurrentRow(row);
    return true;
}

void LibraryPanel::newFromPages(Airframe type)
{
    QString name;
    if (!askName(tr("新建机型"), &name, &type, true))
        return;
    QString error;
    if (!createFromPages(name, type, &error))
        showNote(tr("机型未能保存"), error);
    else
        showMessage(tr("已存为机型：%1").arg(name));
}

void LibraryPanel::duplicateSelected()
{
    const QString file = selectedFile();
    if (file.isEmpty())
        return;
    QString name = tr("%1 副本").arg(SetupLibrary::read(file).info.name);
    Airframe type = Airframe::Other;
    if (!askName(tr("复制机型"), &name, &type, false))
        return;
    QString error;
    QString copy;
    if (!m_library->duplicate(file, name, &copy, &error)) {
        showNote(tr("机型未能复制"), error);
        return;
    }
    refresh();
}

void LibraryPanel::renameSelected()
{
    const QString file = selectedFile();
    if (file.isEmpty())
        return;
    QString name = SetupLibrary::read(file).info.name;
    Airframe type = Airframe::Other;
    if (!askName(tr("重命名机型"), &name, &type, false))
        return;
    QString error;
    if (!m_library->update(file, [&name](SetupInfo &i) { i.name = name; }, &error)) {
        showNote(tr("机型未能重命名"), error);
        return;
    }
    refresh();
}

void LibraryPanel::deleteSelected()
{
    const QString file = selectedFile();
    if (file.isEmpty())
        return;
    if (m_notesEdited)
        storeNotes();
    const QString name = SetupLibrary::read(file).info.name;
    QString error;
    SetupLibrary::Removed removed;
    if (!m_library->remove(file, &removed, &error)) {
        showNote(tr("机型未能删除"), error);
        return;
    }
    m_notesFile.clear();
    if (removed.trashed) {
        showMessage(tr("已把 %1 移到回收站").arg(name));
    } else {
        m_removed = removed;
        m_canUndo = true;
        showMessage(tr("已删除 %1").arg(name), true);
    }
    refresh();
}

void LibraryPanel::undoDelete()
{
    if (!m_canUndo)
        return;
    QString error;
    if (!m_library->restore(m_removed, &error)) {
        showNote(tr("机型未能恢复"), error);
        return;
    }
    m_canUndo = false;
    showMessage(tr("已恢复 %1").arg(SetupLibrary::read(m_removed.path).info.name));
    refresh();
}

void LibraryPanel::writeSelected()
{
    const QString file = selectedFile();
    if (file.isEmpty() || m_link.isBusy())
        return;
    m_writing = file;
    m_files->loadFrom(file);
}

void LibraryPanel::commandFinished(Link::Command command)
{
    if (command == Link::Load && !m_writing.isEmpty()) {
        const QString file = m_writing;
        m_writing.clear();
        if (QFileInfo(m_files->loadedFile()) != QFileInfo(file))
            return;
        // With the port open the frames went out: the transmitter holds it.
        if (m_link.isOpen()) {
            QString error;
            if (!m_library->update(file, [](SetupInfo &i) { i.lastWritten = QDateTime::currentDateTimeUtc(); }, &error))
                showMessage(tr("写入时间未能记录：%1").arg(error));
        }
        setCurrent(file, paramSet);
        m_matched = false;
        refresh();
    } else if (command == Link::Write && !m_current.isEmpty() && !m_unsaved && m_link.isOpen()) {
        // The pages held the setup unchanged: it went to the transmitter.
        m_library->update(m_current, [](SetupInfo &i) { i.lastWritten = QDateTime::currentDateTimeUtc(); });
        refresh();
    }
}

void LibraryPanel::readEnded()
{
    m_matched = true;
    m_readIncomplete = !m_link.deviceFullyKnown();
    m_match = SetupMatch();
    if (!m_readIncomplete) {
        m_setups = m_library->list();
        m_match = matchSetup(m_link.deviceSettings(), m_setups, m_link.trimsKnown());
        if (m_match.kind == SetupMatch::None) {
            setCurrent(QString(), ParamSet());
        } else {
            ParamSet held;
            const ParameterFile file = readParameterFile(m_match.setup.path);
            decodeParameterFile(file, held);
            setCurrent(m_match.setup.path, held);
        }
    }
    const QString text = matchText();
    m_matchLabel->setText(text);
    m_saveNew->setVisible(!m_readIncomplete && m_match.kind == SetupMatch::None);
    fill();
    updateTitle();
}

QString LibraryPanel::matchText() const
{
    if (!m_matched)
        return QString();
    if (m_readIncomplete)
        return tr("读取不完整：未与机型库比对");
    switch (m_match.kind) {
    case SetupMatch::Same:
        return tr("发射机当前：%1（%2）")
            .arg(m_match.setup.info.name, writtenText(m_match.setup.info.lastWritten, QDateTime::currentDateTimeUtc()));
    case SetupMatch::Close:
        return tr("与 %1 有 %2 项不同").arg(m_match.setup.info.name).arg(m_match.differences);
    case SetupMatch::None:
        break;
    }
    return tr("不在库中");
}

QString LibraryPanel::writtenText(const QDateTime &then, const QDateTime &now)
{
    if (!then.isValid())
        return tr("从未写入");
    const qint64 seconds = qMax<qint64>(0, then.secsTo(now));
    if (seconds < 60)
        return tr("刚刚写入");
    if (seconds < 3600)
        return tr("%1 分钟前写入").arg(seconds / 60);
    if (seconds < 86400)
        return tr("%1 小时前写入").arg(seconds / 3600);
    return tr("%1 天前写入").arg(seconds / 86400);
}

void LibraryPanel::setCurrent(const QString &file, const ParamSet &held)
{
    const bool changed = file != m_current;
    m_current = file;
    m_held = held;
    updateUnsaved();
    if (changed)
        emit currentChanged(file);
}

void LibraryPanel::updateUnsaved()
{
    const bool unsaved = !m_current.isEmpty() && !setupcompare::differences(paramSet, m_held, false).isEmpty();
    if (unsaved == m_unsaved)
        return;
    m_unsaved = unsaved;
    updateTitle();
}

QString LibraryPanel::currentName() const
{
    if (m_current.isEmpty())
        return QString();
    for (const LibrarySetup &s : m_setups)
        if (s.path == m_current)
            return s.info.name;
    return SetupLibrary::read(m_current).info.name;
}

void LibraryPanel::updateTitle()
{
    const QString name = currentName();
    const QString mark = m_unsaved ? QStringLiteral("*") : QString();
    m_window->setWindowTitle(name.isEmpty() ? m_baseTitle
                                            : QStringLiteral("%1%2 — %3").arg(name, mark, m_baseTitle));
    m_statusLabel->setText(name.isEmpty() ? QString() : tr("机型：%1%2").arg(name, mark));
    m_statusLabel->setToolTip(m_unsaved ? tr("页面上的设置与机型文件不同，Ctrl+S 保存到机型") : QString());
}

bool LibraryPanel::saveCurrent()
{
    if (m_current.isEmpty()) {
        if (auto *save = m_window->findChild<QAbstractButton *>(QStringLiteral("toolButton_Save")))
            if (save->isEnabled())
                save->click();
        return false;
    }
    if (m_link.isBusy())
        return false;
    FrameTexts texts = framesOf(paramSet);
    if (m_link.deviceKnown() && !m_link.trimsKnown())
        texts.text[FrameI].clear();
    QString error;
    if (!writeParameterFile(m_current, texts, &error)
        || !m_library->update(m_current, [](SetupInfo &i) { i.lastChanged = QDateTime::currentDateTimeUtc(); },
                              &error)) {
        showNote(tr("机型未能保存"), error);
        return false;
    }
    m_session->saved();
    m_held = paramSet;
    m_unsaved = true; // forces the title to follow
    updateUnsaved();
    showMessage(tr("已保存到机型：%1").arg(currentName()));
    refresh();
    return true;
}

void LibraryPanel::showMessage(const QString &text, bool undo)
{
    m_message->setText(text);
    m_undo->setVisible(undo);
}

#include "moc_librarypanel.cpp"
