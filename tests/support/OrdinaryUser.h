// Running test code as an ordinary user, for whom file permissions hold (root may write anything).
#pragma once

#include <sys/wait.h>
#include <unistd.h>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <functional>

namespace testing_env {

// Runs what in a child process that has given up root (as nobody) and answers what it produced; without
// root it runs in this process.
inline QString AsAnOrdinaryUser(const std::function<QString()>& what) {
    if (geteuid() != 0) return what();
    int fds[2];
    if (pipe(fds) != 0) return QStringLiteral("no pipe");
    const pid_t pid = fork();
    if (pid == 0) {
        close(fds[0]);
        QByteArray answer = "no ordinary user";
        if (setgid(65534) == 0 && setuid(65534) == 0) answer = what().toUtf8();
        const char* data = answer.constData();
        for (qsizetype left = answer.size(); left > 0;) {
            const ssize_t written = write(fds[1], data, static_cast<size_t>(left));
            if (written <= 0) break;
            data += written;
            left -= written;
        }
        _exit(0);
    }
    close(fds[1]);
    QByteArray answer;
    char buffer[4096];
    for (ssize_t n; (n = read(fds[0], buffer, sizeof buffer)) > 0;) answer.append(buffer, n);
    close(fds[0]);
    waitpid(pid, nullptr, 0);
    return QString::fromUtf8(answer);
}

// The file and its folder as a read-only share gives them: readable by all, writable by nobody (the folders
// above it only passable).
inline void MakeReadOnly(const QString& path) {
    for (QDir above(QFileInfo(path).path()); above.cdUp() && above.path().startsWith(QDir::tempPath() + u'/');)
        QFile::setPermissions(above.path(), QFile::permissions(above.path()) | QFileDevice::ExeOther);
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
    QFile::setPermissions(QFileInfo(path).path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner |
                                                      QFileDevice::ReadGroup | QFileDevice::ExeGroup |
                                                      QFileDevice::ReadOther | QFileDevice::ExeOther);
}

inline void MakeWritable(const QString& path) {
    QFile::setPermissions(QFileInfo(path).path(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

}  // namespace testing_env
