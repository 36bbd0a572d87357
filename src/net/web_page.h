// Opening web pages in the user's browser.
#pragma once
#include <string>

// Opens url in the browser registered for .html files, falling back to the shell and to
// Internet Explorer. Failures are not reported: when every attempt fails nothing happens.
void open_web_page(const char* url);

// The http URL of a page of the product web site: site_url("/help.html").
std::string site_url(const char* path);

// open_web_page(site_url(path)): the menu's pages, "/unzip.html", the home page "/".
void open_site_page(const char* path);
