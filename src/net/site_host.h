// The host name of the product web site, fixed when the program is built.
#pragma once

const char* site_host();
