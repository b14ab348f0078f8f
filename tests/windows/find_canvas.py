#!/usr/bin/env python3
"""Finds a fresh canvas on a screenshot: the white block of the given size
whose right and bottom edges border something that is not white (the scroll
bars). Reads a binary PPM on standard input and prints "x y", the block's top
left corner on the screen.

    find_canvas.py WIDTH HEIGHT < screen.ppm
"""
import sys

WHITE = b"\xff\xff\xff"


def read_ppm(data):
    """Width, height and the RGB bytes of a binary (P6) PPM image."""
    fields = []
    at = 0
    while len(fields) < 4:
        while data[at:at + 1].isspace():
            at += 1
        if data[at:at + 1] == b"#":
            at = data.index(b"\n", at)
            continue
        end = at
        while not data[end:end + 1].isspace():
            end += 1
        fields.append(data[at:end])
        at = end
    if fields[0] != b"P6" or int(fields[3]) != 255:
        raise ValueError("not an 8-bit binary PPM")
    return int(fields[1]), int(fields[2]), data[at + 1:]


def find_block(width, height, pixels, block_width, block_height):
    row_bytes = width * 3
    white_run = WHITE * block_width

    def row(y):
        return pixels[y * row_bytes:(y + 1) * row_bytes]

    def white_at(y, x, count):
        start = x * 3
        return row(y)[start:start + count * 3] == WHITE * count

    for y in range(height - block_height):
        line = row(y)
        x = line.find(white_run)
        while x != -1:
            if x % 3 == 0:
                left = x // 3
                right = left + block_width
                bottom = y + block_height
                if (right < width and bottom < height
                        and all(white_at(r, left, block_width) for r in range(y, bottom))
                        and not any(white_at(r, right, 1) for r in range(y, bottom))
                        and not white_at(bottom, left, block_width)):
                    return left, y
            x = line.find(white_run, x + 1)
    return None


def main():
    block_width, block_height = int(sys.argv[1]), int(sys.argv[2])
    width, height, pixels = read_ppm(sys.stdin.buffer.read())
    found = find_block(width, height, pixels, block_width, block_height)
    if found is None:
        sys.exit("no white block of %d x %d" % (block_width, block_height))
    print("%d %d" % found)


if __name__ == "__main__":
    main()
