#include "ptypair.h"

#include "protocol.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <pty.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace pty {

namespace {

speed_t linkSpeed()
{
    static_assert(protocol::baudRate == 115200, "the pty speed follows the link's");
    return B115200;
}

} // namespace

bool open(Pair *pair, QString *error)
{
    if (::openpty(&pair->master, &pair->slave, nullptr, nullptr, nullptr) != 0) {
        *error = QStringLiteral("cannot open a pseudo-terminal: %1").arg(QString::fromLocal8Bit(std::strerror(errno)));
        pair->master = pair->slave = -1;
        return false;
    }
    termios tio;
    ::tcgetattr(pair->slave, &tio);
    ::cfmakeraw(&tio);
    ::cfsetispeed(&tio, linkSpeed());
    ::cfsetospeed(&tio, linkSpeed());
    ::tcsetattr(pair->slave, TCSANOW, &tio);
    ::fcntl(pair->master, F_SETFL, ::fcntl(pair->master, F_GETFL) | O_NONBLOCK);
    ::fcntl(pair->master, F_SETFD, FD_CLOEXEC);
    ::fcntl(pair->slave, F_SETFD, FD_CLOEXEC);
    pair->slavePath = QString::fromLocal8Bit(::ttyname(pair->slave));
    return true;
}

void close(Pair *pair)
{
    if (pair->master >= 0)
        ::close(pair->master);
    if (pair->slave >= 0)
        ::close(pair->slave);
    pair->master = pair->slave = -1;
}

int unreadBySlave(const Pair &pair)
{
    int n = 0;
    if (pair.slave < 0 || ::ioctl(pair.slave, FIONREAD, &n) != 0)
        return 0;
    return n;
}

} // namespace pty
