// flyer-level tiled-extension: makes the Tiled extension installed with
// flyer one of the user's Tiled extensions.
#pragma once

// Links ${XDG_CONFIG_HOME:-~/.config}/tiled/extensions/flyer to the
// extension's folder beside this program (FLYER_TILED_FROM_BIN, relative
// to the program's own folder). argv[0] is the command's name. The exit
// status: 0 when the link is there, 1 when it cannot be made, 2 on a
// usage error.
int RunTiledExtensionCommand(int argc, char** argv);
