# The game's own sources, shared by the desktop build and the web build
# (web/CMakeLists.txt). Paths are relative to the project's root.
set(FLYER_GAME_SOURCES
  app/CommandLine.cpp
  app/FrameLoop.cpp
  app/GameState.cpp
  app/Input.cpp
  app/Quit.cpp
  app/Resolutions.cpp
  app/StartUp.cpp
  app/Video.cpp
  app/ViewWindow.cpp
  app/WorldObjects.cpp
  flight/CollideShip.cpp
  flight/ExhaustVelocity.cpp
  flight/UpdateShip.cpp
  world/BmpFile.cpp
  world/Camera.cpp
  world/FileKind.cpp
  world/LevelRecordReader.cpp
  world/RgbaSurface.cpp
  world/Starfield.cpp
  world/TextureUpload.cpp
  world/TileMap.cpp
  actors/BulletPool.cpp
  actors/ParticleEmitter.cpp
  actors/ParticleParams.cpp
  actors/PlayerShip.cpp
  actors/ShipFleet.cpp
  actors/SpriteBitmap.cpp
  actors/SpriteQuad.cpp
)

# The sprite bitmaps' names, as the game has them in app/SpriteFiles.h.
file(STRINGS ${CMAKE_CURRENT_LIST_DIR}/../app/SpriteFiles.h FLYER_SPRITE_FILES
     REGEX "\"[a-z]+\\.bmp\"")
string(REGEX MATCHALL "[a-z]+\\.bmp" FLYER_SPRITE_FILES "${FLYER_SPRITE_FILES}")
