#include "linkparser.h"

#include "frames.h"
#include "protocol.h"

namespace {

struct Token {
    const char *text;
    LinkParser::Kind kind;
};

const Token tokens[] = {
    {protocol::helloToken, LinkParser::Kind::Open},
    {protocol::byeToken, LinkParser::Kind::Close},
    {protocol::readToken, LinkParser::Kind::ReadRequest},
    {protocol::ackToken, LinkParser::Kind::Ack},
};

// The frame that starts with c, or -1.
int frameStartingWith(char c)
{
    for (int k = FrameS; k <= FrameI; ++k)
        if (frameLayout(k).start == c)
            return k;
    return -1;
}

enum class Match { No, Partial, Full };

} // namespace

QVector<LinkParser::Message> LinkParser::feed(const QByteArray &bytes)
{
    m_buffer += bytes;
    return parse(false);
}

QVector<LinkParser::Message> LinkParser::flush()
{
    return parse(true);
}

QVector<LinkParser::Message> LinkParser::parse(bool final)
{
    QVector<Message> out;
    QByteArray junk;
    auto put = [&](Kind kind, int frame, const QByteArray &b) {
        if (!junk.isEmpty()) {
            out.append({Kind::Junk, -1, junk});
            junk.clear();
        }
        out.append({kind, frame, b});
    };

    const int size = m_buffer.size();
    int pos = 0;
    while (pos < size) {
        const char c = m_buffer.at(pos);
        const int avail = size - pos;
        Match match = Match::No;
        int length = 0;
        Kind kind = Kind::Junk;
        int frame = -1;

        for (const Token &t : tokens) {
            if (c != t.text[0])
                continue;
            const QByteArray text(t.text);
            const int n = qMin(avail, text.size());
            if (m_buffer.mid(pos, n) == text.left(n)) {
                match = n == text.size() ? Match::Full : Match::Partial;
                length = text.size();
                kind = t.kind;
            }
            break;
        }

        if (const int f = frameStartingWith(c); f >= 0) {
            frame = f;
            kind = Kind::Frame;
            length = frameLayout(f).length;
            match = Match::Full;
            for (int i = 1; i < length; ++i) {
                if (i >= avail) {
                    match = Match::Partial;
                    break;
                }
                if (!frameAccepts(f, i, QLatin1Char(m_buffer.at(pos + i)))) {
                    match = Match::No;
                    break;
                }
            }
        }

        if (match == Match::Partial && !final)
            break;
        if (match == Match::Full) {
            put(kind, frame, m_buffer.mid(pos, length));
            pos += length;
        } else {
            // Not the start of anything we know: drop one byte and look
            // again from the next, so a broken frame cannot hide a token.
            junk += c;
            ++pos;
        }
    }
    if (!junk.isEmpty())
        out.append({Kind::Junk, -1, junk});
    m_buffer.remove(0, pos);
    return out;
}
