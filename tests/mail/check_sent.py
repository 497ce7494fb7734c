#!/usr/bin/env python3
"""check_sent.py MAILDIR SUBJECT ATTACHMENT_NAME ATTACHMENT_LINE: the one
message in MAILDIR/.Sent, read with Python's own mailbox and email modules,
is well-formed and carries that subject and attachment."""
import email.policy
import mailbox
import sys

root, subject, name, text = sys.argv[1:5]
box = mailbox.Maildir(root + "/.Sent", factory=None, create=False)
keys = box.keys()
assert len(keys) == 1, keys
message = email.message_from_bytes(box.get_bytes(keys[0]), policy=email.policy.default)
assert not message.defects, message.defects
assert message["Subject"] == subject, message["Subject"]
assert message["To"].addresses[0].addr_spec == "bob@example.net", message["To"]
assert message["Message-ID"] and message["Date"] and message["From"]
body = message.get_body(preferencelist=("plain",))
assert body.get_content() == "See you.\n", repr(body.get_content())
files = list(message.iter_attachments())
assert [f.get_filename() for f in files] == [name], [f.get_filename() for f in files]
assert files[0].get_payload(decode=True).decode() == text + "\n"
