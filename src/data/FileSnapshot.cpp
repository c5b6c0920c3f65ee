// Copying a database file aside and putting it back.
#include "data/FileSnapshot.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FaultInjection.h"

#include <QFile>
#include <QTemporaryFile>
#include <cstdio>

namespace data {

FileSnapshot::FileSnapshot(const QString& fileName) : fileName_(fileName) {
    // A unique name in the same folder, so that putting the copy back is one rename.
    QTemporaryFile copy(fileName + QStringLiteral(".XXXXXX"));
    copy.setAutoRemove(false);
    QFile original(fileName);
    if (rtl::FaultInjection::Fails() || !copy.open() || !original.open(QIODevice::ReadOnly)) {
        throw EFCreateError(QStringLiteral("Cannot create file \"%1\". %2").arg(copy.fileTemplate(), copy.errorString()));
    }
    copyName_ = copy.fileName();
    // The copy may become the file again, for everyone who shares it.
    copy.setPermissions(original.permissions());
    while (!original.atEnd()) {
        const QByteArray block = original.read(1 << 20);
        if (block.isEmpty() && original.error() != QFileDevice::NoError) break;
        if (copy.write(block) != block.size()) break;
    }
    if (!original.atEnd() || !copy.flush()) {
        copy.remove();
        throw EFCreateError(QStringLiteral("Cannot create file \"%1\". %2").arg(copyName_, copy.errorString()));
    }
}

FileSnapshot::~FileSnapshot() {
    if (!keep_) QFile::remove(copyName_);
}

bool FileSnapshot::Restore() {
    // rename() replaces the file in one step, so the file is never half restored.
    keep_ = true;
    return !rtl::FaultInjection::Fails() && std::rename(QFile::encodeName(copyName_).constData(), QFile::encodeName(fileName_).constData()) == 0;
}

}  // namespace data
