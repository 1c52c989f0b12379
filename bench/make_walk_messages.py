# Generates the messages of bench/walk_memory.sh into a folder: for each
# size in megabytes, a plain text message with CR LF and with LF line ends,
# and a base64 attachment inside 64 levels of multipart/related (each level
# relabelled by translator 4 in turn).
import base64, os, sys

out = sys.argv[1]
sizes = [int(s) for s in sys.argv[2:]] or [1, 4, 16]
head = b'From: a@example.org\r\nSubject: Big\r\nMIME-Version: 1.0\r\n'


def text_lines(megabytes):
    line = b'The quick brown fox jumps over the lazy dog, again and again.'
    return b'\r\n'.join([line] * (megabytes * 1000 * 1000 // (len(line) + 2))) + b'\r\n'


def nested_related(megabytes, levels=64):
    data = base64.b64encode(os.urandom(megabytes * 1000 * 1000 * 3 // 4))
    body = b'\r\n'.join(data[i:i + 76] for i in range(0, len(data), 76))
    inner = (b'Content-Type: application/octet-stream\r\nContent-Transfer-Encoding: base64\r\n\r\n'
             + body + b'\r\n')
    for level in reversed(range(levels)):
        boundary = b'rel%02d' % level
        inner = (b'Content-Type: multipart/related; boundary=' + boundary + b'\r\n\r\n--' +
                 boundary + b'\r\n' + inner + b'\r\n--' + boundary + b'--\r\n')
    return head + inner


for megabytes in sizes:
    plain = head + b'Content-Type: text/plain\r\n\r\n' + text_lines(megabytes)
    open(os.path.join(out, 'plain%d-crlf.eml' % megabytes), 'wb').write(plain)
    open(os.path.join(out, 'plain%d-lf.eml' % megabytes), 'wb').write(plain.replace(b'\r\n', b'\n'))
    open(os.path.join(out, 'related%d.eml' % megabytes), 'wb').write(nested_related(megabytes))
