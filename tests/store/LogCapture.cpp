#include "LogCapture.h"

LogCapture *LogCapture::s_active = nullptr;

LogCapture::LogCapture() : m_previous(qInstallMessageHandler(&LogCapture::handler)), m_outer(s_active)
{
    s_active = this;
}

LogCapture::~LogCapture()
{
    s_active = m_outer;
    qInstallMessageHandler(m_previous);
}

bool LogCapture::hasPrefix(const QString &prefix) const
{
    for (const QString &line : m_lines)
        if (line.startsWith(prefix))
            return true;
    return false;
}

void LogCapture::handler(QtMsgType, const QMessageLogContext &, const QString &message)
{
    if (s_active)
        s_active->m_lines << message;
}
