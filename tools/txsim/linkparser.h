#pragma once

#include <QByteArray>
#include <QVector>

// Splits what the configurator sends into its messages. The link has no
// framing: "OK", "DIS", "RR" and "WWW" are bare tokens, and a Parameter frame
// runs from its start letter to its end letter with hex digits in every
// field, as the frame layouts have it. Reads may split a message
// anywhere or join several; bytes that fit nothing come back as junk.
class LinkParser
{
public:
    enum class Kind { Open, Close, ReadRequest, Ack, Frame, Junk };

    struct Message {
        Kind kind;
        int frame;        // 0..3 (S, G, H, I) for a frame, else -1
        QByteArray bytes; // the message as received
    };

    // Adds received bytes and returns the messages they complete. The start
    // of an unfinished message is kept for the next call.
    QVector<Message> feed(const QByteArray &bytes);

    // Gives up on an unfinished message (the sender went quiet); its bytes
    // come back as junk, or as whatever complete messages they still hold.
    QVector<Message> flush();

    bool hasPending() const { return !m_buffer.isEmpty(); }

private:
    QVector<Message> parse(bool final);

    QByteArray m_buffer;
};
