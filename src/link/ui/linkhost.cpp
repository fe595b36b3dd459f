#include "linkhost.h"

namespace {
TLinkHost *host = nullptr;
}

TLinkHost *linkHost()
{
    return host;
}

void setLinkHost(TLinkHost *h)
{
    host = h;
}
