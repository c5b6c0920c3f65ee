// The kill points: one parse of TAVORIN_KILL_AT, then one comparison per pass.
#include "platform/rtl/KillPoints.h"

#include <QByteArray>
#include <csignal>
#include <cstring>

namespace rtl {
namespace {

struct Target {
    QByteArray name;
    long remaining = 0;
};

Target& KillTarget() {
    static Target target = [] {
        Target parsed;
        const QByteArray value = qgetenv("TAVORIN_KILL_AT");
        const int colon = value.lastIndexOf(':');
        if (colon <= 0) return parsed;
        parsed.name = value.left(colon);
        parsed.remaining = value.mid(colon + 1).toLong();
        return parsed;
    }();
    return target;
}

}  // namespace

void KillPoint(const char* name) {
    Target& target = KillTarget();
    if (target.remaining <= 0 || std::strcmp(target.name.constData(), name) != 0) return;
    if (--target.remaining == 0) std::raise(SIGKILL);
}

}  // namespace rtl
