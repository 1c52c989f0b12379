# Writes a mailbox of the real corpus messages (tests/data/corpus/messages)
# for bench/corpus_mailbox_timing.sh, as the mail client stores them: CR LF
# line ends, each message after the envelope line
# "From ???@??? Mon Dec 07 09:00:00 2026" (an envelope line a message
# already begins with gives way to it), and every other line that would pass
# for an envelope line ("From ", a sender and a date) quoted with ">".
# Usage: make_corpus_mailbox.py OUTPUT MEGABYTES   every message, repeated
#        make_corpus_mailbox.py OUTPUT --small N   N messages of at most
#                                                  16 KB each, repeated
import os, re, sys

ENVELOPE = b'From ???@??? Mon Dec 07 09:00:00 2026\r\n'
SMALL = 16 * 1024
corpus = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'tests', 'data', 'corpus',
                      'messages')
WEEKDAYS = (b'mon', b'tue', b'wed', b'thu', b'fri', b'sat', b'sun')
MONTHS = (b'jan', b'feb', b'mar', b'apr', b'may', b'jun', b'jul', b'aug', b'sep', b'oct', b'nov',
          b'dec')
TIME = re.compile(rb'^[0-9]{1,2}:[0-9]{2}[0-9:]*$')
YEAR = re.compile(rb'^[0-9]{4}$')


def is_envelope_line(line):
    # "From", the sender, a weekday, then a month, a time and a year after it.
    if not line.startswith(b'From ') or len(line) > 1000:
        return False
    words = line[5:].replace(b'\t', b' ').split()[:8]
    if len(words) < 6 or words[1][:3].lower() not in WEEKDAYS:
        return False
    month = time = year = False
    for word in words[2:]:
        month = month or word[:3].lower() in MONTHS
        time = time or bool(TIME.match(word))
        year = year or (time and bool(YEAR.match(word)))
    return month and time and year


def stored(data):
    lines = data.replace(b'\r\n', b'\n').split(b'\n')
    if lines and is_envelope_line(lines[0]):
        lines = lines[1:]
    if lines and lines[-1] == b'':
        lines = lines[:-1]
    lines = [b'>' + line if is_envelope_line(line) else line for line in lines]
    return ENVELOPE + b'\r\n'.join(lines) + b'\r\n'


def load():
    messages = []
    for name in sorted(os.listdir(corpus)):
        if name != 'MANIFEST.tsv':
            with open(os.path.join(corpus, name), 'rb') as f:
                messages.append(stored(f.read()))
    return messages


messages = load()
if sys.argv[2] == '--small':
    messages = [m for m in messages if len(m) <= SMALL]
    count, target = int(sys.argv[3]), None
else:
    count, target = None, int(sys.argv[2]) * 1000 * 1000
written = 0
written_count = 0
with open(sys.argv[1], 'wb') as out:
    while (count is not None and written_count < count) or (target is not None and written < target):
        message = messages[written_count % len(messages)]
        out.write(message)
        written += len(message)
        written_count += 1
print('%d messages, %.1f MB' % (written_count, written / 1e6))
