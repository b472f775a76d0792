#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "XvfbServer.h"

// A test with the game's own video set-up done for real on a private
// Xvfb: full-screen GL at the given resolution, GL state as start-up
// leaves it.
class GlContextTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    virtual int Width() const { return 640; }
    virtual int Height() const { return 480; }

    // Reads back the RGBA pixels of the current framebuffer.
    std::vector<unsigned char> ReadPixels() const;
    // Reads back a texture's RGBA texels.
    static std::vector<unsigned char> ReadTexture(unsigned texture, int* width, int* height);

    std::unique_ptr<XvfbServer> server_;
};
