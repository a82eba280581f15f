#include "base/NodeEntry.h"

NodeTable::NodeTable() {
    // The entries after the known ones keep the defaults of the key table.
    struct Known {
        const char* address;
        const char* port;
        const char* remarks;
    };
    static constexpr Known known[] = {
        {"oh2aq.kolumbus.fi", "41112", "OH2AQ Helsinki, Finland"},
        {"dxc.ve7cc.net", "23", "VE7CC-1 British Columbia, Canada"},
        {"gb7djk.dxcluster.net", "7300", "GB7DJK Kent, England"},
        {"s50clx.infrax.si", "41112", "S50CLX Slovenia"},
        {"w3lpl.net", "7373", "W3LPL Maryland, USA"},
        {"db0sue.de", "8000", "DB0SUE-7 Germany"},
    };
    for (size_t i = 0; i < std::size(known); ++i) {
        (*this)[i].address = QString::fromLatin1(known[i].address);
        (*this)[i].port = QString::fromLatin1(known[i].port);
        (*this)[i].remarks = QString::fromLatin1(known[i].remarks);
    }
    (*this)[4].localEcho = false; // an AR-Cluster node echoes typed lines itself
}
