// A fresh canvas and fresh pens for each test, freed afterwards.
#ifndef SCRIBBLET_TESTS_CANVAS_CANVAS_FIXTURE_H
#define SCRIBBLET_TESTS_CANVAS_CANVAS_FIXTURE_H

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "canvas/canvas.h"
#include "canvas/pen.h"
#include "canvas/stroke.h"
#include "tests/canvas/window_doubles.h"

class CanvasTest : public ::testing::Test {
protected:
    void TearDown() override {
        free_canvas();
        DeleteObject(g_left_pen.brush);
        DeleteObject(g_right_pen.brush);
        g_left_pen = PenTool{nullptr, PEN_SIZE_START};
        g_right_pen = PenTool{nullptr, PEN_SIZE_START};
        g_stroke = StrokeState{};
        clear_recordings();
    }

    static void free_canvas() {
        if (g_canvas.bitmap) {
            DeleteObject(g_canvas.bitmap);
            DeleteDC(g_canvas.dc);
        }
        g_canvas = Canvas{};
    }

    // A new white canvas in place of the current one, recordings cleared.
    static void fresh_canvas(LONG width, LONG height) {
        free_canvas();
        ASSERT_TRUE(canvas_create(width, height));
        clear_recordings();
    }

    static std::vector<BYTE> read_out() {
        BYTE *buffer = canvas_read_out();
        EXPECT_NE(buffer, nullptr);
        std::vector<BYTE> bytes(buffer, buffer + canvas_byte_count());
        free(buffer);
        return bytes;
    }

    // The colour of pixel (x, y) of the canvas.
    static COLORREF pixel(LONG x, LONG y) {
        const std::vector<BYTE> bytes = read_out();
        const size_t at = (static_cast<size_t>(y) * g_canvas.width + x) * 4;
        return RGB(bytes[at + 2], bytes[at + 1], bytes[at]);
    }

    // The canvas as rows of '#' (not white) and '.' (white).
    static std::string picture() {
        const std::vector<BYTE> bytes = read_out();
        std::string out;
        for (LONG y = 0; y < g_canvas.height; ++y) {
            for (LONG x = 0; x < g_canvas.width; ++x) {
                const BYTE *p = &bytes[(static_cast<size_t>(y) * g_canvas.width + x) * 4];
                out += (p[0] & p[1] & p[2]) == 0xFF ? '.' : '#';
            }
            out += '\n';
        }
        return out;
    }
};

#endif // SCRIBBLET_TESTS_CANVAS_CANVAS_FIXTURE_H
