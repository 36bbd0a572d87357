// The online services that run beside the main window: the update check and the banners.
#pragma once
#include "net/banner_rotation.h"
#include "net/online_host.h"

// Starts update_check_thread, then the banners' threads, all reporting to host, which must
// outlive them. The rotation is never destroyed: the banner table lives and the rotation runs
// until the process ends.
BannerRotation* start_online_services(OnlineHost& host);
