// web/ against the real libraries it stands in for. web/sdl against the real
// SDL 1.2: the scenes of SdlScene.cpp through both, pixel by pixel. web/sdl
// defines SDL's own names, so it lives in a module of its own
// (WEB_SDL_MODULE: web/sdl and the scenes, linked -Bsymbolic, opened with
// RTLD_LOCAL); this program holds the real SDL and the same scenes. web/gl's
// matrices against Mesa's own matrix stack, read back from a real GL context
// on a private Xvfb.
#include <GL/gl.h>
#include <SDL.h>
#include <dlfcn.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "XvfbServer.h"
#include "gl/Matrix.h"

extern "C" void RunSdlScenes(std::vector<std::string>* lines);

namespace {

TEST(WebSdl, BlitsAndFillsAsTheRealSdl)
{
    void* module = dlopen(WEB_SDL_MODULE, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(nullptr, module) << dlerror();
    const auto web = reinterpret_cast<decltype(&RunSdlScenes)>(dlsym(module, "RunSdlScenes"));
    ASSERT_NE(nullptr, web);
    std::vector<std::string> real, ours;
    RunSdlScenes(&real);
    web(&ours);
    ASSERT_EQ(real.size(), ours.size());
    for (size_t i = 0; i < real.size(); ++i)
        EXPECT_EQ(real[i], ours[i]);
}

enum Op { kTranslate, kRotate, kFrustum };

struct Step {
    Op op;
    double v[6];
};

// `step` on Mesa's current matrix and on `ours`.
void Apply(const Step& step, Matrix* ours)
{
    const double* v = step.v;
    const float f[4] = {float(v[0]), float(v[1]), float(v[2]), float(v[3])};
    if (step.op == kTranslate) {
        glTranslatef(f[0], f[1], f[2]);
        *ours = *ours * Matrix::Translation(f[0], f[1], f[2]);
    } else if (step.op == kRotate) {
        glRotatef(f[0], f[1], f[2], f[3]);
        *ours = *ours * Matrix::Rotation(f[0], f[1], f[2], f[3]);
    } else {
        glFrustum(v[0], v[1], v[2], v[3], v[4], v[5]);
        *ours = *ours * Matrix::Frustum(v[0], v[1], v[2], v[3], v[4], v[5]);
    }
}

// Each case from the identity; the game's own are the frustum at 640 x 480
// and the camera's and the ship's steps.
// clang-format off
const std::vector<Step> kCases[] = {
    {{kRotate, {-37.5, 0, 0, 1}}, {kTranslate, {512, 511.5, -20}}},
    {{kRotate, {30, 1, 2, 3}}},
    {{kRotate, {200, 0, -4, 0}}, {kRotate, {15, 1, 0, 0}}},
    {{kRotate, {45, 0, 0, 0}}},
    {{kRotate, {60, 0, 0.5, 0}}},
    {{kFrustum, {-1, 1, -0.75, 0.75, 1, 1000}}},
    {{kFrustum, {-2, 1, -1, 3, 0.5, 100}}},
    {{kFrustum, {-1, 1, -0.8, 0.8, 1, 1000}}, {kTranslate, {-512, -512, -40}}, {kRotate, {123.4, 0, 0, 1}}},
    {{kTranslate, {100.25f, 200.5f, 0}}, {kRotate, {271, 0, 0, 1}}, {kTranslate, {-0.5, -0.5, 0}}},
};
// clang-format on

TEST(MesaMatrices, ProductsMatchMesasWithinFloatPrecision)
{
    XvfbServer server(64, 64);
    setenv("DISPLAY", server.Display().c_str(), 1);
    ASSERT_EQ(0, SDL_Init(SDL_INIT_VIDEO));
    ASSERT_NE(nullptr, SDL_SetVideoMode(64, 64, 32, SDL_OPENGL));
    for (size_t i = 0; i < std::size(kCases); ++i) {
        SCOPED_TRACE("case " + std::to_string(i + 1));
        Matrix ours = Matrix::Identity();
        glLoadIdentity();
        for (const Step& step : kCases[i])
            Apply(step, &ours);
        GLfloat mesa[16];
        glGetFloatv(GL_MODELVIEW_MATRIX, mesa);
        for (int k = 0; k < 16; ++k)
            EXPECT_NEAR(mesa[k], ours.m[k], 2e-6 * std::max(1.0f, std::abs(mesa[k]))) << k;
    }
    SDL_Quit();
}

}  // namespace
