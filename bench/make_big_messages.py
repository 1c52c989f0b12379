# Generates the large test messages for bench/translate_timing.sh into a folder.
import base64, os, random, quopri
random.seed(7)
import sys
out = sys.argv[1] + '/'
def b64lines(data):
    s = base64.b64encode(data)
    return b'\r\n'.join(s[i:i+76] for i in range(0, len(s), 76))
# 50 MB multipart/related with base64 images
parts = [b'From: a@example.org\r\nTo: b@example.org\r\nSubject: Big related\r\nDate: Mon, 7 Dec 2026 09:00:00 +0000\r\nMIME-Version: 1.0\r\nContent-Type: multipart/related; boundary="rel-b"; type="text/html"\r\n\r\n']
html = b'<html><body>' + b'<p>Picture <img src="cid:img%d"></p>' * 20 + b'</body></html>'
parts.append(b'--rel-b\r\nContent-Type: text/html; charset=utf-8\r\nContent-Transfer-Encoding: 7bit\r\n\r\n' + html + b'\r\n')
total = sum(len(p) for p in parts)
i = 0
while total < 50 * 1000 * 1000:
    data = os.urandom(2 * 1000 * 1000)
    p = b'--rel-b\r\nContent-Type: image/jpeg; name="img%d.jpg"\r\nContent-Transfer-Encoding: base64\r\nContent-ID: <img%d>\r\nContent-Disposition: inline; filename="img%d.jpg"\r\n\r\n' % (i, i, i) + b64lines(data) + b'\r\n'
    parts.append(p); total += len(p); i += 1
parts.append(b'--rel-b--\r\n')
open(out + 'related50.eml', 'wb').write(b''.join(parts))
# 20 MB multipart/alternative with quoted-printable parts
words = ['caf\xe9', 'na\xefve', 'report', 'sales', 'meeting', 'Friday', 'r\xe9sum\xe9', 'budget', 'north', 'south', '=', 'tab\there']
def text_block(n):
    lines = []
    size = 0
    while size < n:
        line = ' '.join(random.choice(words) for _ in range(random.randint(5, 25)))
        lines.append(line); size += len(line) + 2
    return '\r\n'.join(lines).encode('latin-1')
plain = text_block(9 * 1000 * 1000)
htmlt = b'<html><body>' + text_block(9 * 1000 * 1000).replace(b'\r\n', b'<br>\r\n') + b'</body></html>'
qp = lambda b: quopri.encodestring(b.replace(b'\r\n', b'\n')).replace(b'\n', b'\r\n')
msg = (b'From: a@example.org\r\nSubject: Big alternative\r\nDate: Mon, 7 Dec 2026 09:00:00 +0000\r\nMIME-Version: 1.0\r\nContent-Type: multipart/alternative; boundary="alt-b"\r\n\r\n'
       b'--alt-b\r\nContent-Type: text/plain; charset=iso-8859-1\r\nContent-Transfer-Encoding: quoted-printable\r\n\r\n' + qp(plain) +
       b'\r\n--alt-b\r\nContent-Type: text/html; charset=iso-8859-1\r\nContent-Transfer-Encoding: quoted-printable\r\n\r\n' + qp(htmlt) + b'\r\n--alt-b--\r\n')
open(out + 'alternative20.eml', 'wb').write(msg)
open(out + 'related-qp20.eml', 'wb').write(msg.replace(b'multipart/alternative', b'multipart/related', 1))
# 5 MB text/html
body = b'<html><body>' + b''.join(b'<table><tr><td>Row %d</td><td><b>value</b> &amp; more</td></tr></table>\r\n<p>Paragraph with <a href="http://example.org/%d">link</a></p>\r\n' % (k, k) for k in range(40000)) + b'</body></html>'
body = body[:5*1000*1000]
open(out + 'html5.eml', 'wb').write(b'From: a@example.org\r\nSubject: Big html\r\nDate: Mon, 7 Dec 2026 09:00:00 +0000\r\nMIME-Version: 1.0\r\nContent-Type: text/html; charset=utf-8\r\n\r\n' + body)
# 5 MB text/html made of the corpus newsletters, one after another: markup
# as mail really has it (the html5 message above is far denser in tags)
corpus = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'tests', 'data', 'corpus', 'html')
# Only the HTML files, and not the AMP page: its boilerplate style hides the
# body, which would hide every page after it too.
pages = [open(os.path.join(corpus, name), 'rb').read() for name in sorted(os.listdir(corpus))
         if name.endswith('.html') and 'amp' not in name]
news = b''
k = 0
while len(news) < 5 * 1000 * 1000:
    news += pages[k % len(pages)]
    k += 1
open(out + 'news5.eml', 'wb').write(b'From: a@example.org\r\nSubject: Big newsletter\r\nDate: Mon, 7 Dec 2026 09:00:00 +0000\r\nMIME-Version: 1.0\r\nContent-Type: text/html; charset=utf-8\r\n\r\n' + news)
# 8 MB of one million header lines above a small body: as text/html
# (translator 2) and as multipart/alternative (translator 1)
many = b'X-A: abc\r\n' * 800000
open(out + 'headers8-html.eml', 'wb').write(b'From: a@example.org\r\nSubject: Many header lines\r\n' + many + b'Content-Type: text/html; charset=utf-8\r\n\r\n<p>Short</p>\r\n')
open(out + 'headers8-alt.eml', 'wb').write(b'From: a@example.org\r\nSubject: Many header lines\r\n' + many + b'Content-Type: multipart/alternative; boundary="b"\r\n\r\n--b\r\nContent-Type: text/plain\r\n\r\nShort\r\n--b\r\nContent-Type: text/html\r\n\r\n<p>Short</p>\r\n--b--\r\n')
# 50 MB multipart/alternative of five million tiny parts (translator 1)
tiny = b'--b\r\n\r\nx\r\n' * 5000000
open(out + 'parts50.eml', 'wb').write(b'From: a@example.org\r\nSubject: Many parts\r\nContent-Type: multipart/alternative; boundary="b"\r\n\r\n' + tiny + b'--b--\r\n')
