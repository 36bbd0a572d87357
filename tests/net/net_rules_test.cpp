// What the program sends to its web site and how it reads what comes back: the request form the
// site relies on, the update answer, and the rules that keep a hostile banner list from writing
// or starting anything.
#include "net/banner_list.h"
#include "net/http_message.h"
#include "net/url.h"
#include "support/check.h"

using namespace std::string_literals;

namespace {

void the_request_form() {
    check_equal(http_get_request(versioned_path("/checkUpdate.asp"), "site.example"),
                "GET /checkUpdate.asp?v=3.4 HTTP/1.1\r\n"
                "Accept: */*\r\n"
                "Accept-Language: zh-cn\r\n"
                "User-Agent: Mozilla/4.0 (compatible; MSIE 8.0; Windows NT 5.1; Trident/4.0; "
                "CIBA)\r\n"
                "Host: site.example\r\n"
                "Connection: close\r\n"
                "\r\n",
                "request");
}

void only_an_accepted_true_reports_a_newer_version() {
    const std::string ok = "HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\n\r\n";
    const struct {
        std::string answer;
        int verdict;
    } cases[] = {
        {ok + "true", 1},
        {ok + "trueabc\r\n", 1},
        {"HTTP/1.1 200 OK\r\n\r\ntrue", 1},
        {ok + "TRUE", 0},
        {ok + " true", 0},
        {ok + "false", 0},
        {ok, 0},
        {"HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\ntrue", 0}, // no blank line
        {"HTTP/1.1 200 OK\nContent-Type: text/plain\n\ntrue", 0},   // lines ended by LF alone
        {"HTTP/1.0 200 OK\r\n\r\ntrue", 0},
        {"HTTP/1.1 204 No Content\r\n\r\ntrue", 0},
        {ok + "tr\0ue"s, 0}, // the answer is text: a zero byte ends it
        {"", 0},
    };
    for (const auto& c : cases)
        check_equal(judge_update_answer(c.answer), c.verdict, c.answer);
}

BannerListEntry entry(std::string url, int size = 100, std::string link = "http://a/") {
    return {std::move(url), size, std::move(link), 5000};
}

// The stored name is the text after the last '/', and only a plain file name is stored.
void only_safe_banners_are_stored() {
    // The list's code page 936: a character whose second byte is 0x5C is no backslash.
    const auto listed =
        parse_banner_list("http://i/d/\xE0\x5C.jpg\r\n100\r\nhttp://a/\r\n5000\r\n");
    check_equal(banner_file_name(listed.at(0)).value_or("refused"), std::string(u8"\u90F3.jpg"),
                "0x5C trail");
    check(banner_file_name(entry("http://i/" + std::string(118, 'a'))).has_value(), "127 bytes");
    check(banner_file_name(entry("http://i/a.jpg", 1, std::string(255, 'l'))).has_value(),
          "a link of 255 bytes");
    const BannerListEntry refused[] = {
        entry("http://i/a.jpg", 0),
        entry("a.jpg"),
        entry("http://i/dir/"),
        entry("http://i/.."),
        entry("http://i/..\\..\\ombrel.exe"),
        entry("http://i/C:evil.jpg"),
        entry(u8"http://i/\u4E2D:x"),
        entry("http://i/a\x01.jpg"),
        entry("http://i/a.jpg."),
        entry("http://i/a.jpg "),
        entry("http://i/nul.jpg"),
        entry("http://i/COM1"),
        entry("http://i/" + std::string(119, 'a')),
        entry("http://i/a.jpg", 1, std::string(256, 'l')),
    };
    for (const auto& e : refused)
        check(!banner_file_name(e), "stored: " + e.image_url + " " + std::to_string(e.size));
}

void only_web_links_are_opened() {
    for (const char* link : {"http://site.example/a", "https://h/a?b=c&d", "HTTP://H/"})
        check(is_web_link(link), link);
    for (const char* link :
         {"", "file:///C:/Windows/System32/calc.exe", "C:\\Windows\\notepad.exe", "calc.exe",
          "javascript:alert(1)", "\\\\server\\share\\x.exe", "http://h/a b",
          "http://h/\" --new-window file:///etc", "http://h/\r", " http://h/"})
        check(!is_web_link(link), std::string("opened: ") + link);
}

void a_picture_url_the_request_can_carry() {
    const auto parts = split_url("http://img.example/dir/name.jpg");
    check(parts && parts->host == "img.example" && parts->path == "/dir/name.jpg", "split");
    check(split_url("http://" + std::string(29, 'h') + "/" + std::string(258, 'p')).has_value(),
          "host and path at their limits");
    for (const std::string& url :
         {"name.jpg"s, "http://host"s, "http:///a.jpg"s, "http://" + std::string(30, 'h') + "/a",
          "http://h/" + std::string(259, 'p'), "http://h/a b.jpg"s, "http://h\r\nX: y/a.jpg"s})
        check(!split_url(url), "split: " + url);
}

const TestCase cases[] = {
    {"the request form", the_request_form},
    {"only an accepted true reports a newer version",
     only_an_accepted_true_reports_a_newer_version},
    {"only safe banners are stored", only_safe_banners_are_stored},
    {"only web links are opened", only_web_links_are_opened},
    {"a picture URL the request can carry", a_picture_url_the_request_can_carry},
};
const Registration registration(cases);

} // namespace
