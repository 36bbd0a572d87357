// The HTTP exchange against the test site: answers in pieces, answers longer than the program
// reads, and sites that never finish.
#include "net/download.h"
#include "net/test_site.h"
#include "net/update_check.h"
#include "support/win32_support.h"

namespace {

const char UpdatePath[] = "/checkUpdate.asp?v=3.4";
const std::string OkHeader = "HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\n\r\n";

void update_answers_in_pieces_and_beyond_2048_bytes() {
    TestSite site;
    const std::string padding(2100, 'a');
    const struct {
        const char* what;
        Reply reply;
        int result;
    } cases[] = {
        {"header and body in two packets", {{OkHeader, "true"}}, 1},
        {"the status line in two packets", {{"HTTP/1.1 2", "00 OK\r\n\r\ntrue"}}, 1},
        {"true, then far more than 2048 bytes", {{OkHeader + "true" + padding + padding}}, 1},
        {"the blank line beyond 2048 bytes",
         {{"HTTP/1.1 200 OK\r\nX: " + padding + "\r\n\r\ntrue"}},
         0},
        {"closed without an answer", {}, 0},
    };
    for (const auto& c : cases) {
        site.serve(UpdatePath, c.reply);
        check_equal(check_for_update(), c.result, c.what);
    }
}

void an_answer_cut_off_by_the_time_out_fails() {
    TestSite site;
    site.serve(UpdatePath, Reply{{OkHeader + "true"}, true});
    const DWORD start = GetTickCount();
    check_equal(check_for_update(), -1, "a site that stops in the middle of its answer");
    const DWORD took = GetTickCount() - start;
    check(took >= 4500 && took < 9000, "gave up after " + std::to_string(took) + " ms");
}

void no_site_fails() {
    const TestSite refusing(TestSite::Accepting::refused);
    check_equal(check_for_update(), -1, "no site");
}

void downloads_in_pieces_and_longer_than_listed() {
    TestFolder program;
    ProgramFolder = program.path();
    const std::string picture = test_picture("red.jpg"), size = std::to_string(picture.size());
    const std::string header = "HTTP/1.1 200 OK\r\nContent-Type: image/jpeg\r\n";
    TestSite site;
    // A download never writes much more than the list announced, so a site cannot fill the disk.
    const struct {
        const char* what;
        Reply reply;
        std::size_t listed;
        bool fetched;
    } cases[] = {
        {"the header in pieces",
         {{"HTTP/1.1 200 OK\r\n", "Content-Length: " + size + "\r\n\r", "\n" + picture}},
         picture.size(),
         true},
        {"the body's start with the header",
         {{header + "\r\n" + picture.substr(0, 100), picture.substr(100)}},
         picture.size(),
         true},
        {"far more than listed", ok_answer(std::string(4 << 20, 'x')), 1000, false},
        {"not found", {{"HTTP/1.1 404 Not Found\r\n\r\n" + picture}}, picture.size(), false},
    };
    for (const auto& c : cases) {
        site.serve("/p.jpg", c.reply);
        const std::string file = program / "images\\p.jpg";
        check_equal(download_file("http://127.0.0.1/p.jpg", file.c_str(), c.listed), c.fetched,
                    c.what);
        const std::string kept = read_file(file.c_str()).value_or("");
        check(c.fetched ? kept == picture : kept.size() <= c.listed + 8192,
              std::string(c.what) + ": kept " + std::to_string(kept.size()) + " bytes");
    }
}

const TestCase cases[] = {
    {"update answers in pieces and beyond 2048 bytes",
     update_answers_in_pieces_and_beyond_2048_bytes},
    {"an answer cut off by the time-out fails", an_answer_cut_off_by_the_time_out_fails},
    {"no site fails", no_site_fails},
    {"downloads in pieces and longer than listed", downloads_in_pieces_and_longer_than_listed},
};
const Registration registration(cases);

} // namespace
