#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "XvfbServer.h"

// The game's own video set-up at 640 x 480 on a private Xvfb: a real GL
// context in the state start-up leaves.
class GlContext : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // The RGBA texels of a texture, and its size.
    static std::vector<unsigned char> Texels(unsigned texture, int* width, int* height);

    std::unique_ptr<XvfbServer> server_;
};
