/* Preloaded into Wine by tools/windows/test.sh. A pseudo-terminal has no
 * modem lines, and Wine's WaitCommEvent gives up on a port whose lines it
 * cannot read, so a program waiting for received bytes (as QSerialPort does)
 * never hears of them. Here a terminal without lines answers as a plugged-in
 * USB adapter does: DSR, CTS and carrier up; setting lines is taken as done. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <errno.h>
#include <stdarg.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

int ioctl(int fd, unsigned long request, ...)
{
    static int (*real)(int, unsigned long, ...);
    va_list args;
    void *arg;
    int result;

    va_start(args, request);
    arg = va_arg(args, void *);
    va_end(args);
    if (!real)
        real = (int (*)(int, unsigned long, ...))dlsym(RTLD_NEXT, "ioctl");
    result = real(fd, request, arg);
    if (result < 0 && errno == ENOTTY && isatty(fd)) {
        switch (request) {
        case TIOCMGET:
            *(int *)arg = TIOCM_DSR | TIOCM_CTS | TIOCM_CAR;
            return 0;
        case TIOCMBIS:
        case TIOCMBIC:
        case TIOCMSET:
            return 0;
        }
    }
    return result;
}
