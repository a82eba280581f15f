#include "net/LastConnection.h"

#include "base/NodeEntry.h"

namespace {
bool isNodeNumber(int node) {
    return node >= 1 && node <= NodeCount;
}
} // namespace

bool LastConnection::SetLastNode(int node) {
    if (!isNodeNumber(node))
        return false;
    m_lastConnAction = node;
    return true;
}

bool LastConnection::SetLastScript(int node) {
    if (!isNodeNumber(node))
        return false;
    m_lastConnAction = 100 + node;
    return true;
}
