/* The libvips peer of the benchmark: the batch's job done the way libvips does it best. Each
 * FILE is shrunk to WIDTHxHEIGHT while it is decoded, gets the black TEXT (FONT: face and
 * size in pixels, from FONT_FILE) and the WATERMARK image at the bottom right (margins 16), is
 * laid on white and is written at JPEG quality 90 into TARGET, under the batch's result name
 * (a.jpg stays a.jpg, a.png becomes a.png.jpg).
 *   vips_job TARGET WIDTHxHEIGHT FONT_FILE FONT TEXT WATERMARK FILE...                       */
#include <stdio.h>
#include <string.h>
#include <strings.h>
#include <vips/vips.h>

enum { Margin = 16 };

static int fail(const char* what) {
    fprintf(stderr, "vips_job: %s: %s", what, vips_error_buffer());
    return 1;
}

/* The text once per run: black, its coverage as alpha; at 72 dpi a point is a pixel. */
static VipsImage* text_layer(const char* text, const char* font, const char* font_file) {
    VipsImage *mask, *black, *joined, *layer = NULL;
    if (vips_text(&mask, text, "font", font, "fontfile", font_file, "dpi", 72, NULL))
        return NULL;
    if (!vips_black(&black, mask->Xsize, mask->Ysize, "bands", 3, NULL)) {
        if (!vips_bandjoin2(black, mask, &joined, NULL)) {
            vips_copy(joined, &layer, "interpretation", VIPS_INTERPRETATION_sRGB, NULL);
            g_object_unref(joined);
        }
        g_object_unref(black);
    }
    g_object_unref(mask);
    return layer;
}

static int ends_with_nocase(const char* name, const char* end) {
    size_t n = strlen(name), e = strlen(end);
    return n >= e && !strcasecmp(name + n - e, end);
}

/* What every image gets, made once per run. */
struct Job {
    const char* target;
    int width, height;
    VipsImage *text, *mark;
    VipsArrayDouble* white;
};

static int process(const char* source, const struct Job* job) {
    const char* name = strrchr(source, '/') ? strrchr(source, '/') + 1 : source;
    const int keep = ends_with_nocase(name, ".jpg") || ends_with_nocase(name, ".jpeg");
    char out[4096];
    snprintf(out, sizeof out, "%s/%s%s", job->target, name, keep ? "" : ".jpg");

    VipsImage *t[4] = {NULL}, *text = job->text, *mark = job->mark;
    int failed = vips_thumbnail(source, &t[0], job->width, "height", job->height, "size",
                                VIPS_SIZE_FORCE, NULL) ||
                 vips_composite2(t[0], text, &t[1], VIPS_BLEND_MODE_OVER, "x",
                                 t[0]->Xsize - text->Xsize - Margin, "y",
                                 t[0]->Ysize - text->Ysize - Margin, NULL) ||
                 vips_composite2(t[1], mark, &t[2], VIPS_BLEND_MODE_OVER, "x",
                                 t[1]->Xsize - mark->Xsize - Margin, "y",
                                 t[1]->Ysize - mark->Ysize - Margin, NULL) ||
                 vips_flatten(t[2], &t[3], "background", job->white, NULL) ||
                 vips_jpegsave(t[3], out, "Q", 90, NULL);
    for (int i = 0; i < 4; ++i)
        if (t[i])
            g_object_unref(t[i]);
    return failed ? fail(source) : 0;
}

int main(int argc, char** argv) {
    if (VIPS_INIT(argv[0]))
        return fail("start");
    struct Job job = {.target = argv[1]};
    if (argc < 8 || sscanf(argv[2], "%dx%d", &job.width, &job.height) != 2) {
        fputs("usage: vips_job TARGET WIDTHxHEIGHT FONT_FILE FONT TEXT WATERMARK FILE...\n",
              stderr);
        return 64;
    }
    /* The watermark decoded once, as 8-bit sRGB like the pictures, so that white is 255. */
    VipsImage *file = vips_image_new_from_file(argv[6], NULL), *srgb = NULL;
    if (file && !vips_colourspace(file, &srgb, VIPS_INTERPRETATION_sRGB, NULL))
        job.mark = vips_image_copy_memory(srgb);
    job.text = text_layer(argv[5], argv[4], argv[3]);
    job.white = vips_array_double_newv(1, 255.0);
    if (!job.text || !job.mark)
        return fail("watermark");
    int failures = 0;
    for (int i = 7; i < argc; ++i)
        failures += process(argv[i], &job);
    vips_area_unref(VIPS_AREA(job.white));
    g_object_unref(job.mark);
    g_object_unref(srgb);
    g_object_unref(file);
    g_object_unref(job.text);
    vips_shutdown();
    return failures ? 1 : 0;
}
