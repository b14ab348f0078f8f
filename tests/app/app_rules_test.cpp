// The program's own rules that need no window: the canvas-size limits and
// how the help page's address is made from the program's location.
#include <gtest/gtest.h>

#include <string>

#include "app/canvas_size_dialog.h"
#include "app/online_help.h"

TEST(AppCanvasSizeLimits, SidesUpTo32767Fit)
{
    EXPECT_TRUE(canvas_size_fits(0, 0));
    EXPECT_TRUE(canvas_size_fits(32767, 1));
    EXPECT_TRUE(canvas_size_fits(1, 32767));
    EXPECT_FALSE(canvas_size_fits(32768, 1));
    EXPECT_FALSE(canvas_size_fits(1, 32768));
    EXPECT_FALSE(canvas_size_fits(4294967295u, 0));
    EXPECT_FALSE(canvas_size_fits(0, 4294967295u));
}

TEST(AppCanvasSizeLimits, PixelStoreUpTo2147483647Bytes)
{
    // 23170² × 4 = 2147395600 fits; 23171² × 4 = 2147580964 does not.
    EXPECT_TRUE(canvas_size_fits(23170, 23170));
    EXPECT_FALSE(canvas_size_fits(23171, 23171));
    // 32767 × 16384 × 4 = 2147418112 fits; one more row does not.
    EXPECT_TRUE(canvas_size_fits(32767, 16384));
    EXPECT_FALSE(canvas_size_fits(32767, 16385));
    EXPECT_TRUE(canvas_size_fits(16384, 32767));
    EXPECT_FALSE(canvas_size_fits(16385, 32767));
}

static std::string page_for(const char *program)
{
    char page[MAX_PATH];
    if (!help_page_path(program, page, sizeof page))
        return "(none)";
    return page;
}

TEST(AppHelpPage, LiesBesideTheProgramsFolder)
{
    EXPECT_EQ(page_for("/usr/bin/scribblet"),
              "/usr/share/scribblet/help/index.html");
    EXPECT_EQ(page_for("/home/a/build/app/scribblet"),
              "/home/a/build/share/scribblet/help/index.html");
    EXPECT_EQ(page_for("C:\\Scribblet\\bin\\scribblet.exe"),
              "C:\\Scribblet\\share/scribblet/help/index.html");
    EXPECT_EQ(page_for("/bin/scribblet"), "/share/scribblet/help/index.html");
    EXPECT_EQ(page_for("scribblet"), "(none)");
    EXPECT_EQ(page_for("bin/scribblet"), "(none)");
}

TEST(AppHelpPage, RefusesAPathThatDoesNotFit)
{
    char page[35];
    EXPECT_TRUE(help_page_path("/a/b/x", page, sizeof page)); // 34 chars
    EXPECT_FALSE(help_page_path("/ab/b/x", page, sizeof page));
}

static std::string url_for(const char *path, DWORD size = 512)
{
    char url[512];
    if (!file_url_from_path(path, url, size))
        return "(none)";
    return url;
}

TEST(AppHelpPage, FileUrlEncodesWhatAUrlCannotHold)
{
    EXPECT_EQ(url_for("/usr/share/scribblet/help/index.html"),
              "file:///usr/share/scribblet/help/index.html");
    EXPECT_EQ(url_for("/home/my files/100%/a#b?c"),
              "file:///home/my%20files/100%25/a%23b%3Fc");
    EXPECT_EQ(url_for("/tmp/絵"), "file:///tmp/%E7%B5%B5");
    EXPECT_EQ(url_for("C:\\Program Files\\x.html"),
              "file:///C:/Program%20Files/x.html");
    EXPECT_EQ(url_for("/a b", 14), "file:///a%20b");
    EXPECT_EQ(url_for("/a b", 13), "(none)"); // 13 chars and the NUL
}
