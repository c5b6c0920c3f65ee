// The test's folder as a small file system of its own, to meet a disk that is really full.
#pragma once

#include <gtest/gtest.h>
#include <sys/mount.h>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <utility>
#include <vector>

namespace booking_form_test {

// The folder as a small file system (mounting needs the right to, which a test run may not have), holding what it
// held before; Fill takes its last free block.
class SmallFileSystem {
public:
    explicit SmallFileSystem(const QString& folder) : folder_(folder.toLocal8Bit()) {
        QDir dir(folder);
        for (const QString& name : dir.entryList(QDir::Files)) {
            QFile file(dir.filePath(name));
            if (file.open(QIODevice::ReadOnly)) files_.emplace_back(name, file.readAll());
        }
        mounted_ = mount("tmpfs", folder_.constData(), "tmpfs", 0, "size=4m") == 0;
        if (!mounted_) return;
        for (const auto& [name, content] : files_) {
            QFile file(dir.filePath(name));
            if (file.open(QIODevice::WriteOnly)) file.write(content);
        }
        filler_ = dir.filePath(QStringLiteral("filler"));
    }
    ~SmallFileSystem() {
        // Detached at once; files still open are let go when they close.
        if (mounted_) umount2(folder_.constData(), MNT_DETACH);
    }
    SmallFileSystem(const SmallFileSystem&) = delete;
    SmallFileSystem& operator=(const SmallFileSystem&) = delete;

    bool Mounted() const { return mounted_; }
    void Fill() {
        QFile filler(filler_);
        ASSERT_TRUE(filler.open(QIODevice::WriteOnly));
        const QByteArray block(512, 'x');
        while (filler.write(block) == block.size() && filler.flush()) {
        }
    }
    void Free() { QFile::remove(filler_); }

private:
    QByteArray folder_;
    std::vector<std::pair<QString, QByteArray>> files_;
    QString filler_;
    bool mounted_ = false;
};

// The folder made read-only where it is (a read-only view bound over it) while files in it stay open.
class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(const QString& folder) : folder_(folder.toLocal8Bit()) {
        if (mount(folder_.constData(), folder_.constData(), nullptr, MS_BIND, nullptr) != 0) return;
        bound_ = true;
        readOnly_ = mount(nullptr, folder_.constData(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) == 0;
    }
    ~ReadOnlyFolder() {
        if (bound_) umount2(folder_.constData(), MNT_DETACH);
    }
    ReadOnlyFolder(const ReadOnlyFolder&) = delete;
    ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;
    bool ReadOnly() const { return readOnly_; }

private:
    QByteArray folder_;
    bool bound_ = false;
    bool readOnly_ = false;
};

}  // namespace booking_form_test
