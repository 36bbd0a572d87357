#include "net/web_page_launch.h"

#include "base/text.h"

std::vector<ShellLaunch> web_page_launches(std::string_view browser, std::string_view url) {
    const ShellLaunch the_url{std::string(url), {}};
    const ShellLaunch explorer{"iexplore.exe", std::string(url)};
    if (browser.empty())
        return {the_url, explorer};
    const std::string browser_path(browser);
    const ShellLaunch registered{browser_path, std::string(url)};
    if (ends_with_nocase(browser_path.c_str(), "iexplore.exe"))
        return {registered, the_url};
    return {registered, explorer};
}
