#include "console.h"

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace console {

void put(std::FILE *stream, const QString &text)
{
#ifdef Q_OS_WIN
    // A console takes UTF-16 whatever its code page, so the Chinese names
    // show on an English Windows too; a file or pipe gets the system's
    // encoding as from any console program.
    if (stream == stdout || stream == stderr) {
        const HANDLE handle = GetStdHandle(stream == stderr ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
        DWORD mode = 0;
        if (handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode)) {
            std::fflush(stream);
            DWORD written = 0;
            WriteConsoleW(handle, reinterpret_cast<const wchar_t *>(text.utf16()), DWORD(text.size()), &written,
                          nullptr);
            return;
        }
    }
#endif
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
