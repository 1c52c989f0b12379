# Generates a mailbox of mixed, corpus-like mail for bench/mailbox_timing.sh:
# the real corpus messages in random order, between generated messages of
# the kinds the corpus holds (HTML mail, alternatives inside a mixed with
# attachments, related mail with inline images, plain text).
# Usage: make_mailbox.py OUTPUT [MEGABYTES]   (default 1000)
import base64, os, random, sys

random.seed(15)
out_path = sys.argv[1]
target = int(sys.argv[2] if len(sys.argv) > 2 else 1000) * 1000 * 1000
corpus = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'tests', 'data', 'corpus')
ENVELOPE = b'From ???@??? Mon Dec 07 09:00:00 2026\r\n'
HEAD = (b'From: a@example.org\r\nTo: b@example.org\r\nSubject: %s %d\r\n'
        b'Date: Mon, 7 Dec 2026 09:00:00 +0000\r\nMIME-Version: 1.0\r\n')


def crlf(data):
    return data.replace(b'\r\n', b'\n').replace(b'\n', b'\r\n')


def b64lines(data):
    s = base64.b64encode(data)
    return b'\r\n'.join(s[i:i + 76] for i in range(0, len(s), 76))


def load(folder):
    files = []
    for name in sorted(os.listdir(folder)):
        if name.endswith('.tsv') or name.endswith('.md'):
            continue
        with open(os.path.join(folder, name), 'rb') as f:
            files.append(crlf(f.read()))
    return files


messages = [m for m in load(os.path.join(corpus, 'messages')) if not m.startswith(b'From ')]
pages = load(os.path.join(corpus, 'html'))


def html_mail(n):
    return HEAD % (b'HTML', n) + b'Content-Type: text/html; charset=utf-8\r\n\r\n' + random.choice(pages)


def mixed_mail(n):
    page = random.choice(pages)
    parts = [HEAD % (b'Mixed', n) + b'Content-Type: multipart/mixed; boundary="m-b"\r\n\r\n',
             b'--m-b\r\nContent-Type: multipart/alternative; boundary="a-b"\r\n\r\n'
             b'--a-b\r\nContent-Type: text/plain; charset=utf-8\r\n\r\nThe text of the page.\r\n'
             b'--a-b\r\nContent-Type: text/html; charset=utf-8\r\n\r\n' + page + b'\r\n--a-b--\r\n']
    for i in range(random.randint(1, 3)):
        size = int(random.choice([20e3] * 4 + [80e3] * 3 + [300e3] * 2 + [1e6, 3e6]))
        kind = random.choice([b'application/pdf', b'image/jpeg', b'application/octet-stream'])
        parts.append(b'--m-b\r\nContent-Type: %s; name="f%d"\r\nContent-Disposition: attachment; '
                     b'filename="f%d"\r\nContent-Transfer-Encoding: base64\r\n\r\n' % (kind, i, i)
                     + b64lines(os.urandom(size)) + b'\r\n')
    return b''.join(parts) + b'--m-b--\r\n'


def related_mail(n):
    parts = [HEAD % (b'Related', n) + b'Content-Type: multipart/related; boundary="r-b"\r\n\r\n',
             b'--r-b\r\nContent-Type: text/html; charset=utf-8\r\n\r\n' + random.choice(pages) + b'\r\n']
    for i in range(random.randint(1, 4)):
        parts.append(b'--r-b\r\nContent-Type: image/png\r\nContent-ID: <i%d>\r\n'
                     b'Content-Transfer-Encoding: base64\r\n\r\n' % i
                     + b64lines(os.urandom(random.randint(2e3, 200e3))) + b'\r\n')
    return b''.join(parts) + b'--r-b--\r\n'


def plain_mail(n):
    return HEAD % (b'Plain', n) + b'Content-Type: text/plain\r\n\r\n' + b'Hello there.\r\n' * 40


makers = [html_mail, mixed_mail, related_mail, plain_mail]
written = 0
largest = 0
count = 0
with open(out_path, 'wb') as out:
    while written < target:
        count += 1
        if random.random() < 0.5:
            body = random.choice(messages)
        else:
            body = random.choice(makers)(count)
        message = ENVELOPE + body + (b'' if body.endswith(b'\r\n') else b'\r\n') + b'\r\n'
        out.write(message)
        written += len(message)
        largest = max(largest, len(message))
print('%d messages, %.1f MB, largest %.2f MB' % (count, written / 1e6, largest / 1e6))
