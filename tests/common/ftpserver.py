"""A real FTP server for the FTP tests, on a free port of the loopback interface.

Usage: ftpserver.py ROOT [--tls CERTFILE]

Serves ROOT to the user "tester" (password "secret") and to anonymous users, with passive and
active data connections, and prints "PORT <number>" on one line once it listens. It stops when
its standard input closes, so that it never outlives the test that started it.
"""

import logging
import os
import sys
import threading

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler
from pyftpdlib.log import config_logging
from pyftpdlib.servers import FTPServer


def main():
    root = sys.argv[1]
    config_logging(level=logging.WARNING)
    authorizer = DummyAuthorizer()
    authorizer.add_user("tester", "secret", root, perm="elradfmw")
    authorizer.add_anonymous(root)
    handler = FTPHandler
    if "--tls" in sys.argv:
        from pyftpdlib.handlers import TLS_FTPHandler
        handler = TLS_FTPHandler
        handler.certfile = sys.argv[sys.argv.index("--tls") + 1]
        handler.tls_control_required = True
        handler.tls_data_required = True
    handler.authorizer = authorizer
    handler.permit_foreign_addresses = True
    handler.banner = "Tavrix test server"
    server = FTPServer(("127.0.0.1", 0), handler)
    print("PORT", server.address[1], flush=True)

    def stop_when_orphaned():
        sys.stdin.read()
        os._exit(0)

    threading.Thread(target=stop_when_orphaned, daemon=True).start()
    server.serve_forever(timeout=0.2, handle_exit=False)


if __name__ == "__main__":
    main()
