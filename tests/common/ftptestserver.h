#pragma once

// A real FTP server (Debian's python3-pyftpdlib, tests/common/ftpserver.py) on a free port of
// the loopback interface, serving a folder of the test. It can be frozen (SIGSTOP) to play a
// server that stops answering, and ends with the object.

#include <QDir>
#include <QProcess>
#include <QString>

#include <csignal>

#ifndef TAVRIX_FTP_SERVER_SCRIPT
#error "the test's build defines TAVRIX_FTP_SERVER_SCRIPT and TAVRIX_FTP_PYTHON"
#endif

class FtpTestServer
{
public:
    // `certificate`: a PEM file with key and certificate for a server that requires FTPS.
    explicit FtpTestServer(const QString &root, const QString &certificate = QString())
    {
        QStringList arguments{QStringLiteral(TAVRIX_FTP_SERVER_SCRIPT), root};
        if (!certificate.isEmpty()) {
            arguments << QStringLiteral("--tls") << certificate;
        }
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start(QStringLiteral(TAVRIX_FTP_PYTHON), arguments);
        if (!m_process.waitForStarted(10000)) {
            m_error = m_process.errorString();
            return;
        }
        while (m_process.state() == QProcess::Running && !m_process.canReadLine()) {
            m_process.waitForReadyRead(10000);
        }
        const QByteArray line = m_process.readLine().trimmed();
        if (line.startsWith("PORT ")) {
            m_port = line.mid(5).toUShort();
        } else {
            m_error = QStringLiteral("the FTP server did not start: ") + QString::fromUtf8(line);
        }
    }
    ~FtpTestServer()
    {
        resume();
        m_process.closeWriteChannel(); // the server ends when its input closes
        if (!m_process.waitForFinished(5000)) {
            m_process.kill();
            m_process.waitForFinished(5000);
        }
    }
    FtpTestServer(const FtpTestServer &) = delete;
    FtpTestServer &operator=(const FtpTestServer &) = delete;

    bool isRunning() const { return m_port != 0; }
    QString error() const { return m_error; }
    quint16 port() const { return m_port; }

    // The server stops answering, as a hung server does; its connections stay open.
    void freeze() { signal(SIGSTOP); }
    void resume() { signal(SIGCONT); }

private:
    void signal(int number)
    {
        const qint64 pid = m_process.processId();
        if (pid > 0) {
            ::kill(pid_t(pid), number);
        }
    }

    QProcess m_process;
    quint16 m_port = 0;
    QString m_error;
};
