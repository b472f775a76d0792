// The floor of flyer's frame rate: a program that makes exactly the SDL
// and GL calls of a recorded flyer run, from prebuilt arrays, and nothing
// else. Start-up sets the same allocator thresholds, opens the same video
// mode, and replays the recorded set-up calls (GL state and textures);
// then each pass reads the clock, polls the events (Esc ends it), replays
// the recorded frame and swaps, as flyer's frame loop does.
//   flyer-floor <frame file> [--glibc-malloc]
// --glibc-malloc leaves glibc's allocator as it comes, as flyer was
// before it set the thresholds.
#include <SDL.h>
#include <GL/gl.h>
#include <cstdio>
#include <cstring>

#include "app/Allocator.h"
#include "bench/CallList.h"

namespace {

struct Recording {
    uint32_t width = 0;
    uint32_t height = 0;
    CallList setUp;
    CallList frame;
};

bool ReadRecording(const char* path, Recording* recording)
{
    FILE* file = fopen(path, "rb");
    if (file == nullptr)
        return false;
    char magic[8];
    const bool read =
        fread(magic, sizeof magic, 1, file) == 1 && memcmp(magic, "FLYRFLOR", 8) == 0 &&
        fread(&recording->width, 4, 1, file) == 1 && fread(&recording->height, 4, 1, file) == 1 &&
        recording->setUp.Read(file) && recording->frame.Read(file);
    fclose(file);
    return read;
}

bool EscapePressed()
{
    bool pressed = false;
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        if (event.type == SDL_KEYDOWN && event.key.keysym.sym == SDLK_ESCAPE)
            pressed = true;
    }
    return pressed;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2 || argc > 3 || (argc == 3 && strcmp(argv[2], "--glibc-malloc") != 0)) {
        printf("Usage: %s <frame file> [--glibc-malloc]\n", argv[0]);
        return 1;
    }
    if (argc == 2)
        SetAllocatorThresholds();
    static Recording recording;
    if (!ReadRecording(argv[1], &recording)) {
        printf("Cannot read the frame file %s\n", argv[1]);
        return 1;
    }
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_TIMER) == -1) {
        printf("SDL_Init(): %s\n", SDL_GetError());
        return 1;
    }
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 5);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 5);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 5);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    if (SDL_SetVideoMode(recording.width, recording.height, 32, SDL_FULLSCREEN | SDL_OPENGL) ==
        nullptr) {
        printf("SDL_SetVideoMode(): %s\n", SDL_GetError());
        SDL_Quit();
        return 1;
    }
    SDL_ShowCursor(SDL_DISABLE);
    if (!recording.setUp.Replay()) {
        printf("A texture name differs from the recording's\n");
        SDL_Quit();
        return 1;
    }
    bool quit = false;
    while (!quit) {
        SDL_GetTicks();
        quit = EscapePressed();
        recording.frame.Replay();
        SDL_GL_SwapBuffers();
    }
    const int status = glGetError() == GL_NO_ERROR ? 0 : 1;
    SDL_Quit();
    return status;
}
