"""An SMTP server on 127.0.0.1 for tests (Debian's python3-aiosmtpd).

Usage: smtp_test_server.py FOLDER MODE [REFUSAL]
  accept   stores each message: FOLDER/N.eml (its bytes as received, dot
           stuffing undone) and FOLDER/N.envelope (sender, then recipients,
           one a line), N counting from 1
  refuse   takes the message, then refuses it with the reply REFUSAL
  silent   accepts connections and never says a word
Prints the port it listens on, then serves until it is terminated.
"""
import asyncio
import os
import sys

from aiosmtpd.smtp import SMTP

class Store:
    def __init__(self, folder, refusal):
        self.folder = folder
        self.refusal = refusal
        self.count = 0

    async def handle_DATA(self, server, session, envelope):
        if self.refusal:
            return self.refusal
        self.count += 1
        base = os.path.join(self.folder, str(self.count))
        with open(base + ".envelope", "w") as f:
            f.write("\n".join([envelope.mail_from] + envelope.rcpt_tos) + "\n")
        with open(base + ".eml", "wb") as f:
            f.write(envelope.original_content)
        return "250 OK queued"


async def main():
    folder, mode = sys.argv[1], sys.argv[2]
    loop = asyncio.get_running_loop()
    if mode == "silent":
        factory = asyncio.Protocol
    else:
        handler = Store(folder, sys.argv[3] if mode == "refuse" else None)
        factory = lambda: SMTP(handler, hostname="sink.example.org")
    server = await loop.create_server(factory, "127.0.0.1", 0)
    print(server.sockets[0].getsockname()[1], flush=True)
    await server.serve_forever()


asyncio.run(main())
