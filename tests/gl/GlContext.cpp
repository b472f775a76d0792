#include "GlContext.h"

#include <GL/gl.h>
#include <SDL.h>

#include "app/GameState.h"
#include "app/Video.h"

void GlContext::SetUp()
{
    server_.reset(new XvfbServer(640, 480));
    setenv("DISPLAY", server_->Display().c_str(), 1);
    g_ScreenWidth = 640, g_ScreenHeight = 480;
    ResetGameState();
    ASSERT_TRUE(InitVideo());
}

void GlContext::TearDown()
{
    SDL_Quit();
    server_.reset();
}

std::vector<unsigned char> GlContext::Texels(unsigned texture, int* width, int* height)
{
    glBindTexture(GL_TEXTURE_2D, texture);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, height);
    std::vector<unsigned char> texels(static_cast<size_t>(*width) * *height * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
    return texels;
}
