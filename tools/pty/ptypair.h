#pragma once

#include <QString>

// A pseudo-terminal standing in for the transmitter's serial port: the
// program opens the slave by its path, the simulator, a test or a benchmark
// works the master. Unix only.
namespace pty {

struct Pair {
    int master = -1;
    int slave = -1;
    QString slavePath;
};

// Opens a pair with the slave raw at the link's speed. The master does not
// block; neither end is passed to child processes. The caller keeps its own
// hold on the slave, so the pair lives on while the program closes and
// reopens the port. False, with the reason in *error, when it fails.
bool open(Pair *pair, QString *error);
void close(Pair *pair);

// Bytes written to the master that the program has not read yet.
int unreadBySlave(const Pair &pair);

} // namespace pty
