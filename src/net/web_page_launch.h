// The order in which a web page is handed to the shell: the registered browser first, then the
// fall-backs, each tried only when the one before it failed.
#pragma once
#include <string>
#include <string_view>
#include <vector>

// One ShellExecuteA "open": the file to open and its parameters (empty: none).
struct ShellLaunch {
    std::string file;
    std::string parameters;
};

// The launches for url, given the program registered for .html files (empty when none is).
// A failed browser is followed by the URL itself when the browser was Internet Explorer (it
// would only fail again), else by Internet Explorer with the URL; with no browser registered,
// the URL itself comes first and Internet Explorer after it.
std::vector<ShellLaunch> web_page_launches(std::string_view browser, std::string_view url);
