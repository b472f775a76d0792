#include "GlContext.h"

#include <GL/gl.h>
#include <SDL.h>

#include <cstdlib>

#include "app/GameState.h"
#include "app/Video.h"

void GlContextTest::SetUp()
{
    server_.reset(new XvfbServer(1280, 1024));
    setenv("DISPLAY", server_->Display().c_str(), 1);
    g_ScreenWidth = Width();
    g_ScreenHeight = Height();
    ResetGameState();
    ASSERT_TRUE(InitVideo());
}

void GlContextTest::TearDown()
{
    SDL_Quit();
    server_.reset();
}

std::vector<unsigned char> GlContextTest::ReadPixels() const
{
    std::vector<unsigned char> pixels(static_cast<size_t>(Width()) * Height() * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, Width(), Height(), GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

std::vector<unsigned char> GlContextTest::ReadTexture(unsigned texture, int* width, int* height)
{
    glBindTexture(GL_TEXTURE_2D, texture);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, height);
    std::vector<unsigned char> texels(static_cast<size_t>(*width) * *height * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
    return texels;
}
