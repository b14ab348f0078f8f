// A fresh canvas and fresh pens for each test, freed afterwards.
#ifndef SCRIBBLET_TESTS_CANVAS_CANVAS_FIXTURE_H
#define SCRIBBLET_TESTS_CANVAS_CANVAS_FIXTURE_H

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
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
        DeleteObject(g_canvas.bitmap);
        DeleteDC(g_canvas.dc);
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

    // The canvas as rows of '.' (white) and the first letter of the colour
    // of each other pixel: r, g, b, k (black), ? (anything else).
    static std::string picture() {
        const std::vector<BYTE> bytes = read_out();
        std::string out;
        for (size_t at = 0; at < bytes.size(); at += 4) {
            const COLORREF colour = RGB(bytes[at + 2], bytes[at + 1], bytes[at]);
            out += colour == PEN_COLOUR_WHITE   ? '.'
                   : colour == PEN_COLOUR_BLACK ? 'k'
                   : colour == PEN_COLOUR_RED   ? 'r'
                   : colour == PEN_COLOUR_GREEN ? 'g'
                   : colour == PEN_COLOUR_BLUE  ? 'b'
                                                : '?';
            if ((at / 4 + 1) % static_cast<size_t>(g_canvas.width) == 0)
                out += '\n';
        }
        return out;
    }

    // picture() of a white canvas with a run of count pixels of letter in
    // row, from column from.
    static std::string painted(std::string picture, int row, int from, int count,
                               char letter = 'k') {
        picture.replace(static_cast<size_t>(row * (g_canvas.width + 1) + from),
                        static_cast<size_t>(count), std::string(count, letter));
        return picture;
    }
    static std::string blank() {
        std::string row(static_cast<size_t>(g_canvas.width), '.');
        std::string out;
        for (LONG y = 0; y < g_canvas.height; ++y)
            out += row + '\n';
        return out;
    }
};

#endif // SCRIBBLET_TESTS_CANVAS_CANVAS_FIXTURE_H
