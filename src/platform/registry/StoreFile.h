// The text form of a registry root on disk: one block per key, one line per value.
//
//   ; Tavorin settings store: HKEY_CURRENT_USER
//   [Software\Dulvex\Tavorin\7.0]
//   "Caption"="Room \"A\"\n2nd line"
//   "Path"=expand:"%HOME%\\docs"
//   "RefreshMins"=dword:5
//   "Start"=hex:0000000000c0e240
//
// Every key is written, empty ones too; values keep their order. Names and texts are quoted with
// backslash escapes; in key lines "%" and control characters of a key name are percent-encoded.
#pragma once

#include "platform/registry/KeyTree.h"

#include <QByteArray>

namespace reg {

QByteArray SerializeStore(const Key& root, const QString& title);
// Lines that do not parse are skipped, so a damaged line costs that line only.
Key ParseStore(const QByteArray& text);

}  // namespace reg
