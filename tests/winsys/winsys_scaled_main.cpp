#include <QByteArray>
#include <QtGlobal>

#include "winsys_fixture.h"

int main(int argc, char **argv) {
    // A display whose pixels are twice as small: every logical pixel is
    // two screen pixels wide and high.
    qputenv("QT_SCALE_FACTOR", QByteArray("2"));
    return winsys_test::run_tests(argc, argv);
}
