#include "setuptools.h"

#include <QMainWindow>
#include <QAction>
#include <QUndoStack>

#include "airframe.h"
#include "comparedialog.h"
#include "editsession.h"
#include "librarypanel.h"
#include "link.h"
#include "templatedialog.h"

SetupTools::SetupTools(Link &link, EditSession *session, QMainWindow *window)
    : QObject(window)
    , m_link(link)
    , m_session(session)
    , m_window(window)
{
    const auto addAction = [&](const QString &text, const QString &tip, const char *name, const QKeySequence &key) {
        auto *a = new QAction(text, window);
        a->setObjectName(QLatin1String(name));
        a->setToolTip(tip);
        a->setShortcut(key);
        a->setShortcutContext(Qt::WindowShortcut);
        window->addAction(a);
        connect(&m_link, &Link::busyChanged, a, [a](bool busy) { a->setEnabled(!busy); });
        m_actions.append(a);
        return a;
    };
    connect(addAction(tr("模板…"), tr("新机型模板：按机型设好混控、相位、行程和大小舵（Ctrl+T）"), "actionTemplate",
                      QKeySequence(Qt::CTRL | Qt::Key_T)),
            &QAction::triggered, this, &SetupTools::applyTemplate);
    connect(addAction(tr("比较"), tr("比较页面、发射机和文件中的设置（Ctrl+D）"), "actionCompare",
                      QKeySequence(Qt::CTRL | Qt::Key_D)),
            &QAction::triggered, this, &SetupTools::showCompare);
    // Every edit, undo, Read and command is a step of the undo stack.
    const auto reload = [this] {
        if (m_compare)
            m_compare->reload();
    };
    connect(m_session->undoStack(), &QUndoStack::indexChanged, this, reload);
    // A Write that changed nothing on the pages still changes the transmitter's side.
    connect(&m_link, &Link::finished, this, reload);
}

bool SetupTools::applyTemplate()
{
    ParamSet next;
    Airframe kind = Airframe::Other;
    if (!TemplateDialog::run(m_window, paramSet, &next, &kind))
        return false;
    m_session->replaceSet(tr("模板：%1").arg(airframe::displayName(kind)), next);
    return true;
}

void SetupTools::setLibrary(LibraryPanel *library)
{
    m_library = library;
    connect(library, &LibraryPanel::newFromTemplateRequested, this, &SetupTools::newSetupFromTemplate);
}

bool SetupTools::newSetupFromTemplate()
{
    ParamSet next;
    Airframe kind = Airframe::Other;
    if (!TemplateDialog::run(m_window, TemplateDialog::newSetupBase(), &next, &kind))
        return false;
    m_session->replaceSet(tr("模板：%1").arg(airframe::displayName(kind)), next);
    if (m_library)
        m_library->newFromPages(kind);
    return true;
}

CompareDialog *SetupTools::showCompare()
{
    if (!m_compare) {
        m_compare = new CompareDialog(m_link, m_session, m_window);
        m_compare->setAttribute(Qt::WA_DeleteOnClose);
        if (m_library) {
            for (const LibrarySetup &setup : m_library->library().list()) {
                const QString path = setup.path;
                m_compare->addSource(tr("机型：%1").arg(setup.info.name), [path](ParamSet *set, QString *why) {
                    return CompareDialog::readFile(path, set, why);
                });
            }
        }
    }
    else
        m_compare->reload();
    m_compare->show();
    m_compare->raise();
    m_compare->activateWindow();
    return m_compare;
}
