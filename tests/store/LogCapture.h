#pragma once
// Collects the debug lines written while it lives (instead of printing them), so a test can check
// that a failure was logged with its exact prefix, or that nothing was logged.

#include <QStringList>
#include <QtGlobal>

class LogCapture {
public:
    LogCapture();
    ~LogCapture();
    LogCapture(const LogCapture &) = delete;
    LogCapture &operator=(const LogCapture &) = delete;

    QStringList lines() const { return m_lines; }
    bool hasPrefix(const QString &prefix) const;

private:
    static void handler(QtMsgType type, const QMessageLogContext &context, const QString &message);
    static LogCapture *s_active;
    QtMessageHandler m_previous;
    LogCapture *m_outer;
    QStringList m_lines;
};
