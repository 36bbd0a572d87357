// Compiled once per host: the program gets the build's OMBREL_SITE_HOST, the tests a twin that
// names the loopback host where they run their own site.
#include "net/site_host.h"

const char* site_host() {
    return OMBREL_SITE_HOST;
}
