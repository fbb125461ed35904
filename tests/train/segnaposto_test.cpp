#include <gtest/gtest.h>

// Placeholder until the subsystem's tests land.
TEST(Segnapostotrain, Compila) { SUCCEED(); }
