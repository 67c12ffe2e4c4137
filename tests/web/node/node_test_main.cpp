#include <emscripten.h>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    emscripten_force_exit(RUN_ALL_TESTS());
}
