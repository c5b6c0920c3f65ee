"""The aiosmtpd server of the tests, on a port of its own choosing that it prints as "READY <port>".

Usage: smtp_server.py FOLDER [--tls starttls|smtps --cert FILE --key FILE]
                             [--user USER --password PASSWORD [--refuse-first N] [--mechanism PLAIN|LOGIN]]
With a user the server offers AUTH without TLS and refuses the first N attempts whatever they send.
A STARTTLS server refuses MAIL before STARTTLS. Runs until its standard input closes, so it never outlives
the test program that started it.
"""
import argparse
import ssl
import sys

from aiosmtpd.controller import Controller
from aiosmtpd.smtp import AuthResult

from capture_handler import CaptureHandler


class AnyPortController(Controller):
    """Binds port 0 and learns the port the system gave before checking that the server answers."""

    def _trigger_server(self):
        self.port = self.server.sockets[0].getsockname()[1]
        super()._trigger_server()


def tls_context(args):
    context = ssl.create_default_context(ssl.Purpose.CLIENT_AUTH)
    context.check_hostname = False
    context.load_cert_chain(args.cert, args.key)
    return context


def authentication(args):
    if not args.user:
        return {}
    attempts = {"left_to_refuse": args.refuse_first}

    def authenticator(server, session, envelope, mech, auth_data):
        if attempts["left_to_refuse"] > 0:
            attempts["left_to_refuse"] -= 1
            return AuthResult(success=False, handled=False)
        ok = auth_data.login.decode() == args.user and auth_data.password.decode() == args.password
        return AuthResult(success=ok, handled=False, auth_data=auth_data.login)

    exclude = [m for m in ("PLAIN", "LOGIN") if args.mechanism and m != args.mechanism]
    return {"authenticator": authenticator, "auth_required": True, "auth_require_tls": False,
            "auth_exclude_mechanism": exclude}


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("folder")
    parser.add_argument("--tls", choices=("starttls", "smtps"))
    parser.add_argument("--cert")
    parser.add_argument("--key")
    parser.add_argument("--user")
    parser.add_argument("--password")
    parser.add_argument("--refuse-first", type=int, default=0)
    parser.add_argument("--mechanism")
    args = parser.parse_args()

    options = authentication(args)
    if args.tls == "starttls":
        options.update(tls_context=tls_context(args), require_starttls=True)
    elif args.tls == "smtps":
        options.update(ssl_context=tls_context(args))
    controller = AnyPortController(CaptureHandler(args.folder), hostname="127.0.0.1", port=0, **options)
    controller.start()
    print("READY", controller.port, flush=True)
    sys.stdin.read()
    controller.stop()


if __name__ == "__main__":
    main()
