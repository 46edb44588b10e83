#!/usr/bin/python3
# Test FTP server on 127.0.0.1 (pyftpdlib): one user with full rights on a
# home folder. Prints "PORT <n>" once it accepts connections.
# Usage: ftp_server.py HOME USER PASSWORD [REFUSE_PATTERN]
#   REFUSE_PATTERN: files matching it are listed but their transfer refused.
import fnmatch
import sys

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler
from pyftpdlib.servers import FTPServer

home, user, password = sys.argv[1:4]
refuse = sys.argv[4] if len(sys.argv) > 4 else ""


class Handler(FTPHandler):
    def ftp_RETR(self, file):
        import os
        if refuse and fnmatch.fnmatch(os.path.basename(file).lower(), refuse.lower()):
            self.respond("550 Transfer refused.")
            return
        return super().ftp_RETR(file)


authorizer = DummyAuthorizer()
authorizer.add_user(user, password, home, perm="elradfmwMT")
Handler.authorizer = authorizer
Handler.permit_foreign_addresses = False
server = FTPServer(("127.0.0.1", 0), Handler)
print("PORT %d" % server.socket.getsockname()[1], flush=True)
server.serve_forever()
