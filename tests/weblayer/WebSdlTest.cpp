// web/sdl against the real SDL 1.2: the scenes of SdlScene.cpp through both,
// pixel by pixel. web/sdl defines SDL's own names, so it lives in a module of
// its own (WEB_SDL_MODULE: web/sdl and the scenes, linked -Bsymbolic, opened
// with RTLD_LOCAL); this program holds the real SDL and the same scenes.
#include <dlfcn.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

extern "C" void RunSdlScenes(const char* dataDir, std::vector<std::string>* lines);

namespace {

TEST(WebSdl, BlitsFillsAndLoadsBitmapsAsTheRealSdl)
{
    void* module = dlopen(WEB_SDL_MODULE, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(nullptr, module) << dlerror();
    const auto web = reinterpret_cast<decltype(&RunSdlScenes)>(dlsym(module, "RunSdlScenes"));
    ASSERT_NE(nullptr, web);
    std::vector<std::string> real, ours;
    RunSdlScenes(FLYER_DATA_DIR, &real);
    web(FLYER_DATA_DIR, &ours);
    ASSERT_EQ(real.size(), ours.size());
    for (size_t i = 0; i < real.size(); ++i)
        EXPECT_EQ(real[i], ours[i]);
}

}  // namespace
