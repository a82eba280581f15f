#include "net/SocketWakeThreshold.h"

#ifdef Q_OS_UNIX
#include <sys/socket.h>
#endif

bool SocketWakeThreshold::set(qintptr descriptor, int bytes) {
#ifdef Q_OS_UNIX
    // The receive low-water mark: poll() reports the socket readable once this many
    // bytes wait, or at once on end of stream or error.
    return descriptor >= 0 &&
           ::setsockopt(int(descriptor), SOL_SOCKET, SO_RCVLOWAT, &bytes, sizeof bytes) == 0;
#else
    Q_UNUSED(descriptor);
    Q_UNUSED(bytes);
    return false;
#endif
}
