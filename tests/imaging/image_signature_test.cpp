#include <gtest/gtest.h>

#include <string>

#include "imaging/image_signature.h"

namespace {

const char* coder_for(const std::string& head) {
    return coder_for_signature(reinterpret_cast<const unsigned char*>(head.data()), head.size());
}

} // namespace

TEST(CoderForSignature, NamesTheFiveRasterFormats) {
    struct Case {
        std::string head;
        const char* coder;
    };
    const Case cases[] = {
        {std::string("\xFF\xD8\xFF\xE0\x00\x10JFIF\x00\x01", 12), "JPEG"},
        {std::string("\xFF\xD8\xFF", 3), "JPEG"},
        {std::string("\x89PNG\r\n\x1A\n\x00\x00\x00\x0D", 12), "PNG"},
        {"GIF87a\x10\x00\x10\x00\x80\x00", "GIF"},
        {"GIF89a", "GIF"},
        {"BM", "BMP"},
        {std::string("RIFF\x24\x00\x00\x00WEBPVP8 ", 16), "WEBP"},
    };
    for (const Case& c : cases) {
        const char* coder = coder_for(c.head);
        ASSERT_NE(coder, nullptr) << c.coder;
        EXPECT_STREQ(coder, c.coder);
    }
}

TEST(CoderForSignature, RefusesEverythingElse) {
    const std::string refused[] = {
        "",
        "<?xml version=\"1.0\"?><svg",
        "<svg xmlns=\"http://www.w3.org/2000/svg\"",
        "push graphic-context\nviewbox 0 0 10 10",    // MVG
        "<?xml version=\"1.0\"?><image><read filena", // MSL
        "%!PS-Adobe-3.0 EPSF",
        "plain text that is no image",
        std::string("\xFF\xD8", 2),    // a JPEG cut before its first marker
        std::string("\x89PNG\r\n", 6), // a PNG cut inside its signature
        "GIF88a",
        "gif89a",
        std::string("RIFF\x24\x00\x00\x00WAVEfmt ", 16),
        "RIFF\x24\x00\x00\x00WEB", // cut before the form type ends
        "bm",
        std::string("\x00\x00\x01\x00", 4), // an icon
    };
    for (const std::string& head : refused)
        EXPECT_EQ(coder_for(head), nullptr) << head;
}
