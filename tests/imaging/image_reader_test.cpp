#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "imaging/image_reader.h"
#include "imaging/magick.h"
#include "support/temp_folder.h"
#include "support/test_images.h"

namespace {

class ReadImage : public testing::Test {
  protected:
    MagickSession session;
    TempFolder folder;
};

uint32_t crc32(const std::string& bytes) {
    uint32_t crc = 0xFFFFFFFF;
    for (unsigned char b : bytes) {
        crc ^= b;
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320 & (0 - (crc & 1)));
    }
    return ~crc;
}

std::string big_endian(uint32_t value, int bytes) {
    std::string out;
    for (int i = bytes - 1; i >= 0; --i)
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
    return out;
}

std::string little_endian(uint32_t value, int bytes) {
    std::string out;
    for (int i = 0; i < bytes; ++i)
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
    return out;
}

// A real small file of the coder, as the library writes it.
std::string encoded_image(const TempFolder& folder, const char* coder) {
    const auto image = solid_image(2, 2, "#336699");
    const std::string path = folder / (std::string("model.") + coder);
    save_image(image.get(), path, coder);
    return read_whole_file(path);
}

// A PNG of a few dozen bytes whose header (with a valid checksum) declares width x height.
std::string png_declaring(const TempFolder& folder, uint32_t width, uint32_t height) {
    std::string png = encoded_image(folder, "PNG");
    png.replace(16, 8, big_endian(width, 4) + big_endian(height, 4)); // IHDR data
    png.replace(29, 4, big_endian(crc32(png.substr(12, 17)), 4));
    return png;
}

// A baseline JPEG whose frame header declares width x height.
std::string jpeg_declaring(const TempFolder& folder, uint16_t width, uint16_t height) {
    std::string jpeg = encoded_image(folder, "JPEG");
    const std::size_t frame = jpeg.find("\xFF\xC0");
    if (frame == std::string::npos)
        throw std::runtime_error("no baseline frame header in the test JPEG");
    jpeg.replace(frame + 5, 4, big_endian(height, 2) + big_endian(width, 2));
    return jpeg;
}

std::string bmp_declaring(uint32_t width, uint32_t height) {
    return "BM" + little_endian(70, 4) + little_endian(0, 4) + little_endian(54, 4) +
           little_endian(40, 4) + little_endian(width, 4) + little_endian(height, 4) +
           little_endian(1, 2) + little_endian(24, 2) + std::string(24, '\0') +
           std::string(16, '\x7F');
}

std::string gif_declaring(uint16_t width, uint16_t height) {
    const std::string size = little_endian(width, 2) + little_endian(height, 2);
    return "GIF89a" + size + std::string("\0\0\0", 3) + "," + std::string(4, '\0') + size +
           std::string("\0\x02\x02\x4C\x01\0;", 7);
}

} // namespace

// The first bytes decide, whatever the name says; names may be Chinese.
TEST_F(ReadImage, ReadsEachRasterFormatByItsContent) {
    for (const char* coder : {"JPEG", "PNG", "GIF", "BMP", "WEBP"}) {
        const auto image = solid_image(6, 4, "red");
        const std::string path = folder / (std::string("商品图-") + coder + ".jpg.png");
        save_image(image.get(), path, coder);

        const auto wand = new_magick_wand();
        ASSERT_TRUE(read_image(wand.get(), path.c_str())) << coder << library_error(wand.get());
        EXPECT_EQ(MagickGetImageWidth(wand.get()), 6u) << coder;
        EXPECT_EQ(MagickGetImageHeight(wand.get()), 4u) << coder;
        const unique_magick_memory<char> format(MagickGetImageFormat(wand.get()));
        EXPECT_STREQ(format.get(), coder);
    }
}

// Formats the library would interpret (drawing commands, scripts, other files to include) are
// never handed to it, and damaged images fail.
TEST_F(ReadImage, RefusesEverythingThatIsNoRasterImage) {
    struct Case {
        const char* what;
        std::string content;
    };
    const Case cases[] = {
        {"SVG", "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"10\" height=\"10\">"
                "<rect width=\"10\" height=\"10\"/></svg>"},
        {"MVG", "push graphic-context\nviewbox 0 0 10 10\nfill red\nrectangle 0,0 9,9\n"},
        {"MSL", "<?xml version=\"1.0\"?><image><read filename=\"x.png\"/></image>"},
        {"PostScript", "%!PS\n0 0 moveto 10 10 lineto stroke showpage\n"},
        {"text", "hello"},
        {"empty", ""},
        {"JPEG start and rubbish", "\xFF\xD8\xFF\xE0 this is no picture at all"},
        {"PNG signature alone", "\x89PNG\r\n\x1A\n"},
    };
    for (const Case& c : cases) {
        const std::string path = folder / "a.jpg";
        make_file(path, c.content);
        const auto wand = new_magick_wand();
        EXPECT_FALSE(read_image(wand.get(), path.c_str())) << c.what;
        EXPECT_EQ(MagickGetNumberImages(wand.get()), 0u) << c.what;
    }
    const auto wand = new_magick_wand();
    EXPECT_FALSE(read_image(wand.get(), (folder / "missing.jpg").c_str()));
    EXPECT_FALSE(read_image(wand.get(), folder.path().c_str())) << "a folder";
}

// A few dozen bytes that declare a gigantic picture fail at once instead of taking the
// machine's memory. The JPEG and BMP coders tell why; the others fail without a reason.
TEST_F(ReadImage, RefusesDecompressionBombs) {
    struct Case {
        const char* what;
        std::string content;
        bool limit_named;
    };
    const Case cases[] = {
        {"PNG 100000 x 100000", png_declaring(folder, 100000, 100000), false},
        {"JPEG 60000 x 60000", jpeg_declaring(folder, 60000, 60000), true},
        {"JPEG 60000 x 1", jpeg_declaring(folder, 60000, 1), true},
        {"BMP 100000 x 100000", bmp_declaring(100000, 100000), true},
        {"GIF 65535 x 65535", gif_declaring(65535, 65535), false},
    };
    for (const Case& c : cases) {
        const std::string path = folder / "bomb.png";
        make_file(path, c.content);
        const auto wand = new_magick_wand();
        EXPECT_FALSE(read_image(wand.get(), path.c_str())) << c.what;
        if (c.limit_named) {
            EXPECT_NE(library_error(wand.get()).find("exceeds limit"), std::string::npos)
                << c.what << ": " << library_error(wand.get());
        }
    }
    // The same file with its true size is read, so the patching above keeps the file valid.
    make_file(folder / "sane.png", png_declaring(folder, 2, 2));
    const auto wand = new_magick_wand();
    EXPECT_TRUE(read_image(wand.get(), (folder / "sane.png").c_str())) << library_error(wand.get());
}
