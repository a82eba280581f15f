#pragma once

// How the last connection was made, so an automatic reconnect can repeat it: through
// the connect dialog to node n (1 to 12), or by a script's "node n" (100 + n).

class LastConnection {
public:
    // False, and nothing recorded, for a node outside 1 to 12.
    bool SetLastNode(int node);
    bool SetLastScript(int node);
    int LastConnAction() const { return m_lastConnAction; }

private:
    int m_lastConnAction = 0;
};
