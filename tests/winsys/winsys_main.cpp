#include "winsys_fixture.h"

int main(int argc, char **argv) { return winsys_test::run_tests(argc, argv); }
