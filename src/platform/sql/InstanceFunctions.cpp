// tavorin_instance() and tavorin_present(tag) over the lock file's slots.
#include "platform/sql/InstanceFunctions.h"

#include "platform/sql/LockFile.h"

#include <sqlite3.h>

namespace sql {
namespace {

const LockFile& Place(sqlite3_context* context) { return *static_cast<const LockFile*>(sqlite3_user_data(context)); }

void Instance(sqlite3_context* context, int, sqlite3_value**) {
    const QByteArray tag = Place(context).Tag().toUtf8();
    sqlite3_result_text(context, tag.constData(), tag.size(), SQLITE_TRANSIENT);
}

void Present(sqlite3_context* context, int, sqlite3_value** values) {
    const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(values[0]));
    sqlite3_result_int(context, Place(context).IsPresent(QString::fromUtf8(text ? text : "")) ? 1 : 0);
}

}  // namespace

void RegisterInstanceFunctions(sqlite3* handle, const LockFile* place) {
    void* data = const_cast<LockFile*>(place);
    sqlite3_create_function_v2(handle, "tavorin_instance", 0, SQLITE_UTF8, data, Instance, nullptr, nullptr, nullptr);
    sqlite3_create_function_v2(handle, "tavorin_present", 1, SQLITE_UTF8, data, Present, nullptr, nullptr, nullptr);
}

}  // namespace sql
