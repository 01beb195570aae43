#include "coretest.h"
#include "logging.h"

#include "paramset.h"

namespace apptest {

MessageLog *MessageLog::s_current = nullptr;

MessageLog::MessageLog(bool echo)
    : m_echo(echo)
{
    Q_ASSERT(!s_current);
    s_current = this;
    m_previous = qInstallMessageHandler(&MessageLog::handler);
    m_traced = lcVarnix().isDebugEnabled();
    QLoggingCategory::setFilterRules(QStringLiteral("varnix.debug=true"));
}

MessageLog::~MessageLog()
{
    qInstallMessageHandler(m_previous);
    QLoggingCategory::setFilterRules(m_traced ? QStringLiteral("varnix.debug=true") : QString());
    s_current = nullptr;
}

QStringList MessageLog::linesStartingWith(const QString &prefix) const
{
    QStringList out;
    for (const QString &line : m_lines)
        if (line.startsWith(prefix))
            out.append(line);
    return out;
}

void MessageLog::handler(QtMsgType type, const QMessageLogContext &context, const QString &msg)
{
    MessageLog *log = s_current;
    if (log && type == QtDebugMsg)
        log->m_lines.append(msg);
    if (log && log->m_previous && (type != QtDebugMsg || log->m_echo))
        log->m_previous(type, context, msg);
}

void resetProcessState()
{
    paramSet = ParamSet();
    liveValues = LiveValues();
    frameTexts = FrameTexts();
    loadFileText.clear();
}

} // namespace apptest
