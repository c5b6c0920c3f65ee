// Handing a message to the desktop's mail program through xdg-email.
#pragma once

#include "mail/core/DvMapiMessage.h"

#include <QStringList>

namespace mail {

// The message as xdg-email arguments: the copies, subject, body (line ends as LF) and attachments as options, then
// the To addresses (with --to where xdg-email would read the bare address otherwise); the originator and reply-to
// address are not handed over.
QStringList XdgEmailArguments(const TDvMapiMessage& message);

// Runs xdg-email (never through a shell) and answers the mail interface's result code: 0 handed over, 1 no
// xdg-email or no way to reach a mail program, 11 an attachment is missing, 2 any other failure. It waits at
// most waitMs, repainting but taking no input; xdg-email may live as long as the mail program it started, so
// one still running then has handed the message over.
qint32 RunXdgEmail(const QStringList& arguments, int waitMs);

}  // namespace mail
