"""An aiosmtpd server that asks for a password: AUTH without TLS, the first attempts refused on request.

Usage: smtp_auth_server.py PORT FOLDER USER PASSWORD REFUSE_FIRST [MECHANISM]
Runs until its standard input closes, so it never outlives the test program that started it.
"""
import sys

from aiosmtpd.controller import Controller
from aiosmtpd.smtp import AuthResult

from capture_handler import CaptureHandler


def main():
    port, folder, user, password, refuse_first = sys.argv[1:6]
    mechanism = sys.argv[6] if len(sys.argv) > 6 else None
    attempts = {"left_to_refuse": int(refuse_first)}

    def authenticator(server, session, envelope, mech, auth_data):
        if attempts["left_to_refuse"] > 0:
            attempts["left_to_refuse"] -= 1
            return AuthResult(success=False, handled=False)
        ok = auth_data.login.decode() == user and auth_data.password.decode() == password
        return AuthResult(success=ok, handled=False, auth_data=auth_data.login)

    exclude = [m for m in ("PLAIN", "LOGIN") if mechanism and m != mechanism]
    controller = Controller(CaptureHandler(folder), hostname="127.0.0.1", port=int(port),
                            authenticator=authenticator, auth_required=True, auth_require_tls=False,
                            auth_exclude_mechanism=exclude)
    controller.start()
    print("READY", flush=True)
    sys.stdin.read()
    controller.stop()


if __name__ == "__main__":
    main()
