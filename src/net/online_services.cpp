#include "net/online_services.h"

#include "net/update_check.h"

BannerRotation* start_online_services(OnlineHost& host) {
    start_service_thread(update_check_thread, &host, host);
    auto* banners = new BannerRotation(host);
    if (!banners->start())
        host.thread_not_started();
    return banners;
}
