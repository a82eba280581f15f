#include "net/SocketSendQueue.h"

#ifdef Q_OS_LINUX
#include <linux/sockios.h>
#include <sys/ioctl.h>
#endif

qint64 SocketSendQueue::bytes(qintptr descriptor) {
#ifdef Q_OS_LINUX
    // Bytes in the send queue not yet acknowledged by the peer.
    int queued = 0;
    if (descriptor >= 0 && ::ioctl(int(descriptor), SIOCOUTQ, &queued) == 0 && queued > 0)
        return queued;
#else
    Q_UNUSED(descriptor);
#endif
    return 0;
}
