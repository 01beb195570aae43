#include "console.h"

namespace console {

void put(std::FILE *stream, const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
}

void say(const QString &text)
{
    put(stderr, QStringLiteral("varnix-param: %1\n").arg(text));
    std::fflush(stderr);
}

int refuse(const QString &text)
{
    say(text);
    return Refused;
}

} // namespace console
