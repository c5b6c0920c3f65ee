"""An aiosmtpd handler that writes every message it receives to a folder, one JSON file each."""
import base64
import email
import email.policy
import json
import os


def parse(data):
    """The message as a mail reader sees it: decoded headers, the text body and the attached files."""
    message = email.message_from_bytes(data, policy=email.policy.default)
    body = message.get_body(preferencelist=("plain",))
    return {
        "headers": [[name, str(value)] for name, value in message.items()],
        "body": body.get_content().replace("\r\n", "\n") if body is not None else None,
        "attachments": [
            {"filename": part.get_filename(), "content_type": part.get_content_type(),
             "data": base64.b64encode(part.get_payload(decode=True)).decode()}
            for part in message.iter_attachments()
        ],
    }


class CaptureHandler:
    def __init__(self, folder):
        self.folder = folder
        self.count = 0

    @classmethod
    def from_cli(cls, parser, *args):
        if len(args) != 1:
            parser.error("CaptureHandler needs the folder to write to")
        return cls(args[0])

    async def handle_DATA(self, server, session, envelope):
        self.count += 1
        record = {
            "mail_from": envelope.mail_from,
            "rcpt_tos": envelope.rcpt_tos,
            "tls": server.transport.get_extra_info("ssl_object") is not None,
            "login": session.auth_data.decode() if session.authenticated else None,
            "data": base64.b64encode(envelope.original_content).decode(),
            "parsed": parse(envelope.original_content),
        }
        # Written under a temporary name and renamed, so a reader never sees half a file.
        name = os.path.join(self.folder, "%04d.json" % self.count)
        with open(name + ".tmp", "w") as f:
            json.dump(record, f)
        os.rename(name + ".tmp", name)
        return "250 OK"
