// web/sdl against the real SDL 1.2: the same scenes through both, pixel by
// pixel. web/sdl defines SDL's own names, so it lives in a module of its own
// (WEB_SDL_MODULE: web/sdl and the scenes, linked -Bsymbolic, opened with
// RTLD_LOCAL); this program holds the real SDL and the same scenes.
#include <dlfcn.h>

#include <string>

#include <gtest/gtest.h>

#include "SdlScene.h"

extern "C" void RunBlitScene(const BlitScene& scene, Picture* out);
extern "C" void RunFillScene(const FillScene& scene, Picture* out);
extern "C" void RunBmpScene(const char* path, bool keyed, Picture* out);

namespace {

template <typename Function>
Function FromWebSdl(const char* name)
{
    static void* module = dlopen(WEB_SDL_MODULE, RTLD_NOW | RTLD_LOCAL);
    if (module == nullptr)
        ADD_FAILURE() << dlerror();
    return module == nullptr ? nullptr : reinterpret_cast<Function>(dlsym(module, name));
}

void ExpectSame(const Picture& real, const Picture& web)
{
    EXPECT_EQ(real.status, web.status);
    EXPECT_EQ(std::vector<int>(real.rect, real.rect + 4), std::vector<int>(web.rect, web.rect + 4));
    ASSERT_EQ(real.pixels.size(), web.pixels.size());
    for (size_t i = 0; i < real.pixels.size(); ++i)
        EXPECT_EQ(real.pixels[i], web.pixels[i]) << "pixel " << i;
}

// Each scene through the real SDL (`real`) and through web/sdl's `name`.
template <typename Scene, size_t count>
void ExpectSameOnBoth(void (*real)(const Scene&, Picture*), const char* name,
                      const Scene (&scenes)[count])
{
    const auto web = FromWebSdl<void (*)(const Scene&, Picture*)>(name);
    ASSERT_NE(nullptr, web);
    for (size_t i = 0; i < count; ++i) {
        SCOPED_TRACE("case " + std::to_string(i + 1));
        Picture ours, theirs;
        real(scenes[i], &theirs);
        web(scenes[i], &ours);
        ExpectSame(theirs, ours);
    }
}

const bool kRgba = true, kNoAlpha = false, kKey = true, kNoKey = false;

// The source is 6 x 5, the destination 8 x 7.
// clang-format off
const BlitScene kBlits[] = {
    {kNoAlpha, kNoKey, -1, {0, 0, -1, 0}, {kNoRect, 0}},    // whole onto whole
    {kNoAlpha, kKey,   -1, {0, 0, -1, 0}, {1, 1}},          // the sprites: keyed on black
    {kRgba,    kKey,   -1, {0, 0, 6, 5},  {2, 1}},          // keyed, but per-pixel alpha wins
    {kRgba,    kNoKey, -1, {1, 1, 4, 3},  {0, 0}},          // per-pixel alpha blending
    {kRgba,    kNoKey,  0, {0, 0, 6, 5},  {0, 0}},          // alpha off: a copy, alpha and all
    {kRgba,    kKey,    0, {0, 0, 6, 5},  {0, 0}},          // alpha off, keyed on black
    {kNoAlpha, kNoKey,  1, {0, 0, 6, 5},  {1, 0}},          // alpha on without a channel: a copy
    {kNoAlpha, kNoKey, -1, {2, 1, 3, 3},  {5, 5}},          // cut at the right and bottom edges
    {kNoAlpha, kNoKey, -1, {0, 0, 6, 5},  {-2, -3}},        // negative position
    {kNoAlpha, kNoKey, -1, {-2, -1, 6, 5}, {3, 3}},         // source rectangle before the source
    {kNoAlpha, kNoKey, -1, {3, 2, 9, 9},  {0, 0}},          // source rectangle past the source
    {kNoAlpha, kNoKey, -1, {-3, 0, 5, 5}, {-2, 1}},         // both before: the cuts add up
    {kNoAlpha, kNoKey, -1, {0, 0, 6, 5},  {8, 0}},          // just past the right edge
    {kNoAlpha, kNoKey, -1, {0, 0, 6, 5},  {-6, 2}},         // just before the left edge
    {kNoAlpha, kNoKey, -1, {6, 0, 2, 2},  {0, 0}},          // source rectangle outside the source
};
const FillScene kFills[] = {
    {{0, 0, -1, 0}, {0, 0, 0, 0}},          // the whole surface, transparent
    {{2, 1, 3, 4},  {10, 20, 30, 255}},     // inside
    {{-2, -1, 4, 3}, {255, 0, 0, 128}},     // over the top-left corner
    {{6, 5, 9, 9},  {1, 2, 3, 4}},          // over the bottom-right corner
    {{8, 0, 2, 2},  {9, 9, 9, 9}},          // outside
    {{0, 0, 0, 3},  {9, 9, 9, 9}},          // empty
};
// clang-format on

TEST(WebSdl, BlitsAsTheRealSdl)
{
    ExpectSameOnBoth(RunBlitScene, "RunBlitScene", kBlits);
}

TEST(WebSdl, FillsAsTheRealSdl)
{
    ExpectSameOnBoth(RunFillScene, "RunFillScene", kFills);
}

// The game's bitmaps, keyed as the sprites are and unkeyed as the tileset.
TEST(WebSdl, LoadsAndKeysTheGamesBitmapsAsTheRealSdl)
{
    const auto web = FromWebSdl<void (*)(const char*, bool, Picture*)>("RunBmpScene");
    ASSERT_NE(nullptr, web);
    for (const char* name : {"ship.bmp", "bullet.bmp", "ships.bmp", "tileset.bmp"}) {
        for (bool keyed : {true, false}) {
            SCOPED_TRACE(std::string(name) + (keyed ? " keyed" : ""));
            const std::string path = std::string(FLYER_DATA_DIR) + "/" + name;
            Picture real, ours;
            RunBmpScene(path.c_str(), keyed, &real);
            web(path.c_str(), keyed, &ours);
            ASSERT_FALSE(real.pixels.empty());
            ExpectSame(real, ours);
        }
    }
}

}  // namespace
